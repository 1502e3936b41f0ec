#include "vemo_ui/widgets/spinner.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "vemo_ui/painter.h"

namespace vemo_ui {

double Spinner::angle_at(Clock::time_point now) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return 2 * std::numbers::pi * static_cast<double>(ms) / 1000.0;
}

Size Spinner::measure(LayoutContext&, const Constraints&) {
  return {size_, size_};
}

void Spinner::paint(Painter& p, const Theme& theme, const Rect& box, double size, Clock::time_point now,
                    bool spinning) {
  const Point c = box.center();
  const double stroke = std::max(2.0, size / 10);
  const double radius = size / 2 - stroke / 2;
  if (radius <= 0) return;
  p.stroke_circle(c, radius, theme.text_secondary.with_alpha(0.2), stroke);
  if (!spinning) return;
  // The painter has no arc primitive; overlapping discs along the arc give a round-capped stroke.
  const double start = angle_at(now);
  const double sweep = 0.75 * 2 * std::numbers::pi;
  const int steps = std::max(8, static_cast<int>(sweep * radius / (stroke * 0.35)));
  for (int i = 0; i <= steps; ++i) {
    const double a = start + sweep * static_cast<double>(i) / steps;
    p.fill_circle({c.x + radius * std::cos(a), c.y + radius * std::sin(a)}, stroke / 2, theme.accent);
  }
}

void Spinner::draw(Painter& p, DrawContext& ctx) {
  paint(p, ctx.theme, bounds_, size_, ctx.now, spinning_);
}

}  // namespace vemo_ui
