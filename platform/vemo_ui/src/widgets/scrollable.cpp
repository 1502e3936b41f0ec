#include "vemo_ui/widgets/scrollable.h"

#include <algorithm>
#include <cmath>

#include "vemo_ui/painter.h"
#include "vemo_ui/persist.h"
#include "vemo_ui/services.h"

namespace vemo_ui {

namespace {
constexpr double kMinThumb = 24;
constexpr double kBarInset = 2;
}  // namespace

Scrollable::Scrollable(WidgetBox child, std::string id) : child_(std::move(child)), id_(std::move(id)) {}

std::unique_ptr<Scrollable> Scrollable::with_persisted_offset(std::string key, WidgetBox child) {
  auto s = std::make_unique<Scrollable>(std::move(child));
  s->key_ = std::move(key);
  return s;
}

std::vector<Widget*> Scrollable::children_mut() {
  if (!child_) return {};
  return {child_.get()};
}

void Scrollable::set_interaction_environment(Services& services) {
  if (child_) child_->set_interaction_environment(services);
}

void Scrollable::sync(SyncContext& ctx) {
  if (pending_store_) store(ctx.services);
  if (child_) child_->sync(ctx);
}

double Scrollable::max_offset() const {
  return std::max(0.0, content_height_ - bounds_.height());
}

void Scrollable::clamp_offset() {
  offset_ = std::clamp(offset_, 0.0, max_offset());
}

void Scrollable::set_offset(double offset) {
  offset_ = std::max(0.0, offset);
  loaded_ = true;  // an explicit offset wins over the stored one
  pending_store_ = true;
}

void Scrollable::load(Services& services) {
  loaded_ = true;
  if (key_.empty()) return;
  if (persist::Document* doc = services.state()) {
    if (auto stored = doc->number(storage_key()); stored && std::isfinite(*stored)) offset_ = std::max(0.0, *stored);
  }
}

void Scrollable::store(Services& services) {
  pending_store_ = false;
  if (key_.empty()) return;
  if (persist::Document* doc = services.state()) {
    if (doc->number(storage_key()) != offset_) doc->set_number(storage_key(), offset_);
  }
}

void Scrollable::scroll_to_reveal(const Rect& rect) {
  const Rect& view = bounds_;
  double target = offset_;
  if (rect.y0 < view.y0 || rect.height() > view.height()) {
    target -= view.y0 - rect.y0;
  } else if (rect.y1 > view.y1) {
    target += rect.y1 - view.y1;
  }
  if (target != offset_) set_offset(target);
}

Size Scrollable::measure(LayoutContext& ctx, const Constraints& c) {
  if (!child_) return {c.width, 0};
  return child_->measure(ctx, c);
}

void Scrollable::apply_layout(LayoutContext& ctx, const Rect& bounds) {
  bounds_ = bounds;
  if (!loaded_) load(ctx.services);
  if (!child_) return;
  content_height_ = child_->measure(ctx, {Constraints::Mode::Definite, bounds.width()}).height;
  clamp_offset();
  if (pending_store_) store(ctx.services);
  const double top = bounds.y0 - offset_;
  child_->apply_layout(ctx, {bounds.x0, top, bounds.x1, top + content_height_});
}

Rect Scrollable::thumb_rect() const {
  const double view = bounds_.height();
  if (content_height_ <= view || view <= 0) return {};
  const double track = view - 2 * kBarInset;
  const double length = std::max(kMinThumb, track * view / content_height_);
  const double travel = track - length;
  const double top = bounds_.y0 + kBarInset + (max_offset() > 0 ? travel * offset_ / max_offset() : 0);
  return {bounds_.x1 - kBarWidth - kBarInset, top, bounds_.x1 - kBarInset, top + length};
}

void Scrollable::draw(Painter& p, DrawContext& ctx) {
  if (!child_ || !bounds_.is_valid()) return;
  p.save();
  p.clip(bounds_);
  const std::optional<Rect> outer = ctx.visible;
  ctx.visible = outer ? bounds_.intersection(*outer) : bounds_;
  child_->draw(p, ctx);
  ctx.visible = outer;
  if (Rect thumb = thumb_rect(); thumb.is_valid()) {
    p.fill_rounded(thumb, kBarWidth / 2, ctx.theme.text_secondary.with_alpha(drag_grab_ ? 0.7 : 0.45));
  }
  p.restore();
}

bool Scrollable::wants_pointer_capture() const {
  return drag_grab_.has_value() || (child_ && child_->wants_pointer_capture());
}

EventResult Scrollable::handle_event(const Event& e, EventContext& ctx) {
  if (!child_) return EventResult::Ignored;

  // Dragging the thumb.
  if (drag_grab_) {
    if (e.type == Event::Type::PointerMove) {
      const Rect thumb = thumb_rect();
      const double travel = bounds_.height() - 2 * kBarInset - thumb.height();
      if (travel > 0) {
        const double top = e.position.y - *drag_grab_ - bounds_.y0 - kBarInset;
        set_offset(std::clamp(top / travel, 0.0, 1.0) * max_offset());
        store(ctx.services);
      }
      return EventResult::Consumed;
    }
    if (e.type == Event::Type::PointerRelease) {
      drag_grab_.reset();
      return EventResult::Consumed;
    }
  }

  if (e.is_pointer() && !child_->wants_pointer_capture()) {
    if (!bounds_.contains(e.position)) {
      // The child's hidden parts must not react to the pointer; only tell it the pointer left.
      if (e.type == Event::Type::PointerMove) {
        Event leave = e;
        leave.type = Event::Type::PointerLeave;
        child_->handle_event(leave, ctx);
      }
      return EventResult::Ignored;
    }
    if (e.is_press(PointerButton::Primary)) {
      if (Rect thumb = thumb_rect(); thumb.is_valid() && thumb.inset(-2).contains(e.position)) {
        drag_grab_ = e.position.y - thumb.y0;
        return EventResult::Consumed;
      }
    }
  }

  if (child_->handle_event(e, ctx) == EventResult::Consumed) return EventResult::Consumed;

  if (e.type == Event::Type::Scroll && bounds_.contains(e.position) && e.scroll_dy != 0) {
    const double before = offset_;
    offset_ = std::clamp(offset_ + e.scroll_dy, 0.0, max_offset());
    // The child moves at the next layout, which the run loop does before drawing.
    if (offset_ != before) store(ctx.services);
    return EventResult::Consumed;
  }
  return EventResult::Ignored;
}

}  // namespace vemo_ui
