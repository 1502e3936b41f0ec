#include "vemo_ui/selection_model.h"

#include <algorithm>

namespace vemo_ui {

SelectionModel::SelectionModel(std::size_t count) : bits_(count, false) {}

void SelectionModel::set_count(std::size_t count) {
  if (count < bits_.size()) {
    selected_count_ -=
        static_cast<std::size_t>(std::count(bits_.begin() + static_cast<std::ptrdiff_t>(count), bits_.end(), true));
  }
  bits_.resize(count, false);
  if (cursor_ && *cursor_ >= count) cursor_.reset();
  if (anchor_ && *anchor_ >= count) anchor_.reset();
}

void SelectionModel::set_bit(std::size_t index, bool value) {
  if (bits_[index] == value) return;
  bits_[index] = value;
  if (value) {
    ++selected_count_;
  } else {
    --selected_count_;
  }
}

void SelectionModel::select_range(std::size_t from, std::size_t to) {
  if (from > to) std::swap(from, to);
  for (std::size_t i = from; i <= to; ++i) set_bit(i, true);
}

std::size_t SelectionModel::range_start(std::size_t index) const {
  if (anchor_) return *anchor_;
  if (cursor_) return *cursor_;
  return index;
}

void SelectionModel::select_only(std::size_t index) {
  if (index >= bits_.size()) return;
  if (selected_count_ > 0) {
    std::fill(bits_.begin(), bits_.end(), false);
    selected_count_ = 0;
  }
  set_bit(index, true);
  cursor_ = index;
  anchor_ = index;
}

void SelectionModel::toggle(std::size_t index) {
  if (index >= bits_.size()) return;
  set_bit(index, !bits_[index]);
  cursor_ = index;
  anchor_ = index;
}

void SelectionModel::apply_click(std::size_t index, bool toggle_flag, bool range) {
  if (index >= bits_.size()) return;
  if (!range) {
    if (toggle_flag) {
      toggle(index);
    } else {
      select_only(index);
    }
    return;
  }
  const std::size_t start = range_start(index);
  if (!toggle_flag && selected_count_ > 0) {
    std::fill(bits_.begin(), bits_.end(), false);
    selected_count_ = 0;
  }
  select_range(start, index);
  anchor_ = start;
  cursor_ = index;
}

void SelectionModel::select_all() {
  std::fill(bits_.begin(), bits_.end(), true);
  selected_count_ = bits_.size();
}

void SelectionModel::move_to(std::size_t index, bool extend) {
  if (index >= bits_.size()) return;
  if (!extend) {
    select_only(index);
    return;
  }
  apply_click(index, false, true);
}

void SelectionModel::clear() {
  std::fill(bits_.begin(), bits_.end(), false);
  selected_count_ = 0;
  cursor_.reset();
  anchor_.reset();
}

void SelectionModel::assign(std::span<const std::size_t> indices, std::optional<std::size_t> cursor) {
  std::fill(bits_.begin(), bits_.end(), false);
  selected_count_ = 0;
  for (std::size_t i : indices) {
    if (i < bits_.size()) set_bit(i, true);
  }
  set_cursor(cursor);
}

std::vector<std::size_t> SelectionModel::selected() const {
  std::vector<std::size_t> out;
  out.reserve(selected_count_);
  for (std::size_t i = 0; i < bits_.size() && out.size() < selected_count_; ++i) {
    if (bits_[i]) out.push_back(i);
  }
  return out;
}

void SelectionModel::set_cursor(std::optional<std::size_t> index) {
  if (index && *index >= bits_.size()) index.reset();
  cursor_ = index;
  anchor_ = index;
}

}  // namespace vemo_ui
