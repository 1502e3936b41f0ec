#pragma once
#include <filesystem>
#include <vector>

namespace vemo_ui {
class Services;
namespace dnd {
// Offers the paths as a file drag to other applications. May decline (no platform support).
bool start_file_drag(Services& services, const std::vector<std::filesystem::path>& paths);
}  // namespace dnd
}  // namespace vemo_ui
