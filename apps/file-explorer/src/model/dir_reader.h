#pragma once
// Reading a folder through one descriptor: the folder is opened once, its items come from
// getdents64 in large batches, and callers stat each item relative to the descriptor.

#include <cstdint>
#include <expected>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <vector>

namespace fe {

// An owned descriptor, closed on destruction.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) noexcept : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd();

  int get() const noexcept { return fd_; }
  bool valid() const noexcept { return fd_ >= 0; }
  int release() noexcept {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

// One item as the directory reports it; `name` points into the reader's buffer.
struct RawDirItem {
  std::string_view name;  // raw bytes, never "." or ".."
  unsigned char type;     // DT_* value; DT_UNKNOWN when the file system does not say
};

// All items of one folder, read in one go (so the caller can size its result exactly).
class DirListing {
 public:
  // Opens `folder` (O_DIRECTORY, no other flags that follow anything but the path itself) and reads
  // every item. Fails with the error of the open; a read error part way ends the list early.
  static std::expected<DirListing, std::error_code> read(const std::filesystem::path& folder);

  int fd() const noexcept { return fd_.get(); }
  std::size_t size() const noexcept { return items_.size(); }
  const std::vector<RawDirItem>& items() const noexcept { return items_; }

 private:
  UniqueFd fd_;
  std::vector<std::unique_ptr<char[]>> batches_;  // uninitialised: the kernel fills what is used
  std::vector<RawDirItem> items_;
};

}  // namespace fe
