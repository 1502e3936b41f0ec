#include "vemo_ui/widgets/toggle_group.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"

namespace vemo_ui {

namespace {
constexpr double kHeight = 32;
constexpr double kIconSize = 16;
constexpr double kInset = 2;
}  // namespace

ToggleGroup::ToggleGroup(std::string id, std::vector<ToggleOption> options, std::string selected,
                         vemo_actions::SharedControlQueue queue, vemo_actions::ActionBinding binding)
    : id_(std::move(id)),
      options_(std::move(options)),
      selected_(std::move(selected)),
      queue_(std::move(queue)),
      binding_(std::move(binding)) {}

ToggleGroup& ToggleGroup::with_accessible_name(std::string name) {
  accessible_name_ = std::move(name);
  return *this;
}

Rect ToggleGroup::option_rect(std::size_t index) const {
  return index < rects_.size() ? rects_[index] : Rect{};
}

std::vector<double> ToggleGroup::option_widths(LayoutContext& ctx) const {
  std::vector<double> widths;
  widths.reserve(options_.size());
  for (const auto& o : options_) {
    double w = 2 * ctx.theme.padding * 1.5;
    if (o.icon) w += kIconSize + (o.label.empty() ? 0 : 6);
    if (!o.label.empty()) w += ctx.text.measure(o.label, ctx.theme.font_small, FontWeight::Medium).width;
    widths.push_back(std::ceil(w));
  }
  return widths;
}

Size ToggleGroup::measure(LayoutContext& ctx, const Constraints&) {
  double width = 2 * kInset;
  for (double w : option_widths(ctx)) width += w;
  return {width, kHeight};
}

void ToggleGroup::apply_layout(LayoutContext& ctx, const Rect& bounds) {
  bounds_ = bounds;
  const auto widths = option_widths(ctx);
  double natural = 0;
  for (double w : widths) natural += w;
  // Extra width (or a shortfall) is spread over the options in proportion to their natural width.
  const double available = std::max(0.0, bounds.width() - 2 * kInset);
  const double factor = natural > 0 ? available / natural : 0;
  rects_.clear();
  double x = bounds.x0 + kInset;
  for (double w : widths) {
    rects_.push_back({x, bounds.y0 + kInset, x + w * factor, bounds.y1 - kInset});
    x += w * factor;
  }
}

std::optional<std::size_t> ToggleGroup::option_at(Point p) const {
  for (std::size_t i = 0; i < rects_.size(); ++i) {
    if (rects_[i].contains(p)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> ToggleGroup::index_of(std::string_view value) const {
  for (std::size_t i = 0; i < options_.size(); ++i) {
    if (options_[i].value == value) return i;
  }
  return std::nullopt;
}

void ToggleGroup::choose(std::size_t index) {
  selected_ = options_[index].value;
  if (queue_) queue_->push({id_, binding_.unit_for(selected_), selected_});
}

void ToggleGroup::set_focus(bool focused) {
  focused_ = focused;
  if (focused && !focused_option_ && !options_.empty()) focused_option_ = index_of(selected_).value_or(0);
}

void ToggleGroup::draw(Painter& p, DrawContext& ctx) {
  const Theme& theme = ctx.theme;
  if (!bounds_.is_valid()) return;
  const double radius = std::min(theme.radius, bounds_.height() / 2);
  p.fill_rounded(bounds_, radius, theme.surface);
  p.stroke_rounded(bounds_.inset(0.5), radius, surface::edge_on(theme, theme.surface), 1);
  for (std::size_t i = 0; i < options_.size() && i < rects_.size(); ++i) {
    const ToggleOption& o = options_[i];
    const Rect& r = rects_[i];
    const bool selected = o.value == selected_;
    const double inner_radius = std::max(0.0, radius - kInset);
    Color ink = theme.text_secondary;
    if (selected) {
      p.fill_rounded(r, inner_radius, theme.panel_ground);
      p.stroke_rounded(r.inset(0.5), inner_radius, surface::edge_on(theme, theme.panel_ground), 1);
      ink = theme.text_primary;
    } else if (hovered_ == i) {
      p.fill_rounded(r, inner_radius, theme.hover_fill);
      ink = theme.text_primary;
    }
    double content = 0;
    Size t;
    if (!o.label.empty()) {
      t = ctx.text.measure(o.label, theme.font_small, FontWeight::Medium);
      content += t.width;
    }
    if (o.icon) content += kIconSize + (o.label.empty() ? 0 : 6);
    double x = r.x0 + std::max(0.0, (r.width() - content) / 2);
    const double mid = (r.y0 + r.y1) / 2;
    if (o.icon) {
      icons::draw_icon(p, *o.icon, {x, mid - kIconSize / 2, x + kIconSize, mid + kIconSize / 2}, ink);
      x += kIconSize + 6;
    }
    if (!o.label.empty()) {
      p.save();
      p.clip(r);
      ctx.text.draw_text(p, o.label, {x, mid - t.height / 2}, theme.font_small, ink, FontWeight::Medium);
      p.restore();
    }
    if (focused_ && focused_option_ == i) p.stroke_rounded(r.inset(-1), inner_radius + 1, theme.focus_ring, 2);
  }
}

EventResult ToggleGroup::handle_event(const Event& e, EventContext& ctx) {
  switch (e.type) {
    case Event::Type::PointerMove:
      hovered_ = option_at(e.position);
      return pressed_ ? EventResult::Consumed : EventResult::Ignored;
    case Event::Type::PointerLeave:
      hovered_.reset();
      return EventResult::Ignored;
    case Event::Type::PointerPress:
      if (e.button != PointerButton::Primary) return EventResult::Ignored;
      pressed_ = option_at(e.position);
      if (!pressed_) return EventResult::Ignored;
      focused_option_ = pressed_;
      if (!id_.empty()) ctx.request_focus(id_);
      return EventResult::Consumed;
    case Event::Type::PointerRelease: {
      if (e.button != PointerButton::Primary || !pressed_) return EventResult::Ignored;
      const auto pressed = std::exchange(pressed_, std::nullopt);
      if (option_at(e.position) == pressed) choose(*pressed);
      return EventResult::Consumed;
    }
    case Event::Type::KeyPress: {
      if (!focused_ || options_.empty() || e.mods.any_command() || e.mods.alt) return EventResult::Ignored;
      std::size_t current = focused_option_.value_or(index_of(selected_).value_or(0));
      if (e.key == Key::Left) {
        focused_option_ = current > 0 ? current - 1 : 0;
      } else if (e.key == Key::Right) {
        focused_option_ = std::min(current + 1, options_.size() - 1);
      } else if (e.key == Key::Space || e.key == Key::Enter) {
        if (!e.repeat) choose(current);
      } else {
        return EventResult::Ignored;
      }
      return EventResult::Consumed;
    }
    default:
      return EventResult::Ignored;
  }
}

std::optional<a11y::AccessNode> ToggleGroup::accessibility() const {
  a11y::AccessNode node(a11y::Role::Group);
  if (!accessible_name_.empty()) node.with_name(accessible_name_);
  node.with_bounds(bounds_).with_optional_value(selected_.empty() ? std::nullopt : std::optional(selected_));
  if (!id_.empty()) node.with_id(id_);
  node.states.focusable = true;
  node.states.focused = focused_;
  const int count = static_cast<int>(options_.size());
  for (std::size_t i = 0; i < options_.size(); ++i) {
    a11y::AccessNode child(a11y::Role::ToggleButton);
    child.with_name(options_[i].label.empty() ? options_[i].value : options_[i].label)
        .with_position(static_cast<int>(i) + 1, count);
    if (i < rects_.size()) child.with_bounds(rects_[i]);
    if (!id_.empty()) child.with_id(id_ + ":" + options_[i].value);
    child.states.selected = options_[i].value == selected_;
    child.states.focused = focused_ && focused_option_ == i;
    node.children.push_back(std::move(child));
  }
  return node;
}

void ToggleGroup::identified_rects(std::vector<IdentifiedRect>& out) const {
  if (id_.empty()) return;
  out.push_back({id_, bounds_});
  for (std::size_t i = 0; i < options_.size() && i < rects_.size(); ++i) {
    out.push_back({id_ + ":" + options_[i].value, rects_[i]});
  }
}

vemo_actions::ControlAnswer ToggleGroup::invoke_control(const ControlRequest& request) {
  if (id_.empty() || request.control_id != id_) return {};
  auto index = index_of(request.option);
  if (!index) return {vemo_actions::ControlResult::Error, "unknown option: " + request.option};
  choose(*index);
  return {vemo_actions::ControlResult::Handled, {}};
}

}  // namespace vemo_ui
