#pragma once
// The frame driver shared by the window and the automation backends: event delivery with keyboard
// focus, then one frame (sync, rebuild when dirty, layout, draw) into an offscreen image.

#include <chrono>
#include <expected>
#include <memory>
#include <optional>
#include <string>

#include "frame.h"
#include "vemo_ui/offscreen.h"
#include "vemo_ui/widget.h"

namespace vemo_ui::detail {

class Runtime {
 public:
  Runtime(Widget& root, Theme theme, Services& services, double text_scale, double scale_factor);
  ~Runtime();

  Widget& root() { return root_; }
  TextRenderer& text() { return *text_; }
  const Theme& theme() const { return theme_; }
  Size viewport() const { return viewport_; }
  void set_viewport(Size logical);
  void set_scale_factor(double scale);
  double scale_factor() const { return scale_factor_; }

  // Delivers one event to the root; focus requests and Tab traversal are applied afterwards.
  EventResult deliver(const Event& e);
  // A wake-up without input: runs sync and answers whether a frame must be drawn (the structure
  // changed or something animates). An idle window then redraws nothing.
  bool idle_tick();
  // One full frame. The pixels stay available until the next frame.
  std::expected<void, LayoutError> frame();
  // The last frame's pixels.
  const RenderedFrame& last_frame() const { return frame_; }
  // The surface the last frame was painted into (for uploading to a window texture).
  const FrameSurface* surface() const;

  // When the loop must wake next: a widget deadline, or the next animation frame.
  std::optional<Clock::time_point> wake_deadline(Clock::time_point now) const;

 private:
  void move_focus(const std::string& id);
  void restore_focus();
  void traverse_focus(bool backwards);

  Widget& root_;
  Theme theme_;
  Services& services_;
  std::unique_ptr<TextRenderer> text_;
  double scale_factor_;
  Size viewport_{1280, 800};
  bool first_frame_ = true;
  bool rebuild_pending_ = false;
  std::string focused_id_;
  std::optional<FrameSurface> surface_;
  RenderedFrame frame_;
};

}  // namespace vemo_ui::detail
