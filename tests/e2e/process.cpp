#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

extern char** environ;

namespace fe::e2e {
namespace {

struct Pipe {
  int fd[2] = {-1, -1};
  Pipe() {
    if (::pipe2(fd, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  }
};

pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env, int in, int out, int err) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in, 0);
  posix_spawn_file_actions_adddup2(&actions, out, 1);
  posix_spawn_file_actions_adddup2(&actions, err, 2);
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  pid_t pid = -1;
  int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error(std::string("spawn failed: ") + std::strerror(rc));
  return pid;
}

int wait_exit(pid_t pid, std::chrono::milliseconds timeout, bool& timed_out) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (std::chrono::steady_clock::now() > deadline) {
      timed_out = true;
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    ::usleep(5000);
  }
}

}  // namespace

std::filesystem::path program_path() {
  return std::filesystem::path(FE_BINARY_DIR) / "bin" / "file-explorer";
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "fe-e2e-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

TempHome::TempHome() {
  std::filesystem::create_directories(config());
  std::filesystem::create_directories(state());
  std::filesystem::create_directories(data());
  env_["HOME"] = home().string();
  env_["XDG_CONFIG_HOME"] = config().string();
  env_["XDG_STATE_HOME"] = state().string();
  env_["XDG_DATA_HOME"] = data().string();
  env_["XDG_CACHE_HOME"] = (home() / ".cache").string();
  env_["VEMO_WORKSPACE_ROOTS"] = "";
  env_["LANG"] = "en_US.UTF-8";
}

std::vector<std::string> TempHome::environment() const {
  static const char* const dropped[] = {
      "LC_ALL",       "LANGUAGE",          "LANG",    "LC_MESSAGES",    "VEMO_WORKSPACE_ROOTS", "BRISK_APP_ID",
      "VEMO_USER_ID", "XDG_TEMPLATES_DIR", "DISPLAY", "WAYLAND_DISPLAY"};
  std::vector<std::string> out;
  for (char** e = environ; *e; ++e) {
    std::string entry(*e);
    std::string name = entry.substr(0, entry.find('='));
    if (env_.contains(name)) continue;
    if (std::ranges::find_if(dropped, [&](const char* d) { return name == d; }) != std::end(dropped)) continue;
    out.push_back(entry);
  }
  for (const auto& [k, v] : env_) out.push_back(k + "=" + v);
  return out;
}

namespace {

RunResult run_spawned(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                      const std::string& stdin_data, std::chrono::milliseconds timeout) {
  Pipe in, out, err;
  pid_t pid = spawn(argv, env, in.fd[0], out.fd[1], err.fd[1]);
  ::close(in.fd[0]);
  ::close(out.fd[1]);
  ::close(err.fd[1]);
  RunResult result;
  // Feed stdin and drain both outputs without blocking on any one of them.
  std::size_t written = 0;
  int to_child = in.fd[1];
  if (stdin_data.empty()) {
    ::close(to_child);
    to_child = -1;
  } else {
    ::fcntl(to_child, F_SETFL, O_NONBLOCK);
  }
  auto deadline = std::chrono::steady_clock::now() + timeout;
  bool out_open = true, err_open = true;
  while ((out_open || err_open) && std::chrono::steady_clock::now() < deadline) {
    pollfd fds[3] = {
        {out_open ? out.fd[0] : -1, POLLIN, 0}, {err_open ? err.fd[0] : -1, POLLIN, 0}, {to_child, POLLOUT, 0}};
    ::poll(fds, 3, 50);
    char buf[65536];
    if (fds[0].revents) {
      ssize_t n = ::read(out.fd[0], buf, sizeof buf);
      if (n > 0)
        result.out.append(buf, static_cast<std::size_t>(n));
      else
        out_open = false;
    }
    if (fds[1].revents) {
      ssize_t n = ::read(err.fd[0], buf, sizeof buf);
      if (n > 0)
        result.err.append(buf, static_cast<std::size_t>(n));
      else
        err_open = false;
    }
    if (to_child >= 0 && fds[2].revents) {
      ssize_t n = ::write(to_child, stdin_data.data() + written, stdin_data.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if (n < 0 && errno != EAGAIN) written = stdin_data.size();
      if (written == stdin_data.size()) {
        ::close(to_child);
        to_child = -1;
      }
    }
  }
  if (to_child >= 0) ::close(to_child);
  ::close(out.fd[0]);
  ::close(err.fd[0]);
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  result.exit_code = wait_exit(pid, std::max(left, std::chrono::milliseconds(100)), result.timed_out);
  return result;
}

}  // namespace

RunResult run_program(const std::vector<std::string>& args, const TempHome& home, const std::string& stdin_data,
                      std::chrono::milliseconds timeout) {
  std::vector<std::string> argv = {program_path().string()};
  argv.insert(argv.end(), args.begin(), args.end());
  return run_spawned(argv, home.environment(), stdin_data, timeout);
}

RunResult run_tool(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                   std::chrono::milliseconds timeout) {
  if (argv.empty()) return {};
  std::vector<std::string> resolved = argv;
  if (auto found = find_on_path(argv.front())) resolved.front() = found->string();
  return run_spawned(resolved, env, {}, timeout);
}

std::optional<std::filesystem::path> find_on_path(std::string_view name) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!rest.empty()) {
    auto colon = rest.find(':');
    std::string_view dir = rest.substr(0, colon);
    rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    if (dir.empty()) continue;
    std::filesystem::path candidate = std::filesystem::path(dir) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& args, const TempHome& home) {
  auto open_new = [](const std::filesystem::path& p) {
    int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) throw std::runtime_error("cannot create " + p.string());
    return fd;
  };
  int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  int out = open_new(logs_.path() / "stdout");
  int err = open_new(logs_.path() / "stderr");
  std::vector<std::string> argv = {program_path().string()};
  argv.insert(argv.end(), args.begin(), args.end());
  try {
    pid_ = spawn(argv, home.environment(), in, out, err);
  } catch (...) {
    for (int fd : {in, out, err}) ::close(fd);
    throw;
  }
  for (int fd : {in, out, err}) ::close(fd);
}

BackgroundProgram::~BackgroundProgram() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

int BackgroundProgram::wait(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return -1;
  bool timed_out = false;
  int code = wait_exit(pid_, timeout, timed_out);
  pid_ = -1;
  return code;
}

std::string BackgroundProgram::err() const {
  std::ifstream in(logs_.path() / "stderr");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

VirtualDisplay::VirtualDisplay(int width, int height) {
  auto xvfb = find_on_path("Xvfb");
  if (!xvfb) {
    error_ = "Xvfb is not on PATH";
    return;
  }
  // The server writes its display number on this pipe once it accepts connections.
  Pipe ready;
  int quiet = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, quiet, 0);
  posix_spawn_file_actions_adddup2(&actions, quiet, 1);
  posix_spawn_file_actions_adddup2(&actions, quiet, 2);
  posix_spawn_file_actions_adddup2(&actions, ready.fd[1], 3);
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  std::vector<std::string> args = {xvfb->string(), "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(quiet);
  ::close(ready.fd[1]);
  if (rc != 0) {
    pid_ = -1;
    ::close(ready.fd[0]);
    error_ = std::string("cannot start Xvfb: ") + std::strerror(rc);
    return;
  }
  std::string number;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd pfd{ready.fd[0], POLLIN, 0};
    if (::poll(&pfd, 1, 100) <= 0) continue;
    char buf[32];
    ssize_t n = ::read(ready.fd[0], buf, sizeof buf);
    if (n <= 0) break;
    number.append(buf, static_cast<std::size_t>(n));
  }
  ::close(ready.fd[0]);
  while (!number.empty() && (number.back() == '\n' || number.back() == '\r')) number.pop_back();
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
    error_ = "Xvfb did not name its display in time";
    return;
  }
  name_ = ":" + number;
}

VirtualDisplay::~VirtualDisplay() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  bool timed_out = false;
  wait_exit(pid_, std::chrono::seconds(5), timed_out);
}

AutomationClient::AutomationClient(const TempHome& home, std::vector<std::string> extra_args) {
  Pipe in, out, err;
  std::vector<std::string> argv = {program_path().string(), "--automation"};
  argv.insert(argv.end(), extra_args.begin(), extra_args.end());
  pid_ = spawn(argv, home.environment(), in.fd[0], out.fd[1], err.fd[1]);
  ::close(in.fd[0]);
  ::close(out.fd[1]);
  ::close(err.fd[1]);
  in_ = in.fd[1];
  out_ = out.fd[0];
  err_ = err.fd[0];
  ::fcntl(err_, F_SETFL, O_NONBLOCK);
}

AutomationClient::~AutomationClient() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  for (int fd : {in_, out_, err_}) {
    if (fd >= 0) ::close(fd);
  }
}

const std::string& AutomationClient::stderr_text() {
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(err_, buf, sizeof buf);
    if (n <= 0) break;
    err_text_.append(buf, static_cast<std::size_t>(n));
  }
  return err_text_;
}

std::optional<std::string> AutomationClient::read_line(std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto nl = buffer_.find('\n'); nl != std::string::npos) {
      std::string line = buffer_.substr(0, nl);
      buffer_.erase(0, nl + 1);
      return line;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
    ::poll(fds, 2, static_cast<int>(left.count()));
    if (fds[1].revents) stderr_text();
    if (fds[0].revents) {
      char buf[65536];
      ssize_t n = ::read(out_, buf, sizeof buf);
      if (n <= 0) return std::nullopt;
      buffer_.append(buf, static_cast<std::size_t>(n));
    }
  }
}

std::string AutomationClient::request_raw(const std::string& line) {
  std::string data = line + "\n";
  std::string_view rest = data;
  while (!rest.empty()) {
    ssize_t n = ::write(in_, rest.data(), rest.size());
    if (n <= 0) {
      ADD_FAILURE() << "could not write to the program";
      return {};
    }
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
  auto answer = read_line(std::chrono::seconds(30));
  if (!answer) {
    ADD_FAILURE() << "no answer to " << line << "\nstderr:\n" << stderr_text();
    return {};
  }
  return *answer;
}

nlohmann::json AutomationClient::request(const nlohmann::json& req) {
  auto answer = nlohmann::json::parse(request_raw(req.dump()), nullptr, false);
  EXPECT_FALSE(answer.is_discarded()) << "answer is not JSON";
  return answer;
}

int AutomationClient::finish(std::chrono::milliseconds timeout) {
  ::close(in_);
  in_ = -1;
  bool timed_out = false;
  int code = wait_exit(pid_, timeout, timed_out);
  pid_ = -1;
  return code;
}

SocketClient::SocketClient(const std::filesystem::path& path) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
  for (int attempt = 0; attempt < 400; ++attempt) {
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
      // A program that stops answering fails the request instead of hanging the test.
      timeval limit{30, 0};
      ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
      connected_ = true;
      return;
    }
    ::close(fd_);
    fd_ = -1;
    ::usleep(25000);
  }
}

SocketClient::~SocketClient() {
  if (fd_ >= 0) ::close(fd_);
}

nlohmann::json SocketClient::request(const nlohmann::json& req) {
  std::string line = req.dump() + "\n";
  if (::write(fd_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return {};
  std::string answer;
  char c;
  while (::read(fd_, &c, 1) == 1 && c != '\n') answer.push_back(c);
  return nlohmann::json::parse(answer, nullptr, false);
}

}  // namespace fe::e2e
