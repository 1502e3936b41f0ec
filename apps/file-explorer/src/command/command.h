#pragma once
// The one request value every input path turns into: keyboard, pointer, menus, sheets, controls and
// actions all end as a Command run by the command executor.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "model/sort_entries.h"
#include "vemo_ui/geometry.h"

namespace fe {

enum class ViewMode : std::uint8_t { List, Grid };

namespace cmd {

using Path = std::filesystem::path;

struct NavigateTo {
  Path path;
};
struct OpenPath {
  Path path;
};
struct GoUp {};
struct GoBack {};
struct GoForward {};
struct Refresh {};
struct ClickEntry {
  std::size_t index;
  bool toggle = false;
  bool range = false;
};
struct SelectForContextMenu {
  std::optional<std::size_t> index;
};
struct ActivateEntry {
  std::size_t index;
};
struct MoveSelection {
  std::size_t target;
  bool extend = false;
};
// Column 1 Name, 2 Size, 3 Modified.
struct SortByColumn {
  int column;
};
struct SetViewMode {
  ViewMode mode;
};
struct SortBy {
  SortKey key;
};
struct OpenMenu {};
struct ToggleSortDirection {};
struct SetSortDirection {
  bool descending;
};
struct ShowShortcuts {};
struct SelectAll {};
struct OpenTerminal {};
struct NewFolder {};
struct BeginRename {};
struct CommitRename {};
struct CancelRename {};
struct MoveToTrash {};
struct UndoTrash {};
struct Copy {};
struct Cut {};
struct Paste {};
struct Extract {};
struct CompressSelection {};
struct SendNearby {};
struct NearbyChooseDevice {
  std::string device_id;
};
struct NearbyChooseDestination {
  std::string transfer_id;
};
struct NearbyAccept {
  std::string transfer_id;
  std::optional<std::string> destination_id;
  bool remember = false;
};
struct NearbyRetry {
  std::string transfer_id;
};
struct NearbyCancel {
  std::string transfer_id;
};
struct OpenContextMenu {
  vemo_ui::Point position;
};
struct NewFileFromTemplate {
  Path template_path;
};
// A drag candidate armed by a plain press on an item.
struct ArmDrag {
  Path path;
  vemo_ui::Point press;
  bool is_dir = false;
  // The press fell on an item of a multi-item selection, which stays whole so that a drag carries
  // all of it; a release without a drag then makes the item the only selection.
  bool keeps_selection = false;
};
struct StartDrag {
  std::optional<ArmDrag> candidate;
};
struct OpenFavouriteMenu {
  Path path;
};
struct AddFavourite {
  Path path;
};
struct RemoveFavourite {
  Path path;
};
struct ReorderFavourite {
  std::size_t from;
  std::size_t to;
};
struct ZoomIn {};
struct ZoomOut {};
// Primary + 0 and the persisted level: sets the level directly (clamped).
struct SetZoom {
  int level;
};
struct ToggleHidden {};
struct Restore {};
struct ConfirmPermanentDelete {};
struct Purge {
  std::vector<Path> paths;
};
struct EmptyTrash {};
struct KeepOffline {};
struct AutomaticStorage {};
struct FreeLocalSpace {};
struct EvictDestructive {};
struct RetryTransfer {};
struct ShowProperties {};
struct ShowAvailability {};
struct ShowSharing {};
struct ShowHistory {};
// Sharing and history requests carry their choice as the owning module's encoded text.
struct CreateShareLink {
  std::string options;
};
struct ChangeShare {
  std::string change;
};
struct HistoryChange {
  std::string change;
};
struct MergeReview {
  std::string choice;
};
struct CloseSheet {};

}  // namespace cmd

using Command =
    std::variant<cmd::NavigateTo, cmd::OpenPath, cmd::GoUp, cmd::GoBack, cmd::GoForward, cmd::Refresh, cmd::ClickEntry,
                 cmd::SelectForContextMenu, cmd::ActivateEntry, cmd::MoveSelection, cmd::SortByColumn, cmd::SetViewMode,
                 cmd::SortBy, cmd::OpenMenu, cmd::ToggleSortDirection, cmd::SetSortDirection, cmd::ShowShortcuts,
                 cmd::SelectAll, cmd::OpenTerminal, cmd::NewFolder, cmd::BeginRename, cmd::CommitRename,
                 cmd::CancelRename, cmd::MoveToTrash, cmd::UndoTrash, cmd::Copy, cmd::Cut, cmd::Paste, cmd::Extract,
                 cmd::CompressSelection, cmd::SendNearby, cmd::NearbyChooseDevice, cmd::NearbyChooseDestination,
                 cmd::NearbyAccept, cmd::NearbyRetry, cmd::NearbyCancel, cmd::OpenContextMenu, cmd::NewFileFromTemplate,
                 cmd::ArmDrag, cmd::StartDrag, cmd::OpenFavouriteMenu, cmd::AddFavourite, cmd::RemoveFavourite,
                 cmd::ReorderFavourite, cmd::ZoomIn, cmd::ZoomOut, cmd::SetZoom, cmd::ToggleHidden, cmd::Restore,
                 cmd::ConfirmPermanentDelete, cmd::Purge, cmd::EmptyTrash, cmd::KeepOffline, cmd::AutomaticStorage,
                 cmd::FreeLocalSpace, cmd::EvictDestructive, cmd::RetryTransfer, cmd::ShowProperties,
                 cmd::ShowAvailability, cmd::ShowSharing, cmd::ShowHistory, cmd::CreateShareLink, cmd::ChangeShare,
                 cmd::HistoryChange, cmd::MergeReview, cmd::CloseSheet>;

// The explorer's command queue: a single-thread shared FIFO that child widgets push onto and the
// root drains in order after routing each event.
class CommandQueue {
 public:
  void push(Command c) { items_.push_back(std::move(c)); }
  std::optional<Command> take() {
    if (items_.empty()) return std::nullopt;
    Command c = std::move(items_.front());
    items_.pop_front();
    return c;
  }
  bool empty() const { return items_.empty(); }
  std::size_t size() const { return items_.size(); }

 private:
  std::deque<Command> items_;
};

using SharedCommandQueue = std::shared_ptr<CommandQueue>;

}  // namespace fe
