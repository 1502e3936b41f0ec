#pragma once
// The observer snapshot: a JSON object of what the explorer shows, for test drivers and assistants
// that must know when the view is settled and what it contains without reading pixels.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/file_entry.h"
#include "model/sort_entries.h"
#include "vemo_ui/geometry.h"

namespace fe {

struct ObserverInput {
  std::string directory;  // the current folder (replaced characters already applied or not: made UTF-8 here)
  std::shared_ptr<const std::vector<FileEntry>> entries;
  bool loading = false;
  bool has_error = false;
  std::optional<std::size_t> thumbnail_pending;  // none without a thumbnail service
  std::vector<std::size_t> selected;             // ascending
  std::optional<std::size_t> primary;
  vemo_ui::Point offset;
  vemo_ui::Point last_cursor;
  vemo_ui::Rect root_rect;
  std::optional<vemo_ui::Rect> viewport_rect;
  std::optional<vemo_ui::Rect> content_rect;
  std::string view_mode = "List";
  SortKey sort_key = SortKey::Name;
  SortOrder sort_order = SortOrder::Ascending;
};

// SHA-256 over each entry in display order: the name's byte length (u64 little-endian), the name's
// bytes, then 1 for a folder or 0.
std::array<std::uint8_t, 32> order_hash(std::span<const FileEntry> entries);
std::string order_hash_hex(std::span<const FileEntry> entries);

// Settled: not loading, no error page, and valid root, viewport and content rectangles.
bool snapshot_ready(const ObserverInput& in);

// The snapshot's JSON text, members in their fixed order.
std::string build_observer_snapshot(const ObserverInput& in);

}  // namespace fe
