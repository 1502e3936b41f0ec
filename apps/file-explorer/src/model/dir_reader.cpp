#include "model/dir_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace fe {
namespace {

struct LinuxDirent64 {
  std::uint64_t d_ino;
  std::int64_t d_off;
  unsigned short d_reclen;
  unsigned char d_type;
  char d_name[];
};

constexpr std::size_t kBatchBytes = 256 * 1024;

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

std::expected<DirListing, std::error_code> DirListing::read(const std::filesystem::path& folder) {
  DirListing listing;
  listing.fd_ = UniqueFd(::open(folder.c_str(), O_DIRECTORY | O_RDONLY | O_CLOEXEC));
  if (!listing.fd_.valid()) return std::unexpected(std::error_code(errno, std::system_category()));

  // Batches are appended to one buffer; item views are taken only once it stops growing.
  std::vector<std::pair<std::size_t, std::size_t>> spans;  // (offset, length) of each batch
  std::size_t used = 0;
  for (;;) {
    if (listing.buffer_.size() < used + kBatchBytes) listing.buffer_.resize(used + kBatchBytes);
    const long n = ::syscall(SYS_getdents64, listing.fd_.get(), listing.buffer_.data() + used, kBatchBytes);
    if (n <= 0) break;  // end, or an error that ends the stream: keep what was read
    spans.emplace_back(used, static_cast<std::size_t>(n));
    used += static_cast<std::size_t>(n);
  }

  for (const auto& [offset, length] : spans) {
    std::size_t pos = offset;
    while (pos < offset + length) {
      const auto* d = reinterpret_cast<const LinuxDirent64*>(listing.buffer_.data() + pos);
      pos += d->d_reclen;
      const char* name = d->d_name;
      if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
      listing.items_.push_back({std::string_view(name, std::strlen(name)), d->d_type});
    }
  }
  return listing;
}

}  // namespace fe
