#include "fileops/open_item.h"

#include "model/utf8.h"
#include "vemo_ui/host.h"

namespace fe {

std::expected<void, std::string> open_with_desktop(const std::filesystem::path& path) {
  if (!is_valid_utf8(path.native())) return std::unexpected("the desktop opener takes UTF-8 paths");
  return vemo_ui::host::current().open_document(path);
}

}  // namespace fe
