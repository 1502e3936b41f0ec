#include "model/utf8.h"

#include <cstdint>
#include <cstring>

namespace fe {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Length of the well-formed sequence starting at `p` (at most `left` bytes), or the length of the
// maximal ill-formed prefix negated (always at least one byte) when it is not well-formed.
int sequence_length(const unsigned char* p, std::size_t left) noexcept {
  const unsigned char b0 = p[0];
  if (b0 < 0x80) return 1;
  int need;
  unsigned char lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    need = 1;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    need = 2;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    need = 3;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return -1;
  }
  for (int i = 1; i <= need; ++i) {
    if (static_cast<std::size_t>(i) >= left) return -i;
    const unsigned char b = p[i];
    const unsigned char min = i == 1 ? lo : 0x80;
    const unsigned char max = i == 1 ? hi : 0xBF;
    if (b < min || b > max) return -i;
  }
  return need + 1;
}

}  // namespace

bool is_ascii(std::string_view bytes) noexcept {
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  while (n >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    if (word & kHighBits) return false;
    p += 8;
    n -= 8;
  }
  while (n > 0) {
    if (static_cast<unsigned char>(*p) >= 0x80) return false;
    ++p;
    --n;
  }
  return true;
}

bool is_valid_utf8(std::string_view bytes) noexcept {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  while (left > 0) {
    // Skip ASCII runs a word at a time; file names are mostly ASCII.
    while (left >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      if (word & kHighBits) break;
      p += 8;
      left -= 8;
    }
    if (left == 0) break;
    const int len = sequence_length(p, left);
    if (len < 0) return false;
    p += len;
    left -= static_cast<std::size_t>(len);
  }
  return true;
}

std::string utf8_lossy(std::string_view bytes) {
  if (is_valid_utf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + 8);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  while (left > 0) {
    const int len = sequence_length(p, left);
    if (len > 0) {
      out.append(reinterpret_cast<const char*>(p), static_cast<std::size_t>(len));
      p += len;
      left -= static_cast<std::size_t>(len);
    } else {
      out.append("\xEF\xBF\xBD");
      p += -len;
      left -= static_cast<std::size_t>(-len);
    }
  }
  return out;
}

}  // namespace fe
