#pragma once
// Cache keys: 32 bytes that name one thumbnail of one content at one pixel size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace thumbnail {

struct Key {
  std::array<std::uint8_t, 32> bytes{};

  // 64 lower-case hexadecimal digits; the cache file's name.
  std::string hex() const;
  friend bool operator==(const Key&, const Key&) = default;
};

struct KeyHash {
  std::size_t operator()(const Key& k) const noexcept {
    // The bytes are already a cryptographic hash: any eight of them are a good hash.
    std::size_t h = 0;
    for (std::size_t i = 0; i < sizeof(h); ++i) h = (h << 8) | k.bytes[i];
    return h;
  }
};

// The key of a known content digest at `pixel_size`.
Key key_for_content(std::span<const std::uint8_t, 32> content_hash, std::uint32_t pixel_size);

// The key of a file as the file system describes it: its path bytes, modification time in
// milliseconds since the epoch (0 when unknown), size and the pixel size. A change of any of them
// names another thumbnail.
Key key_for_file(const std::filesystem::path& path, std::int64_t mtime_ms, std::uint64_t size,
                 std::uint32_t pixel_size);

}  // namespace thumbnail
