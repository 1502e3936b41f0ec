#pragma once
// One listed item of a folder: the record every part of the explorer shows and acts on.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "i18n/local_time.h"
#include "model/collab_fields.h"
#include "model/compact_path.h"
#include "model/media_type.h"
#include "model/sync_state.h"

namespace fe {

using ContentHash = std::array<std::uint8_t, 32>;  // SHA-256 of the content
using RecordId = std::array<std::uint8_t, 16>;     // collaborative record id (UUID bytes)

// A plain value: cloned freely, owns its texts, holds no handle to the file system. Fields are ordered
// for size (a folder may hold 100,000 of these).
struct FileEntry {
  std::string name;        // UTF-8; invalid bytes of the on-disk name replaced by U+FFFD
  CompactPath path;        // listed folder joined with the raw on-disk name (or archive path + inner path)
  std::uint64_t size = 0;  // the item's own length (links and folders not followed); 0 when unreadable
  MediaType mime;          // guessed from the name's extension; application/octet-stream when unknown
  // Availability, sharing, history and metadata records; null when the entry has none.
  std::shared_ptr<const CollabRecords> collab;
  std::optional<LocalDateTime> modified;    // local time; absent when unreadable and for archive items
  std::optional<ContentHash> content_hash;  // files only
  std::optional<RecordId> record_id;
  std::optional<SyncState> sync;  // files only
  bool is_dir = false;            // symbolic links are never folders here

  const AvailabilityProjection* availability() const noexcept {
    return collab && collab->availability ? &*collab->availability : nullptr;
  }
  const ShareProjection* share() const noexcept { return collab && collab->share ? &*collab->share : nullptr; }
  const HistoryProjection* history() const noexcept { return collab && collab->history ? &*collab->history : nullptr; }
  const MetadataProjection* metadata() const noexcept {
    return collab && collab->metadata ? &*collab->metadata : nullptr;
  }
};

// Field-by-field equality (the collaborative records compared by value), used by the periodic
// re-listing to decide whether the shown list changed.
bool entries_equal(const FileEntry& a, const FileEntry& b);
bool entries_equal(std::span<const FileEntry> a, std::span<const FileEntry> b);

}  // namespace fe
