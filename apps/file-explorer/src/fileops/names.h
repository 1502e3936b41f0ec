#pragma once
// Names for new and renamed items: checking what the user typed, and picking a free name in a
// folder. Nothing here creates or changes anything on disk.

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

namespace fe {

// `text` without Unicode white space at either end. Ill-formed UTF-8 is not white space and stops
// the trimming where it starts.
std::string_view trim_white_space(std::string_view text) noexcept;

// The trimmed `text` when it is usable as one file name: empty is "files-name-empty", a '/' is
// "files-name-slash", and ".", ".." or a NUL byte are "files-name-invalid". Nothing else is refused
// here; the file system has the last word.
std::expected<std::string, std::string> validate_name(std::string_view text);

// Whether something exists at `path`, without following a final symbolic link (so a dangling link
// exists). Only "not found" means false; any other failure is "files-destination-inspect-failed".
std::expected<bool, std::string> destination_exists(const std::filesystem::path& path);

// `folder`/`name` when that is free, else the first free "stem n.ext" for n = 2..9999 (a leading
// '.' does not start an extension). `name` is one file name in the file system's bytes. An
// inspection failure ends the search with its error; when every number is taken the result is
// "files-destination-names-exhausted". The answer is a snapshot: the caller creates right away and
// fails if someone got there first.
std::expected<std::filesystem::path, std::string> unique_destination(const std::filesystem::path& folder,
                                                                     std::string_view name);

}  // namespace fe
