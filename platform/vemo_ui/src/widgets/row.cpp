#include "vemo_ui/widgets/row.h"

#include <algorithm>

namespace vemo_ui {

Widget& Row::push(WidgetBox child, Sizing sizing) {
  entries_.push_back({std::move(child), sizing});
  return *entries_.back().widget;
}

std::vector<Widget*> Row::children_mut() {
  std::vector<Widget*> out;
  out.reserve(entries_.size());
  for (auto& e : entries_) out.push_back(e.widget.get());
  return out;
}

void Row::set_interaction_environment(Services& services) {
  for (auto& e : entries_) e.widget->set_interaction_environment(services);
}

void Row::sync(SyncContext& ctx) {
  for (auto& e : entries_) e.widget->sync(ctx);
}

// Natural widths of the fixed children (measured for their content), heights of all.
std::vector<Size> Row::natural_sizes(LayoutContext& ctx, double available) {
  std::vector<Size> sizes(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const bool fill = entries_[i].sizing == Sizing::Fill;
    sizes[i] = entries_[i].widget->measure(
        ctx, {fill ? Constraints::Mode::Available : Constraints::Mode::MinContent, available});
  }
  return sizes;
}

Size Row::measure(LayoutContext& ctx, const Constraints& c) {
  const auto sizes = natural_sizes(ctx, std::max(0.0, c.width - 2 * pad_x_));
  double width = 0;
  double height = 0;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (entries_[i].sizing == Sizing::Natural) width += sizes[i].width;
    height = std::max(height, sizes[i].height);
  }
  if (entries_.size() > 1) width += spacing_ * static_cast<double>(entries_.size() - 1);
  width = c.mode == Constraints::Mode::MinContent ? width + 2 * pad_x_ : c.width;
  return {width, height + 2 * pad_y_};
}

void Row::apply_layout(LayoutContext& ctx, const Rect& bounds) {
  bounds_ = bounds;
  const double inner_width = std::max(0.0, bounds.width() - 2 * pad_x_);
  const auto sizes = natural_sizes(ctx, inner_width);
  double used = 0;
  std::size_t fill_count = 0;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (entries_[i].sizing == Sizing::Fill) {
      ++fill_count;
    } else {
      used += sizes[i].width;
    }
  }
  if (entries_.size() > 1) used += spacing_ * static_cast<double>(entries_.size() - 1);
  const double fill_width = fill_count > 0 ? std::max(0.0, inner_width - used) / static_cast<double>(fill_count) : 0;
  const double mid_y = (bounds.y0 + bounds.y1) / 2;
  const double max_height = std::max(0.0, bounds.height() - 2 * pad_y_);
  double x = bounds.x0 + pad_x_;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const double w = entries_[i].sizing == Sizing::Fill ? fill_width : sizes[i].width;
    const double h = std::min(sizes[i].height, max_height);
    entries_[i].widget->apply_layout(ctx, {x, mid_y - h / 2, x + w, mid_y + h / 2});
    x += w + spacing_;
  }
}

}  // namespace vemo_ui
