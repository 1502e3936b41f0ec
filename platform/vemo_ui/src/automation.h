#pragma once
// The automation protocol: one JSON request per line, one JSON answer per line. The session answers
// against the runtime after running one full frame, exactly as the window would show it.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "runtime.h"

namespace vemo_ui::detail {

// Requests longer than this are answered with an error and dropped.
inline constexpr std::size_t kMaxRequestBytes = 1 << 20;

class AutomationSession {
 public:
  struct Answer {
    std::string json;
    bool quit = false;
  };

  explicit AutomationSession(Runtime& runtime) : runtime_(runtime) {}
  Answer handle_line(std::string_view line);

 private:
  Runtime& runtime_;
};

// Lines read by background readers (standard input, socket clients), handed to the loop's thread.
// Each line carries the function that writes its answer back to where it came from.
class RequestQueue {
 public:
  struct Request {
    std::string line;
    std::function<void(const std::string&)> reply;
    bool end_of_input = false;  // the source closed; the loop may end
  };

  void push(Request r);
  // Waits until a request arrives or the deadline passes (none: wait indefinitely).
  std::optional<Request> wait_pop(std::optional<std::chrono::steady_clock::time_point> deadline);
  std::optional<Request> try_pop();
  // Called after every push, e.g. to wake a window's event loop.
  void set_wake(std::function<void()> wake);

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Request> items_;
  std::function<void()> wake_;
};

using SharedRequestQueue = std::shared_ptr<RequestQueue>;

// Reads lines from a descriptor on a background thread until end of input; over-long lines are
// replaced by an error answer. The thread is detached: it ends with the input or the process, and
// it shares the queue, which may outlive the loop that drained it (input closing after "quit").
void start_line_reader(int fd, SharedRequestQueue queue, std::function<void(const std::string&)> reply,
                       bool report_end);

// Serves the protocol on a Unix stream socket (mode 0600, never replacing an existing file), one
// client at a time, on a background thread. Fails when the socket cannot be created. Answers the
// socket's inode so that only our own socket is removed at exit.
std::expected<std::uint64_t, std::string> start_socket_server(const std::filesystem::path& path,
                                                              SharedRequestQueue queue);
// Removes the socket file when it is still the one we created.
void remove_socket(const std::filesystem::path& path, std::uint64_t inode);

}  // namespace vemo_ui::detail
