#include "vemo_ui/widgets/empty_state.h"

#include <algorithm>
#include <cmath>

#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"
#include "vemo_ui/widgets/elide.h"

namespace vemo_ui {

namespace {
constexpr double kVisualGap = 14;
constexpr double kTitleGap = 6;
constexpr double kActionGap = 18;
}  // namespace

EmptyState::EmptyState(std::string title, std::string detail) : title_(std::move(title)), detail_(std::move(detail)) {}

EmptyState& EmptyState::with_icon(icons::Icon icon) {
  icon_ = icon;
  spinner_.reset();
  return *this;
}

EmptyState& EmptyState::with_spinner(double size) {
  spinner_ = std::make_unique<Spinner>(size);
  icon_.reset();
  return *this;
}

Button& EmptyState::with_action(std::string id, std::string label, vemo_actions::SharedControlQueue queue,
                                vemo_actions::ActionBinding binding) {
  action_ = std::make_unique<Button>(std::move(id), std::move(label), std::move(queue), std::move(binding));
  action_->with_style(ButtonStyle::Primary);
  return *action_;
}

EmptyState& EmptyState::with_id(std::string id) {
  id_ = std::move(id);
  return *this;
}

std::vector<Widget*> EmptyState::children_mut() {
  std::vector<Widget*> out;
  if (spinner_) out.push_back(spinner_.get());
  if (action_) out.push_back(action_.get());
  return out;
}

double EmptyState::content_height(LayoutContext& ctx, double width) {
  double h = 0;
  if (spinner_) h += spinner_->size() + kVisualGap;
  if (icon_) h += kIconSize + kVisualGap;
  h += std::ceil(ctx.text.measure(title_, ctx.theme.font_title, FontWeight::Medium).height);
  if (!detail_.empty()) h += kTitleGap + std::ceil(ctx.text.measure(detail_, ctx.theme.font_small).height);
  if (action_) h += kActionGap + action_->measure(ctx, {Constraints::Mode::MinContent, width}).height;
  return h;
}

Size EmptyState::measure(LayoutContext& ctx, const Constraints& c) {
  return {c.width, content_height(ctx, c.width) + 2 * ctx.theme.margin};
}

void EmptyState::apply_layout(LayoutContext& ctx, const Rect& bounds) {
  bounds_ = bounds;
  const Theme& theme = ctx.theme;
  const double width = std::max(0.0, bounds.width() - 2 * theme.margin);
  const double cx = (bounds.x0 + bounds.x1) / 2;
  double y = bounds.y0 + std::max(theme.margin, (bounds.height() - content_height(ctx, width)) / 2);
  visual_rect_ = {};
  if (spinner_ || icon_) {
    const double s = spinner_ ? spinner_->size() : kIconSize;
    visual_rect_ = {cx - s / 2, y, cx + s / 2, y + s};
    if (spinner_) spinner_->apply_layout(ctx, visual_rect_);
    y += s + kVisualGap;
  }
  const auto line = [&](const std::string& text, double size, FontWeight weight) {
    const Size t = ctx.text.measure(text, size, weight);
    const double w = std::min(std::ceil(t.width), width);
    Rect r{cx - w / 2, y, cx + w / 2, y + std::ceil(t.height)};
    y = r.y1;
    return r;
  };
  title_rect_ = line(title_, theme.font_title, FontWeight::Medium);
  detail_rect_ = {};
  if (!detail_.empty()) {
    y += kTitleGap;
    detail_rect_ = line(detail_, theme.font_small, FontWeight::Regular);
  }
  if (action_) {
    y += kActionGap;
    const Size s = action_->measure(ctx, {Constraints::Mode::MinContent, width});
    const double w = std::min(s.width, width);
    action_->apply_layout(ctx, {cx - w / 2, y, cx + w / 2, y + s.height});
  }
}

void EmptyState::draw(Painter& p, DrawContext& ctx) {
  const Theme& theme = ctx.theme;
  if (spinner_) spinner_->draw(p, ctx);
  if (icon_) icons::draw_icon(p, *icon_, visual_rect_, theme.text_secondary, 2);
  const auto text_in = [&](const std::string& text, const Rect& r, double size, FontWeight weight, Color color) {
    if (text.empty() || r.width() <= 0) return;
    const std::string shown = elide_end(ctx.text, text, size, r.width() + 0.5, weight);
    const double w = ctx.text.measure(shown, size, weight).width;
    ctx.text.draw_text(p, shown, {(r.x0 + r.x1 - w) / 2, r.y0}, size, color, weight);
  };
  text_in(title_, title_rect_, theme.font_title, FontWeight::Medium, theme.text_primary);
  text_in(detail_, detail_rect_, theme.font_small, FontWeight::Regular, theme.text_secondary);
  if (action_) action_->draw(p, ctx);
}

std::optional<a11y::AccessNode> EmptyState::accessibility() const {
  a11y::AccessNode node(a11y::Role::Group);
  node.with_name(title_).with_bounds(bounds_);
  if (!detail_.empty()) node.with_description(detail_);
  if (!id_.empty()) node.with_id(id_);
  node.states.busy = spinner_ != nullptr;
  return node;
}

}  // namespace vemo_ui
