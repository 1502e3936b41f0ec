#include "model/compact_path.h"

namespace fe {

CompactPath CompactPath::join(std::string_view folder, std::string_view name) {
  std::string text;
  const bool needs_slash = !folder.empty() && folder.back() != '/';
  text.reserve(folder.size() + name.size() + (needs_slash ? 1 : 0));
  text.append(folder);
  if (needs_slash) text.push_back('/');
  text.append(name);
  return CompactPath(std::move(text));
}

}  // namespace fe
