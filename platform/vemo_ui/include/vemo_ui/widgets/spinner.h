#pragma once
// A busy indicator: an arc turning once a second over a faint ring, `size` logical pixels square.
// While it is part of the tree it asks for animation frames.

#include "vemo_ui/widget.h"

namespace vemo_ui {

class Spinner : public Widget {
 public:
  explicit Spinner(double size = 28) : size_(size) {}

  double size() const { return size_; }
  // A stopped spinner draws its ring only and needs no frames.
  void set_spinning(bool spinning) { spinning_ = spinning; }
  bool is_spinning() const { return spinning_; }
  // The arc's start angle in radians at `now` (one turn per second).
  static double angle_at(Clock::time_point now);

  std::string_view type_name() const override { return "Spinner"; }
  Size measure(LayoutContext& ctx, const Constraints& c) override;
  void draw(Painter& p, DrawContext& ctx) override;
  bool needs_animation_frame(Clock::time_point) const override { return spinning_; }
  // Draws a spinner of `size` centred in `box` (for owners that paint it themselves).
  static void paint(Painter& p, const Theme& theme, const Rect& box, double size, Clock::time_point now,
                    bool spinning = true);

 private:
  double size_;
  bool spinning_ = true;
};

}  // namespace vemo_ui
