#pragma once
// Vertical scrolling of one child. The child is laid out at its measured height with its bounds
// shifted up by the offset (x0, y0 − offset, x1, y0 − offset + content height); nothing is
// transformed, so the child's rectangles are window coordinates. Drawing is clipped to the
// viewport and the child's DrawContext::visible is the viewport.
//
// With a persisted key the offset lives in the state document under "scroll:" + key: a new
// Scrollable with the same key (the layout is rebuilt often) starts where the last one was. Only
// user scrolling writes it; clamping to a shorter content does not, so a briefly short list does
// not lose the place.

#include <optional>
#include <string>

#include "vemo_ui/widget.h"

namespace vemo_ui {

class Scrollable : public Widget {
 public:
  static constexpr double kBarWidth = 6;

  explicit Scrollable(WidgetBox child, std::string id = {});
  static std::unique_ptr<Scrollable> with_persisted_offset(std::string key, WidgetBox child);

  double offset() const { return offset_; }
  // Sets the offset (clamped at the next layout) as if the user scrolled.
  void set_offset(double offset);
  const Rect& viewport() const { return bounds_; }
  // The child's rectangle (window coordinates, offset applied).
  Rect content_rect() const { return child_ ? child_->bounds() : Rect{}; }
  double content_height() const { return content_height_; }
  double max_offset() const;
  // Scrolls the least amount that brings `rect` (window coordinates, as the child reports them)
  // into the viewport; a rectangle taller than the viewport shows its top. Takes effect at the
  // next layout.
  void scroll_to_reveal(const Rect& rect);
  Widget* child() { return child_.get(); }
  const std::string& persist_key() const { return key_; }

  std::string_view type_name() const override { return "Scrollable"; }
  std::string_view id() const override { return id_; }
  std::vector<Widget*> children_mut() override;
  void set_interaction_environment(Services& services) override;
  void sync(SyncContext& ctx) override;
  Size measure(LayoutContext& ctx, const Constraints& c) override;
  void apply_layout(LayoutContext& ctx, const Rect& bounds) override;
  void draw(Painter& p, DrawContext& ctx) override;
  EventResult handle_event(const Event& e, EventContext& ctx) override;
  bool wants_pointer_capture() const override;

 private:
  std::string storage_key() const { return "scroll:" + key_; }
  void load(Services& services);
  void store(Services& services);
  void clamp_offset();
  Rect thumb_rect() const;

  WidgetBox child_;
  std::string id_;
  std::string key_;
  double offset_ = 0;
  double content_height_ = 0;
  bool loaded_ = false;
  bool pending_store_ = false;
  std::optional<double> drag_grab_;  // thumb drag: pointer y minus thumb top
};

}  // namespace vemo_ui
