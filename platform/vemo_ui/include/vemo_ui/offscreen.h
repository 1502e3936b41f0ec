#pragma once
// Rendering a widget tree without a window: one full frame (sync, build, layout, draw) into an
// image, PNG encoding, and an atomic file write. The window and automation use the same frame path.

#include <cstdint>
#include <expected>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "vemo_ui/geometry.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/services.h"
#include "vemo_ui/text.h"
#include "vemo_ui/theme.h"
#include "vemo_ui/widget.h"

namespace vemo_ui {

struct LayoutError {
  std::string message;
};

// A rendered frame: premultiplied ARGB32 pixels of width × height.
struct RenderedFrame {
  Image image;
  int width = 0;
  int height = 0;
};

class OffscreenRenderer {
 public:
  OffscreenRenderer(Theme theme, double text_scale = 1.0, double scale_factor = 1.0);
  ~OffscreenRenderer();

  Services& services() { return services_; }
  TextRenderer& text() { return *text_; }
  const Theme& theme() const { return theme_; }

  // Runs sync, rebuilds when dirty (always on the first frame), lays out for `size` and draws.
  std::expected<RenderedFrame, LayoutError> render_resilient(Widget& root, Size size);
  // Lays out without drawing (for interactions between frames).
  std::expected<void, LayoutError> layout(Widget& root, Size size);

  static std::expected<std::vector<std::uint8_t>, std::string> encode_png(const RenderedFrame& frame);

 private:
  Theme theme_;
  double scale_factor_;
  Services services_;
  std::unique_ptr<TextRenderer> text_;
  bool first_ = true;
};

// Writes bytes to `path` atomically (temporary file beside it, fsync, rename), creating missing
// parent folders.
std::expected<void, std::string> write_file_atomic(const std::filesystem::path& path,
                                                   const std::vector<std::uint8_t>& bytes);

}  // namespace vemo_ui
