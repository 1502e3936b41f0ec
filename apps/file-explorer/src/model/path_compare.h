#pragma once
// Component-wise path comparison: "/a//b/" and "/a/b" are the same folder, and a prefix must end
// on a component boundary ("/var/workspace" does not contain "/var/workspace2").

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace fe {

// The components of a path: "/" for an absolute path first, then each name; empty and "."
// components (other than a leading ".") are dropped.
std::vector<std::string_view> path_components(std::string_view path);

bool same_path(const std::filesystem::path& a, const std::filesystem::path& b);

// True when `path` equals `prefix` or lies below it, component by component.
bool path_starts_with(const std::filesystem::path& path, const std::filesystem::path& prefix);

// The parent folder ("/a/b" → "/a", "/a" → "/"); none for "/" and for a path without components.
std::optional<std::filesystem::path> parent_folder(const std::filesystem::path& path);

}  // namespace fe
