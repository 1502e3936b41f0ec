#pragma once
// A sidebar beside the content, or over it in a narrow window.
//
// Wide (width ≥ collapse width): the sidebar takes `sidebar_width` on the left, less when the
// content would get under `min_content_width`; the content takes the rest.
// Narrow (width < collapse width): the content takes the whole width and a toggle button sits at
// its bottom-left corner. open_sidebar() slides the sidebar in over the content with a scrim
// behind it; a press on the scrim or Escape closes it. snap_open() opens it without the slide (for
// still images and fixtures).
//
// The toggle button reports its rectangle and invocations under "nav.sidebar_toggle".

#include <chrono>
#include <optional>

#include "vemo_ui/widget.h"
#include "vemo_ui/widgets/button.h"

namespace vemo_ui {

class NavShell : public Widget {
 public:
  static constexpr std::chrono::milliseconds kSlide{180};
  static constexpr double kToggleSize = 36;

  explicit NavShell(double sidebar_width = 320, double collapse_width = 640, double min_content_width = 200);

  void set_sidebar(WidgetBox sidebar) { sidebar_ = std::move(sidebar); }
  void set_content(WidgetBox content) { content_ = std::move(content); }
  Widget* sidebar() { return sidebar_.get(); }
  Widget* content() { return content_.get(); }
  void set_collapse_width(double width) { collapse_width_ = width; }
  double collapse_width() const { return collapse_width_; }
  // Accessible name of the narrow-mode toggle (it shows only an icon).
  void set_toggle_accessible_name(std::string name) { toggle_.with_accessible_name(std::move(name)); }

  // True after a layout narrower than the collapse width.
  bool is_narrow() const { return narrow_; }
  bool is_sidebar_open() const { return open_; }
  // Narrow mode only: whether the sidebar is shown over the content.
  bool sidebar_shown() const { return !narrow_ || open_; }
  void open_sidebar();
  void close_sidebar();
  void toggle_sidebar() { open_ ? close_sidebar() : open_sidebar(); }
  void snap_open();

  // The sidebar's rectangle where it is (or would be, fully open) and the content's.
  Rect sidebar_rect() const { return sidebar_rect_; }
  Rect content_rect() const { return content_rect_; }
  Rect toggle_rect() const { return narrow_ ? toggle_.bounds() : Rect{}; }
  // Slide progress 0…1 of the overlay at `now` (1 in wide mode).
  double slide_progress(Clock::time_point now) const;

  std::string_view type_name() const override { return "NavShell"; }
  std::vector<Widget*> children_mut() override;
  void set_interaction_environment(Services& services) override;
  void sync(SyncContext& ctx) override;
  void build_layout(LayoutContext& ctx) override;
  Size measure(LayoutContext& ctx, const Constraints& c) override;
  void apply_layout(LayoutContext& ctx, const Rect& bounds) override;
  void draw(Painter& p, DrawContext& ctx) override;
  EventResult handle_event(const Event& e, EventContext& ctx) override;
  bool wants_pointer_capture() const override;
  bool needs_animation_frame(Clock::time_point now) const override;
  std::optional<Clock::time_point> next_wake_deadline() const override;
  bool take_structure_dirty() override;
  bool needs_idle_sync() const override;

 private:
  void drain_toggle();

  WidgetBox sidebar_;
  WidgetBox content_;
  Button toggle_;
  double sidebar_width_;
  double collapse_width_;
  double min_content_width_;
  Rect sidebar_rect_;
  Rect content_rect_;
  bool narrow_ = false;
  bool laid_out_ = false;
  bool open_ = false;
  bool snap_ = false;                             // the next slide starts finished
  std::optional<Clock::time_point> slide_start_;  // set at the first frame after opening
};

}  // namespace vemo_ui
