#include "vemo_ui/widgets/line_editor.h"

#include <algorithm>
#include <cctype>

#include "vemo_ui/widgets/elide.h"

namespace vemo_ui {

namespace {
// Letters, digits and every non-ASCII character count as word characters; so do '_' and '-'.
// Separators such as '/', '.' and spaces end a word, which suits names and paths.
bool is_word_byte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || std::isalnum(u) != 0 || c == '_' || c == '-';
}
}  // namespace

void LineEditor::set_text(std::string text) {
  text_ = std::move(text);
  cursor_ = anchor_ = text_.size();
}

std::pair<std::size_t, std::size_t> LineEditor::selection() const {
  return {std::min(cursor_, anchor_), std::max(cursor_, anchor_)};
}

std::string_view LineEditor::selected_text() const {
  auto [from, to] = selection();
  return std::string_view(text_).substr(from, to - from);
}

void LineEditor::set_cursor(std::size_t offset, Extend extend) {
  offset = std::min(offset, text_.size());
  if (offset < text_.size()) offset = utf8_prev(text_, utf8_next(text_, offset));
  cursor_ = offset;
  if (extend == Extend::No) anchor_ = cursor_;
}

std::size_t LineEditor::word_left(std::size_t from) const {
  std::size_t i = from;
  while (i > 0 && !is_word_byte(text_[utf8_prev(text_, i)])) i = utf8_prev(text_, i);
  while (i > 0 && is_word_byte(text_[utf8_prev(text_, i)])) i = utf8_prev(text_, i);
  return i;
}

std::size_t LineEditor::word_right(std::size_t from) const {
  std::size_t i = from;
  while (i < text_.size() && !is_word_byte(text_[i])) i = utf8_next(text_, i);
  while (i < text_.size() && is_word_byte(text_[i])) i = utf8_next(text_, i);
  return i;
}

void LineEditor::move_left(Extend extend, Unit unit) {
  if (extend == Extend::No && has_selection()) {
    cursor_ = anchor_ = selection().first;
    return;
  }
  cursor_ = unit == Unit::Word ? word_left(cursor_) : utf8_prev(text_, cursor_);
  if (extend == Extend::No) anchor_ = cursor_;
}

void LineEditor::move_right(Extend extend, Unit unit) {
  if (extend == Extend::No && has_selection()) {
    cursor_ = anchor_ = selection().second;
    return;
  }
  cursor_ = unit == Unit::Word ? word_right(cursor_) : utf8_next(text_, cursor_);
  if (extend == Extend::No) anchor_ = cursor_;
}

void LineEditor::move_home(Extend extend) {
  cursor_ = 0;
  if (extend == Extend::No) anchor_ = cursor_;
}

void LineEditor::move_end(Extend extend) {
  cursor_ = text_.size();
  if (extend == Extend::No) anchor_ = cursor_;
}

void LineEditor::select_all() {
  anchor_ = 0;
  cursor_ = text_.size();
}

bool LineEditor::delete_selection() {
  if (!has_selection()) return false;
  auto [from, to] = selection();
  text_.erase(from, to - from);
  cursor_ = anchor_ = from;
  return true;
}

bool LineEditor::insert(std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\n' || c == '\r' || c == '\t') {
      clean.push_back(' ');
    } else if (u >= 0x20 && u != 0x7f) {
      clean.push_back(c);
    }
  }
  const bool removed = delete_selection();
  if (clean.empty()) return removed;
  text_.insert(cursor_, clean);
  cursor_ += clean.size();
  anchor_ = cursor_;
  return true;
}

bool LineEditor::backspace(Unit unit) {
  if (delete_selection()) return true;
  if (cursor_ == 0) return false;
  const std::size_t from = unit == Unit::Word ? word_left(cursor_) : utf8_prev(text_, cursor_);
  text_.erase(from, cursor_ - from);
  cursor_ = anchor_ = from;
  return true;
}

bool LineEditor::delete_forward(Unit unit) {
  if (delete_selection()) return true;
  if (cursor_ >= text_.size()) return false;
  const std::size_t to = unit == Unit::Word ? word_right(cursor_) : utf8_next(text_, cursor_);
  text_.erase(cursor_, to - cursor_);
  anchor_ = cursor_;
  return true;
}

}  // namespace vemo_ui
