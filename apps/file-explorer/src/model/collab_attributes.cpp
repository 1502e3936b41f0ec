#include "model/collab_attributes.h"

#include <sys/xattr.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace fe {
namespace {

// Which of the known attributes the item carries.
struct PresentAttributes {
  bool sync = false;
  bool content_hash = false;
  bool record_id = false;
  bool availability = false;
  bool share = false;
  bool history = false;
  bool metadata = false;
  bool any() const { return sync || content_hash || record_id || availability || share || history || metadata; }
};

// Attribute names of the item; false when there are none or they cannot be listed.
bool list_names(const char* path, std::vector<char>& heap, std::string_view& names) {
  static thread_local char small[1024];
  ssize_t n = ::llistxattr(path, small, sizeof small);
  if (n > 0) {
    names = std::string_view(small, static_cast<std::size_t>(n));
    return true;
  }
  if (n == 0 || errno != ERANGE) return false;
  // Rare: many attributes. Ask for the size, then read; the list may grow in between, so retry a few times.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const ssize_t want = ::llistxattr(path, nullptr, 0);
    if (want <= 0) return false;
    heap.resize(static_cast<std::size_t>(want));
    n = ::llistxattr(path, heap.data(), heap.size());
    if (n > 0) {
      names = std::string_view(heap.data(), static_cast<std::size_t>(n));
      return true;
    }
    if (n == 0 || errno != ERANGE) return false;
  }
  return false;
}

PresentAttributes scan_names(std::string_view names) {
  PresentAttributes present;
  while (!names.empty()) {
    const std::size_t end = names.find('\0');
    const std::string_view name = names.substr(0, end);
    names.remove_prefix(end == std::string_view::npos ? names.size() : end + 1);
    if (!name.starts_with("user.vemo.")) continue;
    if (name == kAttrSync) {
      present.sync = true;
    } else if (name == kAttrContentHash) {
      present.content_hash = true;
    } else if (name == kAttrRecordId) {
      present.record_id = true;
    } else if (name == kAttrAvailability) {
      present.availability = true;
    } else if (name == kAttrShare) {
      present.share = true;
    } else if (name == kAttrHistory) {
      present.history = true;
    } else if (name == kAttrMetadata) {
      present.metadata = true;
    }
  }
  return present;
}

// The name constants are views of string literals, so .data() is NUL-terminated.
// A value of exactly N bytes: read into N+1 so that a longer value is seen as too long, not truncated.
template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> read_exact(const char* path, const char* name) {
  std::uint8_t buffer[N + 1];
  const ssize_t n = ::lgetxattr(path, name, buffer, sizeof buffer);
  if (n != static_cast<ssize_t>(N)) return std::nullopt;
  std::array<std::uint8_t, N> out;
  std::memcpy(out.data(), buffer, N);
  return out;
}

std::optional<SyncState> read_sync(const char* path) {
  // Every known state fits in a small buffer; only an unexpected longer text needs a second read.
  char small[64];
  ssize_t n = ::lgetxattr(path, kAttrSync.data(), small, sizeof small);
  if (n >= 0) return sync_state_from_attribute(std::string_view(small, static_cast<std::size_t>(n)));
  if (errno != ERANGE) return std::nullopt;
  const ssize_t want = ::lgetxattr(path, kAttrSync.data(), nullptr, 0);
  if (want <= 0 || static_cast<std::size_t>(want) > kSyncMaxBytes) return std::nullopt;
  std::string value(static_cast<std::size_t>(want), '\0');
  n = ::lgetxattr(path, kAttrSync.data(), value.data(), value.size());
  if (n < 0) return std::nullopt;
  value.resize(static_cast<std::size_t>(n));
  return sync_state_from_attribute(value);
}

}  // namespace

void read_collaborative_fields(const char* path, bool is_dir, FileEntry& entry) {
  std::vector<char> heap;
  std::string_view names;
  if (!list_names(path, heap, names)) return;
  const PresentAttributes present = scan_names(names);
  if (!present.any()) return;

  if (present.record_id) entry.record_id = read_exact<kRecordIdBytes>(path, kAttrRecordId.data());
  if (!is_dir) {
    if (present.sync) entry.sync = read_sync(path);
    if (present.content_hash) entry.content_hash = read_exact<kContentHashBytes>(path, kAttrContentHash.data());
  }
  // availability, share, history (and metadata for files) stay absent until the projection readers
  // decode them; `present` already tells which of them to read.
}

}  // namespace fe
