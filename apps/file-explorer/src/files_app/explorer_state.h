#pragma once
// Everything one explorer window holds besides its child widgets: the shown folder and its
// entries, selection, history, view settings, clipboard, status and the slots of running work.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command/command.h"
#include "model/file_entry.h"
#include "model/sort_entries.h"
#include "vemo_actions/action.h"
#include "vemo_ui/selection_model.h"

namespace fe {

using EntryList = std::shared_ptr<const std::vector<FileEntry>>;

// The item size level is kept within these bounds; the item scale is 1 + 0.15 × level.
inline constexpr int kMinZoomLevel = -2;
inline constexpr int kMaxZoomLevel = 6;

struct Clipboard {
  std::vector<std::filesystem::path> paths;
  bool cut = false;  // filled by cut: paste moves
};

// A drag candidate armed by a plain press, and the internal drag it may become.
struct DragState {
  std::optional<cmd::ArmDrag> candidate;
  std::optional<std::vector<std::filesystem::path>> dragging;
  std::optional<std::filesystem::path> hovered_target;
  bool pin_drop = false;  // set only by demonstration scenes: a drop on the sidebar pins one folder
};

struct ExplorerState {
  // Folder and entries.
  std::filesystem::path current_path;
  EntryList entries = std::make_shared<const std::vector<FileEntry>>();
  vemo_ui::SelectionModel selection;
  std::vector<std::filesystem::path> back_stack;
  std::vector<std::filesystem::path> forward_stack;

  // View settings.
  ViewMode view_mode = ViewMode::List;
  SortKey sort_key = SortKey::Name;
  SortOrder sort_order = SortOrder::Ascending;
  bool show_hidden = false;
  int zoom_level = 0;

  Clipboard clipboard;

  // Status and load state.
  std::optional<std::string> status_message;
  std::optional<std::string> load_error;
  bool loading = false;
  std::uint64_t listing_generation = 0;

  // Rename in progress.
  std::optional<std::size_t> renaming;
  std::optional<std::string> prepared_rename_text;

  // Work slots: while busy every action is refused.
  bool busy = false;
  vemo_actions::RequestId busy_request{};
  std::optional<vemo_actions::Completion> stored_completion;

  // Per-folder transient state, reset by every load.
  std::optional<std::size_t> remembered_index;

  std::optional<std::filesystem::path> pending_favourite_menu;
  DragState drag;
  vemo_ui::Point pointer;

  const std::vector<FileEntry>& entry_list() const { return *entries; }
};

}  // namespace fe
