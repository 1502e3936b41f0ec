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

#include "process_support/child_process.h"
#include "process_support/environment.h"
#include "process_support/line_socket.h"
#include "process_support/run_to_end.h"
#include "process_support/temp_folder.h"
#include "process_support/virtual_display.h"

namespace fe::e2e {

// The program under test.
std::filesystem::path program_path();

// A temporary folder removed with everything in it; throws when it cannot be made.
class TempDir : public process_support::TempFolder {
 public:
  TempDir();
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

using RunResult = process_support::RunResult;

RunResult run_program(const std::vector<std::string>& args, const TempHome& home, const std::string& stdin_data = {},
                      std::chrono::milliseconds timeout = std::chrono::seconds(30));

// A program from outside the project (xdotool, say) run to its end with the given environment.
RunResult run_tool(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                   std::chrono::milliseconds timeout = std::chrono::seconds(30));

// Where an executable of that name lies on PATH, if anywhere.
using process_support::find_on_path;

// The program running on its own (a window, say) while a test drives it through its socket or from
// outside. Its output goes to files, so it never blocks on a pipe nobody reads.
class BackgroundProgram {
 public:
  BackgroundProgram(const std::vector<std::string>& args, const TempHome& home);
  ~BackgroundProgram();  // kills a child still running
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;
  pid_t pid() const { return child_.pid(); }
  // The exit status; -1 when killed by a signal or when it did not end in time (it is killed then).
  int wait(std::chrono::milliseconds timeout = std::chrono::seconds(20));
  std::string err() const;

 private:
  TempDir logs_;
  process_support::ChildProcess child_;
};

// An Xvfb server on a display number it picks itself (so parallel runs never collide); stopped
// when this goes. Check ok() before use.
using VirtualDisplay = process_support::VirtualDisplay;

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
  process_support::ChildProcess child_;
  std::string buffer_;
  std::string err_text_;
};

// A client of the automation socket; connects with retries while the program starts.
class SocketClient {
 public:
  explicit SocketClient(const std::filesystem::path& path);
  SocketClient(const SocketClient&) = delete;
  SocketClient& operator=(const SocketClient&) = delete;
  bool connected() const { return line_.connected(); }
  nlohmann::json request(const nlohmann::json& req);

 private:
  process_support::LineSocket line_;
};

}  // namespace fe::e2e
