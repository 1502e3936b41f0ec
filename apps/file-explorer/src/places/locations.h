#pragma once
// Well-known folders: where the explorer starts, the Trash files folder, the templates folder, and
// the labels of workspace places.

#include <filesystem>
#include <optional>
#include <string>

namespace fe {

// The first workspace root; else /workspace when VEMO_WORKSPACE_ROOTS is unset and it exists;
// else home; else the working folder; else "/".
std::filesystem::path start_folder();

// The per-user data folder joined with "Trash" and "files"; unknown when the data folder is.
std::optional<std::filesystem::path> trash_files_dir();

// XDG_TEMPLATES_DIR when set, valid UTF-8 and non-empty once trimmed (the trimmed text); else
// home/"Templates"; unknown when neither is available. The folder need not exist.
std::optional<std::filesystem::path> templates_dir();

// The same rule with its inputs given (the variable's value, none when unset, and the home folder).
std::optional<std::filesystem::path> templates_dir_from(const std::optional<std::string>& variable,
                                                        const std::optional<std::filesystem::path>& home);

// A workspace root's label in the sidebar: its last component as UTF-8 (with replacement), or the
// message "files-place-workspace" for a root that has none ("/").
std::string workspace_place_label(const std::filesystem::path& root);

}  // namespace fe
