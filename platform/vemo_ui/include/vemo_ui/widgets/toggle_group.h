#pragma once
// A segmented control: one of several options is selected. Choosing an option (a primary press
// and release on it, Space/Enter on the focused option, or invoke_control with the option) selects
// it and pushes ControlInvocation{id, binding.unit_for(option), option} on the queue.

#include <optional>
#include <string>
#include <vector>

#include "vemo_actions/control.h"
#include "vemo_ui/icons.h"
#include "vemo_ui/widget.h"

namespace vemo_ui {

struct ToggleOption {
  std::string value;
  std::string label;
  std::optional<icons::Icon> icon;
};

class ToggleGroup : public Widget {
 public:
  ToggleGroup(std::string id, std::vector<ToggleOption> options, std::string selected,
              vemo_actions::SharedControlQueue queue = nullptr, vemo_actions::ActionBinding binding = {});

  ToggleGroup& with_accessible_name(std::string name);
  const std::string& selected() const { return selected_; }
  void set_selected(std::string value) { selected_ = std::move(value); }
  const std::vector<ToggleOption>& options() const { return options_; }
  // The option under the keyboard focus (the selected one when focus arrives).
  std::optional<std::size_t> focused_option() const { return focused_option_; }
  // Rectangle of option `index` after layout.
  Rect option_rect(std::size_t index) const;

  std::string_view type_name() const override { return "ToggleGroup"; }
  std::string_view id() const override { return id_; }
  Size measure(LayoutContext& ctx, const Constraints& c) override;
  void apply_layout(LayoutContext& ctx, const Rect& bounds) override;
  void draw(Painter& p, DrawContext& ctx) override;
  EventResult handle_event(const Event& e, EventContext& ctx) override;
  std::optional<a11y::AccessNode> accessibility() const override;
  bool is_focusable() const override { return !options_.empty(); }
  void set_focus(bool focused) override;
  bool has_focus() const override { return focused_; }
  bool wants_pointer_capture() const override { return pressed_.has_value(); }
  void identified_rects(std::vector<IdentifiedRect>& out) const override;
  vemo_actions::ControlAnswer invoke_control(const ControlRequest& request) override;

 private:
  std::vector<double> option_widths(LayoutContext& ctx) const;
  std::optional<std::size_t> option_at(Point p) const;
  std::optional<std::size_t> index_of(std::string_view value) const;
  void choose(std::size_t index);

  std::string id_;
  std::vector<ToggleOption> options_;
  std::string selected_;
  std::string accessible_name_;
  vemo_actions::SharedControlQueue queue_;
  vemo_actions::ActionBinding binding_;
  std::vector<Rect> rects_;
  std::optional<std::size_t> hovered_;
  std::optional<std::size_t> pressed_;
  std::optional<std::size_t> focused_option_;
  bool focused_ = false;
};

}  // namespace vemo_ui
