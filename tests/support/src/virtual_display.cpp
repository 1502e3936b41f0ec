#include "process_support/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <vector>

#include "process_support/child_process.h"
#include "process_support/environment.h"

namespace fe::process_support {

VirtualDisplay::VirtualDisplay(int width, int height) {
  auto xvfb = find_on_path("Xvfb");
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
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::vector<std::string> args = {xvfb->string(), "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp"};
  const int fds[] = {quiet, quiet, quiet, ready[1]};
  auto pid = spawn(args, inherited_environment(), fds);
  if (quiet >= 0) ::close(quiet);
  ::close(ready[1]);
  if (!pid) {
    ::close(ready[0]);
    error_ = "cannot start Xvfb: " + pid.error();
    return;
  }
  pid_ = *pid;
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
  wait_for_exit(pid_, std::chrono::seconds(5), std::chrono::milliseconds(5));
}

}  // namespace fe::process_support
