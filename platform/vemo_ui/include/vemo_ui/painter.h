#pragma once
// Painting on a Cairo context. Only the painting sources include Cairo; widgets see this API.

#include <memory>
#include <string_view>

#include "vemo_ui/geometry.h"
#include "vemo_ui/theme.h"

using cairo_t = struct _cairo;
using cairo_surface_t = struct _cairo_surface;

namespace vemo_ui {

// A decoded raster image that can be painted (premultiplied ARGB32). Owns its Cairo surface.
class Image {
 public:
  Image() = default;
  // Copies straight (not premultiplied) RGBA rows.
  static Image from_rgba(const unsigned char* rgba, int width, int height, int stride);
  // Takes ownership of one reference of an existing image surface.
  static Image adopt(cairo_surface_t* surface);

  int width() const;
  int height() const;
  bool empty() const { return !surface_; }
  cairo_surface_t* native() const { return surface_.get(); }

 private:
  struct Release {
    void operator()(cairo_surface_t* s) const;
  };
  std::shared_ptr<cairo_surface_t> surface_;
};

class Painter {
 public:
  explicit Painter(cairo_t* cr, const Theme& theme);
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  const Theme& theme() const { return theme_; }
  cairo_t* native() const { return cr_; }

  void save();
  void restore();
  void clip(const Rect& r);
  void clip_rounded(const Rect& r, double radius);
  void translate(double dx, double dy);
  // Everything drawn between begin_group and end_group is composited with `alpha`.
  void begin_group();
  void end_group(double alpha);

  void fill_rect(const Rect& r, Color c);
  void fill_rounded(const Rect& r, double radius, Color c);
  void stroke_rounded(const Rect& r, double radius, Color c, double width);
  void stroke_rect(const Rect& r, Color c, double width);
  void line(Point a, Point b, Color c, double width);
  void fill_circle(Point center, double radius, Color c);
  void stroke_circle(Point center, double radius, Color c, double width);
  // Paints `image` to cover `dst` (cropped, not letter-boxed) with rounded corners.
  void draw_image_cover(const Image& image, const Rect& dst, double radius);

 private:
  cairo_t* cr_;
  const Theme& theme_;
};

// Shared painters named by the toolkit.
namespace surface {
// The 1 px edge colour drawn on a given surface colour.
Color edge_on(const Theme& theme, Color surface);
// A card: filled rounded rectangle with a hairline border.
void card(Painter& p, const Rect& r, Color ground, double radius);
}  // namespace surface

namespace chrome::shell {
void panel_shadow(Painter& p, const Rect& r, double radius);
SelectionTier selection_tier(const Theme& theme, bool selected, bool hovered);
// Paints a highlight: the tier's fill on the rounded rectangle, its outline 1 px on it and its inner
// ring 1 px on the rectangle inset by 1 px with the radius less 1.
void paint_selection(Painter& p, const Rect& r, double radius, const SelectionTier& tier);
}  // namespace chrome::shell

// Toolkit separator: a hairline at y from x0 to x1.
void draw_separator(Painter& p, double x0, double x1, double y);

}  // namespace vemo_ui
