#include "fileops/move_item.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>

#include <cerrno>
#include <cstring>

#include "i18n/i18n.h"
#include "model/utf8.h"

namespace fe {

std::expected<void, std::string> move_into(const std::filesystem::path& item, const std::filesystem::path& folder) {
  const auto name = item.filename();
  if (name.empty()) return std::unexpected(tr("files-source-no-name"));
  const auto target = folder / name;
  if (::renameat2(AT_FDCWD, item.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return {};
  const int error = errno;
  if (error == EEXIST) return std::unexpected(tr_args("files-name-exists", {{"name", utf8_lossy(name.native())}}));
  return std::unexpected(std::string(std::strerror(error)));
}

}  // namespace fe
