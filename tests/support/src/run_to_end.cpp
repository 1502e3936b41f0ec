#include "process_support/run_to_end.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "process_support/child_process.h"

namespace fe::process_support {

std::expected<RunResult, std::string> run_to_end(const std::vector<std::string>& argv,
                                                 const std::vector<std::string>& env, const std::string& stdin_data,
                                                 std::chrono::milliseconds timeout) {
  ChildProcess child(argv, env, {.pipe_stdin = true, .pipe_stdout = true, .pipe_stderr = true});
  if (!child.started()) return std::unexpected(child.error());
  RunResult result;
  std::size_t written = 0;
  if (stdin_data.empty()) {
    child.close_stdin();
  } else {
    ::fcntl(child.stdin_fd(), F_SETFL, O_NONBLOCK);
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool out_open = true, err_open = true;
  // Appends what an output has; its end, or an error, leaves it out of the loop from then on.
  auto drain = [](int fd, std::string& text, bool& open) {
    char buf[65536];
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0)
      text.append(buf, static_cast<std::size_t>(n));
    else
      open = false;
  };
  while ((out_open || err_open) && std::chrono::steady_clock::now() < deadline) {
    pollfd fds[3] = {{out_open ? child.stdout_fd() : -1, POLLIN, 0},
                     {err_open ? child.stderr_fd() : -1, POLLIN, 0},
                     {child.stdin_fd(), POLLOUT, 0}};
    ::poll(fds, 3, 50);
    if (fds[0].revents) drain(child.stdout_fd(), result.out, out_open);
    if (fds[1].revents) drain(child.stderr_fd(), result.err, err_open);
    if (child.stdin_fd() >= 0 && fds[2].revents) {
      ssize_t n = ::write(child.stdin_fd(), stdin_data.data() + written, stdin_data.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if (n < 0 && errno != EAGAIN) written = stdin_data.size();
      if (written == stdin_data.size()) child.close_stdin();
    }
  }
  child.close_pipes();
  // A child that outlived the deadline still gets a moment to end before it is killed.
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  result.exit_code = child.wait(std::max(left, std::chrono::milliseconds(100)), std::chrono::milliseconds(5));
  result.timed_out = child.timed_out();
  return result;
}

}  // namespace fe::process_support
