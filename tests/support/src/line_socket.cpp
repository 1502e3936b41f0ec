#include "process_support/line_socket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace fe::process_support {

LineSocket::LineSocket(const std::filesystem::path& path, std::chrono::milliseconds patience,
                       std::chrono::milliseconds retry_interval) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.native().size() >= sizeof addr.sun_path) return;
  std::memcpy(addr.sun_path, path.c_str(), path.native().size());
  const auto deadline = std::chrono::steady_clock::now() + patience;
  do {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
      timeval limit{30, 0};
      ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
      fd_ = fd;
      return;
    }
    if (fd >= 0) ::close(fd);
    std::this_thread::sleep_for(retry_interval);
  } while (std::chrono::steady_clock::now() < deadline);
}

LineSocket::~LineSocket() {
  if (fd_ >= 0) ::close(fd_);
}

bool LineSocket::send_line(std::string_view line) {
  if (fd_ < 0) return false;
  std::string data = std::string(line) + "\n";
  // No SIGPIPE when the server has gone: the send fails instead.
  return ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(data.size());
}

LineSocket::Reply LineSocket::read_line() {
  Reply reply;
  char buf[4096];
  for (;;) {
    if (auto nl = buffer_.find('\n'); nl != std::string::npos) {
      reply.text = buffer_.substr(0, nl);
      reply.complete = true;
      buffer_.erase(0, nl + 1);
      return reply;
    }
    ssize_t n = fd_ < 0 ? 0 : ::recv(fd_, buf, sizeof buf, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      reply.text = std::move(buffer_);
      buffer_.clear();
      return reply;
    }
    buffer_.append(buf, static_cast<std::size_t>(n));
  }
}

std::string LineSocket::request(std::string_view line) {
  if (!send_line(line)) return {};
  Reply reply = read_line();
  return reply.complete ? reply.text : std::string();
}

}  // namespace fe::process_support
