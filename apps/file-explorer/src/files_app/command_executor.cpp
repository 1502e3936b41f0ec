#include "files_app/command_executor.h"

#include <algorithm>
#include <cmath>

#include "fileops/open_item.h"
#include "files_app/file_explorer_widget.h"
#include "i18n/i18n.h"
#include "toolbar/file_toolbar.h"
#include "vemo_ui/diag.h"

namespace fe {
namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// Opens an entry: folders (links followed) are navigated into, files go to the desktop opener.
void open_path(FileExplorerWidget& explorer, const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    explorer.navigate_to(path);
    return;
  }
  if (auto opened = open_with_desktop(path); !opened) explorer.set_status(opened.error());
}

void set_sort(FileExplorerWidget& explorer, SortKey key) {
  explorer.state_mut().sort_key = key;
  explorer.resort();
}

void set_order(FileExplorerWidget& explorer, SortOrder order) {
  if (explorer.state().sort_order == order) return;
  explorer.state_mut().sort_order = order;
  explorer.resort();
}

const char* sort_status_id(SortKey key) {
  switch (key) {
    case SortKey::Name:
      return "files-sort-name";
    case SortKey::Size:
      return "files-sort-size";
    case SortKey::Type:
      return "files-sort-type";
    case SortKey::Modified:
      return "files-sort-date";
  }
  return "files-sort-name";
}

std::vector<std::filesystem::path> selected_paths(const FileExplorerWidget& explorer) {
  std::vector<std::filesystem::path> paths;
  const auto& entries = explorer.state().entry_list();
  for (std::size_t i : explorer.state().selection.selected()) {
    if (i < entries.size()) paths.push_back(entries[i].path.fs());
  }
  return paths;
}

// A new folder under the localized default name, selected and ready to be renamed.
bool new_folder(FileExplorerWidget& explorer) {
  auto created = explorer.create_folder_here(tr("files-new-folder-default-name"), true);
  if (!created) explorer.set_status(tr_args("files-new-folder-failed", {{"error", created.error()}}));
  return created.has_value();
}

}  // namespace

bool writes_files(const Command& command) {
  return std::visit(
      Overloaded{[](const cmd::OpenTerminal&) { return true; }, [](const cmd::NewFolder&) { return true; },
                 [](const cmd::BeginRename&) { return true; }, [](const cmd::CommitRename&) { return true; },
                 [](const cmd::MoveToTrash&) { return true; }, [](const cmd::Copy&) { return true; },
                 [](const cmd::Cut&) { return true; }, [](const cmd::Paste&) { return true; },
                 [](const cmd::Extract&) { return true; }, [](const cmd::CompressSelection&) { return true; },
                 [](const cmd::NewFileFromTemplate&) { return true; }, [](const cmd::ArmDrag&) { return true; },
                 [](const cmd::StartDrag&) { return true; }, [](const auto&) { return false; }},
      command);
}

bool execute_command(FileExplorerWidget& explorer, const Command& command) {
  if (writes_files(command) && explorer.current_in_archive()) {
    explorer.set_status(tr("files-archive-read-only"));
    return false;
  }
  ExplorerState& state = explorer.state_mut();
  const auto& entries = state.entry_list();
  explorer.mark_structure_dirty();

  return std::visit(
      Overloaded{[&](const cmd::NavigateTo& c) {
                   explorer.navigate_to(c.path);
                   return true;
                 },
                 [&](const cmd::OpenPath& c) {
                   open_path(explorer, c.path);
                   return true;
                 },
                 [&](const cmd::GoUp&) {
                   explorer.go_up();
                   return true;
                 },
                 [&](const cmd::GoBack&) {
                   explorer.go_back();
                   return true;
                 },
                 [&](const cmd::GoForward&) {
                   explorer.go_forward();
                   return true;
                 },
                 [&](const cmd::Refresh&) {
                   explorer.refresh();
                   return true;
                 },
                 [&](const cmd::ClickEntry& c) {
                   if (c.index >= entries.size()) return false;
                   state.selection.apply_click(c.index, c.toggle, c.range);
                   return true;
                 },
                 [&](const cmd::SelectForContextMenu& c) {
                   if (!c.index) {
                     state.selection.clear();
                   } else if (*c.index < entries.size() && !state.selection.is_selected(*c.index)) {
                     state.selection.select_only(*c.index);
                   }
                   return true;
                 },
                 [&](const cmd::ActivateEntry& c) {
                   if (c.index >= entries.size()) return false;
                   open_path(explorer, entries[c.index].path.fs());
                   return true;
                 },
                 [&](const cmd::MoveSelection& c) {
                   if (c.target >= entries.size()) return false;
                   state.selection.move_to(c.target, c.extend);
                   return true;
                 },
                 [&](const cmd::SortByColumn& c) {
                   SortKey key = c.column == 2 ? SortKey::Size : c.column == 3 ? SortKey::Modified : SortKey::Name;
                   if (c.column < 1 || c.column > 3) return false;
                   if (state.sort_key == key) {
                     set_order(explorer,
                               state.sort_order == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending);
                   } else {
                     set_sort(explorer, key);
                   }
                   return true;
                 },
                 [&](const cmd::SetViewMode& c) {
                   state.view_mode = c.mode;
                   return true;
                 },
                 [&](const cmd::SortBy& c) {
                   set_sort(explorer, c.key);
                   explorer.set_status(tr(sort_status_id(c.key)));
                   return true;
                 },
                 [&](const cmd::ToggleSortDirection&) {
                   set_order(explorer,
                             state.sort_order == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending);
                   return true;
                 },
                 [&](const cmd::SetSortDirection& c) {
                   set_order(explorer, c.descending ? SortOrder::Descending : SortOrder::Ascending);
                   return true;
                 },
                 [&](const cmd::SelectAll&) {
                   state.selection.select_all();
                   return true;
                 },
                 [&](const cmd::ZoomIn&) {
                   explorer.set_zoom_level(state.zoom_level + 1);
                   return true;
                 },
                 [&](const cmd::ZoomOut&) {
                   explorer.set_zoom_level(state.zoom_level - 1);
                   return true;
                 },
                 [&](const cmd::SetZoom& c) {
                   explorer.set_zoom_level(c.level);
                   return true;
                 },
                 [&](const cmd::ToggleHidden&) {
                   state.show_hidden = !state.show_hidden;
                   explorer.refresh();
                   return true;
                 },
                 [&](const cmd::Copy&) {
                   auto paths = selected_paths(explorer);
                   if (paths.empty()) return false;
                   const auto count = static_cast<double>(paths.size());
                   state.clipboard = Clipboard{std::move(paths), false};
                   explorer.set_status(tr_args("files-copied", {{"count", count}}));
                   return true;
                 },
                 [&](const cmd::Cut&) {
                   auto paths = selected_paths(explorer);
                   if (paths.empty()) return false;
                   const auto count = static_cast<double>(paths.size());
                   state.clipboard = Clipboard{std::move(paths), true};
                   explorer.set_status(tr_args("files-cut", {{"count", count}}));
                   return true;
                 },
                 [&](const cmd::ArmDrag& c) {
                   state.drag.candidate = c;
                   if (c.keeps_selection) {
                     if (auto at = explorer.index_of(c.path)) state.selection.set_cursor(*at);
                   }
                   vemo_ui::diag::write_line("drag armed");
                   return true;
                 },
                 [&](const cmd::StartDrag&) {
                   explorer.start_drag();
                   return true;
                 },
                 [&](const cmd::NewFolder&) { return new_folder(explorer); },
                 [&](const cmd::BeginRename&) {
                   // The cursor entry when it is selected, else the first selected one.
                   auto index = state.selection.cursor();
                   if (!index || !state.selection.is_selected(*index)) {
                     const auto selected = state.selection.selected();
                     if (selected.empty()) return false;
                     index = selected.front();
                   }
                   return explorer.begin_rename(*index);
                 },
                 [&](const cmd::CommitRename&) { return explorer.commit_rename(); },
                 [&](const cmd::CancelRename&) {
                   explorer.cancel_rename();
                   return true;
                 },
                 [&](const cmd::AddFavourite& c) {
                   if (!explorer.sidebar_state().favourites.add(c.path)) return false;
                   explorer.set_status(tr("files-added-favourite"));
                   return true;
                 },
                 [&](const cmd::RemoveFavourite& c) {
                   if (!explorer.sidebar_state().favourites.remove(c.path)) return false;
                   explorer.set_status(tr("files-removed-favourite"));
                   return true;
                 },
                 [&](const cmd::ReorderFavourite& c) { return explorer.sidebar_state().favourites.move(c.from, c.to); },
                 [&](const cmd::OpenFavouriteMenu& c) {
                   // The root opens it: at the pointer after a secondary press, beside the row for
                   // a key or an accessibility request.
                   state.pending_favourite_menu = c.path;
                   return true;
                 },
                 // The remaining kinds belong to operations that are not part of this build yet.
                 [&](const auto&) { return false; }},
      command);
}

}  // namespace fe
