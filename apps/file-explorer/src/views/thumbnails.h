#pragma once
// The file view's side of thumbnails: which key and source an entry asks the thumbnail service
// for, and the explorer's map of images already made paintable.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "model/file_entry.h"
#include "thumbnail/key.h"
#include "thumbnail/thumbnail_service.h"
#include "vemo_ui/painter.h"

namespace fe {

// Paintable images by thumbnail key, owned by the explorer so that they outlive each view. A ready
// thumbnail is converted once; past the cap the map starts over (the service's disk cache makes
// that cheap).
struct ThumbnailImages {
  static constexpr std::size_t kMaxImages = 1024;
  std::unordered_map<thumbnail::Key, vemo_ui::Image, thumbnail::KeyHash> images;
};

struct ThumbnailHandles {
  std::shared_ptr<thumbnail::ThumbnailService> service;  // null: no thumbnails
  std::shared_ptr<ThumbnailImages> images;
  // Items below these carry their preview in an extended attribute instead of being decoded.
  std::vector<std::filesystem::path> workspace_roots;
};

// Milliseconds since the epoch of a local modification time; 0 when unknown or before 1970.
std::int64_t modification_ms(const std::optional<LocalDateTime>& time);

// The key of an entry: its content hash when it has one, else its path, time and size.
thumbnail::Key thumbnail_key(const FileEntry& entry, const thumbnail::ThumbnailService& service);

// The paintable thumbnail of a file entry when one is ready; otherwise asks the service for one
// (at most once per key) and answers null. Never reads the file system on this thread.
const vemo_ui::Image* thumbnail_for(const FileEntry& entry, const ThumbnailHandles& handles);

}  // namespace fe
