#pragma once
// A page that stands in for missing content: an icon or a spinner, a title, a detail line and an
// optional action button, centred in its bounds. Texts wider than the bounds are cut with "…".

#include <memory>
#include <optional>
#include <string>

#include "vemo_ui/icons.h"
#include "vemo_ui/widget.h"
#include "vemo_ui/widgets/button.h"
#include "vemo_ui/widgets/spinner.h"

namespace vemo_ui {

class EmptyState : public Widget {
 public:
  static constexpr double kIconSize = 48;

  EmptyState(std::string title, std::string detail = {});

  EmptyState& with_icon(icons::Icon icon);
  EmptyState& with_spinner(double size = 28);
  // The button belongs to the page; its activations go to its queue.
  Button& with_action(std::string id, std::string label, vemo_actions::SharedControlQueue queue = nullptr,
                      vemo_actions::ActionBinding binding = {});
  EmptyState& with_id(std::string id);

  const std::string& title() const { return title_; }
  const std::string& detail() const { return detail_; }
  Button* action() { return action_.get(); }
  Spinner* spinner() { return spinner_.get(); }
  // Where the parts went at the last layout.
  Rect title_rect() const { return title_rect_; }
  Rect detail_rect() const { return detail_rect_; }

  std::string_view type_name() const override { return "EmptyState"; }
  std::string_view id() const override { return id_; }
  std::vector<Widget*> children_mut() override;
  Size measure(LayoutContext& ctx, const Constraints& c) override;
  void apply_layout(LayoutContext& ctx, const Rect& bounds) override;
  void draw(Painter& p, DrawContext& ctx) override;
  std::optional<a11y::AccessNode> accessibility() const override;

 private:
  double content_height(LayoutContext& ctx, double width);

  std::string id_;
  std::string title_;
  std::string detail_;
  std::optional<icons::Icon> icon_;
  std::unique_ptr<Spinner> spinner_;
  std::unique_ptr<Button> action_;
  Rect visual_rect_;
  Rect title_rect_;
  Rect detail_rect_;
};

}  // namespace vemo_ui
