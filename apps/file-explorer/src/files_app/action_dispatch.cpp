#include "files_app/action_dispatch.h"

#include <algorithm>
#include <array>

#include "files_app/file_explorer_widget.h"
#include "files_app/payload_decoding.h"
#include "i18n/i18n.h"
#include "model/path_compare.h"
#include "toolbar/file_toolbar.h"

namespace fe {
namespace {

using vemo_actions::ExecutionKind;
using vemo_actions::InvocationResult;

constexpr std::uint8_t kQuery = 0;
constexpr std::uint8_t kEffect = 1;
constexpr std::uint8_t kView = 2;

constexpr char kInvalidKind[] = "file command has an invalid operation kind";
constexpr char kNotVisible[] = "file entry is no longer visible";

struct FolderCommand {
  std::string_view name;
  std::uint8_t kind;
};

constexpr std::array kFolderCommands = {
    FolderCommand{"up", kView},
    FolderCommand{"back", kView},
    FolderCommand{"forward", kView},
    FolderCommand{"list", kView},
    FolderCommand{"grid", kView},
    FolderCommand{"sort-name", kView},
    FolderCommand{"sort-size", kView},
    FolderCommand{"sort-modified", kView},
    FolderCommand{"sort-type", kView},
    FolderCommand{"sort-ascending", kView},
    FolderCommand{"sort-descending", kView},
    FolderCommand{"zoom-in", kView},
    FolderCommand{"zoom-out", kView},
    FolderCommand{"hidden", kView},
    FolderCommand{"shortcuts", kView},
    FolderCommand{"add-favorite", kEffect},
    FolderCommand{"remove-favorite", kEffect},
    FolderCommand{"empty-trash", kEffect},
    FolderCommand{"undo-trash", kEffect},
    FolderCommand{"terminal", kEffect},
};

struct EntryCommand {
  std::string_view name;
  std::uint8_t kind;
};

constexpr std::array kEntryCommands = {
    EntryCommand{"properties", kView},
    EntryCommand{"sharing", kView},
    EntryCommand{"history", kView},
    EntryCommand{"availability", kView},
    EntryCommand{"send-nearby", kView},
    EntryCommand{"copy", kEffect},
    EntryCommand{"cut", kEffect},
    EntryCommand{"extract", kEffect},
    EntryCommand{"compress", kEffect},
    EntryCommand{"restore", kEffect},
    EntryCommand{"purge", kEffect},
    EntryCommand{"trash", kEffect},
    EntryCommand{"keep-offline", kEffect},
    EntryCommand{"automatic-storage", kEffect},
    EntryCommand{"free-local-space", kEffect},
    EntryCommand{"retry-transfer", kEffect},
};

// The executor request an entry command maps to (the path is already the only selection).
Command entry_request(std::string_view name, const std::filesystem::path& path) {
  if (name == "properties") return cmd::ShowProperties{};
  if (name == "sharing") return cmd::ShowSharing{};
  if (name == "history") return cmd::ShowHistory{};
  if (name == "availability") return cmd::ShowAvailability{};
  if (name == "send-nearby") return cmd::SendNearby{};
  if (name == "copy") return cmd::Copy{};
  if (name == "cut") return cmd::Cut{};
  if (name == "extract") return cmd::Extract{};
  if (name == "compress") return cmd::CompressSelection{};
  if (name == "restore") return cmd::Restore{};
  if (name == "purge") return cmd::Purge{{path}};
  if (name == "keep-offline") return cmd::KeepOffline{};
  if (name == "automatic-storage") return cmd::AutomaticStorage{};
  if (name == "free-local-space") return cmd::FreeLocalSpace{};
  if (name == "retry-transfer") return cmd::RetryTransfer{};
  return cmd::MoveToTrash{};
}

// Kinds other than query and effect are routed as view.
bool is_view(std::uint8_t kind) {
  return kind != kQuery && kind != kEffect;
}

DispatchResult applied(FileExplorerWidget& explorer, const Command& command) {
  if (!explorer.execute(command)) return NotHandled{};
  return Handled{};
}

DispatchResult folder_command(FileExplorerWidget& explorer, std::uint8_t kind, std::string_view payload) {
  auto name = decode_string_payload(payload);
  if (!name) return DispatchError{name.error()};
  auto known = std::ranges::find(kFolderCommands, std::string_view(*name), &FolderCommand::name);
  if (known == kFolderCommands.end()) return NotHandled{};
  const bool kind_matches = known->kind == kEffect ? kind == kEffect : is_view(kind);
  if (!kind_matches) return DispatchError{kInvalidKind};

  const std::string_view c = known->name;
  if (c == "up") return applied(explorer, cmd::GoUp{});
  if (c == "back") return applied(explorer, cmd::GoBack{});
  if (c == "forward") return applied(explorer, cmd::GoForward{});
  if (c == "list") return applied(explorer, cmd::SetViewMode{ViewMode::List});
  if (c == "grid") return applied(explorer, cmd::SetViewMode{ViewMode::Grid});
  if (c.starts_with("sort-") && c != "sort-ascending" && c != "sort-descending") {
    // The key changes and the entries are re-sorted at once, keeping the direction.
    auto& state = explorer.state_mut();
    state.sort_key = c == "sort-size"       ? SortKey::Size
                     : c == "sort-modified" ? SortKey::Modified
                     : c == "sort-type"     ? SortKey::Type
                                            : SortKey::Name;
    explorer.resort();
    return Handled{};
  }
  if (c == "sort-ascending") return applied(explorer, cmd::SetSortDirection{false});
  if (c == "sort-descending") return applied(explorer, cmd::SetSortDirection{true});
  if (c == "zoom-in") return applied(explorer, cmd::ZoomIn{});
  if (c == "zoom-out") return applied(explorer, cmd::ZoomOut{});
  if (c == "hidden") return applied(explorer, cmd::ToggleHidden{});
  if (c == "add-favorite") {
    std::error_code ec;
    if (!std::filesystem::is_directory(explorer.state().current_path, ec) || explorer.current_in_archive()) {
      return DispatchError{"the current location cannot be a favourite"};
    }
    return applied(explorer, cmd::AddFavourite{explorer.state().current_path});
  }
  if (c == "remove-favorite") return applied(explorer, cmd::RemoveFavourite{explorer.state().current_path});
  if (c == "empty-trash") {
    if (!explorer.current_is_trash()) return NotHandled{};
    return applied(explorer, cmd::ConfirmPermanentDelete{});
  }
  if (c == "undo-trash") return applied(explorer, cmd::UndoTrash{});
  if (c == "shortcuts") return applied(explorer, cmd::ShowShortcuts{});
  return applied(explorer, cmd::OpenTerminal{});
}

DispatchResult entry_command(FileExplorerWidget& explorer, std::uint8_t kind, std::string_view payload) {
  auto parts = decode_string_array_payload(payload);
  if (!parts) return DispatchError{parts.error()};
  if (parts->empty()) return DispatchError{"missing file command"};
  if (parts->size() < 2) return DispatchError{"missing file resource"};
  const std::filesystem::path path((*parts)[1]);
  if (!explorer.index_of(path)) return DispatchError{kNotVisible};

  const std::string& name = (*parts)[0];
  const bool in_trash = explorer.current_is_trash();
  auto known = std::ranges::find(kEntryCommands, std::string_view(name), &EntryCommand::name);
  if (known == kEntryCommands.end()) return NotHandled{};
  if ((name == "restore" || name == "purge") && !in_trash) return NotHandled{};
  const bool kind_matches = known->kind == kEffect ? kind == kEffect : is_view(kind);
  if (!kind_matches) return DispatchError{kInvalidKind};

  auto index = explorer.index_of(path);
  if (!index) return DispatchError{kNotVisible};
  explorer.state_mut().selection.select_only(*index);
  explorer.mark_structure_dirty();

  if (name == "trash" && in_trash) {
    return DispatchError{"Use the separately confirmed permanent-delete action for items already in Trash"};
  }
  if (!explorer.execute(entry_request(name, path))) return DispatchError{"file operation could not be applied"};
  return Handled{};
}

DispatchResult open_action(FileExplorerWidget& explorer, std::string_view payload) {
  auto text = decode_string_payload(payload);
  if (!text) return DispatchError{text.error()};
  const std::filesystem::path path(*text);
  if (explorer.index_of(path) || explorer.is_place(path)) {
    explorer.execute(cmd::OpenPath{path});
    return Handled{};
  }
  return DispatchError{"file location is no longer available"};
}

DispatchResult rename_action(FileExplorerWidget& explorer, std::string_view payload) {
  auto parts = decode_string_array_payload(payload);
  if (!parts) return DispatchError{parts.error()};
  if (parts->empty()) return DispatchError{"missing file resource"};
  if (parts->size() < 2) return DispatchError{"missing new file name"};
  const std::filesystem::path path((*parts)[0]);
  if (!explorer.index_of(path)) return DispatchError{kNotVisible};
  if (explorer.current_in_archive()) return DispatchError{tr("files-archive-read-only")};
  if (auto renamed = explorer.rename_entry(path, (*parts)[1]); !renamed) return DispatchError{renamed.error()};
  return Handled{};
}

DispatchResult new_folder_action(FileExplorerWidget& explorer, std::string_view payload) {
  auto name = decode_string_payload(payload);
  if (!name) return DispatchError{name.error()};
  if (explorer.current_in_archive()) return DispatchError{tr("files-archive-read-only")};
  if (auto created = explorer.create_folder_here(*name, false); !created) return DispatchError{created.error()};
  return Handled{};
}

DispatchResult control_invoke(FileExplorerWidget& explorer, std::string_view payload) {
  vemo_ui::ControlRequest request;
  if (auto id = decode_string_payload(payload)) {
    request.control_id = *id;
  } else if (auto parts = decode_string_array_payload(payload); parts && !parts->empty()) {
    request.control_id = (*parts)[0];
    if (parts->size() > 1) request.option = (*parts)[1];
  } else {
    return DispatchError{"control payload must name a control"};
  }
  auto answer = explorer.invoke_control(request);
  if (answer.result == vemo_actions::ControlResult::Error) return DispatchError{answer.error};
  if (answer.result == vemo_actions::ControlResult::NotHandled) return NotHandled{};
  explorer.drain_controls();
  return Handled{};
}

}  // namespace

DispatchResult dispatch_action(FileExplorerWidget& explorer, std::uint8_t kind, std::string_view action_id,
                               std::string_view payload) {
  if (kind == kEffect && action_id == "files.refresh") {
    explorer.refresh();
    return Handled{};
  }
  if (action_id == vemo_actions::kControlInvokeAction) return control_invoke(explorer, payload);
  if (kind == kQuery) {
    if (action_id == "files.folder-command") return folder_command(explorer, kind, payload);
    if (action_id == "files.entry-command") return entry_command(explorer, kind, payload);
    return NotHandled{};
  }
  if (is_view(kind)) {
    if (action_id == "files.open") return open_action(explorer, payload);
    if (action_id == "files.folder-command") return folder_command(explorer, kind, payload);
    if (action_id == "files.entry-command") return entry_command(explorer, kind, payload);
    if (action_id == "files.reveal-record") {
      auto text = decode_string_payload(payload);
      if (!text) return DispatchError{text.error()};
      if (!parse_uuid(*text)) return DispatchError{"invalid collaborative record id"};
      return DispatchError{"collaborative record is not indexed yet"};
    }
    if (action_id == "files.remote-account") {
      auto parts = decode_string_array_payload(payload);
      if (!parts) return DispatchError{parts.error()};
      if (parts->empty()) return DispatchError{"missing remote account operation"};
      if (parts->size() < 2) return DispatchError{"missing remote account id"};
      return DispatchError{"remote account is no longer available"};
    }
    return NotHandled{};
  }
  // Effect actions.
  if (action_id == "files.folder-command") return folder_command(explorer, kind, payload);
  if (action_id == "files.entry-command") return entry_command(explorer, kind, payload);
  if (action_id == "files.rename") return rename_action(explorer, payload);
  if (action_id == "files.new-folder") return new_folder_action(explorer, payload);
  if (action_id == "files.paste" && explorer.state().clipboard.paths.empty()) {
    return DispatchError{"The clipboard is empty"};
  }
  return NotHandled{};
}

InvocationResult invoke_gate(FileExplorerWidget& explorer, const vemo_actions::Invocation& inv) {
  if (explorer.state().busy) return InvocationResult::refused("another file operation is still running");
  if (inv.action == "files.remote-dav") {
    if (inv.kind != kEffect) return InvocationResult::refused("remote file operations must be effect actions");
    auto parts = decode_string_array_payload(inv.payload);
    if (!parts) return InvocationResult::refused(parts.error());
    if (parts->empty()) return InvocationResult::failed("missing remote DAV operation");
    if (parts->size() < 2) return InvocationResult::failed("missing remote account id");
    // No remote accounts are configured in this build.
    return InvocationResult::failed("remote account is no longer available");
  }
  auto result = dispatch_action(explorer, inv.kind, inv.action, inv.payload);
  if (auto* error = std::get_if<DispatchError>(&result)) return InvocationResult::failed(error->text);
  if (std::holds_alternative<NotHandled>(result)) return InvocationResult::not_handled();
  explorer.mark_structure_dirty();
  return InvocationResult::completed();
}

}  // namespace fe
