#pragma once
// A text field with a list of completions below it. The list is asked from the completion source
// whenever editing changes the text. Keys while the field is focused:
//
//   Down / Tab        highlight the next completion (wrapping)
//   Up / Shift+Tab    highlight the previous one (from the first back to none, i.e. the typed text)
//   Enter             submit the highlighted completion's value, else the text
//   Escape            close the list when it is open, else cancel
//
// A click on a completion submits it. The list is drawn below the field, over other content:
// the owner calls draw_overlay after everything else; draw() paints only the field.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vemo_ui/widget.h"
#include "vemo_ui/widgets/text_input.h"

namespace vemo_ui {

struct Completion {
  std::string label;
  std::string value;
  bool is_folder = false;
};

using CompletionSource = std::function<std::vector<Completion>(const std::string& text)>;

class Autocomplete : public Widget {
 public:
  static constexpr std::size_t kVisibleRows = 8;
  static constexpr double kRowHeight = 28;

  Autocomplete(std::string id, std::string placeholder, CompletionSource source);

  const std::string& text() const { return input_.text(); }
  void set_text(std::string text) { input_.set_text(std::move(text)); }
  Autocomplete& with_accessible_name(std::string name);

  // Focuses the field with its whole text selected; the list stays closed until the text changes.
  void begin_editing();
  // Closes the list and drops focus; the text stays for the owner to clear.
  void end_editing();
  bool is_editing() const { return editing_; }

  // The submitted value, once.
  std::optional<std::string> take_submitted() { return std::exchange(submitted_, std::nullopt); }
  bool take_cancelled() { return std::exchange(cancelled_, false); }
  // True once after the text changed by editing.
  bool take_dirty() { return std::exchange(dirty_, false); }

  const std::vector<Completion>& completions() const { return completions_; }
  bool is_list_open() const { return list_open_ && !completions_.empty(); }
  std::optional<std::size_t> highlighted() const { return highlighted_; }
  // Asks the source again for the current text and opens the list.
  void refresh_completions();
  // Where the list is drawn (empty when closed).
  Rect list_rect() const;

  void draw_overlay(Painter& p, DrawContext& ctx);

  std::string_view type_name() const override { return "Autocomplete"; }
  std::string_view id() const override { return id_; }
  void sync(SyncContext& ctx) override { input_.sync(ctx); }
  Size measure(LayoutContext& ctx, const Constraints& c) override { return input_.measure(ctx, c); }
  void apply_layout(LayoutContext& ctx, const Rect& bounds) override;
  void draw(Painter& p, DrawContext& ctx) override { input_.draw(p, ctx); }
  EventResult handle_event(const Event& e, EventContext& ctx) override;
  std::optional<a11y::AccessNode> accessibility() const override;
  bool perform_action(a11y::ActionRequest request) override { return input_.perform_action(request); }
  bool is_focusable() const override { return true; }
  void set_focus(bool focused) override { input_.set_focus(focused); }
  bool has_focus() const override { return input_.has_focus(); }
  bool wants_pointer_capture() const override { return input_.wants_pointer_capture(); }
  void identified_rects(std::vector<IdentifiedRect>& out) const override;

 private:
  EventResult handle_list_key(const Event& e);
  std::optional<std::size_t> row_at(Point p) const;
  void step(int direction);
  void submit(std::string value);

  std::string id_;
  TextInput input_;
  CompletionSource source_;
  std::vector<Completion> completions_;
  std::optional<std::size_t> highlighted_;
  std::optional<std::size_t> hovered_;
  std::size_t first_row_ = 0;  // first visible row of the list
  std::optional<std::string> submitted_;
  bool list_open_ = false;
  bool editing_ = false;
  bool cancelled_ = false;
  bool dirty_ = false;
};

}  // namespace vemo_ui
