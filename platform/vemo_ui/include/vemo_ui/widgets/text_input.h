#pragma once
// A single-line editable text field. Typing arrives as TextInput events; keys move the cursor
// (Left/Right, Home/End, Ctrl for words, Shift to select), Backspace/Delete remove, Ctrl+A selects
// everything and Ctrl+C/X/V go through the Services clipboard hooks. Enter and Escape are reported
// once through take_submitted / take_cancelled; the owner decides what they mean.

#include <optional>
#include <string>

#include "vemo_ui/widget.h"
#include "vemo_ui/widgets/line_editor.h"

namespace vemo_ui {

class TextInput : public Widget {
 public:
  explicit TextInput(std::string id = {}, std::string placeholder = {});

  const std::string& text() const { return editor_.text(); }
  // Replaces the text without marking it dirty; the cursor goes to the end.
  void set_text(std::string text);
  void set_placeholder(std::string placeholder) { placeholder_ = std::move(placeholder); }
  const std::string& placeholder() const { return placeholder_; }
  TextInput& with_accessible_name(std::string name);
  void set_font_size(double points) { font_size_ = points; }
  void select_all() { editor_.select_all(); }
  LineEditor& editor() { return editor_; }
  const LineEditor& editor() const { return editor_; }
  // Puts the field where its owner draws it outside the layout pass (over a list row, say).
  void place(const Rect& bounds) { bounds_ = bounds; }

  // True once after the text changed by editing.
  bool take_dirty() { return std::exchange(dirty_, false); }
  // True once after Enter.
  bool take_submitted() { return std::exchange(submitted_, false); }
  // True once after Escape.
  bool take_cancelled() { return std::exchange(cancelled_, false); }

  std::string_view type_name() const override { return "TextInput"; }
  std::string_view id() const override { return id_; }
  void sync(SyncContext& ctx) override;
  Size measure(LayoutContext& ctx, const Constraints& c) override;
  void draw(Painter& p, DrawContext& ctx) override;
  EventResult handle_event(const Event& e, EventContext& ctx) override;
  std::optional<a11y::AccessNode> accessibility() const override;
  bool perform_action(a11y::ActionRequest request) override;
  bool is_focusable() const override { return true; }
  void set_focus(bool focused) override { focused_ = focused; }
  bool has_focus() const override { return focused_; }
  bool wants_pointer_capture() const override { return dragging_; }
  void identified_rects(std::vector<IdentifiedRect>& out) const override;

 private:
  EventResult handle_key(const Event& e, EventContext& ctx);
  std::size_t offset_at(TextRenderer& text, double font_size, double x) const;
  double font(const Theme& theme) const { return font_size_ > 0 ? font_size_ : theme.font_body; }
  Rect text_area(const Theme& theme) const;
  void edited(bool changed) { dirty_ = dirty_ || changed; }

  std::string id_;
  std::string placeholder_;
  std::string accessible_name_;
  LineEditor editor_;
  double font_size_ = 0;
  double scroll_x_ = 0;  // how far the text is shifted left so the cursor stays visible
  bool focused_ = false;
  bool input_active_ = false;  // whether the platform text input is on for us
  bool dragging_ = false;
  bool dirty_ = false;
  bool submitted_ = false;
  bool cancelled_ = false;
};

}  // namespace vemo_ui
