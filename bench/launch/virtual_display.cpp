#include "virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

extern char** environ;

namespace fe::bench {
namespace {

std::optional<std::filesystem::path> find_xvfb() {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!rest.empty()) {
    auto colon = rest.find(':');
    std::string_view dir = rest.substr(0, colon);
    rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    if (dir.empty()) continue;
    auto candidate = std::filesystem::path(dir) / "Xvfb";
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

}  // namespace

bool xvfb_installed() {
  return find_xvfb().has_value();
}

VirtualDisplay::VirtualDisplay(int width, int height) {
  auto xvfb = find_xvfb();
  if (!xvfb) {
    error_ = "Xvfb is not on PATH";
    return;
  }
  // The server writes its display number on this pipe once it accepts connections.
  int ready[2];
  if (::pipe2(ready, O_CLOEXEC) != 0) {
    error_ = "cannot make a pipe";
    return;
  }
  int quiet = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, quiet, 0);
  posix_spawn_file_actions_adddup2(&actions, quiet, 1);
  posix_spawn_file_actions_adddup2(&actions, quiet, 2);
  posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  std::vector<std::string> args = {xvfb->string(), "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (quiet >= 0) ::close(quiet);
  ::close(ready[1]);
  if (rc != 0) {
    pid_ = -1;
    ::close(ready[0]);
    error_ = std::string("cannot start Xvfb: ") + std::strerror(rc);
    return;
  }
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd pfd{ready[0], POLLIN, 0};
    if (::poll(&pfd, 1, 100) <= 0) continue;
    char buf[32];
    ssize_t n = ::read(ready[0], buf, sizeof buf);
    if (n <= 0) break;
    number.append(buf, static_cast<std::size_t>(n));
  }
  ::close(ready[0]);
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
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace fe::bench
