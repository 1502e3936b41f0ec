#pragma once
// A file-system path kept as its bytes only. std::filesystem::path also keeps a parsed list of its
// components on the heap (about 250 bytes for a five-component path), which a folder of 100,000
// entries cannot afford; this type converts to std::filesystem::path where a caller needs one.

#include <filesystem>
#include <string>
#include <string_view>

namespace fe {

class CompactPath {
 public:
  CompactPath() = default;
  CompactPath(const std::filesystem::path& path) : text_(path.native()) {}        // NOLINT: same value
  CompactPath(std::filesystem::path&& path) : text_(std::move(path).native()) {}  // NOLINT
  explicit CompactPath(std::string bytes) noexcept : text_(std::move(bytes)) {}
  CompactPath(const char* bytes) : text_(bytes) {}  // NOLINT

  // Folder joined with one raw file name, with exactly one "/" between them.
  static CompactPath join(std::string_view folder, std::string_view name);

  const std::string& native() const noexcept { return text_; }
  const char* c_str() const noexcept { return text_.c_str(); }
  const std::string& string() const noexcept { return text_; }
  bool empty() const noexcept { return text_.empty(); }

  std::filesystem::path fs() const { return std::filesystem::path(text_); }
  operator std::filesystem::path() const { return fs(); }  // NOLINT: lets entries feed path APIs

  std::filesystem::path filename() const { return fs().filename(); }
  std::filesystem::path parent_path() const { return fs().parent_path(); }
  std::filesystem::path extension() const { return fs().extension(); }

  // Byte equality; a path equals another only when the same bytes were stored.
  friend bool operator==(const CompactPath& a, const CompactPath& b) noexcept { return a.text_ == b.text_; }
  // Against a std::filesystem::path: the usual component-wise comparison of paths.
  friend bool operator==(const CompactPath& a, const std::filesystem::path& b) { return a.fs() == b; }

 private:
  std::string text_;
};

inline std::filesystem::path operator/(const CompactPath& a, const std::filesystem::path& b) {
  return a.fs() / b;
}

}  // namespace fe
