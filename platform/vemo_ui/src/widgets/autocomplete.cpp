#include "vemo_ui/widgets/autocomplete.h"

#include <algorithm>

#include "vemo_ui/icons.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"
#include "vemo_ui/widgets/elide.h"

namespace vemo_ui {

namespace {
constexpr double kListGap = 4;
constexpr double kListPad = 4;
constexpr double kIconSize = 16;
}  // namespace

Autocomplete::Autocomplete(std::string id, std::string placeholder, CompletionSource source)
    : id_(id), input_(std::move(id), std::move(placeholder)), source_(std::move(source)) {}

Autocomplete& Autocomplete::with_accessible_name(std::string name) {
  input_.with_accessible_name(std::move(name));
  return *this;
}

void Autocomplete::begin_editing() {
  editing_ = true;
  input_.set_focus(true);
  input_.select_all();
  list_open_ = false;
  completions_.clear();
  highlighted_.reset();
  submitted_.reset();
  cancelled_ = false;
}

void Autocomplete::end_editing() {
  editing_ = false;
  input_.set_focus(false);
  list_open_ = false;
  completions_.clear();
  highlighted_.reset();
  hovered_.reset();
}

void Autocomplete::refresh_completions() {
  completions_ = source_ ? source_(input_.text()) : std::vector<Completion>{};
  highlighted_.reset();
  hovered_.reset();
  first_row_ = 0;
  list_open_ = !completions_.empty();
}

Rect Autocomplete::list_rect() const {
  if (!is_list_open()) return {};
  const std::size_t rows = std::min(completions_.size(), kVisibleRows);
  const double top = bounds_.y1 + kListGap;
  return {bounds_.x0, top, bounds_.x1, top + static_cast<double>(rows) * kRowHeight + 2 * kListPad};
}

void Autocomplete::apply_layout(LayoutContext& ctx, const Rect& bounds) {
  bounds_ = bounds;
  input_.apply_layout(ctx, bounds);
}

std::optional<std::size_t> Autocomplete::row_at(Point p) const {
  const Rect list = list_rect();
  if (!list.contains(p)) return std::nullopt;
  const double y = p.y - list.y0 - kListPad;
  if (y < 0) return std::nullopt;
  const std::size_t row = first_row_ + static_cast<std::size_t>(y / kRowHeight);
  if (row >= completions_.size() || row >= first_row_ + kVisibleRows) return std::nullopt;
  return row;
}

void Autocomplete::step(int direction) {
  const std::size_t n = completions_.size();
  if (n == 0) return;
  if (direction > 0) {
    highlighted_ = highlighted_ ? (*highlighted_ + 1) % n : 0;
  } else if (!highlighted_) {
    highlighted_ = n - 1;
  } else if (*highlighted_ == 0) {
    highlighted_.reset();
  } else {
    highlighted_ = *highlighted_ - 1;
  }
  // Keep the highlighted row inside the visible window.
  if (highlighted_) {
    if (*highlighted_ < first_row_) first_row_ = *highlighted_;
    if (*highlighted_ >= first_row_ + kVisibleRows) first_row_ = *highlighted_ + 1 - kVisibleRows;
  }
}

void Autocomplete::submit(std::string value) {
  submitted_ = std::move(value);
  list_open_ = false;
  highlighted_.reset();
}

EventResult Autocomplete::handle_list_key(const Event& e) {
  const bool list = is_list_open();
  switch (e.key) {
    case Key::Down:
      if (!list) return EventResult::Ignored;
      step(+1);
      return EventResult::Consumed;
    case Key::Up:
      if (!list) return EventResult::Ignored;
      step(-1);
      return EventResult::Consumed;
    case Key::Tab:
      if (!list) return EventResult::Consumed;  // Tab never leaves an open editor by accident
      step(e.mods.shift ? -1 : +1);
      return EventResult::Consumed;
    case Key::Enter:
      if (e.repeat) return EventResult::Consumed;
      if (list && highlighted_) {
        submit(completions_[*highlighted_].value);
      } else {
        submit(input_.text());
      }
      return EventResult::Consumed;
    case Key::Escape:
      if (list) {
        list_open_ = false;
        highlighted_.reset();
      } else {
        cancelled_ = true;
      }
      return EventResult::Consumed;
    default:
      return EventResult::Ignored;
  }
}

EventResult Autocomplete::handle_event(const Event& e, EventContext& ctx) {
  if (e.is_pointer() && is_list_open() && list_rect().contains(e.position)) {
    hovered_ = row_at(e.position);
    if (e.type == Event::Type::Scroll) {
      const std::size_t max_first = completions_.size() > kVisibleRows ? completions_.size() - kVisibleRows : 0;
      if (e.scroll_dy > 0) first_row_ = std::min(first_row_ + 1, max_first);
      if (e.scroll_dy < 0 && first_row_ > 0) --first_row_;
    } else if (e.is_press(PointerButton::Primary) && hovered_) {
      submit(completions_[*hovered_].value);
    }
    return EventResult::Consumed;
  }
  if (e.type == Event::Type::PointerMove) hovered_.reset();
  if (e.type == Event::Type::KeyPress && input_.has_focus()) {
    if (handle_list_key(e) == EventResult::Consumed) return EventResult::Consumed;
  }
  const EventResult result = input_.handle_event(e, ctx);
  if (input_.take_dirty()) {
    dirty_ = true;
    refresh_completions();
  }
  // Enter and Escape were answered above; the field's own flags are not used.
  input_.take_submitted();
  input_.take_cancelled();
  return result;
}

void Autocomplete::draw_overlay(Painter& p, DrawContext& ctx) {
  if (!is_list_open()) return;
  const Theme& theme = ctx.theme;
  const Rect list = list_rect();
  chrome::shell::panel_shadow(p, list, theme.radius);
  surface::card(p, list, theme.panel_ground, theme.radius);
  p.save();
  p.clip(list.inset(1));
  const double font = theme.font_body;
  const std::size_t end = std::min(completions_.size(), first_row_ + kVisibleRows);
  for (std::size_t i = first_row_; i < end; ++i) {
    const double y = list.y0 + kListPad + static_cast<double>(i - first_row_) * kRowHeight;
    const Rect row{list.x0 + kListPad, y, list.x1 - kListPad, y + kRowHeight};
    const bool lit = highlighted_ == i;
    if (lit) {
      p.fill_rounded(row, std::max(0.0, theme.radius - 2), theme.selection_fill);
    } else if (hovered_ == i) {
      p.fill_rounded(row, std::max(0.0, theme.radius - 2), theme.hover_fill);
    }
    const Completion& c = completions_[i];
    const double mid = (row.y0 + row.y1) / 2;
    const Rect icon{row.x0 + 6, mid - kIconSize / 2, row.x0 + 6 + kIconSize, mid + kIconSize / 2};
    icons::draw_icon(p, c.is_folder ? icons::Icon::Folder : icons::icon_for_path(c.value, false), icon,
                     theme.text_secondary);
    const double text_x = icon.x1 + 8;
    const std::string label = elide_end(ctx.text, c.label, font, row.x1 - 6 - text_x);
    const Size t = ctx.text.measure(label, font);
    ctx.text.draw_text(p, label, {text_x, mid - t.height / 2}, font, theme.text_primary);
  }
  p.restore();
}

std::optional<a11y::AccessNode> Autocomplete::accessibility() const {
  auto node = input_.accessibility();
  if (!node) return node;
  if (is_list_open()) {
    a11y::AccessNode list(a11y::Role::List);
    // The list belongs to the field: it carries the field's name, so a reader announces whose it is.
    if (node->name) list.with_name(*node->name);
    list.with_bounds(list_rect());
    const int count = static_cast<int>(completions_.size());
    for (std::size_t i = 0; i < completions_.size(); ++i) {
      a11y::AccessNode item(a11y::Role::ListItem);
      item.with_name(completions_[i].label).with_position(static_cast<int>(i) + 1, count);
      item.states.selected = highlighted_ == i;
      list.children.push_back(std::move(item));
    }
    node->children.push_back(std::move(list));
  }
  return node;
}

void Autocomplete::identified_rects(std::vector<IdentifiedRect>& out) const {
  if (id_.empty()) return;
  out.push_back({id_, bounds_});
  if (is_list_open()) out.push_back({id_ + ":completions", list_rect()});
}

}  // namespace vemo_ui
