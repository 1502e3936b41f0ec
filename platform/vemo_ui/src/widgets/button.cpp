#include "vemo_ui/widgets/button.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"

namespace vemo_ui {

namespace {
constexpr double kIconSize = 18;
constexpr double kIconGap = 6;
constexpr double kMinHeight = 32;
constexpr double kDisabledAlpha = 0.45;
}  // namespace

Button::Button(std::string id, std::string label, vemo_actions::SharedControlQueue queue,
               vemo_actions::ActionBinding binding)
    : id_(std::move(id)), label_(std::move(label)), queue_(std::move(queue)), binding_(std::move(binding)) {}

Button& Button::with_icon(icons::Icon icon) {
  icon_ = icon;
  return *this;
}
Button& Button::with_size(Size size) {
  size_ = size;
  return *this;
}
Button& Button::with_style(ButtonStyle style) {
  style_ = style;
  return *this;
}
Button& Button::with_accessible_name(std::string name) {
  accessible_name_ = std::move(name);
  return *this;
}
Button& Button::with_font_size(double points) {
  font_size_ = points;
  return *this;
}

int Button::take_activated() {
  return std::exchange(activations_, 0);
}

void Button::activate() {
  ++activations_;
  if (queue_) queue_->push({id_, binding_.unit_for(), ""});
}

Size Button::measure(LayoutContext& ctx, const Constraints&) {
  if (size_) return *size_;
  const double font = font_size_.value_or(ctx.theme.font_body);
  double width = 2 * ctx.theme.padding * 1.5;
  double height = kMinHeight;
  if (icon_) width += kIconSize;
  if (!label_.empty()) {
    const Size t = ctx.text.measure(label_, font, FontWeight::Medium);
    width += t.width + (icon_ ? kIconGap : 0);
    height = std::max(height, std::ceil(t.height + ctx.theme.padding));
  }
  return {std::ceil(width), height};
}

void Button::draw(Painter& p, DrawContext& ctx) {
  const Theme& theme = ctx.theme;
  const Rect r = bounds_;
  if (!r.is_valid()) return;
  const double radius = std::min(theme.radius, r.height() / 2);

  Color ground{0, 0, 0, 0};
  Color ink = theme.text_primary;
  bool outline = false;
  switch (style_) {
    case ButtonStyle::Primary:
      ground = theme.accent;
      ink = theme.text_on_accent;
      break;
    case ButtonStyle::Destructive:
      ground = theme.destructive;
      ink = theme.text_on_accent;
      break;
    case ButtonStyle::Secondary:
      ground = theme.surface;
      outline = true;
      break;
    case ButtonStyle::Plain:
      break;
  }

  if (!enabled_) p.begin_group();
  if (ground.a > 0) p.fill_rounded(r, radius, ground);
  if (enabled_ && (hovered_ || pressed_)) {
    Color overlay = theme.hover_fill;
    if (pressed_) overlay = overlay.with_alpha(std::min(1.0, overlay.a * 2));
    p.fill_rounded(r, radius, overlay);
  }
  if (outline) p.stroke_rounded(r.inset(0.5), radius, surface::edge_on(theme, ground), 1);

  const double font = font_size_.value_or(theme.font_body);
  double content_width = 0;
  Size text_size;
  if (!label_.empty()) {
    text_size = ctx.text.measure(label_, font, FontWeight::Medium);
    content_width += text_size.width;
  }
  if (icon_) content_width += kIconSize + (label_.empty() ? 0 : kIconGap);
  double x = r.x0 + std::max(0.0, (r.width() - content_width) / 2);
  const double mid_y = (r.y0 + r.y1) / 2;
  if (icon_) {
    icons::draw_icon(p, *icon_, Rect{x, mid_y - kIconSize / 2, x + kIconSize, mid_y + kIconSize / 2}, ink);
    x += kIconSize + kIconGap;
  }
  if (!label_.empty()) {
    p.save();
    p.clip(r);
    ctx.text.draw_text(p, label_, {x, mid_y - text_size.height / 2}, font, ink, FontWeight::Medium);
    p.restore();
  }
  if (!enabled_) p.end_group(kDisabledAlpha);

  if (focused_ && enabled_) p.stroke_rounded(r.inset(-2), radius + 2, theme.focus_ring, 2);
}

EventResult Button::handle_event(const Event& e, EventContext& ctx) {
  switch (e.type) {
    case Event::Type::PointerMove:
      hovered_ = bounds_.contains(e.position);
      return pressed_ ? EventResult::Consumed : EventResult::Ignored;
    case Event::Type::PointerLeave:
      hovered_ = false;
      return EventResult::Ignored;
    case Event::Type::PointerPress:
      if (e.button != PointerButton::Primary || !bounds_.contains(e.position)) return EventResult::Ignored;
      if (!enabled_) return EventResult::Consumed;  // a disabled button still swallows the click
      pressed_ = true;
      if (!id_.empty()) ctx.request_focus(id_);
      return EventResult::Consumed;
    case Event::Type::PointerRelease:
      if (e.button != PointerButton::Primary || !pressed_) return EventResult::Ignored;
      pressed_ = false;
      if (enabled_ && bounds_.contains(e.position)) activate();
      return EventResult::Consumed;
    case Event::Type::KeyPress:
      if (!focused_ || !enabled_ || e.mods.any_command() || e.mods.alt) return EventResult::Ignored;
      if (e.key == Key::Space || e.key == Key::Enter) {
        if (!e.repeat) activate();
        return EventResult::Consumed;
      }
      return EventResult::Ignored;
    default:
      return EventResult::Ignored;
  }
}

std::optional<a11y::AccessNode> Button::accessibility() const {
  a11y::AccessNode node(a11y::Role::Button);
  node.with_name(accessible_name()).with_bounds(bounds_);
  if (!id_.empty()) node.with_id(id_);
  node.states.focusable = enabled_;
  node.states.focused = focused_;
  return node;
}

bool Button::perform_action(a11y::ActionRequest request) {
  if (request != a11y::ActionRequest::Default || !enabled_) return false;
  activate();
  return true;
}

void Button::identified_rects(std::vector<IdentifiedRect>& out) const {
  if (!id_.empty()) out.push_back({id_, bounds_});
}

vemo_actions::ControlAnswer Button::invoke_control(const ControlRequest& request) {
  if (request.control_id != id_ || id_.empty()) return {};
  if (!enabled_) return {vemo_actions::ControlResult::Error, "control is disabled"};
  activate();
  return {vemo_actions::ControlResult::Handled, {}};
}

}  // namespace vemo_ui
