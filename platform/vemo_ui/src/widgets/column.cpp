#include "vemo_ui/widgets/column.h"

#include <algorithm>

namespace vemo_ui {

Widget& Column::push(WidgetBox child, Sizing sizing) {
  entries_.push_back({std::move(child), sizing});
  return *entries_.back().widget;
}

std::vector<Widget*> Column::children_mut() {
  std::vector<Widget*> out;
  out.reserve(entries_.size());
  for (auto& e : entries_) out.push_back(e.widget.get());
  return out;
}

void Column::set_interaction_environment(Services& services) {
  for (auto& e : entries_) e.widget->set_interaction_environment(services);
}

void Column::sync(SyncContext& ctx) {
  for (auto& e : entries_) e.widget->sync(ctx);
}

Size Column::measure(LayoutContext& ctx, const Constraints& c) {
  const double inner = std::max(0.0, c.width - 2 * padding_);
  double width = 0;
  double height = 0;
  for (auto& e : entries_) {
    Size s = e.widget->measure(ctx, {c.mode, inner});
    width = std::max(width, s.width);
    height += s.height;
  }
  if (entries_.size() > 1) height += spacing_ * static_cast<double>(entries_.size() - 1);
  width = c.mode == Constraints::Mode::MinContent ? width + 2 * padding_ : c.width;
  return {width, height + 2 * padding_};
}

void Column::apply_layout(LayoutContext& ctx, const Rect& bounds) {
  bounds_ = bounds;
  const Rect inner{bounds.x0 + padding_, bounds.y0 + padding_, std::max(bounds.x0 + padding_, bounds.x1 - padding_),
                   std::max(bounds.y0 + padding_, bounds.y1 - padding_)};
  const Constraints c{Constraints::Mode::Definite, inner.width()};
  std::vector<double> heights(entries_.size(), 0);
  double used = 0;
  std::size_t fill_count = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].sizing == Sizing::Fill) {
      ++fill_count;
      continue;
    }
    heights[i] = entries_[i].widget->measure(ctx, c).height;
    used += heights[i];
  }
  if (entries_.size() > 1) used += spacing_ * static_cast<double>(entries_.size() - 1);
  const double fill_height =
      fill_count > 0 ? std::max(0.0, inner.height() - used) / static_cast<double>(fill_count) : 0;
  double y = inner.y0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const double h = entries_[i].sizing == Sizing::Fill ? fill_height : heights[i];
    entries_[i].widget->apply_layout(ctx, {inner.x0, y, inner.x1, y + h});
    y += h + spacing_;
  }
}

}  // namespace vemo_ui
