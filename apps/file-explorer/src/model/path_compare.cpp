#include "model/path_compare.h"

#include <algorithm>

namespace fe {

std::vector<std::string_view> path_components(std::string_view path) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  if (!path.empty() && path.front() == '/') {
    out.push_back(path.substr(0, 1));
    while (i < path.size() && path[i] == '/') ++i;
  }
  bool first = true;
  while (i < path.size()) {
    std::size_t end = path.find('/', i);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(i, end - i);
    // A leading "." of a relative path is kept ("./a" stays relative to the working folder).
    if (!part.empty() && (part != "." || (first && out.empty()))) out.push_back(part);
    first = false;
    i = end;
    while (i < path.size() && path[i] == '/') ++i;
  }
  return out;
}

bool same_path(const std::filesystem::path& a, const std::filesystem::path& b) {
  return path_components(a.native()) == path_components(b.native());
}

bool path_starts_with(const std::filesystem::path& path, const std::filesystem::path& prefix) {
  const auto whole = path_components(path.native());
  const auto head = path_components(prefix.native());
  if (head.size() > whole.size()) return false;
  return std::equal(head.begin(), head.end(), whole.begin());
}

std::optional<std::filesystem::path> parent_folder(const std::filesystem::path& path) {
  const auto parts = path_components(path.native());
  if (parts.empty() || (parts.size() == 1 && parts.front() == "/")) return std::nullopt;
  std::string parent;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    if (parts[i] == "/") {
      parent.push_back('/');  // only ever the first component
      continue;
    }
    if (!parent.empty() && parent.back() != '/') parent.push_back('/');
    parent.append(parts[i]);
  }
  return std::filesystem::path(parent);
}

}  // namespace fe
