#pragma once
// Creating a new folder under a free name.

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

namespace fe {

// Creates one folder (never its parents) in `folder`, named by the validated `typed` text or, when
// that is taken, by the next free numbered name; mode 0777 before the umask. Returns the new path.
// A name that trims to nothing is "files-folder-name-empty"; an item that takes the chosen name
// before the folder is made fails with the system's text (no second search).
std::expected<std::filesystem::path, std::string> create_folder(const std::filesystem::path& folder,
                                                                std::string_view typed);

}  // namespace fe
