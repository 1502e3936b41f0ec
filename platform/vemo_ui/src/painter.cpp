#include "vemo_ui/painter.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vemo_ui {

namespace {

void set_color(cairo_t* cr, Color c) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

// A rounded-rectangle path; the radius is limited to half the shorter side so that narrow
// rectangles become pills instead of self-intersecting shapes.
void rounded_path(cairo_t* cr, const Rect& r, double radius) {
  const double w = r.width();
  const double h = r.height();
  const double rad = std::clamp(radius, 0.0, std::max(0.0, std::min(w, h) / 2));
  cairo_new_sub_path(cr);
  if (rad <= 0) {
    cairo_rectangle(cr, r.x0, r.y0, w, h);
    return;
  }
  constexpr double pi = std::numbers::pi;
  cairo_arc(cr, r.x1 - rad, r.y0 + rad, rad, -pi / 2, 0);
  cairo_arc(cr, r.x1 - rad, r.y1 - rad, rad, 0, pi / 2);
  cairo_arc(cr, r.x0 + rad, r.y1 - rad, rad, pi / 2, pi);
  cairo_arc(cr, r.x0 + rad, r.y0 + rad, rad, pi, 3 * pi / 2);
  cairo_close_path(cr);
}

Color mix(Color a, Color b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

double luminance(Color c) {
  return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
}

}  // namespace

// ---- Image ---------------------------------------------------------------------------------

void Image::Release::operator()(cairo_surface_t* s) const {
  if (s) cairo_surface_destroy(s);
}

Image Image::from_rgba(const unsigned char* rgba, int width, int height, int stride) {
  if (!rgba || width <= 0 || height <= 0 || stride < width * 4) return {};
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return {};
  }
  cairo_surface_flush(s);
  unsigned char* dst = cairo_image_surface_get_data(s);
  const int dst_stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < height; ++y) {
    const unsigned char* in = rgba + static_cast<std::ptrdiff_t>(y) * stride;
    auto* out = reinterpret_cast<std::uint32_t*>(dst + static_cast<std::ptrdiff_t>(y) * dst_stride);
    for (int x = 0; x < width; ++x, in += 4) {
      // Cairo wants premultiplied alpha in native-endian 0xAARRGGBB words.
      const std::uint32_t a = in[3];
      const std::uint32_t r = (in[0] * a + 127) / 255;
      const std::uint32_t g = (in[1] * a + 127) / 255;
      const std::uint32_t b = (in[2] * a + 127) / 255;
      out[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(s);
  return adopt(s);
}

Image Image::adopt(cairo_surface_t* surface) {
  Image img;
  if (!surface) return img;
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
      cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) {
    cairo_surface_destroy(surface);
    return img;
  }
  img.surface_ = std::shared_ptr<cairo_surface_t>(surface, Release{});
  return img;
}

int Image::width() const {
  return surface_ ? cairo_image_surface_get_width(surface_.get()) : 0;
}
int Image::height() const {
  return surface_ ? cairo_image_surface_get_height(surface_.get()) : 0;
}

// ---- Painter -------------------------------------------------------------------------------

Painter::Painter(cairo_t* cr, const Theme& theme) : cr_(cr), theme_(theme) {}

void Painter::save() {
  cairo_save(cr_);
}
void Painter::restore() {
  cairo_restore(cr_);
}

void Painter::clip(const Rect& r) {
  cairo_new_path(cr_);
  cairo_rectangle(cr_, r.x0, r.y0, std::max(0.0, r.width()), std::max(0.0, r.height()));
  cairo_clip(cr_);
}

void Painter::clip_rounded(const Rect& r, double radius) {
  cairo_new_path(cr_);
  if (r.is_empty()) {
    cairo_rectangle(cr_, r.x0, r.y0, 0, 0);
  } else {
    rounded_path(cr_, r, radius);
  }
  cairo_clip(cr_);
}

void Painter::translate(double dx, double dy) {
  cairo_translate(cr_, dx, dy);
}

void Painter::begin_group() {
  cairo_push_group(cr_);
}

void Painter::end_group(double alpha) {
  cairo_pop_group_to_source(cr_);
  cairo_paint_with_alpha(cr_, std::clamp(alpha, 0.0, 1.0));
  // Leave no reference to the group pattern behind as the current source.
  cairo_set_source_rgba(cr_, 0, 0, 0, 0);
}

void Painter::fill_rect(const Rect& r, Color c) {
  if (r.is_empty() || c.a <= 0) return;
  cairo_new_path(cr_);
  cairo_rectangle(cr_, r.x0, r.y0, r.width(), r.height());
  set_color(cr_, c);
  cairo_fill(cr_);
}

void Painter::fill_rounded(const Rect& r, double radius, Color c) {
  if (r.is_empty() || c.a <= 0) return;
  cairo_new_path(cr_);
  rounded_path(cr_, r, radius);
  set_color(cr_, c);
  cairo_fill(cr_);
}

void Painter::stroke_rounded(const Rect& r, double radius, Color c, double width) {
  if (r.is_empty() || c.a <= 0 || width <= 0) return;
  cairo_new_path(cr_);
  rounded_path(cr_, r, radius);
  set_color(cr_, c);
  cairo_set_line_width(cr_, width);
  cairo_stroke(cr_);
}

void Painter::stroke_rect(const Rect& r, Color c, double width) {
  stroke_rounded(r, 0, c, width);
}

void Painter::line(Point a, Point b, Color c, double width) {
  if (c.a <= 0 || width <= 0) return;
  cairo_new_path(cr_);
  cairo_move_to(cr_, a.x, a.y);
  cairo_line_to(cr_, b.x, b.y);
  set_color(cr_, c);
  cairo_set_line_width(cr_, width);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
  cairo_stroke(cr_);
}

void Painter::fill_circle(Point center, double radius, Color c) {
  if (radius <= 0 || c.a <= 0) return;
  cairo_new_path(cr_);
  cairo_arc(cr_, center.x, center.y, radius, 0, 2 * std::numbers::pi);
  set_color(cr_, c);
  cairo_fill(cr_);
}

void Painter::stroke_circle(Point center, double radius, Color c, double width) {
  if (radius <= 0 || c.a <= 0 || width <= 0) return;
  cairo_new_path(cr_);
  cairo_arc(cr_, center.x, center.y, radius, 0, 2 * std::numbers::pi);
  set_color(cr_, c);
  cairo_set_line_width(cr_, width);
  cairo_stroke(cr_);
}

void Painter::draw_image_cover(const Image& image, const Rect& dst, double radius) {
  if (image.empty() || dst.is_empty() || image.width() <= 0 || image.height() <= 0) return;
  const double iw = image.width();
  const double ih = image.height();
  // The larger of the two ratios fills both sides; the overflow is cropped evenly.
  const double scale = std::max(dst.width() / iw, dst.height() / ih);
  const double ox = dst.x0 + (dst.width() - iw * scale) / 2;
  const double oy = dst.y0 + (dst.height() - ih * scale) / 2;

  cairo_save(cr_);
  cairo_new_path(cr_);
  rounded_path(cr_, dst, radius);
  cairo_clip(cr_);
  cairo_translate(cr_, ox, oy);
  cairo_scale(cr_, scale, scale);
  cairo_set_source_surface(cr_, image.native(), 0, 0);
  cairo_pattern_t* pattern = cairo_get_source(cr_);
  // Pad so that the edge pixels do not fade into transparency under the filter.
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(pattern, scale < 1 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_BILINEAR);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

// ---- Shared painters -----------------------------------------------------------------------

namespace surface {

Color edge_on(const Theme& theme, Color ground) {
  // Light grounds get a darker edge, dark grounds a lighter one, at the same contrast step.
  const Color toward = luminance(ground) > 0.5 ? theme.text_primary : theme.panel_ground;
  Color edge = mix(ground, toward, 0.13);
  edge.a = 1;
  return edge;
}

void card(Painter& p, const Rect& r, Color ground, double radius) {
  p.fill_rounded(r, radius, ground);
  // The hairline sits inside the card so that neighbouring cards never overlap their edges.
  p.stroke_rounded(r.inset(0.5), std::max(0.0, radius - 0.5), edge_on(p.theme(), ground), 1);
}

}  // namespace surface

namespace chrome::shell {

void panel_shadow(Painter& p, const Rect& r, double radius) {
  if (r.is_empty()) return;
  // Stacked translucent rings approximate a blur: each layer is larger and fainter, and the
  // whole shadow drops slightly so that the panel reads as lifted towards the viewer.
  constexpr int layers = 8;
  constexpr double drop = 3;
  const Color base = Color::rgb(0x000000);
  for (int i = layers; i >= 1; --i) {
    const double grow = 1.5 * i;
    const double alpha = 0.022 * (1.0 - (i - 1) / double(layers));
    p.fill_rounded(r.inset(-grow).translated(0, drop), radius + grow, base.with_alpha(alpha));
  }
}

SelectionTier selection_tier(const Theme& theme, bool selected, bool hovered) {
  if (selected && hovered) {
    Color fill = theme.selection_fill;
    fill.a = std::min(1.0, fill.a * 1.45);
    return {fill, theme.selection_outline, theme.panel_ground.with_alpha(0.45)};
  }
  if (selected) return {theme.selection_fill, theme.selection_outline, std::nullopt};
  if (hovered) return {theme.hover_fill, std::nullopt, std::nullopt};
  return {theme.hover_fill.with_alpha(0), std::nullopt, std::nullopt};
}

void paint_selection(Painter& p, const Rect& r, double radius, const SelectionTier& tier) {
  p.fill_rounded(r, radius, tier.fill);
  if (tier.outline) p.stroke_rounded(r, radius, *tier.outline, 1);
  if (tier.inner) p.stroke_rounded(r.inset(1), std::max(0.0, radius - 1), *tier.inner, 1);
}

}  // namespace chrome::shell

void draw_separator(Painter& p, double x0, double x1, double y) {
  if (!(x1 > x0)) return;
  p.line({x0, y}, {x1, y}, p.theme().border, 1);
}

}  // namespace vemo_ui
