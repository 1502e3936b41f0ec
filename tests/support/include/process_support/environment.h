#pragma once
// The environment a child runs in, and finding programs on PATH.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fe::process_support {

// The variables that move a child's home and XDG folders into `home`, with the English locale and no
// workspace roots.
std::map<std::string, std::string> home_variables(const std::filesystem::path& home);

// This process's environment minus the locale, workspace identity and display variables (so that
// every run starts from the same ground), with `variables` on top, as NAME=value entries.
std::vector<std::string> child_environment(const std::map<std::string, std::string>& variables);

// This process's environment as it is, as NAME=value entries.
std::vector<std::string> inherited_environment();

// Where an executable of that name lies on PATH, if anywhere.
std::optional<std::filesystem::path> find_on_path(std::string_view name);

}  // namespace fe::process_support
