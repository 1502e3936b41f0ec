#pragma once
// Moving an item into a folder on the same file system without ever replacing anything.

#include <expected>
#include <filesystem>
#include <string>

namespace fe {

// Renames `item` to `folder`/its name with the no-replace rename. A name already taken fails with
// the "files-name-exists" text; other errors carry the system's text.
std::expected<void, std::string> move_into(const std::filesystem::path& item, const std::filesystem::path& folder);

}  // namespace fe
