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

  for (;;) {
    auto batch = std::make_unique_for_overwrite<char[]>(kBatchBytes);
    const long n = ::syscall(SYS_getdents64, listing.fd_.get(), batch.get(), kBatchBytes);
    if (n <= 0) break;  // end, or an error that ends the stream: keep what was read
    for (long pos = 0; pos < n;) {
      const auto* d = reinterpret_cast<const LinuxDirent64*>(batch.get() + pos);
      pos += d->d_reclen;
      const char* name = d->d_name;
      if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
      listing.items_.push_back({std::string_view(name, std::strlen(name)), d->d_type});
    }
    listing.batches_.push_back(std::move(batch));  // the views above point into it; moving keeps them valid
  }
  return listing;
}

}  // namespace fe
