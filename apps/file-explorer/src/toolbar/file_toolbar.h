#pragma once
// The toolbar row above the content: Back, Forward, Up on the left, the path bar filling the
// middle, the view controls on the right. Compact below 760 px: Forward, the view-mode toggle and
// Sort by are left out (the view-options menu offers them) and Extract shows its icon only.
//
// The root refreshes it before every build; build_layout then recreates the buttons from that
// state, while the path bar lives as long as the toolbar so that an edit survives rebuilds.
// Controls queue the invocations named in toolbar_controls.h; the path bar queues commands.

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "command/command.h"
#include "path_bar/path_bar.h"
#include "vemo_actions/control.h"
#include "vemo_ui/widget.h"

namespace fe {

struct ToolbarState {
  bool can_go_back = false;
  bool can_go_forward = false;
  bool can_go_up = false;  // the current folder has a parent
  bool grid_mode = false;
  bool inside_archive = false;
  friend bool operator==(const ToolbarState&, const ToolbarState&) = default;
};

class FileToolbar : public vemo_ui::Widget {
 public:
  static constexpr double kCompactWidth = 760;
  static constexpr vemo_ui::Size kIconButton{36, 32};
  static constexpr vemo_ui::Size kTextButton{104, 32};

  FileToolbar(SharedCommandQueue commands, vemo_actions::SharedControlQueue controls);

  void refresh(const ToolbarState& state, const std::filesystem::path& current,
               const std::optional<std::filesystem::path>& home, std::vector<std::filesystem::path> roots);
  // The location shortcut: the path bar shows its field. A caller inside an event should also
  // request focus for PathBar::kInputId so that the run loop's focus follows the field.
  void begin_path_editing() { path_bar_->begin_editing(); }

  const ToolbarState& state() const { return state_; }
  bool is_compact() const { return compact_; }
  PathBar& path_bar() { return *path_bar_; }
  const PathBar& path_bar() const { return *path_bar_; }

  std::string_view type_name() const override { return "FileToolbar"; }
  // Left children, the path bar, right children: the visual order, also the focus order.
  std::vector<vemo_ui::Widget*> children_mut() override;
  void build_layout(vemo_ui::LayoutContext& ctx) override;
  vemo_ui::Size measure(vemo_ui::LayoutContext& ctx, const vemo_ui::Constraints& c) override;
  void apply_layout(vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& bounds) override;
  // The path bar first, then the left and the right children.
  void draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) override;
  // The path field's completion list; the root draws it above the content.
  void draw_overlay(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) { path_bar_->draw_overlay(p, ctx); }
  vemo_ui::EventResult handle_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) override;
  // True once after the compact flag changed, so that the children are rebuilt.
  bool take_structure_dirty() override;

 private:
  void rebuild_children();

  SharedCommandQueue commands_;
  vemo_actions::SharedControlQueue controls_;
  std::unique_ptr<PathBar> path_bar_;
  std::vector<vemo_ui::WidgetBox> left_;
  std::vector<vemo_ui::WidgetBox> right_;
  ToolbarState state_;
  bool compact_ = true;  // until the first layout says otherwise
  bool structure_dirty_ = false;
};

}  // namespace fe
