// The root's layout: the toolbar over the navigation shell, the places sidebar beside (or over)
// the folder content, which is a folder-state page or a scrolled file view; and the overlays drawn
// above everything.

#include <cmath>

#include "files_app/control_units.h"
#include "files_app/file_explorer_widget.h"
#include "files_app/folder_state.h"
#include "i18n/i18n.h"
#include "model/utf8.h"
#include "model/workspace.h"
#include "places/places.h"
#include "places_sidebar/places_sidebar.h"
#include "toolbar/file_toolbar.h"
#include "vemo_ui/icons.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"
#include "vemo_ui/widgets/context_menu.h"
#include "vemo_ui/widgets/empty_state.h"
#include "vemo_ui/widgets/nav_shell.h"
#include "vemo_ui/widgets/scrollable.h"
#include "vemo_ui/widgets/text_input.h"
#include "views/file_view.h"

namespace fe {
namespace {

constexpr char kScrollKey[] = "files.file_view";

}  // namespace

FileExplorerWidget::~FileExplorerWidget() = default;

double FileExplorerWidget::item_scale() const {
  return std::clamp(1 + 0.15 * state_.zoom_level, 0.5, 3.0);
}

std::vector<vemo_ui::Widget*> FileExplorerWidget::children_mut() {
  std::vector<vemo_ui::Widget*> out;
  if (toolbar_) out.push_back(toolbar_.get());
  if (shell_) out.push_back(shell_.get());
  if (state_.renaming) out.push_back(rename_field_.get());
  return out;
}

FolderStateKind FileExplorerWidget::folder_state_kind() const {
  if (state_.loading) return FolderStateKind::Loading;
  if (state_.load_error) return FolderStateKind::LoadError;
  return FolderStateKind::Empty;
}

std::optional<FolderStateTexts> FileExplorerWidget::folder_state_texts() const {
  const std::string display = display_path(state_.current_path, home_);
  if (state_.loading) return loading_texts(display);
  if (state_.load_error) return load_error_texts(*state_.load_error, display);
  if (state_.entry_list().empty()) return empty_texts(current_is_trash());
  return std::nullopt;
}

vemo_ui::WidgetBox FileExplorerWidget::build_content() {
  scroll_ = nullptr;
  view_ = nullptr;
  if (auto texts = folder_state_texts()) {
    auto page = std::make_unique<vemo_ui::EmptyState>(texts->title, texts->detail);
    page->with_id("files.folder_state");
    if (state_.loading) {
      page->with_spinner(28);
    } else if (state_.load_error) {
      page->with_icon(vemo_ui::icons::Icon::Error);
      page->with_action("files.retry", tr("files-try-again"), controls_, vemo_actions::ActionBinding(kRefreshUnit));
    } else {
      page->with_icon(current_is_trash() ? vemo_ui::icons::Icon::Trash : vemo_ui::icons::Icon::Folder);
    }
    return page;
  }
  rename_slot_ = std::make_shared<std::optional<vemo_ui::Rect>>();
  drop_targets_ = std::make_shared<std::vector<DropTarget>>();
  std::unique_ptr<FileView> view;
  FileViewInputs in{state_.selection, state_.entries, state_.zoom_level, text_scale_, state_.renaming,
                    rename_slot_,     drop_targets_,  commands_,         thumbnails_};
  if (state_.view_mode == ViewMode::Grid) {
    view = FileView::grid(std::move(in));
  } else {
    view = FileView::list(std::move(in), state_.sort_key, state_.sort_order == SortOrder::Descending);
  }
  view_ = view.get();
  auto scroll = vemo_ui::Scrollable::with_persisted_offset(kScrollKey, std::move(view));
  scroll_ = scroll.get();
  return scroll;
}

void FileExplorerWidget::build_layout(vemo_ui::LayoutContext& ctx) {
  text_scale_ = ctx.text_scale;
  // 1. The toolbar, refreshed from the state.
  if (!toolbar_) toolbar_ = std::make_unique<FileToolbar>(commands_, controls_);
  toolbar_->refresh(ToolbarState{!state_.back_stack.empty(), !state_.forward_stack.empty(), can_go_up(),
                                 state_.view_mode == ViewMode::Grid, current_in_archive()},
                    state_.current_path, home_, workspace_roots());
  // 2. The navigation shell: sidebar over content below its collapse width.
  const bool was_open = shell_ && shell_->is_narrow() && shell_->is_sidebar_open();
  const bool folder_changed = shell_built_for_ != state_.current_path;
  shell_ = std::make_unique<vemo_ui::NavShell>(320, 640, 200);
  shell_->set_collapse_width(std::max(640 + 900 * std::max(ctx.text_scale - 1, 0.0), 1.0));
  // The narrow window's toggle shows only an icon; it opens the places.
  shell_->set_toggle_accessible_name(tr("files-a11y-places"));
  shell_->set_sidebar(std::make_unique<PlacesSidebar>(
      state_.current_path, system_places(workspace_roots(), trash_files_dir()), sidebar_, commands_));
  shell_->set_content(build_content());
  if (services_) shell_->set_interaction_environment(*services_);
  // 5. A navigation closes the narrow sidebar overlay.
  if (was_open && !folder_changed) shell_->snap_open();
  if (snap_sidebar_open_) shell_->snap_open();
  shell_built_for_ = state_.current_path;
  vemo_ui::Widget::build_layout(ctx);
}

vemo_ui::Size FileExplorerWidget::measure(vemo_ui::LayoutContext&, const vemo_ui::Constraints& c) {
  return {c.width, 0};
}

void FileExplorerWidget::apply_layout(vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& bounds) {
  bounds_ = bounds;
  double toolbar_height = 0;
  if (toolbar_) {
    toolbar_height = toolbar_->measure(ctx, {vemo_ui::Constraints::Mode::Definite, bounds.width()}).height;
    toolbar_->apply_layout(ctx, {bounds.x0, bounds.y0, bounds.x1, bounds.y0 + toolbar_height});
  }
  if (shell_) shell_->apply_layout(ctx, {bounds.x0, bounds.y0 + toolbar_height, bounds.x1, bounds.y1});
}

vemo_ui::Rect FileExplorerWidget::content_rect() const {
  if (shell_) return shell_->content_rect();
  return bounds_;
}

vemo_ui::Rect FileExplorerWidget::sidebar_rect() const {
  if (shell_ && shell_->sidebar_shown()) return shell_->sidebar_rect();
  return {};
}

vemo_ui::Rect FileExplorerWidget::up_button_rect() const {
  std::vector<vemo_ui::IdentifiedRect> rects;
  if (toolbar_) toolbar_->identified_rects(rects);
  for (const auto& r : rects) {
    if (r.id == "files.up") return r.rect;
  }
  return {};
}

void FileExplorerWidget::begin_path_editing() {
  if (toolbar_) toolbar_->begin_path_editing();
}

void FileExplorerWidget::draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  const auto& theme = ctx.theme;
  p.fill_rect(bounds_, theme.window);
  // The rename field is placed from the slot the file view fills while drawing, so it comes after.
  if (toolbar_) toolbar_->draw(p, ctx);
  if (shell_) shell_->draw(p, ctx);
  draw_rename_field(p, ctx);
  draw_overlays(p, ctx);
}

void FileExplorerWidget::draw_overlays(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  const auto& theme = ctx.theme;
  const vemo_ui::Rect content = content_rect();
  // 1. The status pill at the content's bottom-right corner.
  const std::string pill = status_pill_text();
  if (pill != last_pill_text_) {
    last_pill_text_ = pill;
    bubble_.poke(ctx.now);
  }
  const auto size = vemo_ui::StatusBubble::pill_size(ctx.text, pill, theme.font_small);
  const vemo_ui::Rect pill_rect{content.x1 - theme.margin - size.width, content.y1 - theme.margin - size.height,
                                content.x1 - theme.margin, content.y1 - theme.margin};
  pill_rect_ = pill_rect;
  if (const double alpha = bubble_.alpha(ctx.now); alpha > 0) {
    vemo_ui::StatusBubble::draw_pill(p, ctx.text, pill_rect, pill, alpha);
  }
  // 3. The drop highlight on the hovered target.
  if (state_.drag.dragging && state_.drag.hovered_target) {
    std::optional<vemo_ui::Rect> target;
    if (drop_targets_) {
      for (const auto& t : *drop_targets_) {
        if (t.path == *state_.drag.hovered_target) target = t.rect;
      }
    }
    if (!target && up_button_rect().is_valid()) target = up_button_rect();
    if (target) {
      const auto r = target->inset(theme.spacing, theme.spacing / 2);
      p.fill_rounded(r, theme.radius, theme.accent.with_alpha(theme.accent.a * 0.25));
      p.stroke_rounded(r, theme.radius, theme.accent, 2);
    }
  }
  // 4. The drag chip beside the pointer.
  if (state_.drag.dragging && !state_.drag.dragging->empty()) {
    const auto& dragged = *state_.drag.dragging;
    const std::string label = dragged.size() == 1
                                  ? utf8_lossy(dragged.front().filename().native())
                                  : tr_args("files-drag-items", {{"count", static_cast<double>(dragged.size())}});
    const auto text_size = ctx.text.measure(label, theme.font_small);
    const double w = text_size.width + 44;
    const double h = std::max(text_size.height + 2 * theme.padding, 30.0);
    const vemo_ui::Rect chip = vemo_ui::Rect::from_size(state_.pointer.x + 14, state_.pointer.y + 6, w, h);
    vemo_ui::chrome::shell::panel_shadow(p, chip, theme.radius);
    vemo_ui::surface::card(p, chip, theme.panel_ground, theme.radius);
    std::error_code ec;
    const bool is_dir = std::filesystem::is_directory(dragged.front(), ec);
    vemo_ui::icons::draw_icon(p, vemo_ui::icons::icon_for_path(dragged.front(), is_dir),
                              {chip.x0 + 10, chip.y0 + (h - 18) / 2, chip.x0 + 28, chip.y0 + (h + 18) / 2},
                              theme.text_secondary, 1.5);
    ctx.text.draw_text(p, label, {chip.x0 + 34, chip.y0 + (h - text_size.height) / 2}, theme.font_small,
                       theme.text_primary);
  }
  // The path completions, then menus, above everything.
  if (toolbar_) toolbar_->draw_overlay(p, ctx);
  if (menu_ && menu_->is_open()) menu_->draw(p, ctx);
}

}  // namespace fe
