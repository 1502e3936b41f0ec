#pragma once
// Test support: running the real program with a temporary home and speaking its automation protocol.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace fe::e2e {

// The program under test.
std::filesystem::path program_path();

// A temporary folder removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A home folder with its XDG folders, and the environment a child runs in.
class TempHome {
 public:
  TempHome();
  const std::filesystem::path& home() const { return dir_.path(); }
  std::filesystem::path config() const { return home() / ".config"; }
  std::filesystem::path state() const { return home() / ".local/state"; }
  std::filesystem::path data() const { return home() / ".local/share"; }
  // Variables set for children (others are taken from this process, minus the locale and
  // workspace variables, so that tests start from the same ground).
  std::map<std::string, std::string>& env() { return env_; }
  std::vector<std::string> environment() const;

 private:
  TempDir dir_;
  std::map<std::string, std::string> env_;
};

struct RunResult {
  int exit_code = -1;  // -1 when killed by a signal or timed out
  bool timed_out = false;
  std::string out;
  std::string err;
};

RunResult run_program(const std::vector<std::string>& args, const TempHome& home, const std::string& stdin_data = {},
                      std::chrono::milliseconds timeout = std::chrono::seconds(30));

// A program from outside the project (xdotool, say) run to its end with the given environment.
RunResult run_tool(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                   std::chrono::milliseconds timeout = std::chrono::seconds(30));

// Where an executable of that name lies on PATH, if anywhere.
std::optional<std::filesystem::path> find_on_path(std::string_view name);

// The program running on its own (a window, say) while a test drives it through its socket or from
// outside. Its output goes to files, so it never blocks on a pipe nobody reads.
class BackgroundProgram {
 public:
  BackgroundProgram(const std::vector<std::string>& args, const TempHome& home);
  ~BackgroundProgram();  // kills a child still running
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;
  pid_t pid() const { return pid_; }
  // The exit status; -1 when killed by a signal or when it did not end in time (it is killed then).
  int wait(std::chrono::milliseconds timeout = std::chrono::seconds(20));
  std::string err() const;

 private:
  TempDir logs_;
  pid_t pid_ = -1;
};

// An Xvfb server on a display number it picks itself (so parallel runs never collide); stopped
// when this goes. Check ok() before use.
class VirtualDisplay {
 public:
  VirtualDisplay(int width, int height);
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;
  bool ok() const { return !name_.empty(); }
  const std::string& name() const { return name_; }  // ":N", for DISPLAY
  const std::string& error() const { return error_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
  std::string error_;
};

// A running `file-explorer --automation` child.
class AutomationClient {
 public:
  AutomationClient(const TempHome& home, std::vector<std::string> extra_args = {});
  ~AutomationClient();
  AutomationClient(const AutomationClient&) = delete;
  AutomationClient& operator=(const AutomationClient&) = delete;

  // Sends one line and reads one answer line (parsed); fails the test on timeout.
  nlohmann::json request(const nlohmann::json& req);
  std::string request_raw(const std::string& line);
  // Closes standard input and waits for the exit status.
  int finish(std::chrono::milliseconds timeout = std::chrono::seconds(20));
  const std::string& stderr_text();

 private:
  std::optional<std::string> read_line(std::chrono::milliseconds timeout);
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  int err_ = -1;
  std::string buffer_;
  std::string err_text_;
};

// A client of the automation socket; connects with retries while the program starts.
class SocketClient {
 public:
  explicit SocketClient(const std::filesystem::path& path);
  ~SocketClient();
  SocketClient(const SocketClient&) = delete;
  SocketClient& operator=(const SocketClient&) = delete;
  bool connected() const { return connected_; }
  nlohmann::json request(const nlohmann::json& req);

 private:
  int fd_ = -1;
  bool connected_ = false;
};

}  // namespace fe::e2e
