#include "process_support/temp_folder.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace fe::process_support {

TempFolder::TempFolder(std::string_view prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
  if (::mkdtemp(pattern.data())) path_ = pattern;
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace fe::process_support
