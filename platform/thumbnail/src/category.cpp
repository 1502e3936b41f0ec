#include "thumbnail/category.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace thumbnail {
namespace {

struct ExtensionCategory {
  std::string_view extension;
  Category category;
};

// Sorted by extension for binary search.
constexpr auto kTable = [] {
  std::array<ExtensionCategory, 93> table{{
      {"7z", Category::Archive},       {"aac", Category::Audio},
      {"avi", Category::Video},        {"avif", Category::Image},
      {"azw3", Category::Book},        {"bmp", Category::Image},
      {"bz2", Category::Archive},      {"c", Category::Code},
      {"cbz", Category::Book},         {"cc", Category::Code},
      {"cfg", Category::Config},       {"conf", Category::Config},
      {"cpp", Category::Code},         {"cs", Category::Code},
      {"css", Category::Code},         {"csv", Category::Spreadsheet},
      {"doc", Category::Document},     {"docx", Category::Document},
      {"env", Category::Config},       {"epub", Category::Book},
      {"flac", Category::Audio},       {"gif", Category::Image},
      {"go", Category::Code},          {"gz", Category::Archive},
      {"h", Category::Code},           {"heic", Category::Image},
      {"hpp", Category::Code},         {"htm", Category::Code},
      {"html", Category::Code},        {"ini", Category::Config},
      {"java", Category::Code},        {"jpeg", Category::Image},
      {"jpg", Category::Image},        {"js", Category::Code},
      {"json", Category::Config},      {"key", Category::Presentation},
      {"kt", Category::Code},          {"m4a", Category::Audio},
      {"m4v", Category::Video},        {"md", Category::Document},
      {"mkv", Category::Video},        {"mobi", Category::Book},
      {"mov", Category::Video},        {"mp3", Category::Audio},
      {"mp4", Category::Video},        {"numbers", Category::Spreadsheet},
      {"odp", Category::Presentation}, {"ods", Category::Spreadsheet},
      {"odt", Category::Document},     {"oga", Category::Audio},
      {"ogg", Category::Audio},        {"ogv", Category::Video},
      {"opus", Category::Audio},       {"otf", Category::Font},
      {"pages", Category::Document},   {"pdf", Category::Pdf},
      {"php", Category::Code},         {"png", Category::Image},
      {"ppt", Category::Presentation}, {"pptx", Category::Presentation},
      {"py", Category::Code},          {"rar", Category::Archive},
      {"rb", Category::Code},          {"rs", Category::Code},
      {"rtf", Category::Document},     {"sh", Category::Code},
      {"svg", Category::Image},        {"swift", Category::Code},
      {"tar", Category::Archive},      {"tgz", Category::Archive},
      {"tif", Category::Image},        {"tiff", Category::Image},
      {"toml", Category::Config},      {"ts", Category::Code},
      {"tsv", Category::Spreadsheet},  {"ttc", Category::Font},
      {"ttf", Category::Font},         {"txt", Category::Document},
      {"wav", Category::Audio},        {"webm", Category::Video},
      {"webp", Category::Image},       {"woff", Category::Font},
      {"woff2", Category::Font},       {"xls", Category::Spreadsheet},
      {"xlsx", Category::Spreadsheet}, {"xml", Category::Config},
      {"xz", Category::Archive},       {"yaml", Category::Config},
      {"yml", Category::Config},       {"zip", Category::Archive},
      {"zst", Category::Archive},      {"mjs", Category::Code},
      {"ics", Category::Other},
  }};
  std::sort(table.begin(), table.end(), [](const auto& a, const auto& b) { return a.extension < b.extension; });
  return table;
}();
static_assert(std::none_of(kTable.begin(), kTable.end(),
                           [](const ExtensionCategory& e) { return e.extension.empty(); }));
static_assert(std::adjacent_find(kTable.begin(), kTable.end(), [](const auto& a, const auto& b) {
                return a.extension == b.extension;
              }) == kTable.end());

}  // namespace

Category category_for(const std::filesystem::path& path) {
  const std::string& name = path.native();
  const auto slash = name.rfind('/');
  const auto dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return Category::Other;
  // A leading dot names a hidden file, not an extension.
  if (dot == (slash == std::string::npos ? 0 : slash + 1)) return Category::Other;
  std::string ext = name.substr(dot + 1);
  if (ext.empty() || ext.size() > 8) return Category::Other;
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  const auto it = std::lower_bound(kTable.begin(), kTable.end(), std::string_view(ext),
                                   [](const ExtensionCategory& e, std::string_view v) { return e.extension < v; });
  if (it != kTable.end() && it->extension == ext) return it->category;
  return Category::Other;
}

std::string_view category_name(Category category) noexcept {
  static constexpr std::array<std::string_view, kCategoryCount> kNames = {
      "image",        "video", "audio", "archive", "code", "document", "spreadsheet",
      "presentation", "pdf",   "font",  "config",  "book", "other"};
  const auto i = static_cast<std::size_t>(category);
  return i < kNames.size() ? kNames[i] : "other";
}

}  // namespace thumbnail
