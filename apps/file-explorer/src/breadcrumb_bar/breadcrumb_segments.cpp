#include "breadcrumb_bar/breadcrumb_segments.h"

#include <string_view>

#include "i18n/i18n.h"
#include "model/path_compare.h"
#include "model/utf8.h"
#include "places/places.h"

namespace fe {
namespace {

// One segment per normal component of `path` after the first `skip` components, each below `base`.
void append_components(std::vector<BreadcrumbSegment>& out, const std::filesystem::path& path,
                       std::filesystem::path base, std::size_t skip) {
  const std::string& text = path.native();
  const auto parts = path_components(text);
  for (std::size_t i = skip; i < parts.size(); ++i) {
    if (parts[i] == ".." || parts[i] == ".") {
      // Not a normal component: it names no folder of its own.
      continue;
    }
    base /= std::string(parts[i]);
    out.push_back({utf8_lossy(parts[i]), base});
  }
}

std::size_t component_count(const std::filesystem::path& path) {
  return path_components(path.native()).size();
}

}  // namespace

std::vector<BreadcrumbSegment> breadcrumb_segments(const std::filesystem::path& path,
                                                   const std::optional<std::filesystem::path>& home,
                                                   std::span<const std::filesystem::path> roots) {
  std::vector<BreadcrumbSegment> out;
  for (const auto& root : roots) {
    if (!path_starts_with(path, root)) continue;
    out.push_back({workspace_place_label(root), root});
    append_components(out, path, root, component_count(root));
    return out;
  }
  if (home && !home->empty() && path_starts_with(path, *home)) {
    out.push_back({tr("files-place-home"), *home});
    append_components(out, path, *home, component_count(*home));
    return out;
  }
  if (path.has_root_directory()) {
    out.push_back({"/", "/"});
    append_components(out, path, "/", 1);
    return out;
  }
  append_components(out, path, {}, 0);
  return out;
}

PlaceGlyph place_glyph(const std::filesystem::path& first_segment, std::span<const std::filesystem::path> roots) {
  for (const auto& root : roots) {
    if (same_path(first_segment, root)) return PlaceGlyph::Workspace;
  }
  if (same_path(first_segment, "/")) return PlaceGlyph::Root;
  return PlaceGlyph::Home;
}

std::string path_display_form(const std::filesystem::path& path, const std::optional<std::filesystem::path>& home) {
  if (home && !home->empty() && path_starts_with(path, *home)) {
    const auto parts = path_components(path.native());
    const std::size_t skip = component_count(*home);
    if (parts.size() <= skip) return "~";
    std::string out = "~";
    for (std::size_t i = skip; i < parts.size(); ++i) {
      out += '/';
      out += parts[i];
    }
    return utf8_lossy(out);
  }
  return utf8_lossy(path.native());
}

}  // namespace fe
