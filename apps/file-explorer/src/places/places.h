#pragma once
// Which folder the explorer shows: the start folder, typed paths and their completions, and the
// well-known locations other modules open or write to.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fe {

// Completions offered while a path is typed are capped at this many.
inline constexpr std::size_t kMaxPathCompletions = 60;

struct PathCompletion {
  std::string name;  // UTF-8, invalid bytes replaced
  std::filesystem::path path;
  bool is_dir = false;  // links are not followed
  friend bool operator==(const PathCompletion&, const PathCompletion&) = default;
};

// The first workspace root; else "/workspace" when VEMO_WORKSPACE_ROOTS is unset and it exists;
// else home; else the working folder; else "/".
std::filesystem::path start_folder();

// "~" is home and "~/rest" lies below it; anything else (also "~name") stays as typed.
std::filesystem::path expand_tilde(std::string_view text, const std::optional<std::filesystem::path>& home);

// Typed text relative to the shown folder; absolute text (and an expanded "~") replaces it.
std::filesystem::path resolve_typed_path(std::string_view text, const std::optional<std::filesystem::path>& home,
                                         const std::filesystem::path& current);

// Items of the folder the text names whose names start with its last part (any case): folders
// first, then by lower-cased name; hidden items only when that part starts with "."; at most 60.
std::vector<PathCompletion> path_completions(std::string_view text, const std::optional<std::filesystem::path>& home);

// $XDG_DATA_HOME/Trash/files (the freedesktop.org layout); none when the data folder is unknown.
std::optional<std::filesystem::path> trash_files_dir();

// XDG_TEMPLATES_DIR when set, UTF-8 and not blank (trimmed); else home/Templates; none when neither
// exists.
std::optional<std::filesystem::path> templates_dir();

// A workspace root's label: its last component, or "Workspace" for a root without one.
std::string workspace_place_label(const std::filesystem::path& root);

}  // namespace fe
