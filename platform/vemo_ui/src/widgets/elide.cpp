#include "vemo_ui/widgets/elide.h"

namespace vemo_ui {

namespace {
constexpr std::string_view kEllipsis = "\u2026";
bool is_continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

std::size_t utf8_next(std::string_view text, std::size_t offset) {
  if (offset >= text.size()) return text.size();
  ++offset;
  while (offset < text.size() && is_continuation(text[offset])) ++offset;
  return offset;
}

std::size_t utf8_prev(std::string_view text, std::size_t offset) {
  if (offset == 0) return 0;
  if (offset > text.size()) offset = text.size();
  --offset;
  while (offset > 0 && is_continuation(text[offset])) --offset;
  return offset;
}

std::string elide_end(TextRenderer& renderer, std::string_view text, double font_size, double max_width,
                      FontWeight weight) {
  if (renderer.measure(text, font_size, weight).width <= max_width) return std::string(text);
  // Binary search over character boundaries for the longest prefix that fits with the ellipsis.
  std::size_t lo = 0;            // fits (the empty prefix always counts as fitting)
  std::size_t hi = text.size();  // does not fit
  while (true) {
    std::size_t mid = lo + (hi - lo) / 2;
    while (mid > lo && is_continuation(text[mid])) --mid;
    if (mid <= lo) mid = utf8_next(text, lo);
    if (mid >= hi) break;
    std::string candidate(text.substr(0, mid));
    candidate += kEllipsis;
    if (renderer.measure(candidate, font_size, weight).width <= max_width) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  std::string out(text.substr(0, lo));
  out += kEllipsis;
  return out;
}

}  // namespace vemo_ui
