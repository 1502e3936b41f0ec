#include "model/workspace.h"

#include <cstdlib>
#include <system_error>

#include "model/path_compare.h"
#include "vemo_ui/sysdirs.h"

namespace fe {
namespace {

bool path_exists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

}  // namespace

std::optional<std::filesystem::path> user_home() {
  if (auto home = vemo_ui::sysdirs::user_home_override()) return home;
  return vemo_ui::sysdirs::platform_home();
}

std::vector<std::filesystem::path> workspace_roots_from(const std::optional<std::string>& variable,
                                                        const std::optional<std::filesystem::path>& home) {
  std::vector<std::filesystem::path> roots;
  if (variable) {
    std::string_view rest = *variable;
    while (true) {
      const std::size_t colon = rest.find(':');
      const std::string_view element = rest.substr(0, colon);
      if (!element.empty() && path_exists(std::filesystem::path(element))) roots.emplace_back(element);
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
    return roots;
  }
  const std::filesystem::path system_root = "/var/workspace";
  if (path_exists(system_root)) roots.push_back(system_root);
  if (home) {
    std::filesystem::path shared = *home / "Shared";
    if (path_exists(shared) && !(roots.size() == 1 && same_path(roots.front(), shared))) roots.push_back(shared);
  }
  return roots;
}

std::vector<std::filesystem::path> workspace_roots() {
  const char* value = std::getenv("VEMO_WORKSPACE_ROOTS");
  return workspace_roots_from(value ? std::optional<std::string>(value) : std::nullopt, user_home());
}

bool in_workspace(const std::filesystem::path& path, std::span<const std::filesystem::path> roots) {
  for (const auto& root : roots) {
    if (path_starts_with(path, root)) return true;
  }
  return false;
}

}  // namespace fe
