#include "vemo_ui/widgets/text_input.h"

#include <algorithm>
#include <cmath>

#include "vemo_ui/painter.h"
#include "vemo_ui/services.h"
#include "vemo_ui/text.h"
#include "vemo_ui/widgets/elide.h"

namespace vemo_ui {

namespace {
constexpr double kCaretWidth = 1.5;
}

TextInput::TextInput(std::string id, std::string placeholder)
    : id_(std::move(id)), placeholder_(std::move(placeholder)) {}

void TextInput::set_text(std::string text) {
  editor_.set_text(std::move(text));
  scroll_x_ = 0;
}

TextInput& TextInput::with_accessible_name(std::string name) {
  accessible_name_ = std::move(name);
  return *this;
}

void TextInput::sync(SyncContext& ctx) {
  if (focused_ == input_active_) return;
  input_active_ = focused_;
  if (ctx.services.set_text_input_active) ctx.services.set_text_input_active(focused_);
}

Size TextInput::measure(LayoutContext& ctx, const Constraints& c) {
  const double line = ctx.text.measure("Ag", font(ctx.theme)).height;
  const double height = std::ceil(line + 2 * ctx.theme.text_field_padding);
  double width = c.width;
  if (c.mode == Constraints::Mode::MinContent) width = 120;
  return {width, height};
}

Rect TextInput::text_area(const Theme& theme) const {
  const double pad = theme.text_field_padding;
  return {bounds_.x0 + pad, bounds_.y0, std::max(bounds_.x0 + pad, bounds_.x1 - pad), bounds_.y1};
}

std::size_t TextInput::offset_at(TextRenderer& text, double font_size, double x) const {
  // Walk the character boundaries and pick the one nearest to x (relative to the text origin).
  const std::string& s = editor_.text();
  std::size_t best = 0;
  double best_distance = std::abs(x);
  for (std::size_t i = utf8_next(s, 0); i <= s.size() && !s.empty(); i = utf8_next(s, i)) {
    const double w = text.measure(std::string_view(s).substr(0, i), font_size).width;
    const double d = std::abs(x - w);
    if (d < best_distance) {
      best_distance = d;
      best = i;
    } else if (w > x) {
      break;
    }
    if (i == s.size()) break;
  }
  return best;
}

void TextInput::draw(Painter& p, DrawContext& ctx) {
  const Theme& theme = ctx.theme;
  if (!bounds_.is_valid()) return;
  const double f = font(theme);
  p.fill_rounded(bounds_, theme.radius, theme.panel_ground);
  p.stroke_rounded(bounds_.inset(0.5), theme.radius, focused_ ? theme.focus_ring : theme.border, focused_ ? 2 : 1);

  const Rect area = text_area(theme);
  const std::string& s = editor_.text();
  const double line = ctx.text.measure("Ag", f).height;
  const double top = (bounds_.y0 + bounds_.y1 - line) / 2;

  // Keep the caret inside the visible area.
  const double caret_x = ctx.text.measure(std::string_view(s).substr(0, editor_.cursor()), f).width;
  const double visible = area.width();
  if (caret_x - scroll_x_ > visible - kCaretWidth) scroll_x_ = caret_x - visible + kCaretWidth;
  if (caret_x - scroll_x_ < 0) scroll_x_ = caret_x;
  const double full = ctx.text.measure(s, f).width;
  scroll_x_ = std::clamp(scroll_x_, 0.0, std::max(0.0, full + kCaretWidth - visible));

  p.save();
  p.clip(area);
  const double origin_x = area.x0 - scroll_x_;
  if (s.empty()) {
    if (!placeholder_.empty()) ctx.text.draw_text(p, placeholder_, {area.x0, top}, f, theme.text_secondary);
  } else {
    if (editor_.has_selection()) {
      auto [from, to] = editor_.selection();
      const double x0 = ctx.text.measure(std::string_view(s).substr(0, from), f).width;
      const double x1 = ctx.text.measure(std::string_view(s).substr(0, to), f).width;
      p.fill_rect({origin_x + x0, top, origin_x + x1, top + line}, focused_ ? theme.selection_fill : theme.hover_fill);
    }
    ctx.text.draw_text(p, s, {origin_x, top}, f, theme.text_primary);
  }
  if (focused_) {
    p.fill_rect({origin_x + caret_x, top, origin_x + caret_x + kCaretWidth, top + line}, theme.text_primary);
  }
  p.restore();
}

EventResult TextInput::handle_key(const Event& e, EventContext& ctx) {
  const Extend extend = e.mods.shift ? Extend::Yes : Extend::No;
  const Unit unit = e.mods.ctrl ? Unit::Word : Unit::Character;
  if (e.mods.primary() && e.key == Key::Character) {
    switch (e.character) {
      case 'a':
        editor_.select_all();
        return EventResult::Consumed;
      case 'c':
        if (editor_.has_selection() && ctx.services.set_clipboard_text) {
          ctx.services.set_clipboard_text(std::string(editor_.selected_text()));
        }
        return EventResult::Consumed;
      case 'x':
        if (editor_.has_selection()) {
          if (ctx.services.set_clipboard_text) ctx.services.set_clipboard_text(std::string(editor_.selected_text()));
          edited(editor_.delete_selection());
        }
        return EventResult::Consumed;
      case 'v':
        if (ctx.services.clipboard_text) {
          if (auto clip = ctx.services.clipboard_text()) edited(editor_.insert(*clip));
        }
        return EventResult::Consumed;
      default:
        return EventResult::Ignored;  // other shortcuts belong to the window
    }
  }
  switch (e.key) {
    case Key::Left:
      editor_.move_left(extend, unit);
      return EventResult::Consumed;
    case Key::Right:
      editor_.move_right(extend, unit);
      return EventResult::Consumed;
    case Key::Home:
      editor_.move_home(extend);
      return EventResult::Consumed;
    case Key::End:
      editor_.move_end(extend);
      return EventResult::Consumed;
    case Key::Backspace:
      edited(editor_.backspace(unit));
      return EventResult::Consumed;
    case Key::Delete:
      edited(editor_.delete_forward(unit));
      return EventResult::Consumed;
    case Key::Enter:
      if (!e.repeat) submitted_ = true;
      return EventResult::Consumed;
    case Key::Escape:
      cancelled_ = true;
      return EventResult::Consumed;
    case Key::Character:
    case Key::Space:
    case Key::Plus:
    case Key::Minus:
    case Key::Equal:
    case Key::Underscore:
    case Key::Question:
      // The characters themselves arrive as text input; the key press must not reach shortcuts.
      return e.mods.alt || e.mods.meta ? EventResult::Ignored : EventResult::Consumed;
    default:
      return EventResult::Ignored;
  }
}

EventResult TextInput::handle_event(const Event& e, EventContext& ctx) {
  switch (e.type) {
    case Event::Type::TextInput:
      if (!focused_ || e.composing) return EventResult::Ignored;
      edited(editor_.insert(e.text));
      return EventResult::Consumed;
    case Event::Type::KeyPress:
      if (!focused_) return EventResult::Ignored;
      return handle_key(e, ctx);
    case Event::Type::PointerPress: {
      if (e.button != PointerButton::Primary || !bounds_.contains(e.position)) return EventResult::Ignored;
      if (!id_.empty()) ctx.request_focus(id_);
      const double x = e.position.x - text_area(ctx.theme).x0 + scroll_x_;
      editor_.set_cursor(offset_at(ctx.text, font(ctx.theme), x), e.mods.shift ? Extend::Yes : Extend::No);
      dragging_ = true;
      return EventResult::Consumed;
    }
    case Event::Type::PointerMove:
      if (!dragging_) return EventResult::Ignored;
      editor_.set_cursor(offset_at(ctx.text, font(ctx.theme), e.position.x - text_area(ctx.theme).x0 + scroll_x_),
                         Extend::Yes);
      return EventResult::Consumed;
    case Event::Type::PointerRelease:
      if (!dragging_ || e.button != PointerButton::Primary) return EventResult::Ignored;
      dragging_ = false;
      return EventResult::Consumed;
    default:
      return EventResult::Ignored;
  }
}

std::optional<a11y::AccessNode> TextInput::accessibility() const {
  a11y::AccessNode node(a11y::Role::TextField);
  const std::string& name = accessible_name_.empty() ? placeholder_ : accessible_name_;
  if (!name.empty()) node.with_name(name);
  node.with_optional_value(editor_.text()).with_bounds(bounds_);
  if (!id_.empty()) node.with_id(id_);
  node.states.focusable = true;
  node.states.focused = focused_;
  return node;
}

bool TextInput::perform_action(a11y::ActionRequest request) {
  if (request != a11y::ActionRequest::Focus) return false;
  focused_ = true;
  return true;
}

void TextInput::identified_rects(std::vector<IdentifiedRect>& out) const {
  if (!id_.empty()) out.push_back({id_, bounds_});
}

}  // namespace vemo_ui
