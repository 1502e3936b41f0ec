#pragma once
// Whole-process support for the launch benchmarks: a temporary home, the program as a child with its
// standard streams on pipes, its CPU time, and a line client of its automation socket.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fe::bench {

// The program measured: <build>/bin/file-explorer.
std::filesystem::path program_path();

// A temporary folder removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  bool ok() const { return !path_.empty(); }

 private:
  std::filesystem::path path_;
};

// The environment of a child: this process's, with HOME and the XDG folders moved into `home`, the
// English locale, no display unless `extra` names one, and `extra` on top.
std::vector<std::string> child_environment(const std::filesystem::path& home,
                                           const std::map<std::string, std::string>& extra = {});

// A child process; killed if still running when this goes.
class ChildProcess {
 public:
  struct Streams {
    bool pipe_stdin = false;   // else /dev/null
    bool pipe_stdout = false;  // else /dev/null
  };
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env, Streams streams);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  const std::string& error() const { return error_; }

  // Writes all of `data` to the child's standard input, then closes it.
  bool write_and_close(const std::string& data);
  // Reads standard output until the child closes it or the timeout passes.
  std::string read_all(std::chrono::milliseconds timeout);
  // Still running (not yet reaped)?
  bool running();
  // The exit status; -1 for a signal or a timeout (the child is killed then).
  int wait(std::chrono::milliseconds timeout);
  // User plus system CPU time of the child, known once wait() has reaped it. Unlike wall time it
  // barely moves when other work shares the cores.
  std::chrono::nanoseconds cpu_used() const { return cpu_used_; }

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string error_;
  std::chrono::nanoseconds cpu_used_{0};
};

// User plus system CPU time of a process so far, from /proc/<pid>/stat.
std::optional<std::chrono::nanoseconds> cpu_time(pid_t pid);

// One client of an automation socket; connects with retries while the program starts.
class SocketLine {
 public:
  SocketLine(const std::filesystem::path& path, std::chrono::milliseconds patience);
  ~SocketLine();
  SocketLine(const SocketLine&) = delete;
  SocketLine& operator=(const SocketLine&) = delete;
  bool connected() const { return fd_ >= 0; }
  // Sends one request line and answers the reply line (empty on failure).
  std::string request(const std::string& line);

 private:
  int fd_ = -1;
};

}  // namespace fe::bench
