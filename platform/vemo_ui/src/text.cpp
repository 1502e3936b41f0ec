#include "vemo_ui/text.h"

#include <cairo.h>
#include <glib-object.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <list>
#include <unordered_map>

#include "vemo_ui/painter.h"

namespace vemo_ui {

namespace {

// Inter for text; DejaVu Sans covers the symbols Inter lacks (arrows, warning sign).
constexpr const char* font_family = "Inter, DejaVu Sans";
// Measured to place a line's baseline; the ascender and descender cover the usual extremes.
constexpr std::string_view baseline_probe = "Ag";

struct GObjectUnref {
  void operator()(gpointer p) const {
    if (p) g_object_unref(p);
  }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

PangoWeight pango_weight(FontWeight w) {
  switch (w) {
    case FontWeight::Regular:
      return PANGO_WEIGHT_NORMAL;
    case FontWeight::Medium:
      return PANGO_WEIGHT_MEDIUM;
    case FontWeight::Bold:
      return PANGO_WEIGHT_BOLD;
  }
  return PANGO_WEIGHT_NORMAL;
}

// Pango refuses malformed UTF-8 (file names may hold any bytes): each bad byte, and each NUL,
// becomes U+FFFD so that the rest of the text still shows.
std::string valid_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  const char* p = text.data();
  const char* end = text.data() + text.size();
  while (p < end) {
    const gchar* valid_end = nullptr;
    if (g_utf8_validate_len(p, static_cast<gsize>(end - p), &valid_end)) {
      out.append(p, end);
      break;
    }
    out.append(p, valid_end);
    out.append("\xEF\xBF\xBD");
    p = valid_end + 1;
  }
  return out;
}

// The size is quantised to 1/64 px so that sizes computed by multiplication hit the same entry.
struct LayoutKey {
  std::string_view text;
  std::int32_t size_q = 0;
  FontWeight weight = FontWeight::Regular;
  friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
};

struct LayoutKeyHash {
  std::size_t operator()(const LayoutKey& k) const {
    std::size_t h = std::hash<std::string_view>{}(k.text);
    h ^= std::hash<std::int32_t>{}(k.size_q * 4 + static_cast<int>(k.weight)) + 0x9e3779b97f4a7c15ULL + (h << 6) +
         (h >> 2);
    return h;
  }
};

struct ShapedLine {
  std::string text;  // the key's text; the index's key views into it
  std::int32_t size_q = 0;
  FontWeight weight = FontWeight::Regular;
  GObjectPtr<PangoLayout> layout;
  Size size;
  double baseline = 0;
};

// Sizes below 1/64 px, and sizes that are not numbers, shape nothing.
bool drawable_size(double pixel_size) {
  return std::isfinite(pixel_size) && pixel_size >= 1.0 / 64;
}

}  // namespace

struct TextRenderer::Cache {
  GObjectPtr<PangoFontMap> font_map;
  GObjectPtr<PangoContext> context;
  std::list<ShapedLine> lru;  // most recently used first
  std::unordered_map<LayoutKey, std::list<ShapedLine>::iterator, LayoutKeyHash> index;
  std::uint64_t hits = 0;
  std::uint64_t misses = 0;

  Cache() {
    // The per-thread default map is shared by every renderer on the UI thread, so fonts are
    // loaded once. It needs fontconfig only, no display.
    font_map.reset(PANGO_FONT_MAP(g_object_ref(pango_cairo_font_map_get_default())));
    context.reset(pango_font_map_create_context(font_map.get()));
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    // Unhinted metrics and unrounded positions keep widths proportional to the size, so that
    // measuring at one text scale predicts the other.
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(context.get(), options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context.get(), FALSE);
  }

  ShapedLine& get(std::string_view text, double pixel_size, FontWeight weight) {
    const auto size_q = static_cast<std::int32_t>(std::lround(std::clamp(pixel_size, 0.0, 4096.0) * 64));
    const LayoutKey probe{text, size_q, weight};
    if (auto it = index.find(probe); it != index.end()) {
      ++hits;
      lru.splice(lru.begin(), lru, it->second);
      return *it->second;
    }
    ++misses;
    if (lru.size() >= cache_capacity) {
      const ShapedLine& oldest = lru.back();
      index.erase(LayoutKey{oldest.text, oldest.size_q, oldest.weight});
      lru.pop_back();
    }
    lru.push_front(shape(text, size_q, weight));
    ShapedLine& line = lru.front();
    index.emplace(LayoutKey{line.text, line.size_q, line.weight}, lru.begin());
    return line;
  }

  ShapedLine shape(std::string_view text, std::int32_t size_q, FontWeight weight) {
    ShapedLine line;
    line.text = std::string(text);
    line.size_q = size_q;
    line.weight = weight;
    line.layout.reset(pango_layout_new(context.get()));
    PangoFontDescription* desc = pango_font_description_from_string(font_family);
    pango_font_description_set_weight(desc, pango_weight(weight));
    pango_font_description_set_absolute_size(desc, pango_units_from_double(size_q / 64.0));
    pango_layout_set_font_description(line.layout.get(), desc);
    pango_font_description_free(desc);
    // One line: a line break inside a name is shown, not obeyed.
    pango_layout_set_single_paragraph_mode(line.layout.get(), TRUE);
    const std::string shown = valid_utf8(text);
    pango_layout_set_text(line.layout.get(), shown.data(), static_cast<int>(shown.size()));
    int w = 0, h = 0;
    pango_layout_get_size(line.layout.get(), &w, &h);
    line.size = {pango_units_to_double(w), pango_units_to_double(h)};
    line.baseline = pango_units_to_double(pango_layout_get_baseline(line.layout.get()));
    return line;
  }
};

TextRenderer::TextRenderer(double text_scale) : text_scale_(1.0), cache_(std::make_unique<Cache>()) {
  set_text_scale(text_scale);
}

TextRenderer::~TextRenderer() = default;

void TextRenderer::set_text_scale(double t) {
  text_scale_ = std::isfinite(t) && t > 0 ? t : 1.0;
}

Size TextRenderer::measure(std::string_view text, double font_size, FontWeight weight) {
  if (!drawable_size(font_size * text_scale_)) return {};
  return cache_->get(text, font_size * text_scale_, weight).size;
}

void TextRenderer::draw_text(Painter& p, std::string_view text, Point top_left, double font_size, Color color,
                             FontWeight weight) {
  if (text.empty() || color.a <= 0 || !drawable_size(font_size * text_scale_)) return;
  ShapedLine& line = cache_->get(text, font_size * text_scale_, weight);
  cairo_t* cr = p.native();
  cairo_new_path(cr);
  cairo_move_to(cr, top_left.x, top_left.y);
  cairo_set_source_rgba(cr, color.r, color.g, color.b, color.a);
  pango_cairo_show_layout(cr, line.layout.get());
  cairo_new_path(cr);
}

double TextRenderer::baseline(double font_size, FontWeight weight) {
  if (!drawable_size(font_size * text_scale_)) return 0;
  return cache_->get(baseline_probe, font_size * text_scale_, weight).baseline;
}

TextRenderer::CacheStats TextRenderer::cache_stats() const {
  return {cache_->hits, cache_->misses, cache_->lru.size()};
}

}  // namespace vemo_ui
