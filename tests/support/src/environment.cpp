#include "process_support/environment.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

extern char** environ;

namespace fe::process_support {

std::map<std::string, std::string> home_variables(const std::filesystem::path& home) {
  return {
      {"HOME", home.string()},
      {"XDG_CONFIG_HOME", (home / ".config").string()},
      {"XDG_STATE_HOME", (home / ".local/state").string()},
      {"XDG_DATA_HOME", (home / ".local/share").string()},
      {"XDG_CACHE_HOME", (home / ".cache").string()},
      {"VEMO_WORKSPACE_ROOTS", ""},
      {"LANG", "en_US.UTF-8"},
  };
}

std::vector<std::string> child_environment(const std::map<std::string, std::string>& variables) {
  // Dropped even when `variables` does not set them, so that a caller can leave one unset on purpose.
  static const char* const dropped[] = {
      "LC_ALL",       "LANGUAGE",          "LANG",    "LC_MESSAGES",    "VEMO_WORKSPACE_ROOTS", "BRISK_APP_ID",
      "VEMO_USER_ID", "XDG_TEMPLATES_DIR", "DISPLAY", "WAYLAND_DISPLAY"};
  std::vector<std::string> out;
  for (char** e = environ; *e; ++e) {
    std::string entry(*e);
    std::string name = entry.substr(0, entry.find('='));
    if (variables.contains(name)) continue;
    if (std::ranges::any_of(dropped, [&](const char* d) { return name == d; })) continue;
    out.push_back(entry);
  }
  for (const auto& [k, v] : variables) out.push_back(k + "=" + v);
  return out;
}

std::vector<std::string> inherited_environment() {
  std::vector<std::string> out;
  for (char** e = environ; *e; ++e) out.emplace_back(*e);
  return out;
}

std::optional<std::filesystem::path> find_on_path(std::string_view name) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!rest.empty()) {
    auto colon = rest.find(':');
    std::string_view dir = rest.substr(0, colon);
    rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    if (dir.empty()) continue;
    std::filesystem::path candidate = std::filesystem::path(dir) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

}  // namespace fe::process_support
