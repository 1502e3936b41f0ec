#pragma once
// An off-screen canvas for painting tests: a transparent ARGB32 surface, a painter on it and
// pixel readers.

#include <cairo.h>

#include <cstdint>

#include "vemo_ui/geometry.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/theme.h"

namespace vemo_ui::testing {

// One premultiplied pixel.
struct Pixel {
  int a = 0, r = 0, g = 0, b = 0;
};

class Canvas {
 public:
  Canvas(int width, int height, const Theme& theme = default_theme())
      : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
        cr_(cairo_create(surface_)),
        painter_(cr_, theme) {}
  ~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  Painter& painter() { return painter_; }
  cairo_t* cr() { return cr_; }
  int width() const { return cairo_image_surface_get_width(surface_); }
  int height() const { return cairo_image_surface_get_height(surface_); }

  Pixel at(int x, int y) {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const auto word = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
    return {int(word >> 24), int((word >> 16) & 0xff), int((word >> 8) & 0xff), int(word & 0xff)};
  }
  int alpha(int x, int y) { return at(x, y).a; }

  // Pixels with any coverage inside and outside `r` (pixel centres decide membership).
  struct Ink {
    int inside = 0;
    int outside = 0;
  };
  Ink ink(const Rect& r) {
    Ink result;
    for (int y = 0; y < height(); ++y) {
      for (int x = 0; x < width(); ++x) {
        if (alpha(x, y) == 0) continue;
        const bool in = x + 0.5 > r.x0 && x + 0.5 < r.x1 && y + 0.5 > r.y0 && y + 0.5 < r.y1;
        (in ? result.inside : result.outside)++;
      }
    }
    return result;
  }

  static const Theme& default_theme() {
    static const Theme theme = Theme::light();
    return theme;
  }

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
  Painter painter_;
};

}  // namespace vemo_ui::testing
