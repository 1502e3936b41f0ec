#pragma once
// Text typed into the path bar: "~" expansion, resolution against the shown folder, completions.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fe {

// "~" alone is home; "~/rest" is home joined with rest; anything else (also "~name") is returned as
// typed. Without a known home the text is returned as typed.
std::filesystem::path expand_tilde(std::string_view text, const std::optional<std::filesystem::path>& home);

// The shown folder joined with the expanded text: relative text is taken relative to `current`,
// absolute text (and expanded "~") replaces it.
std::filesystem::path resolve_typed_path(std::string_view text, const std::optional<std::filesystem::path>& home,
                                         const std::filesystem::path& current);

// The folder a resolved path names, spelled the way the path bar shows it: empty and "."
// components dropped, ".." taken back lexically (as a shell's cd does) and no trailing "/". Without
// this, "~/a//b/../c/" would become the shown folder verbatim and its breadcrumbs would read
// "a › b › c" for the folder a/c.
std::filesystem::path tidy_location(const std::filesystem::path& path);

struct PathCompletion {
  std::string name;  // UTF-8, invalid bytes replaced
  std::filesystem::path path;
  bool is_dir = false;  // links are not followed

  friend bool operator==(const PathCompletion&, const PathCompletion&) = default;
};

inline constexpr std::size_t kMaxPathCompletions = 60;

// Items of the folder part of `text` (up to and including its last "/", "~"-expanded; the text is
// not joined with the shown folder) whose lower-cased names begin with the lower-cased rest.
// Hidden items only when that rest begins with "."; folders first, then lower-cased names byte-wise
// (stable); at most 60. Empty when the folder cannot be read.
std::vector<PathCompletion> path_completions(std::string_view text, const std::optional<std::filesystem::path>& home);

}  // namespace fe
