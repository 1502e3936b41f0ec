#pragma once
// The kinds of files the thumbnail service tells apart. The ordinals are stable: callers index
// colour tables by them.

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace thumbnail {

enum class Category : std::uint8_t {
  Image = 0,
  Video = 1,
  Audio = 2,
  Archive = 3,
  Code = 4,
  Document = 5,
  Spreadsheet = 6,
  Presentation = 7,
  Pdf = 8,
  Font = 9,
  Config = 10,
  Book = 11,
  Other = 12,
};

inline constexpr std::size_t kCategoryCount = 13;

// The category of a file by its name's extension (ASCII case ignored); Other when unknown.
Category category_for(const std::filesystem::path& path);

// "image", "video", … "other".
std::string_view category_name(Category category) noexcept;

}  // namespace thumbnail
