#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace fe::bench {
namespace {

// Both ends close-on-exec; the child gets its end through dup2.
struct PipeEnds {
  int read = -1;
  int write = -1;
  bool open() {
    int fd[2];
    if (::pipe2(fd, O_CLOEXEC) != 0) return false;
    read = fd[0];
    write = fd[1];
    return true;
  }
};

void close_fd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

std::filesystem::path program_path() {
  return std::filesystem::path(FE_BINARY_DIR) / "bin" / "file-explorer";
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "fe-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data())) path_ = pattern;
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> child_environment(const std::filesystem::path& home,
                                           const std::map<std::string, std::string>& extra) {
  std::map<std::string, std::string> set = {
      {"HOME", home.string()},
      {"XDG_CONFIG_HOME", (home / ".config").string()},
      {"XDG_STATE_HOME", (home / ".local/state").string()},
      {"XDG_DATA_HOME", (home / ".local/share").string()},
      {"XDG_CACHE_HOME", (home / ".cache").string()},
      {"VEMO_WORKSPACE_ROOTS", ""},
      {"LANG", "en_US.UTF-8"},
  };
  for (const auto& [k, v] : extra) set[k] = v;
  static const char* const dropped[] = {"LC_ALL",       "LANGUAGE",          "LC_MESSAGES", "BRISK_APP_ID",
                                        "VEMO_USER_ID", "XDG_TEMPLATES_DIR", "DISPLAY",     "WAYLAND_DISPLAY"};
  std::vector<std::string> out;
  for (char** e = environ; *e; ++e) {
    std::string entry(*e);
    std::string name = entry.substr(0, entry.find('='));
    if (set.contains(name)) continue;
    if (std::ranges::any_of(dropped, [&](const char* d) { return name == d; })) continue;
    out.push_back(entry);
  }
  for (const auto& [k, v] : set) out.push_back(k + "=" + v);
  return out;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env, Streams streams) {
  PipeEnds in, out;
  int null_fd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null_fd < 0 || (streams.pipe_stdin && !in.open()) || (streams.pipe_stdout && !out.open())) {
    error_ = std::string("cannot set up the child's streams: ") + std::strerror(errno);
    for (int* fd : {&null_fd, &in.read, &in.write, &out.read, &out.write}) close_fd(*fd);
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, streams.pipe_stdin ? in.read : null_fd, 0);
  posix_spawn_file_actions_adddup2(&actions, streams.pipe_stdout ? out.write : null_fd, 1);
  posix_spawn_file_actions_adddup2(&actions, null_fd, 2);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> envp;
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  int rc = posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close_fd(null_fd);
  close_fd(in.read);
  close_fd(out.write);
  in_ = in.write;
  out_ = out.read;
  if (rc != 0) {
    pid_ = -1;
    error_ = "cannot start " + argv.front() + ": " + std::strerror(rc);
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  close_fd(in_);
  close_fd(out_);
}

bool ChildProcess::write_and_close(const std::string& data) {
  std::string_view rest = data;
  while (in_ >= 0 && !rest.empty()) {
    ssize_t n = ::write(in_, rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
  close_fd(in_);
  return rest.empty();
}

std::string ChildProcess::read_all(std::chrono::milliseconds timeout) {
  std::string text;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (out_ >= 0) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd pfd{out_, POLLIN, 0};
    if (::poll(&pfd, 1, static_cast<int>(left.count())) <= 0) continue;
    char buf[65536];
    ssize_t n = ::read(out_, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      close_fd(out_);
    else
      text.append(buf, static_cast<std::size_t>(n));
  }
  return text;
}

bool ChildProcess::running() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == pid_) {
    pid_ = -1;
    return false;
  }
  return true;
}

int ChildProcess::wait(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  rusage usage{};
  for (;;) {
    pid_t r = ::wait4(pid_, &status, WNOHANG, &usage);
    if (r == pid_) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      pid_ = -1;
      return -1;
    }
    // Short naps: the time to notice the exit is part of what the launch benchmarks measure.
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  pid_ = -1;
  auto as_ns = [](const timeval& t) { return std::chrono::seconds(t.tv_sec) + std::chrono::microseconds(t.tv_usec); };
  cpu_used_ = as_ns(usage.ru_utime) + as_ns(usage.ru_stime);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::optional<std::chrono::nanoseconds> cpu_time(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  // The command name is in parentheses and may hold spaces; the fields after it start at the state.
  auto close = line.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(line.substr(close + 1));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::strtoull(field.c_str(), nullptr, 10);
    if (i == 15) stime = std::strtoull(field.c_str(), nullptr, 10);
  }
  if (!fields) return std::nullopt;
  const long ticks = ::sysconf(_SC_CLK_TCK);
  if (ticks <= 0) return std::nullopt;
  return std::chrono::nanoseconds((utime + stime) * 1'000'000'000ULL / static_cast<unsigned long long>(ticks));
}

SocketLine::SocketLine(const std::filesystem::path& path, std::chrono::milliseconds patience) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.native().size() >= sizeof addr.sun_path) return;
  std::memcpy(addr.sun_path, path.c_str(), path.native().size());
  const auto deadline = std::chrono::steady_clock::now() + patience;
  do {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
      timeval limit{30, 0};
      ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
      fd_ = fd;
      return;
    }
    if (fd >= 0) ::close(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (std::chrono::steady_clock::now() < deadline);
}

SocketLine::~SocketLine() {
  close_fd(fd_);
}

std::string SocketLine::request(const std::string& line) {
  if (fd_ < 0) return {};
  std::string data = line + "\n";
  if (::send(fd_, data.data(), data.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(data.size())) return {};
  std::string answer;
  char buf[4096];
  for (;;) {
    ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return {};
    answer.append(buf, static_cast<std::size_t>(n));
    if (auto nl = answer.find('\n'); nl != std::string::npos) return answer.substr(0, nl);
  }
}

}  // namespace fe::bench
