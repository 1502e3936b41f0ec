#include "main/share_stdin.h"

#include "model/utf8.h"

#include <unistd.h>

#include <cerrno>

namespace fe {

std::expected<std::string, std::string> read_share_link(int fd) {
  constexpr std::size_t limit = kMaxShareLinkBytes + 1;
  std::string bytes;
  bytes.resize(limit);
  std::size_t got = 0;
  while (got < limit) {
    ssize_t n = ::read(fd, bytes.data() + got, limit - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::unexpected("files-received-link-read-failed");
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  if (got == limit) return std::unexpected("files-received-link-too-large");
  if (!is_valid_utf8(bytes)) return std::unexpected("files-received-link-invalid-text");
  while (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n')) bytes.pop_back();
  if (bytes.empty()) return std::unexpected("files-received-link-empty");
  return bytes;
}

}  // namespace fe
