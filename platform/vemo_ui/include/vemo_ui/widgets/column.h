#pragma once
// A vertical stack of owned children. Children keep their natural height; a child pushed with
// Sizing::Fill takes what remains of the column's height (shared equally among several).

#include <string>
#include <vector>

#include "vemo_ui/widget.h"

namespace vemo_ui {

enum class Sizing : unsigned char { Natural, Fill };

class Column : public Widget {
 public:
  explicit Column(std::string id = {}) : id_(std::move(id)) {}

  // Appends a child and answers it, so the caller can keep configuring it.
  Widget& push(WidgetBox child, Sizing sizing = Sizing::Natural);
  void clear() { entries_.clear(); }
  std::size_t size() const { return entries_.size(); }
  Widget* child(std::size_t index) { return index < entries_.size() ? entries_[index].widget.get() : nullptr; }

  void set_spacing(double spacing) { spacing_ = spacing; }
  void set_padding(double padding) { padding_ = padding; }

  std::string_view type_name() const override { return "Column"; }
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
  std::string id_;
  std::vector<Entry> entries_;
  double spacing_ = 0;
  double padding_ = 0;
};

}  // namespace vemo_ui
