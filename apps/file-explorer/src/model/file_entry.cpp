#include "model/file_entry.h"

namespace fe {

bool entries_equal(const FileEntry& a, const FileEntry& b) {
  if (a.is_dir != b.is_dir || a.size != b.size || a.mime != b.mime || a.name != b.name || a.path != b.path ||
      a.modified != b.modified || a.sync != b.sync || a.content_hash != b.content_hash || a.record_id != b.record_id) {
    return false;
  }
  if (a.collab == b.collab) return true;
  const bool a_empty = !a.collab || a.collab->empty();
  const bool b_empty = !b.collab || b.collab->empty();
  if (a_empty || b_empty) return a_empty == b_empty;
  return *a.collab == *b.collab;
}

bool entries_equal(std::span<const FileEntry> a, std::span<const FileEntry> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!entries_equal(a[i], b[i])) return false;
  }
  return true;
}

}  // namespace fe
