#pragma once
// Renaming an item inside its own folder.

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

namespace fe {

// Renames `source` to the validated, trimmed `typed` name in the same folder. The same name is a
// success that touches nothing; a name held by another item is "files-name-exists", also when that
// item appears between the check and the rename. A name that only reaches the source itself by
// another spelling (a letter-case change on a case-folding file system) is renamed. A source
// without a parent folder is "files-no-parent"; system errors carry the system's text. Answers the
// item's path after the rename.
std::expected<std::filesystem::path, std::string> rename_item(const std::filesystem::path& source,
                                                              std::string_view typed);

}  // namespace fe
