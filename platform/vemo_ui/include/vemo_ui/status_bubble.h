#pragma once
// The status pill's visibility over time. A poke shows it fully for kHold, then it fades out over
// kFade. While the pointer rests on a visible pill it stays fully visible; when the pointer leaves,
// the hold starts again. The bubble knows only instants; the caller owns the text.
//
//   hidden ──poke──▶ holding ──kHold──▶ fading ──kFade──▶ hidden
//                      ▲  │                │
//                      │  └──hover────▶ held by hover ◀──hover┘
//                      └────────unhover────┘
//
// Frames are needed only while fading; before the fade the run loop can sleep until
// next_deadline(), so an idle window does not spin.

#include <chrono>
#include <optional>
#include <string_view>

#include "vemo_ui/geometry.h"

namespace vemo_ui {

class Painter;
class TextRenderer;

class StatusBubble {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kHold = std::chrono::milliseconds(2500);
  static constexpr Clock::duration kFade = std::chrono::milliseconds(500);

  // Shows the pill anew at `now`.
  void poke(Clock::time_point now);
  // Hides at once.
  void hide();
  void set_hover(bool hovered, Clock::time_point now);
  bool is_hovered() const { return hovered_; }

  bool is_visible(Clock::time_point now) const { return alpha(now) > 0; }
  // 1 while holding (or held by hover), falling linearly to 0 while fading, 0 when hidden.
  double alpha(Clock::time_point now) const;
  // True while the pill is fading and frames must be drawn.
  bool needs_frame(Clock::time_point now) const;
  // The instant the fade begins, while that is still ahead of `now`; none otherwise.
  std::optional<Clock::time_point> next_deadline(Clock::time_point now) const;

  // Natural size of the pill for `text` at `font_size` (before text scaling).
  static Size pill_size(TextRenderer& text, std::string_view label, double font_size);
  // Draws the pill filling `rect` with `label` at the theme's small size, composited with `alpha`.
  static void draw_pill(Painter& p, TextRenderer& text, const Rect& rect, std::string_view label, double alpha);

 private:
  std::optional<Clock::time_point> shown_at_;
  bool hovered_ = false;
  bool held_by_hover_ = false;
};

}  // namespace vemo_ui
