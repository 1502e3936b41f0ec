#include "runtime.h"

#include <cairo.h>

#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"

namespace vemo_ui::detail {
namespace {

constexpr auto kAnimationFrame = std::chrono::milliseconds(16);

void collect_focusable(Widget& w, std::vector<Widget*>& out) {
  if (w.is_focusable() && !w.id().empty()) out.push_back(&w);
  for (Widget* child : w.children_mut()) collect_focusable(*child, out);
}

}  // namespace

Runtime::Runtime(Widget& root, Theme theme, Services& services, double text_scale, double scale_factor)
    : root_(root),
      theme_(std::move(theme)),
      services_(services),
      text_(std::make_unique<TextRenderer>(text_scale)),
      scale_factor_(scale_factor) {
  root_.set_interaction_environment(services_);
}

Runtime::~Runtime() = default;

void Runtime::set_viewport(Size logical) {
  viewport_ = logical;
}
void Runtime::set_scale_factor(double scale) {
  scale_factor_ = scale > 0 ? scale : 1.0;
}

EventResult Runtime::deliver(const Event& e) {
  EventContext ctx{*text_, theme_, services_, Clock::now(), std::nullopt};
  EventResult result = root_.handle_event(e, ctx);
  if (ctx.focus_request) move_focus(*ctx.focus_request);
  if (result == EventResult::Ignored && e.is_key(Key::Tab) && !e.mods.ctrl && !e.mods.alt) {
    traverse_focus(e.mods.shift);
    result = EventResult::Consumed;
  }
  return result;
}

void Runtime::move_focus(const std::string& id) {
  if (id == focused_id_) {
    if (Widget* w = find_widget(root_, id)) w->set_focus(true);
    return;
  }
  if (!focused_id_.empty()) {
    if (Widget* old = find_widget(root_, focused_id_)) old->set_focus(false);
  }
  focused_id_ = id;
  if (Widget* w = find_widget(root_, id)) w->set_focus(true);
}

// Widgets are rebuilt on structural changes; the focus follows the id into the new tree.
void Runtime::restore_focus() {
  if (focused_id_.empty()) return;
  if (Widget* w = find_widget(root_, focused_id_); w && !w->has_focus()) w->set_focus(true);
}

void Runtime::traverse_focus(bool backwards) {
  std::vector<Widget*> focusable;
  collect_focusable(root_, focusable);
  if (focusable.empty()) return;
  auto current = std::ranges::find_if(focusable, [&](Widget* w) { return w->id() == focused_id_; });
  std::size_t index = 0;
  if (current != focusable.end()) {
    auto pos = static_cast<std::size_t>(current - focusable.begin());
    index = backwards ? (pos + focusable.size() - 1) % focusable.size() : (pos + 1) % focusable.size();
  } else if (backwards) {
    index = focusable.size() - 1;
  }
  move_focus(std::string(focusable[index]->id()));
}

bool Runtime::idle_tick() {
  const auto now = Clock::now();
  SyncContext sync{services_, now};
  root_.sync(sync);
  if (root_.take_structure_dirty()) rebuild_pending_ = true;
  return rebuild_pending_ || root_.needs_animation_frame(now);
}

std::expected<void, LayoutError> Runtime::frame() {
  const auto now = Clock::now();
  LayoutContext layout{*text_, theme_, services_, text_->text_scale(), scale_factor_, viewport_};
  if (auto laid_out = layout_frame(root_, layout, viewport_, now, first_frame_ || rebuild_pending_); !laid_out) {
    return std::unexpected(laid_out.error());
  }
  first_frame_ = false;
  rebuild_pending_ = false;
  restore_focus();

  auto pixels = frame_pixel_size(viewport_, scale_factor_);
  if (!pixels) return std::unexpected(pixels.error());
  if (!surface_ || surface_->width() != pixels->width || surface_->height() != pixels->height) {
    auto created = FrameSurface::create(pixels->width, pixels->height);
    if (!created) return std::unexpected(created.error());
    surface_ = std::move(*created);
  }
  DrawContext draw{*text_, theme_, services_, now, std::nullopt};
  surface_->render(root_, draw, viewport_, scale_factor_);
  frame_ = RenderedFrame{Image::adopt(cairo_surface_reference(surface_->native())), pixels->width, pixels->height};
  return {};
}

std::optional<Clock::time_point> Runtime::wake_deadline(Clock::time_point now) const {
  std::optional<Clock::time_point> deadline = root_.next_wake_deadline();
  if (root_.needs_animation_frame(now)) {
    auto next_frame = now + kAnimationFrame;
    if (!deadline || next_frame < *deadline) deadline = next_frame;
  }
  return deadline;
}

const FrameSurface* Runtime::surface() const {
  return surface_ ? &*surface_ : nullptr;
}

}  // namespace vemo_ui::detail
