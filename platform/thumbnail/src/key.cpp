#include "thumbnail/key.h"

#include <sodium.h>

namespace thumbnail {
namespace {

void put_u64(crypto_generichash_state& st, std::uint64_t v) {
  std::uint8_t le[8];
  for (int i = 0; i < 8; ++i) le[i] = static_cast<std::uint8_t>(v >> (8 * i));
  crypto_generichash_update(&st, le, sizeof(le));
}

// Domain-separated so that a content key never equals a file key.
Key finish(crypto_generichash_state& st) {
  Key key;
  crypto_generichash_final(&st, key.bytes.data(), key.bytes.size());
  return key;
}

}  // namespace

std::string Key::hex() const {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0xf]);
  }
  return out;
}

Key key_for_content(std::span<const std::uint8_t, 32> content_hash, std::uint32_t pixel_size) {
  crypto_generichash_state st;
  crypto_generichash_init(&st, nullptr, 0, 32);
  static constexpr unsigned char kTag[] = "thumbnail-content-v1";
  crypto_generichash_update(&st, kTag, sizeof(kTag));
  crypto_generichash_update(&st, content_hash.data(), content_hash.size());
  put_u64(st, pixel_size);
  return finish(st);
}

Key key_for_file(const std::filesystem::path& path, std::int64_t mtime_ms, std::uint64_t size,
                 std::uint32_t pixel_size) {
  crypto_generichash_state st;
  crypto_generichash_init(&st, nullptr, 0, 32);
  static constexpr unsigned char kTag[] = "thumbnail-file-v1";
  crypto_generichash_update(&st, kTag, sizeof(kTag));
  const std::string& bytes = path.native();
  put_u64(st, bytes.size());
  crypto_generichash_update(&st, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  put_u64(st, static_cast<std::uint64_t>(mtime_ms));
  put_u64(st, size);
  put_u64(st, pixel_size);
  return finish(st);
}

}  // namespace thumbnail
