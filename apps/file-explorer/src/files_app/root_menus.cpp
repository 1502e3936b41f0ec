// Pop-up menus the root opens: the favourite menu of the places sidebar, and the hand-off of a
// secondary press to the context menu.

#include "files_app/file_explorer_widget.h"
#include "i18n/i18n.h"
#include "model/path_compare.h"
#include "toolbar/file_toolbar.h"
#include "vemo_ui/widgets/context_menu.h"

namespace fe {

void FileExplorerWidget::open_menu(std::vector<MenuEntry> entries, vemo_ui::Point at) {
  menu_ = std::make_unique<vemo_ui::ContextMenu>("files.context_menu");
  menu_commands_.clear();
  for (auto& entry : entries) {
    if (!entry.command) {
      menu_->push(entry.label.empty() ? vemo_ui::MenuItem::separator_line() : vemo_ui::MenuItem::inactive(entry.label));
      continue;
    }
    menu_->push(vemo_ui::MenuItem::action(entry.label, static_cast<std::int64_t>(menu_commands_.size())));
    menu_commands_.push_back(std::move(*entry.command));
  }
  menu_->open_at(at, bounds_);
  structure_dirty_ = true;
}

void FileExplorerWidget::open_favourite_menu(const std::filesystem::path& path, vemo_ui::Point at) {
  std::vector<MenuEntry> entries;
  entries.push_back({tr("files-menu-open"), Command{cmd::NavigateTo{path}}});
  const auto& favourites = sidebar_->favourites.items();
  const bool is_home =
      std::ranges::any_of(favourites, [&](const Favourite& f) { return f.is_home && same_path(f.path, path); });
  if (!is_home) {
    entries.push_back({{}, std::nullopt});
    entries.push_back({tr("files-menu-remove-favourite"), Command{cmd::RemoveFavourite{path}}});
  }
  open_menu(std::move(entries), at);
}

void FileExplorerWidget::open_menu_after_secondary_press() {
  if (state_.pending_favourite_menu) {
    auto path = std::move(*state_.pending_favourite_menu);
    state_.pending_favourite_menu.reset();
    open_favourite_menu(path, state_.pointer);
    return;
  }
  execute(cmd::OpenContextMenu{state_.pointer});
}

void FileExplorerWidget::open_requested_favourite_menu() {
  if (!state_.pending_favourite_menu) return;
  auto path = std::move(*state_.pending_favourite_menu);
  state_.pending_favourite_menu.reset();
  // Beside the favourite's row, as a menu opened from the row itself would sit.
  const auto& list = sidebar_->list;
  const auto& favourites = sidebar_->favourites.items();
  vemo_ui::Point at{sidebar_rect().x0 + 24, sidebar_rect().y0 + 24};
  for (std::size_t i = 0; i < favourites.size() && list.valid; ++i) {
    if (same_path(favourites[i].path, path)) {
      at = {list.left + 24, list.rows_top + list.row_height * static_cast<double>(i + 1)};
      break;
    }
  }
  open_favourite_menu(path, at);
}

vemo_ui::EventResult FileExplorerWidget::route_to_menu(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) {
  auto result = menu_->handle_event(e, ctx);
  if (auto chosen = menu_->take_chosen()) {
    const auto* index = std::get_if<std::int64_t>(&*chosen);
    std::optional<Command> command;
    if (index && *index >= 0 && static_cast<std::size_t>(*index) < menu_commands_.size()) {
      command = menu_commands_[static_cast<std::size_t>(*index)];
    }
    menu_.reset();
    menu_commands_.clear();
    structure_dirty_ = true;
    if (command) execute(*command);
  } else if (!menu_->is_open()) {
    menu_.reset();
    menu_commands_.clear();
    structure_dirty_ = true;
  }
  return result;
}

}  // namespace fe
