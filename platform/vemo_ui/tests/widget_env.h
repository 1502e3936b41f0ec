#pragma once
// A headless environment for driving widgets in tests: a text renderer, the light theme, services
// and the contexts built from them.

#include <chrono>
#include <vector>

#include "vemo_ui/services.h"
#include "vemo_ui/text.h"
#include "vemo_ui/theme.h"
#include "vemo_ui/widget.h"

namespace vemo_ui::testing {

struct WidgetEnv {
  TextRenderer text;
  Theme theme = Theme::light();
  Services services;
  Clock::time_point now = Clock::time_point{} + std::chrono::hours(1);

  LayoutContext layout_ctx(Size viewport = {1280, 800}) { return {text, theme, services, 1.0, 1.0, viewport}; }
  EventContext event_ctx() { return {text, theme, services, now, std::nullopt}; }

  void lay_out(Widget& w, const Rect& r) {
    auto ctx = layout_ctx({r.x1, r.y1});
    w.build_layout(ctx);
    w.apply_layout(ctx, r);
  }
  EventResult send(Widget& w, const Event& e) {
    auto ctx = event_ctx();
    return w.handle_event(e, ctx);
  }
  EventResult press(Widget& w, Point p, PointerButton b = PointerButton::Primary, Modifiers m = {}) {
    return send(w, Event::pointer(Event::Type::PointerPress, p, b, m));
  }
  EventResult release(Widget& w, Point p, PointerButton b = PointerButton::Primary) {
    return send(w, Event::pointer(Event::Type::PointerRelease, p, b));
  }
  EventResult move(Widget& w, Point p) { return send(w, Event::pointer(Event::Type::PointerMove, p)); }
  EventResult key(Widget& w, Key k, Modifiers m = {}) { return send(w, Event::key_press(k, m)); }
  EventResult ctrl(Widget& w, char32_t c) {
    Modifiers m;
    m.ctrl = true;
    return send(w, Event::char_press(c, m));
  }
  EventResult type(Widget& w, std::string t) { return send(w, Event::text_input(std::move(t))); }
};

inline Modifiers shift() {
  Modifiers m;
  m.shift = true;
  return m;
}

}  // namespace vemo_ui::testing
