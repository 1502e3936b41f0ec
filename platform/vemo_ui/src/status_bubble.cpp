#include "vemo_ui/status_bubble.h"

#include <algorithm>
#include <cmath>

#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"

namespace vemo_ui {

namespace {
constexpr double kPadX = 14;
constexpr double kPadY = 6;
}  // namespace

void StatusBubble::poke(Clock::time_point now) {
  shown_at_ = now;
  held_by_hover_ = hovered_;
}

void StatusBubble::hide() {
  shown_at_.reset();
  held_by_hover_ = false;
}

void StatusBubble::set_hover(bool hovered, Clock::time_point now) {
  if (hovered == hovered_) return;
  if (hovered) {
    // Hovering where a hidden pill would be does not bring it back.
    held_by_hover_ = is_visible(now);
  } else if (held_by_hover_) {
    shown_at_ = now;
    held_by_hover_ = false;
  }
  hovered_ = hovered;
}

double StatusBubble::alpha(Clock::time_point now) const {
  if (!shown_at_) return 0;
  if (held_by_hover_) return 1;
  const auto elapsed = now - *shown_at_;
  if (elapsed < kHold) return 1;
  if (elapsed >= kHold + kFade) return 0;
  const double into_fade = std::chrono::duration<double>(elapsed - kHold).count();
  return std::clamp(1.0 - into_fade / std::chrono::duration<double>(kFade).count(), 0.0, 1.0);
}

bool StatusBubble::needs_frame(Clock::time_point now) const {
  if (!shown_at_ || held_by_hover_) return false;
  const auto elapsed = now - *shown_at_;
  return elapsed >= kHold && elapsed < kHold + kFade;
}

std::optional<StatusBubble::Clock::time_point> StatusBubble::next_deadline(Clock::time_point now) const {
  if (!shown_at_ || held_by_hover_) return std::nullopt;
  const auto fade_start = *shown_at_ + kHold;
  if (now >= fade_start) return std::nullopt;
  return fade_start;
}

Size StatusBubble::pill_size(TextRenderer& text, std::string_view label, double font_size) {
  const Size t = text.measure(label, font_size, FontWeight::Medium);
  const double height = std::ceil(t.height + 2 * kPadY);
  return {std::ceil(t.width + 2 * kPadX), height};
}

void StatusBubble::draw_pill(Painter& p, TextRenderer& text, const Rect& rect, std::string_view label, double alpha) {
  if (alpha <= 0 || !rect.is_valid()) return;
  const Theme& theme = p.theme();
  const double radius = rect.height() / 2;
  p.begin_group();
  chrome::shell::panel_shadow(p, rect, radius);
  surface::card(p, rect, theme.panel_ground, radius);
  const double font = theme.font_small;
  const Size t = text.measure(label, font, FontWeight::Medium);
  const Point origin{rect.x0 + (rect.width() - t.width) / 2, rect.y0 + (rect.height() - t.height) / 2};
  p.save();
  p.clip(rect);
  text.draw_text(p, label, origin, font, theme.text_primary, FontWeight::Medium);
  p.restore();
  p.end_group(alpha);
}

}  // namespace vemo_ui
