#pragma once
// The folders of a path as breadcrumb segments, and the path's short display form.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fe {

struct BreadcrumbSegment {
  std::string label;           // UTF-8, invalid bytes replaced
  std::filesystem::path path;  // the cumulative path up to this folder
  friend bool operator==(const BreadcrumbSegment&, const BreadcrumbSegment&) = default;
};

// Under a workspace root (the first of `roots` that contains `path`): the root, then each folder
// below it. Else under home: "Home", then the folders below home. Else "/" and every folder.
std::vector<BreadcrumbSegment> breadcrumb_segments(const std::filesystem::path& path,
                                                   const std::optional<std::filesystem::path>& home,
                                                   std::span<const std::filesystem::path> roots);

enum class PlaceGlyph : unsigned char { Workspace, Root, Home };

// The glyph leading the breadcrumbs, chosen by the first segment's path.
PlaceGlyph place_glyph(const std::filesystem::path& first_segment, std::span<const std::filesystem::path> roots);

// "~" for home itself, "~/rest" below it, the full path otherwise (UTF-8, invalid bytes replaced).
std::string path_display_form(const std::filesystem::path& path, const std::optional<std::filesystem::path>& home);

}  // namespace fe
