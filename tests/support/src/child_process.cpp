#include "process_support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

namespace fe::process_support {
namespace {

void close_fd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// A descriptor closed when this goes, unless released.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { close_fd(fd_); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }
  void reset(int fd) {
    close_fd(fd_);
    fd_ = fd;
  }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Both ends close-on-exec; the child gets its end through dup2.
bool open_pipe(Fd& read_end, Fd& write_end) {
  int fd[2];
  if (::pipe2(fd, O_CLOEXEC) != 0) return false;
  read_end.reset(fd[0]);
  write_end.reset(fd[1]);
  return true;
}

}  // namespace

std::expected<pid_t, std::string> spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                                        std::span<const int> fds) {
  if (argv.empty()) return std::unexpected("no program named");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (std::size_t i = 0; i < fds.size(); ++i) {
    posix_spawn_file_actions_adddup2(&actions, fds[i], static_cast<int>(i));
  }
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> envp;
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  pid_t pid = -1;
  int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return std::unexpected(std::strerror(rc));
  return pid;
}

Exit wait_for_exit(pid_t pid, std::chrono::milliseconds timeout, std::chrono::microseconds poll_interval) {
  Exit exit;
  if (pid <= 0) return exit;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  rusage usage{};
  while (::wait4(pid, &status, WNOHANG, &usage) != pid) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      exit.timed_out = true;
      return exit;
    }
    std::this_thread::sleep_for(poll_interval);
  }
  auto as_ns = [](const timeval& t) { return std::chrono::seconds(t.tv_sec) + std::chrono::microseconds(t.tv_usec); };
  exit.cpu_used = as_ns(usage.ru_utime) + as_ns(usage.ru_stime);
  exit.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return exit;
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

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                           const Streams& streams) {
  Fd null_fd(::open("/dev/null", O_RDWR | O_CLOEXEC));
  Fd in_read, in_write, out_read, out_write, err_read, err_write;
  if (!null_fd || (streams.pipe_stdin && !open_pipe(in_read, in_write)) ||
      (streams.pipe_stdout && !open_pipe(out_read, out_write)) ||
      (streams.pipe_stderr && !open_pipe(err_read, err_write))) {
    error_ = std::string("cannot set up the child's streams: ") + std::strerror(errno);
    return;
  }
  // Created new, so that a log never lands on top of an existing file.
  auto into_file = [&](const std::filesystem::path& file, Fd& child_end) {
    if (child_end || file.empty()) return true;
    child_end.reset(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!child_end) error_ = "cannot create " + file.string() + ": " + std::strerror(errno);
    return static_cast<bool>(child_end);
  };
  if (!into_file(streams.stdout_file, out_write) || !into_file(streams.stderr_file, err_write)) return;
  auto or_null = [&](const Fd& fd) { return fd ? fd.get() : null_fd.get(); };
  const int fds[] = {or_null(in_read), or_null(out_write), or_null(err_write)};
  auto pid = spawn(argv, env, fds);
  if (!pid) {
    error_ = "cannot start " + (argv.empty() ? std::string() : argv.front()) + ": " + pid.error();
    return;
  }
  pid_ = *pid;
  in_ = in_write.release();
  out_ = out_read.release();
  err_ = err_read.release();
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  close_pipes();
}

bool ChildProcess::write_all(std::string_view data) {
  while (in_ >= 0 && !data.empty()) {
    ssize_t n = ::write(in_, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return data.empty();
}

void ChildProcess::close_stdin() {
  close_fd(in_);
}

bool ChildProcess::write_and_close(std::string_view data) {
  const bool written = write_all(data);
  close_stdin();
  return written;
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

void ChildProcess::close_pipes() {
  close_fd(in_);
  close_fd(out_);
  close_fd(err_);
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

int ChildProcess::wait(std::chrono::milliseconds timeout, std::chrono::microseconds poll_interval) {
  if (pid_ <= 0) return -1;
  const Exit exit = wait_for_exit(pid_, timeout, poll_interval);
  pid_ = -1;
  timed_out_ = exit.timed_out;
  cpu_used_ = exit.cpu_used;
  return exit.code;
}

}  // namespace fe::process_support
