#pragma once
// The editing core of a single-line text field: UTF-8 text, a cursor and a selection anchor, both
// byte offsets that always sit on character boundaries. No drawing and no events, so every editing
// rule is testable on its own.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace vemo_ui {

enum class Extend : unsigned char { No, Yes };
enum class Unit : unsigned char { Character, Word };

class LineEditor {
 public:
  const std::string& text() const { return text_; }
  // Replaces the text; the cursor goes to its end with nothing selected.
  void set_text(std::string text);

  std::size_t cursor() const { return cursor_; }
  std::size_t anchor() const { return anchor_; }
  bool has_selection() const { return cursor_ != anchor_; }
  // The selected byte range, ordered.
  std::pair<std::size_t, std::size_t> selection() const;
  std::string_view selected_text() const;

  // Moves to `offset`, snapped back to a character boundary.
  void set_cursor(std::size_t offset, Extend extend = Extend::No);
  void move_left(Extend extend, Unit unit = Unit::Character);
  void move_right(Extend extend, Unit unit = Unit::Character);
  void move_home(Extend extend);
  void move_end(Extend extend);
  void select_all();

  // Each answers whether the text changed. Inserted text replaces the selection; line breaks and
  // tabs become spaces and other control characters are dropped, since the field holds one line.
  bool insert(std::string_view text);
  bool backspace(Unit unit = Unit::Character);
  bool delete_forward(Unit unit = Unit::Character);
  bool delete_selection();

 private:
  std::size_t word_left(std::size_t from) const;
  std::size_t word_right(std::size_t from) const;

  std::string text_;
  std::size_t cursor_ = 0;
  std::size_t anchor_ = 0;
};

}  // namespace vemo_ui
