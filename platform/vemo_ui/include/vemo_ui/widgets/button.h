#pragma once
// A push button with a label and/or an icon. Activation (a primary press and release inside it, or
// Space/Enter while it has focus, or an invoke_control with its id) pushes
// ControlInvocation{id, binding.unit_for(), ""} on the control queue it was given, and counts one
// activation for take_activated() either way.
//
//   idle ──press inside──▶ pressed ──release inside──▶ activated → idle
//                            └──────release outside──▶ idle

#include <optional>
#include <string>

#include "vemo_actions/control.h"
#include "vemo_ui/icons.h"
#include "vemo_ui/widget.h"

namespace vemo_ui {

enum class ButtonStyle : unsigned char { Primary, Secondary, Destructive, Plain };

class Button : public Widget {
 public:
  Button(std::string id, std::string label, vemo_actions::SharedControlQueue queue = nullptr,
         vemo_actions::ActionBinding binding = {});

  Button& with_icon(icons::Icon icon);
  Button& with_size(Size size);
  Button& with_style(ButtonStyle style);
  Button& with_accessible_name(std::string name);
  Button& with_font_size(double points);
  void set_enabled(bool enabled) { enabled_ = enabled; }
  bool is_enabled() const { return enabled_; }
  void set_label(std::string label) { label_ = std::move(label); }
  const std::string& label() const { return label_; }
  const std::string& accessible_name() const { return accessible_name_.empty() ? label_ : accessible_name_; }

  // Activations since the last call (for owners that do not read the queue).
  int take_activated();
  bool is_pressed() const { return pressed_; }
  bool is_hovered() const { return hovered_; }

  std::string_view type_name() const override { return "Button"; }
  std::string_view id() const override { return id_; }
  Size measure(LayoutContext& ctx, const Constraints& c) override;
  void draw(Painter& p, DrawContext& ctx) override;
  EventResult handle_event(const Event& e, EventContext& ctx) override;
  std::optional<a11y::AccessNode> accessibility() const override;
  bool perform_action(a11y::ActionRequest request) override;
  bool is_focusable() const override { return enabled_; }
  void set_focus(bool focused) override { focused_ = focused; }
  bool has_focus() const override { return focused_; }
  bool wants_pointer_capture() const override { return pressed_; }
  void identified_rects(std::vector<IdentifiedRect>& out) const override;
  vemo_actions::ControlAnswer invoke_control(const ControlRequest& request) override;

 private:
  void activate();

  std::string id_;
  std::string label_;
  std::string accessible_name_;
  vemo_actions::SharedControlQueue queue_;
  vemo_actions::ActionBinding binding_;
  std::optional<icons::Icon> icon_;
  std::optional<Size> size_;
  std::optional<double> font_size_;
  ButtonStyle style_ = ButtonStyle::Secondary;
  bool enabled_ = true;
  bool focused_ = false;
  bool hovered_ = false;
  bool pressed_ = false;
  int activations_ = 0;
};

}  // namespace vemo_ui
