#pragma once
// A horizontal line of owned children, each vertically centred at its natural height. A child
// pushed with Sizing::Fill takes the width the others leave (shared equally among several).

#include <string>
#include <vector>

#include "vemo_ui/widgets/column.h"

namespace vemo_ui {

class Row : public Widget {
 public:
  explicit Row(std::string id = {}) : id_(std::move(id)) {}

  Widget& push(WidgetBox child, Sizing sizing = Sizing::Natural);
  void clear() { entries_.clear(); }
  std::size_t size() const { return entries_.size(); }
  Widget* child(std::size_t index) { return index < entries_.size() ? entries_[index].widget.get() : nullptr; }

  void set_spacing(double spacing) { spacing_ = spacing; }
  void set_padding(double horizontal, double vertical) {
    pad_x_ = horizontal;
    pad_y_ = vertical;
  }

  std::string_view type_name() const override { return "Row"; }
  std::string_view id() const override { return id_; }
  std::vector<Widget*> children_mut() override;
  void set_interaction_environment(Services& services) override;
  void sync(SyncContext& ctx) override;
  Size measure(LayoutContext& ctx, const Constraints& c) override;
  void apply_layout(LayoutContext& ctx, const Rect& bounds) override;

 private:
  struct Entry {
    WidgetBox widget;
    Sizing sizing;
  };
  std::vector<Size> natural_sizes(LayoutContext& ctx, double available);

  std::string id_;
  std::vector<Entry> entries_;
  double spacing_ = 0;
  double pad_x_ = 0;
  double pad_y_ = 0;
};

}  // namespace vemo_ui
