#include "toolbar/file_toolbar.h"

#include <algorithm>
#include <utility>

#include "i18n/i18n.h"
#include "toolbar/toolbar_controls.h"
#include "vemo_ui/icons.h"
#include "vemo_ui/widgets/button.h"
#include "vemo_ui/widgets/toggle_group.h"

namespace fe {
namespace {

using vemo_ui::Button;
using vemo_ui::icons::Icon;

std::unique_ptr<Button> icon_button(const char* id, Icon icon, std::string name,
                                    const vemo_actions::SharedControlQueue& controls, const char* unit) {
  auto button = std::make_unique<Button>(id, std::string{}, controls, vemo_actions::ActionBinding(unit));
  button->with_icon(icon).with_size(FileToolbar::kIconButton).with_accessible_name(std::move(name));
  return button;
}

std::unique_ptr<Button> text_button(const char* id, Icon icon, std::string label,
                                    const vemo_actions::SharedControlQueue& controls, const char* unit) {
  auto button = std::make_unique<Button>(id, label, controls, vemo_actions::ActionBinding(unit));
  button->with_icon(icon).with_size(FileToolbar::kTextButton).with_accessible_name(std::move(label));
  return button;
}

// Places `widget` at its natural width starting at x, vertically centred in `row`; answers its width.
double place(vemo_ui::Widget& widget, vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& row, double x) {
  const auto size = widget.measure(ctx, {vemo_ui::Constraints::Mode::Available, row.width()});
  const double top = row.y0 + (row.height() - size.height) / 2;
  widget.apply_layout(ctx, {x, top, x + size.width, top + size.height});
  return size.width;
}

}  // namespace

FileToolbar::FileToolbar(SharedCommandQueue commands, vemo_actions::SharedControlQueue controls)
    : commands_(std::move(commands)), controls_(std::move(controls)), path_bar_(std::make_unique<PathBar>(commands_)) {
  rebuild_children();
}

void FileToolbar::refresh(const ToolbarState& state, const std::filesystem::path& current,
                          const std::optional<std::filesystem::path>& home, std::vector<std::filesystem::path> roots) {
  // The root builds right after a refresh; rebuilding here too keeps the children true to the
  // state for a caller that lays out without a build.
  const bool changed = state != state_;
  state_ = state;
  if (changed) rebuild_children();
  path_bar_->refresh(current, home, std::move(roots));
}

void FileToolbar::rebuild_children() {
  left_.clear();
  right_.clear();

  auto back = icon_button("files.back", Icon::Back, tr("files-back"), controls_, kBackUnit);
  back->set_enabled(state_.can_go_back);
  left_.push_back(std::move(back));
  if (!compact_) {
    auto forward = icon_button("files.forward", Icon::Forward, tr("files-forward"), controls_, kForwardUnit);
    forward->set_enabled(state_.can_go_forward);
    left_.push_back(std::move(forward));
  }
  auto up = icon_button("files.up", Icon::Up, tr("files-up"), controls_, kUpUnit);
  up->set_enabled(state_.can_go_up);
  left_.push_back(std::move(up));

  if (!compact_) {
    std::vector<vemo_ui::ToggleOption> options{{kViewModeList, tr("files-view-list"), Icon::List},
                                               {kViewModeGrid, tr("files-view-grid"), Icon::Grid}};
    right_.push_back(std::make_unique<vemo_ui::ToggleGroup>("files.view-mode", std::move(options),
                                                            state_.grid_mode ? kViewModeGrid : kViewModeList, controls_,
                                                            vemo_actions::ActionBinding(kViewModeUnit)));
    // List mode sorts from its column headers.
    if (state_.grid_mode) {
      right_.push_back(text_button("files.sort_menu", Icon::Sort, tr("files-sort-by"), controls_, kSortMenuUnit));
    }
  }
  if (state_.inside_archive) {
    if (compact_) {
      right_.push_back(
          icon_button("files.archive.extract", Icon::Extract, tr("files-archive-extract"), controls_, kExtractUnit));
    } else {
      auto extract =
          text_button("files.archive.extract", Icon::Extract, tr("files-archive-extract"), controls_, kExtractUnit);
      // The label is long for a 104 px button; the small size keeps most of it visible.
      extract->with_font_size(12);
      right_.push_back(std::move(extract));
    }
  } else {
    right_.push_back(
        icon_button("files.view_menu", Icon::ViewOptions, tr("files-view-options"), controls_, kViewMenuUnit));
  }
}

std::vector<vemo_ui::Widget*> FileToolbar::children_mut() {
  std::vector<vemo_ui::Widget*> out;
  out.reserve(left_.size() + 1 + right_.size());
  for (auto& w : left_) out.push_back(w.get());
  out.push_back(path_bar_.get());
  for (auto& w : right_) out.push_back(w.get());
  return out;
}

void FileToolbar::build_layout(vemo_ui::LayoutContext& ctx) {
  rebuild_children();
  vemo_ui::Widget::build_layout(ctx);
}

vemo_ui::Size FileToolbar::measure(vemo_ui::LayoutContext& ctx, const vemo_ui::Constraints& c) {
  return {c.width, PathBar::kHeight + ctx.theme.padding};
}

void FileToolbar::apply_layout(vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& bounds) {
  bounds_ = bounds;
  const bool compact = bounds.width() < kCompactWidth;
  if (compact != compact_) {
    compact_ = compact;
    structure_dirty_ = true;
  }
  const auto& theme = ctx.theme;
  const double gap = theme.spacing / 2;
  const vemo_ui::Rect row{bounds.x0 + theme.padding, bounds.y0, bounds.x1 - theme.padding, bounds.y1};

  double x = row.x0;
  for (auto& w : left_) x += place(*w, ctx, row, x) + gap;

  std::vector<double> widths;
  double right_width = 0;
  for (auto& w : right_) {
    widths.push_back(w->measure(ctx, {vemo_ui::Constraints::Mode::Available, row.width()}).width);
    right_width += widths.back();
  }
  if (!right_.empty()) right_width += gap * static_cast<double>(right_.size() - 1);
  double right_x = std::max(x, row.x1 - right_width);
  const double path_x0 = x - gap + theme.spacing;
  const double path_x1 = std::max(path_x0, right_x - theme.spacing);
  const double top = row.y0 + (row.height() - PathBar::kHeight) / 2;
  path_bar_->apply_layout(ctx, {path_x0, top, path_x1, top + PathBar::kHeight});

  for (auto& w : right_) right_x += place(*w, ctx, row, right_x) + gap;
}

void FileToolbar::draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  path_bar_->draw(p, ctx);
  for (auto& w : left_) w->draw(p, ctx);
  for (auto& w : right_) w->draw(p, ctx);
}

vemo_ui::EventResult FileToolbar::handle_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) {
  using vemo_ui::EventResult;
  if (path_bar_->handle_event(e, ctx) == EventResult::Consumed) return EventResult::Consumed;
  for (auto& w : left_) {
    if (w->handle_event(e, ctx) == EventResult::Consumed) return EventResult::Consumed;
  }
  for (auto& w : right_) {
    if (w->handle_event(e, ctx) == EventResult::Consumed) return EventResult::Consumed;
  }
  return EventResult::Ignored;
}

bool FileToolbar::take_structure_dirty() {
  const bool children = vemo_ui::Widget::take_structure_dirty();
  return std::exchange(structure_dirty_, false) || children;
}

}  // namespace fe
