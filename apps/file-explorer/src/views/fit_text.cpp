#include "views/fit_text.h"

#include <vector>

namespace fe {
namespace {

constexpr std::string_view kEllipsis = "…";

// Byte offsets of each code point's start, plus the end. A stray continuation byte counts as a
// character of its own, so no input can make this loop forever or cut inside a sequence.
std::vector<std::size_t> char_starts(std::string_view text) {
  std::vector<std::size_t> starts;
  starts.reserve(text.size() + 1);
  std::size_t i = 0;
  while (i < text.size()) {
    starts.push_back(i);
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xe ? 3 : (b >> 3) == 0x1e ? 4 : 1;
    std::size_t j = 1;
    while (j < len && i + j < text.size() && (static_cast<unsigned char>(text[i + j]) & 0xc0) == 0x80) ++j;
    i += j;
  }
  starts.push_back(text.size());
  return starts;
}

}  // namespace

std::string fit_text(std::string_view text, double width, const MeasureText& measure) {
  if (!(width > 0)) return {};
  if (measure(text) <= width) return std::string(text);
  const std::vector<std::size_t> starts = char_starts(text);
  const std::size_t n = starts.size() - 1;
  std::string candidate;
  candidate.reserve(text.size() + kEllipsis.size());
  auto build = [&](std::size_t k) -> const std::string& {
    const std::size_t tail = (2 * k + 2) / 3;  // ceil(2k / 3)
    const std::size_t head = k - tail;
    candidate.assign(text.substr(0, starts[head]));
    candidate.append(kEllipsis);
    candidate.append(text.substr(starts[n - tail]));
    return candidate;
  };
  // The first fitting candidate from k = n − 1 down is the longest one that fits. A candidate
  // with more characters is never narrower, so a binary search finds it with a handful of
  // measurements instead of one per character (each is a text shaping).
  std::size_t lo = 0;  // every candidate below lo fits
  std::size_t hi = n;  // candidates at or above hi are known not to fit
  bool any = false;
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (measure(build(mid)) <= width) {
      any = true;
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  if (any) return build(lo - 1);
  return std::string(kEllipsis);
}

}  // namespace fe
