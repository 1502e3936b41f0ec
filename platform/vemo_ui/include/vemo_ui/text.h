#pragma once
// Measuring and drawing text with Pango. Sizes are given before text scaling; the renderer
// applies its text scale. Layouts are cached so an unchanged text is shaped once.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "vemo_ui/geometry.h"
#include "vemo_ui/theme.h"

namespace vemo_ui {

class Painter;

enum class FontWeight : unsigned char { Regular, Medium, Bold };

class TextRenderer {
 public:
  explicit TextRenderer(double text_scale = 1.0);
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  double text_scale() const { return text_scale_; }
  void set_text_scale(double t);

  // Logical size of one line of `text` at `font_size` (before scaling).
  Size measure(std::string_view text, double font_size, FontWeight weight = FontWeight::Regular);
  // Draws one line with its top-left corner at `top_left`.
  void draw_text(Painter& p, std::string_view text, Point top_left, double font_size, Color color,
                 FontWeight weight = FontWeight::Regular);
  // Distance from the top of a line to its baseline.
  double baseline(double font_size, FontWeight weight = FontWeight::Regular);

  // How often a measure or draw found its shaped layout in the cache.
  struct CacheStats {
    std::uint64_t hits = 0;
    std::uint64_t misses = 0;
    std::size_t entries = 0;
  };
  CacheStats cache_stats() const;
  // Most shaped layouts kept; the least recently used one goes first.
  static constexpr std::size_t cache_capacity = 4096;

 private:
  struct Cache;
  double text_scale_;
  std::unique_ptr<Cache> cache_;
};

}  // namespace vemo_ui
