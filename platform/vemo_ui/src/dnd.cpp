#include "vemo_ui/dnd.h"

#include "vemo_ui/services.h"

namespace vemo_ui::dnd {

bool start_file_drag(Services& services, const std::vector<std::filesystem::path>& paths) {
  if (paths.empty() || !services.start_file_drag) return false;  // nothing to offer, or no platform drag
  return services.start_file_drag(paths);
}

}  // namespace vemo_ui::dnd
