#pragma once
// Opening a file with the desktop's default application.

#include <expected>
#include <filesystem>
#include <string>

namespace fe {

// Hands the path to the toolkit host's document opener. Paths must be UTF-8 for the desktop.
std::expected<void, std::string> open_with_desktop(const std::filesystem::path& path);

}  // namespace fe
