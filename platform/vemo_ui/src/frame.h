#pragma once
// One frame of the run loop, shared by the window, the automation mode and still images, so that
// every backend lays out and draws exactly the same way. Internal to the toolkit.
//
//   auto px = frame_pixel_size(viewport, scale);            // logical size → pixel size
//   auto surface = FrameSurface::create(px->width, px->height);
//   layout_frame(root, layout_ctx, viewport, now, first);    // sync, rebuild, measure, place
//   surface->render(root, draw_ctx, viewport, scale);        // clear and draw

#include <expected>

#include "vemo_ui/geometry.h"
#include "vemo_ui/offscreen.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/widget.h"

namespace vemo_ui::detail {

// One frame's layout: sync; build_layout when take_structure_dirty() answers true or
// `force_rebuild`; measure with a definite width constraint of the viewport width; apply_layout
// with the whole viewport. A viewport without area or a root that measures a size that is not
// finite is an error; nothing is placed then.
std::expected<void, LayoutError> layout_frame(Widget& root, LayoutContext& ctx, Size viewport, Clock::time_point now,
                                              bool force_rebuild);

// Clears to the theme's window colour and draws the root, which is told that the whole viewport
// is visible. The painter's transformation maps logical pixels to the target.
void draw_frame(Widget& root, Painter& p, DrawContext& ctx, Size viewport);

struct PixelSize {
  int width = 0;
  int height = 0;
};

// The pixel size of a logical viewport at a scale factor, rounded up; an error when either side
// is not positive or exceeds what an image surface can hold.
std::expected<PixelSize, LayoutError> frame_pixel_size(Size viewport, double scale_factor);

// A premultiplied ARGB32 image surface that frames are painted into. Owns its Cairo surface.
class FrameSurface {
 public:
  static std::expected<FrameSurface, LayoutError> create(int width_px, int height_px);

  FrameSurface(FrameSurface&& other) noexcept;
  FrameSurface& operator=(FrameSurface&& other) noexcept;
  FrameSurface(const FrameSurface&) = delete;
  FrameSurface& operator=(const FrameSurface&) = delete;
  ~FrameSurface();

  bool empty() const { return surface_ == nullptr; }
  int width() const;
  int height() const;
  // Rows of 32-bit native-endian 0xAARRGGBB pixels, `stride` bytes apart (for uploading).
  const unsigned char* data() const;
  int stride() const;
  cairo_surface_t* native() const { return surface_; }

  // Paints one frame of `root` (draw_frame) at `scale_factor` pixels per logical pixel.
  void render(Widget& root, DrawContext& ctx, Size viewport, double scale_factor);
  // Hands the pixels over as an image; the surface is empty afterwards.
  Image release();

 private:
  explicit FrameSurface(cairo_surface_t* surface) : surface_(surface) {}
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace vemo_ui::detail
