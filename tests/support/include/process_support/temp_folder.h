#pragma once
// A temporary folder removed with everything in it.

#include <filesystem>
#include <string_view>

namespace fe::process_support {

class TempFolder {
 public:
  // Made as `<prefix>XXXXXX` in the system's temporary folder; check ok() before use.
  explicit TempFolder(std::string_view prefix);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  bool ok() const { return !path_.empty(); }

 private:
  std::filesystem::path path_;
};

}  // namespace fe::process_support
