#pragma once
// Thumbnails of image files, made off the caller's thread.
//
// Requests never block: they queue work for one background worker, which first looks for the
// key's PNG in the cache folder, and otherwise reads the source (a file, bytes handed over, or a
// loader run on the worker), decodes PNG or JPEG, scales it so that neither side exceeds the pixel
// size (keeping the aspect ratio) and stores the result in the cache folder. The caller polls
// ready(); a pending and a failed request look the same, and a failed key is not tried again for
// the lifetime of the service.
//
// Thread-safety: every member may be called from any one thread while the worker runs.

#include <cstddef>
#include <cstdint>
#include <expected>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "thumbnail/category.h"
#include "thumbnail/key.h"

namespace thumbnail {

// A decoded thumbnail: straight (not premultiplied) RGBA rows, 4 × width bytes each.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// Reads the image bytes for a request; runs on the worker. None means no source.
using ByteLoader = std::function<std::optional<std::vector<std::uint8_t>>()>;

class ThumbnailService {
 public:
  static constexpr std::uint32_t kDefaultPixelSize = 256;
  // Sources larger than this are not decoded.
  static constexpr std::uint64_t kMaxSourceBytes = 64ull << 20;
  // Ready images the service holds; the oldest go first (their cache files stay).
  static constexpr std::size_t kMaxReadyImages = 512;

  // Creates the cache folder when missing. Fails when it cannot be created or is not a writable
  // folder; the caller may then try another one.
  static std::expected<std::unique_ptr<ThumbnailService>, std::string> create(
      const std::filesystem::path& cache_folder, std::uint32_t pixel_size = kDefaultPixelSize);

  ~ThumbnailService();
  ThumbnailService(const ThumbnailService&) = delete;
  ThumbnailService& operator=(const ThumbnailService&) = delete;

  std::uint32_t pixel_size() const noexcept { return pixel_size_; }
  const std::filesystem::path& cache_folder() const noexcept { return cache_folder_; }

  // Keys at this service's pixel size.
  Key content_key(std::span<const std::uint8_t, 32> content_hash) const;
  Key file_key(const std::filesystem::path& path, std::int64_t mtime_ms, std::uint64_t size) const;

  // Queue a thumbnail of the file at `path`. A key already known (pending, ready or failed) is
  // left alone.
  void request_file(const Key& key, const std::filesystem::path& path, Category category);
  // Queue a thumbnail of encoded image bytes.
  void request_bytes(const Key& key, std::vector<std::uint8_t> bytes, Category category);
  // Queue a thumbnail of the bytes `loader` produces on the worker.
  void request_loaded(const Key& key, ByteLoader loader, Category category);

  // The image once it is ready; none while pending, after a failure, or for an unknown key.
  std::shared_ptr<const Image> ready(const Key& key) const;
  // True once the key was requested (whatever became of it).
  bool known(const Key& key) const;
  // Requests queued or being worked on.
  std::size_t pending_count() const;

 private:
  struct Shared;
  ThumbnailService(std::filesystem::path cache_folder, std::uint32_t pixel_size);

  std::filesystem::path cache_folder_;
  std::uint32_t pixel_size_;
  std::shared_ptr<Shared> shared_;
};

}  // namespace thumbnail
