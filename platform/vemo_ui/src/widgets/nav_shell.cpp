#include "vemo_ui/widgets/nav_shell.h"

#include <algorithm>

#include "vemo_ui/painter.h"

namespace vemo_ui {

namespace {
constexpr double kOverlayGap = 48;  // the overlay leaves this much of the content uncovered
}

NavShell::NavShell(double sidebar_width, double collapse_width, double min_content_width)
    : toggle_("nav.sidebar_toggle", {}),
      sidebar_width_(sidebar_width),
      collapse_width_(collapse_width),
      min_content_width_(min_content_width) {
  toggle_.with_icon(icons::Icon::List).with_size({kToggleSize, kToggleSize}).with_style(ButtonStyle::Secondary);
}

void NavShell::open_sidebar() {
  if (open_) return;
  open_ = true;
  slide_start_.reset();
}

void NavShell::close_sidebar() {
  open_ = false;
  snap_ = false;
  slide_start_.reset();
}

void NavShell::snap_open() {
  open_ = true;
  snap_ = true;
  slide_start_.reset();
}

double NavShell::slide_progress(Clock::time_point now) const {
  if (!narrow_) return 1;
  if (!open_) return 0;
  if (snap_ || !slide_start_) return snap_ ? 1 : 0;
  const double t =
      std::chrono::duration<double>(now - *slide_start_).count() / std::chrono::duration<double>(kSlide).count();
  const double x = std::clamp(t, 0.0, 1.0);
  return 1 - (1 - x) * (1 - x) * (1 - x);  // ease out
}

std::vector<Widget*> NavShell::children_mut() {
  std::vector<Widget*> out;
  // A closed overlay is not part of the window: no events, no drawing, no accessibility node.
  if (sidebar_ && sidebar_shown()) out.push_back(sidebar_.get());
  if (content_) out.push_back(content_.get());
  if (narrow_) out.push_back(&toggle_);
  return out;
}

void NavShell::set_interaction_environment(Services& services) {
  if (sidebar_) sidebar_->set_interaction_environment(services);
  if (content_) content_->set_interaction_environment(services);
}

void NavShell::sync(SyncContext& ctx) {
  if (narrow_ && open_ && !snap_ && !slide_start_) slide_start_ = ctx.now;
  if (sidebar_) sidebar_->sync(ctx);
  if (content_) content_->sync(ctx);
}

void NavShell::build_layout(LayoutContext& ctx) {
  if (sidebar_) sidebar_->build_layout(ctx);
  if (content_) content_->build_layout(ctx);
}

Size NavShell::measure(LayoutContext&, const Constraints& c) {
  return {c.width, 0};
}

void NavShell::apply_layout(LayoutContext& ctx, const Rect& bounds) {
  bounds_ = bounds;
  const bool was_narrow = narrow_;
  narrow_ = bounds.width() < collapse_width_;
  // Crossing the collapse width drops an open overlay; the first layout keeps a snap_open() made
  // before it (fixtures open the sidebar before the window has a size).
  if (laid_out_ && narrow_ != was_narrow) close_sidebar();
  laid_out_ = true;
  if (!narrow_) {
    const double side = std::clamp(bounds.width() - min_content_width_, 0.0, sidebar_width_);
    sidebar_rect_ = {bounds.x0, bounds.y0, bounds.x0 + side, bounds.y1};
    content_rect_ = {bounds.x0 + side, bounds.y0, bounds.x1, bounds.y1};
  } else {
    const double side = std::clamp(bounds.width() - kOverlayGap, 0.0, sidebar_width_);
    sidebar_rect_ = {bounds.x0, bounds.y0, bounds.x0 + side, bounds.y1};
    content_rect_ = bounds;
    const double m = ctx.theme.margin;
    toggle_.apply_layout(ctx, Rect::from_size(bounds.x0 + m, bounds.y1 - m - kToggleSize, kToggleSize, kToggleSize));
  }
  if (sidebar_) sidebar_->apply_layout(ctx, sidebar_rect_);
  if (content_) content_->apply_layout(ctx, content_rect_);
}

void NavShell::draw(Painter& p, DrawContext& ctx) {
  if (content_) content_->draw(p, ctx);
  if (!sidebar_) return;
  if (!narrow_) {
    sidebar_->draw(p, ctx);
    p.line({sidebar_rect_.x1 - 0.5, sidebar_rect_.y0}, {sidebar_rect_.x1 - 0.5, sidebar_rect_.y1},
           surface::edge_on(ctx.theme, ctx.theme.surface), 1);
    return;
  }
  if (!open_) {
    toggle_.draw(p, ctx);
    return;
  }
  const double progress = slide_progress(ctx.now);
  p.save();
  p.clip(bounds_);
  p.fill_rect(bounds_, ctx.theme.scrim.with_alpha(ctx.theme.scrim.a * progress));
  const double shift = -(1 - progress) * sidebar_rect_.width();
  p.translate(shift, 0);
  chrome::shell::panel_shadow(p, sidebar_rect_, 0);
  p.fill_rect(sidebar_rect_, ctx.theme.surface);
  sidebar_->draw(p, ctx);
  p.restore();
}

void NavShell::drain_toggle() {
  if (toggle_.take_activated() % 2 == 1) toggle_sidebar();
}

EventResult NavShell::handle_event(const Event& e, EventContext& ctx) {
  if (narrow_ && open_ && sidebar_) {
    if (sidebar_->handle_event(e, ctx) == EventResult::Consumed) return EventResult::Consumed;
    if (e.is_press(PointerButton::Primary) || e.is_press(PointerButton::Secondary)) {
      if (bounds_.contains(e.position) && !sidebar_rect_.contains(e.position)) {
        close_sidebar();
        return EventResult::Consumed;
      }
    }
    if (e.is_key(Key::Escape)) {
      close_sidebar();
      return EventResult::Consumed;
    }
    // The content under the scrim does not take the pointer.
    if (e.is_pointer() && bounds_.contains(e.position)) return EventResult::Consumed;
    if (content_ && !e.is_pointer()) return content_->handle_event(e, ctx);
    return EventResult::Ignored;
  }
  if (narrow_) {
    const EventResult r = toggle_.handle_event(e, ctx);
    drain_toggle();
    if (r == EventResult::Consumed) return r;
  }
  if (sidebar_ && !narrow_ && sidebar_->handle_event(e, ctx) == EventResult::Consumed) return EventResult::Consumed;
  if (content_) return content_->handle_event(e, ctx);
  return EventResult::Ignored;
}

bool NavShell::wants_pointer_capture() const {
  if (toggle_.wants_pointer_capture()) return true;
  if (sidebar_ && sidebar_shown() && sidebar_->wants_pointer_capture()) return true;
  return content_ && content_->wants_pointer_capture();
}

bool NavShell::needs_animation_frame(Clock::time_point now) const {
  if (narrow_ && open_ && !snap_ && (!slide_start_ || now - *slide_start_ < kSlide)) return true;
  if (sidebar_ && sidebar_->needs_animation_frame(now)) return true;
  return content_ && content_->needs_animation_frame(now);
}

std::optional<Clock::time_point> NavShell::next_wake_deadline() const {
  std::optional<Clock::time_point> earliest;
  for (const Widget* w : {sidebar_.get(), content_.get()}) {
    if (!w) continue;
    if (auto d = w->next_wake_deadline(); d && (!earliest || *d < *earliest)) earliest = d;
  }
  return earliest;
}

bool NavShell::take_structure_dirty() {
  bool dirty = false;
  if (sidebar_) dirty = sidebar_->take_structure_dirty() || dirty;
  if (content_) dirty = content_->take_structure_dirty() || dirty;
  return dirty;
}

bool NavShell::needs_idle_sync() const {
  return (sidebar_ && sidebar_->needs_idle_sync()) || (content_ && content_->needs_idle_sync());
}

}  // namespace vemo_ui
