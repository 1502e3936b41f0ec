// The root's input routing: drag arming and starting, the internal drag and its drop, the children
// in order, and the keyboard shortcuts nobody else consumed.

#include <cmath>

#include "fileops/move_item.h"
#include "files_app/file_explorer_widget.h"
#include "i18n/i18n.h"
#include "model/path_compare.h"
#include "model/utf8.h"
#include "toolbar/file_toolbar.h"
#include "vemo_ui/diag.h"
#include "vemo_ui/dnd.h"
#include "vemo_ui/widgets/context_menu.h"

namespace fe {
namespace {

using vemo_ui::Event;
using vemo_ui::EventResult;
using vemo_ui::Key;

constexpr double kDragStartDistance = 6;

bool moved_past(const vemo_ui::Point& from, const vemo_ui::Point& to, double distance) {
  return std::hypot(to.x - from.x, to.y - from.y) > distance;
}

std::string display_name(const std::filesystem::path& folder) {
  std::string name = utf8_lossy(folder.filename().native());
  return name.empty() ? utf8_lossy(folder.native()) : name;
}

}  // namespace

std::optional<Command> FileExplorerWidget::shortcut_command(const Event& e) const {
  const auto& entries = state_.entry_list();
  const bool primary = e.mods.primary() || e.mods.meta;
  const auto& selection = state_.selection;
  const std::size_t count = entries.size();
  if (primary && e.key == Key::Character) {
    switch (e.character) {
      case 'a':
        return cmd::SelectAll{};
      case 'c':
        return cmd::Copy{};
      case 'x':
        return cmd::Cut{};
      case 'v':
        return cmd::Paste{};
      case 'z':
        return cmd::UndoTrash{};
      case 'h':
        return cmd::ToggleHidden{};
      case 'n':
        if (e.mods.shift) return cmd::NewFolder{};
        return std::nullopt;
      case '0':
        return cmd::SetZoom{0};
      default:
        return std::nullopt;
    }
  }
  if (primary && (e.key == Key::Plus || e.key == Key::Equal)) return cmd::ZoomIn{};
  if (primary && (e.key == Key::Minus || e.key == Key::Underscore)) return cmd::ZoomOut{};
  if (primary) return std::nullopt;
  // The history keys every desktop file manager answers: Alt + Left, Right and Up.
  if (e.mods.alt) {
    if (e.key == Key::Left) return cmd::GoBack{};
    if (e.key == Key::Right) return cmd::GoForward{};
    if (e.key == Key::Up) return cmd::GoUp{};
    return std::nullopt;
  }
  switch (e.key) {
    case Key::Enter:
      if (auto c = selection.cursor(); c && *c < count) return cmd::ActivateEntry{*c};
      return std::nullopt;
    case Key::Down: {
      if (count == 0) return std::nullopt;
      auto c = selection.cursor();
      return cmd::MoveSelection{c ? std::min(*c + 1, count - 1) : 0, e.mods.shift};
    }
    case Key::Up: {
      if (count == 0) return std::nullopt;
      auto c = selection.cursor();
      return cmd::MoveSelection{c && *c > 0 ? *c - 1 : 0, e.mods.shift};
    }
    case Key::End:
      if (count == 0) return std::nullopt;
      return cmd::MoveSelection{count - 1, e.mods.shift};
    case Key::Home:
      if (count == 0) return std::nullopt;
      return cmd::MoveSelection{0, e.mods.shift};
    case Key::Backspace:
      return cmd::GoUp{};
    case Key::Delete:
      return cmd::MoveToTrash{};
    case Key::F1:
    case Key::Question:
      return cmd::ShowShortcuts{};
    case Key::F2:
      return cmd::BeginRename{};
    case Key::F5:
      return cmd::Refresh{};
    default:
      return std::nullopt;
  }
}

EventResult FileExplorerWidget::handle_shortcut(const Event& e) {
  if (e.type != Event::Type::KeyPress || e.repeat || e.composing) return EventResult::Ignored;
  const bool primary = e.mods.primary() || e.mods.meta;
  if (primary && e.is_char('l')) {
    begin_path_editing();
    return EventResult::Consumed;
  }
  if (!primary && e.key == Key::Escape) {
    if (state_.selection.is_empty()) return EventResult::Ignored;
    state_.selection.clear();
    structure_dirty_ = true;
    return EventResult::Consumed;
  }
  if (!primary && e.key == Key::Menu) {
    if (state_.selection.is_empty()) return EventResult::Ignored;
    execute(cmd::OpenContextMenu{context_menu_anchor()});
    return EventResult::Consumed;
  }
  auto command = shortcut_command(e);
  if (!command) return EventResult::Ignored;
  execute(*command);
  return EventResult::Consumed;
}

vemo_ui::Point FileExplorerWidget::context_menu_anchor() const {
  const auto& entries = state_.entry_list();
  if (auto c = state_.selection.cursor(); c && *c < entries.size()) {
    std::vector<vemo_ui::IdentifiedRect> rects;
    identified_rects(rects);
    const std::string wanted = "file_row:" + entries[*c].name;
    for (const auto& r : rects) {
      if (r.id == wanted) return {r.rect.x0 + 24, r.rect.y0 + 24};
    }
  }
  return {bounds_.x0 + 24, bounds_.y0 + 72};
}

void FileExplorerWidget::start_drag() {
  if (state_.drag.dragging) return;
  vemo_ui::diag::write_line("drag begins");
  std::vector<std::filesystem::path> paths;
  const auto& entries = state_.entry_list();
  for (std::size_t i : state_.selection.selected()) {
    if (i < entries.size()) paths.push_back(entries[i].path.fs());
  }
  if (paths.empty() && state_.drag.candidate) paths.push_back(state_.drag.candidate->path);
  state_.drag.candidate.reset();
  if (paths.empty()) return;
  state_.drag.dragging = paths;
  if (services_ && vemo_ui::dnd::start_file_drag(*services_, paths)) {
    vemo_ui::diag::write_line("carrying the drag out of this app as a client drag");
  }
  structure_dirty_ = true;
}

void FileExplorerWidget::finish_drop(vemo_ui::Point p) {
  auto dragged = std::move(*state_.drag.dragging);
  state_.drag.dragging.reset();
  state_.drag.hovered_target.reset();
  const bool pin_drop = state_.drag.pin_drop;
  state_.drag.pin_drop = false;
  structure_dirty_ = true;

  auto target = drop_target_at_paths(p, dragged);
  if (!target) {
    if (pin_drop && dragged.size() == 1 && sidebar_rect().contains(p)) {
      execute(cmd::AddFavourite{dragged.front()});
    } else if (over_dragged_folder(p, dragged)) {
      // Dropped onto itself: no folder lights up as a target, but the user learns why nothing moved.
      set_status(tr("files-nothing-to-move"));
    }
    return;
  }
  std::size_t moved = 0, failed = 0;
  for (const auto& item : dragged) {
    // Never into its own folder, onto itself or into itself.
    if (auto parent = parent_folder(item); parent && same_path(*parent, *target)) continue;
    if (path_starts_with(*target, item)) continue;
    if (move_into(item, *target))
      ++moved;
    else
      ++failed;
  }
  const std::string destination = display_name(*target);
  if (moved > 0) refresh();
  if (failed == 0 && moved > 0) {
    set_status(tr_args("files-moved-to-folder", {{"count", double(moved)}, {"destination", destination}}));
  } else if (failed == 0) {
    set_status(tr("files-nothing-to-move"));
  } else {
    set_status(tr_args("files-moved-with-failures",
                       {{"moved", double(moved)}, {"destination", destination}, {"failed", double(failed)}}));
  }
}

bool FileExplorerWidget::over_dragged_folder(vemo_ui::Point p,
                                             const std::vector<std::filesystem::path>& dragged) const {
  if (!drop_targets_) return false;
  return std::ranges::any_of(*drop_targets_, [&](const DropTarget& target) {
    return target.rect.contains(p) &&
           std::ranges::any_of(dragged, [&](const auto& d) { return same_path(d, target.path); });
  });
}

std::optional<std::filesystem::path> FileExplorerWidget::drop_target_at_paths(
    vemo_ui::Point p, const std::vector<std::filesystem::path>& dragged) const {
  if (drop_targets_) {
    for (const auto& target : *drop_targets_) {
      if (!target.rect.contains(p)) continue;
      const bool is_dragged = std::ranges::any_of(dragged, [&](const auto& d) { return same_path(d, target.path); });
      if (!is_dragged) return target.path;
    }
  }
  if (up_button_rect().contains(p)) return parent_folder(state_.current_path);
  return std::nullopt;
}

EventResult FileExplorerWidget::handle_event(const Event& e, vemo_ui::EventContext& ctx) {
  auto finish = [&](EventResult r) {
    drain_commands();
    drain_controls();
    open_requested_favourite_menu();
    return r;
  };
  // 1. Pointer position and the root's drag start.
  if (e.is_pointer()) state_.pointer = e.position;
  if (e.type == Event::Type::PointerMove && state_.drag.candidate && !state_.drag.dragging &&
      moved_past(state_.drag.candidate->press, e.position, kDragStartDistance)) {
    execute(cmd::StartDrag{state_.drag.candidate});
  }
  // 3. An open menu takes every event.
  if (menu_ && menu_->is_open()) return finish(route_to_menu(e, ctx));
  // 4. A rename in progress owns the keyboard; a press elsewhere commits it.
  if (route_to_rename(e, ctx)) {
    if (state_.renaming) ctx.request_focus(std::string(rename_field_->id()));
    return finish(EventResult::Consumed);
  }
  // 5. An internal drag owns the pointer until its release.
  if (state_.drag.dragging) {
    if (e.type == Event::Type::PointerMove) {
      auto target = drop_target_at_paths(e.position, *state_.drag.dragging);
      if (target != state_.drag.hovered_target) {
        state_.drag.hovered_target = target;
      }
      return finish(EventResult::Consumed);
    }
    if (e.is_release(vemo_ui::PointerButton::Primary)) {
      finish_drop(e.position);
      state_.drag.candidate.reset();
      return finish(EventResult::Consumed);
    }
  }
  // 6. Toolbar, then the navigation shell.
  auto result = Widget::handle_event(e, ctx);
  if (e.is_release(vemo_ui::PointerButton::Primary)) {
    // A press that kept a multi-item selection for a drag that never came selects its item alone.
    if (auto& candidate = state_.drag.candidate; candidate && candidate->keeps_selection) {
      if (auto at = index_of(candidate->path)) execute(cmd::ClickEntry{*at, false, false});
    }
    state_.drag.candidate.reset();
  }
  if (e.is_press(vemo_ui::PointerButton::Secondary)) {
    drain_commands();
    open_menu_after_secondary_press();
    return finish(EventResult::Consumed);
  }
  // 7. Shortcuts.
  if (result == EventResult::Ignored) result = handle_shortcut(e);
  return finish(result);
}

}  // namespace fe
