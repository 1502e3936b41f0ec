// Where automation requests come from: standard input or a Unix socket, read on background threads
// and handed to the loop's thread through the request queue.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>

#include <fmt/format.h>

#include "automation.h"

namespace vemo_ui::detail {

void RequestQueue::push(Request r) {
  std::function<void()> wake;
  {
    std::lock_guard lock(mutex_);
    items_.push_back(std::move(r));
    wake = wake_;
  }
  ready_.notify_one();
  if (wake) wake();
}

std::optional<RequestQueue::Request> RequestQueue::wait_pop(
    std::optional<std::chrono::steady_clock::time_point> deadline) {
  std::unique_lock lock(mutex_);
  auto has_item = [this] { return !items_.empty(); };
  if (deadline) {
    if (!ready_.wait_until(lock, *deadline, has_item)) return std::nullopt;
  } else {
    ready_.wait(lock, has_item);
  }
  Request r = std::move(items_.front());
  items_.pop_front();
  return r;
}

std::optional<RequestQueue::Request> RequestQueue::try_pop() {
  std::lock_guard lock(mutex_);
  if (items_.empty()) return std::nullopt;
  Request r = std::move(items_.front());
  items_.pop_front();
  return r;
}

void RequestQueue::set_wake(std::function<void()> wake) {
  std::lock_guard lock(mutex_);
  wake_ = std::move(wake);
}

namespace {

// Writes the whole buffer, retrying short writes; errors (a client gone away) are dropped.
void write_all(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
}

// Reads lines until end of input. Returns false when the descriptor failed or closed.
void read_lines(int fd, RequestQueue& queue, const std::function<void(const std::string&)>& reply) {
  std::string pending;
  bool overlong = false;
  char buffer[64 * 1024];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    std::string_view chunk(buffer, static_cast<std::size_t>(n));
    while (!chunk.empty()) {
      auto newline = chunk.find('\n');
      auto piece = chunk.substr(0, newline);
      if (!overlong) {
        if (pending.size() + piece.size() > kMaxRequestBytes) {
          overlong = true;
          pending.clear();
        } else {
          pending.append(piece);
        }
      }
      if (newline == std::string_view::npos) break;
      chunk.remove_prefix(newline + 1);
      if (overlong) {
        queue.push({std::string(kMaxRequestBytes + 1, ' '), reply, false});
        overlong = false;
      } else {
        if (!pending.empty() && pending.back() == '\r') pending.pop_back();
        if (!pending.empty()) queue.push({std::move(pending), reply, false});
        pending.clear();
      }
    }
  }
  if (!overlong && !pending.empty()) queue.push({std::move(pending), reply, false});
}

}  // namespace

void start_line_reader(int fd, SharedRequestQueue queue, std::function<void(const std::string&)> reply,
                       bool report_end) {
  std::thread([fd, queue = std::move(queue), reply = std::move(reply), report_end] {
    read_lines(fd, *queue, reply);
    if (report_end) queue->push({{}, reply, true});
  }).detach();
}

std::expected<std::uint64_t, std::string> start_socket_server(const std::filesystem::path& path,
                                                              SharedRequestQueue queue) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const std::string native = path.string();
  if (native.empty() || native.size() >= sizeof addr.sun_path) {
    return std::unexpected(fmt::format("automation socket path is too long: {}", native));
  }
  std::memcpy(addr.sun_path, native.c_str(), native.size() + 1);
  int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener < 0) return std::unexpected(fmt::format("cannot create automation socket: {}", std::strerror(errno)));
  // bind() never replaces an existing file; the narrowed umask makes the socket 0600 from the start.
  mode_t old_mask = ::umask(0177);
  int bound = ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  int bind_errno = errno;
  ::umask(old_mask);
  if (bound != 0) {
    ::close(listener);
    return std::unexpected(fmt::format("cannot bind automation socket {}: {}", native, std::strerror(bind_errno)));
  }
  struct stat info {};
  if (::stat(native.c_str(), &info) != 0) info.st_ino = 0;
  if (::listen(listener, 4) != 0) {
    int e = errno;
    ::close(listener);
    return std::unexpected(fmt::format("cannot listen on automation socket {}: {}", native, std::strerror(e)));
  }
  std::thread([listener, queue = std::move(queue)] {
    for (;;) {
      int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) {
        if (errno == EINTR || errno == ECONNABORTED) continue;
        return;
      }
      // One client at a time: its answers go back on its own connection, which closes after its
      // last answer has been written.
      auto connection = std::shared_ptr<int>(new int(client), [](int* fd) {
        ::close(*fd);
        delete fd;
      });
      auto reply = [connection](const std::string& answer) { write_all(*connection, answer + "\n"); };
      read_lines(client, *queue, reply);
      ::shutdown(client, SHUT_RD);
    }
  }).detach();
  return static_cast<std::uint64_t>(info.st_ino);
}

void remove_socket(const std::filesystem::path& path, std::uint64_t inode) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_ino == inode) ::unlink(path.c_str());
}

}  // namespace vemo_ui::detail
