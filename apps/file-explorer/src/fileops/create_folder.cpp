#include "fileops/create_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "fileops/names.h"
#include "i18n/i18n.h"

namespace fe {

std::expected<std::filesystem::path, std::string> create_folder(const std::filesystem::path& folder,
                                                                std::string_view typed) {
  if (trim_white_space(typed).empty()) return std::unexpected(tr("files-folder-name-empty"));
  auto name = validate_name(typed);
  if (!name) return std::unexpected(std::move(name.error()));
  auto target = unique_destination(folder, *name);
  if (!target) return std::unexpected(std::move(target.error()));
  if (::mkdir(target->c_str(), 0777) != 0) return std::unexpected(std::string(std::strerror(errno)));
  return std::move(*target);
}

}  // namespace fe
