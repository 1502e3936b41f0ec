#pragma once
// A child process with its standard streams on pipes, on files or on /dev/null; waiting for it with a
// timeout, and its CPU time.

#include <sys/types.h>

#include <chrono>
#include <expected>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fe::process_support {

// Starts argv[0] (a path: PATH is not searched) with exactly `env`; the child's descriptor i is
// fds[i]. The error is the reason the start failed.
std::expected<pid_t, std::string> spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                                        std::span<const int> fds);

// How a child ended.
struct Exit {
  int code = -1;           // the exit status; -1 for a signal or a timeout
  bool timed_out = false;  // it was killed when the timeout passed
  // User plus system CPU time, when it ended by itself. Unlike wall time it barely moves when other
  // work shares the cores.
  std::chrono::nanoseconds cpu_used{0};
};

// Reaps `pid`, looking every `poll_interval`; kills it when `timeout` passes first.
Exit wait_for_exit(pid_t pid, std::chrono::milliseconds timeout, std::chrono::microseconds poll_interval);

// User plus system CPU time of a process so far, from /proc/<pid>/stat.
std::optional<std::chrono::nanoseconds> cpu_time(pid_t pid);

// A child process; killed if still running when this goes.
class ChildProcess {
 public:
  // Where each standard stream goes: a pipe to this process, else a file created for it (never
  // replacing one) when one is named, else /dev/null.
  struct Streams {
    bool pipe_stdin = false;
    bool pipe_stdout = false;
    bool pipe_stderr = false;
    std::filesystem::path stdout_file{};
    std::filesystem::path stderr_file{};
  };
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env, const Streams& streams);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }  // -1 once reaped
  const std::string& error() const { return error_; }

  // This process's ends of the pipes; -1 for a stream that is not piped or is closed.
  int stdin_fd() const { return in_; }
  int stdout_fd() const { return out_; }
  int stderr_fd() const { return err_; }

  // Writes all of `data` to the child's standard input.
  bool write_all(std::string_view data);
  void close_stdin();
  // Writes all of `data` to the child's standard input, then closes it.
  bool write_and_close(std::string_view data);
  // Reads standard output until the child closes it or the timeout passes.
  std::string read_all(std::chrono::milliseconds timeout);
  // Closes this process's ends of all pipes.
  void close_pipes();

  // Still running (not yet reaped)? Reaps a child that has ended.
  bool running();
  // The exit status; -1 for a signal or a timeout (the child is killed then).
  int wait(std::chrono::milliseconds timeout, std::chrono::microseconds poll_interval);
  bool timed_out() const { return timed_out_; }
  // Known once wait() has reaped the child.
  std::chrono::nanoseconds cpu_used() const { return cpu_used_; }

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  int err_ = -1;
  std::string error_;
  bool timed_out_ = false;
  std::chrono::nanoseconds cpu_used_{0};
};

}  // namespace fe::process_support
