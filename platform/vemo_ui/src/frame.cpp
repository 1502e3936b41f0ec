#include "frame.h"

#include <cairo.h>
#include <fmt/format.h>

#include <cmath>
#include <utility>

namespace vemo_ui::detail {

namespace {
// Cairo's image surfaces address rows with 16-bit sizes internally.
constexpr double max_surface_side = 32767;
}  // namespace

std::expected<void, LayoutError> layout_frame(Widget& root, LayoutContext& ctx, Size viewport, Clock::time_point now,
                                              bool force_rebuild) {
  if (!std::isfinite(viewport.width) || !std::isfinite(viewport.height) || viewport.width <= 0 ||
      viewport.height <= 0) {
    return std::unexpected(
        LayoutError{fmt::format("the viewport {} x {} has no area to lay out in", viewport.width, viewport.height)});
  }
  ctx.viewport = viewport;
  SyncContext sync{ctx.services, now};
  root.sync(sync);
  // Asked every frame, so that the dirty flag is consumed even when a rebuild is forced.
  bool rebuild = root.take_structure_dirty() || force_rebuild;
  // A widget may learn during placement that it needs other children (a toolbar that turns compact
  // at its new width); one more pass settles it within the same frame instead of showing a frame
  // of the old structure. More passes are not made, so a widget that flips forever cannot hang.
  for (int pass = 0; pass < 2; ++pass) {
    if (rebuild) root.build_layout(ctx);
    const Size natural = root.measure(ctx, Constraints{Constraints::Mode::Definite, viewport.width});
    if (!std::isfinite(natural.width) || !std::isfinite(natural.height)) {
      return std::unexpected(LayoutError{fmt::format("{} measured a size that is not finite ({} x {})",
                                                     root.type_name(), natural.width, natural.height)});
    }
    root.apply_layout(ctx, Rect{0, 0, viewport.width, viewport.height});
    if (pass == 0 && !(rebuild = root.take_structure_dirty())) break;
  }
  return {};
}

void draw_frame(Widget& root, Painter& p, DrawContext& ctx, Size viewport) {
  cairo_t* cr = p.native();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  const Color ground = ctx.theme.window;
  cairo_set_source_rgba(cr, ground.r, ground.g, ground.b, ground.a);
  cairo_paint(cr);
  cairo_restore(cr);

  ctx.visible = Rect{0, 0, viewport.width, viewport.height};
  p.save();
  root.draw(p, ctx);
  p.restore();
}

std::expected<PixelSize, LayoutError> frame_pixel_size(Size viewport, double scale_factor) {
  if (!std::isfinite(scale_factor) || scale_factor <= 0) {
    return std::unexpected(LayoutError{fmt::format("the scale factor {} is not positive", scale_factor)});
  }
  // A small tolerance keeps 1280 × 1.0000001 from growing a pixel column.
  const double w = std::ceil(viewport.width * scale_factor - 1e-6);
  const double h = std::ceil(viewport.height * scale_factor - 1e-6);
  if (!std::isfinite(w) || !std::isfinite(h) || w < 1 || h < 1) {
    return std::unexpected(
        LayoutError{fmt::format("the viewport {} x {} has no area to draw in", viewport.width, viewport.height)});
  }
  if (w > max_surface_side || h > max_surface_side) {
    return std::unexpected(LayoutError{fmt::format("a frame of {} x {} pixels is too large", w, h)});
  }
  return PixelSize{static_cast<int>(w), static_cast<int>(h)};
}

std::expected<FrameSurface, LayoutError> FrameSurface::create(int width_px, int height_px) {
  if (width_px <= 0 || height_px <= 0) {
    return std::unexpected(LayoutError{fmt::format("a frame of {} x {} pixels is empty", width_px, height_px)});
  }
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_px, height_px);
  if (const cairo_status_t status = cairo_surface_status(s); status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return std::unexpected(LayoutError{fmt::format("cannot create a frame of {} x {} pixels: {}", width_px, height_px,
                                                   cairo_status_to_string(status))});
  }
  return FrameSurface(s);
}

FrameSurface::FrameSurface(FrameSurface&& other) noexcept : surface_(std::exchange(other.surface_, nullptr)) {}

FrameSurface& FrameSurface::operator=(FrameSurface&& other) noexcept {
  if (this != &other) {
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = std::exchange(other.surface_, nullptr);
  }
  return *this;
}

FrameSurface::~FrameSurface() {
  if (surface_) cairo_surface_destroy(surface_);
}

int FrameSurface::width() const {
  return surface_ ? cairo_image_surface_get_width(surface_) : 0;
}
int FrameSurface::height() const {
  return surface_ ? cairo_image_surface_get_height(surface_) : 0;
}
const unsigned char* FrameSurface::data() const {
  return surface_ ? cairo_image_surface_get_data(surface_) : nullptr;
}
int FrameSurface::stride() const {
  return surface_ ? cairo_image_surface_get_stride(surface_) : 0;
}

void FrameSurface::render(Widget& root, DrawContext& ctx, Size viewport, double scale_factor) {
  if (!surface_) return;
  cairo_t* cr = cairo_create(surface_);
  cairo_scale(cr, scale_factor, scale_factor);
  {
    Painter p(cr, ctx.theme);
    draw_frame(root, p, ctx, viewport);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface_);
}

Image FrameSurface::release() {
  return Image::adopt(std::exchange(surface_, nullptr));
}

}  // namespace vemo_ui::detail
