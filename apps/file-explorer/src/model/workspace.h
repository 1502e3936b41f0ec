#pragma once
// Workspace roots: the folders whose items carry collaborative attributes.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fe {

// From VEMO_WORKSPACE_ROOTS when it is set (even empty: ":"-separated, empty and non-existent
// elements dropped, no default added); otherwise /var/workspace and home/"Shared", each if it
// exists. Home is the toolkit's override, else the platform's home.
std::vector<std::filesystem::path> workspace_roots();

// The same rule with its inputs given: the variable's value (none = unset) and the home folder.
std::vector<std::filesystem::path> workspace_roots_from(const std::optional<std::string>& variable,
                                                        const std::optional<std::filesystem::path>& home);

// True when `path` is a root or lies below one, component by component.
bool in_workspace(const std::filesystem::path& path, std::span<const std::filesystem::path> roots);

// The user's home: the toolkit's override when set, else the platform's home; may be unknown.
std::optional<std::filesystem::path> user_home();

}  // namespace fe
