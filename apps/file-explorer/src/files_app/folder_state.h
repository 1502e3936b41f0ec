#pragma once
// The pages that replace the file view while a folder loads, after a failed load and for an empty
// folder: their texts, shared by drawing and accessibility.

#include <filesystem>
#include <optional>
#include <string>

namespace fe {

enum class FolderStateKind : unsigned char { Loading, LoadError, Empty };

struct FolderStateTexts {
  std::string title;
  std::string detail;  // empty for the empty-folder page
};

// "~" for home, "~/rest" below it, the full path otherwise (UTF-8, invalid bytes replaced).
std::string display_path(const std::filesystem::path& path, const std::optional<std::filesystem::path>& home);

// Keeps the end of `text` behind a leading "…" so that it has at most `max_chars` characters.
std::string shorten_front(const std::string& text, std::size_t max_chars);

// The reason part of a load error: what follows its first ": ", cut to 25 characters and "…" when it
// has more than 26.
std::string load_error_reason(const std::string& load_error);

FolderStateTexts loading_texts(const std::string& display);
FolderStateTexts load_error_texts(const std::string& load_error, const std::string& display);
FolderStateTexts empty_texts(bool in_trash);

}  // namespace fe
