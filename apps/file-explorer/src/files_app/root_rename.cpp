// The inline rename: a text field laid over the entry's name where the file view leaves room for it,
// and the flow that begins, commits and cancels a rename.

#include "fileops/create_folder.h"
#include "fileops/names.h"
#include "fileops/rename_item.h"
#include "files_app/file_explorer_widget.h"
#include "i18n/i18n.h"
#include "vemo_ui/widgets/text_input.h"

namespace fe {
namespace {

constexpr char kRenameFieldId[] = "files.rename_input";

// The part of a file name a user usually retypes: everything before the extension. A leading full
// stop does not start an extension, and a folder's whole name is its stem.
std::size_t stem_length(const std::string& name, bool is_dir) {
  if (is_dir) return name.size();
  const auto dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return name.size();
  return dot;
}

}  // namespace

std::unique_ptr<vemo_ui::TextInput> FileExplorerWidget::make_rename_field() {
  auto field = std::make_unique<vemo_ui::TextInput>(kRenameFieldId, tr("files-new-name-placeholder"));
  field->with_accessible_name(tr("files-new-name-placeholder"));
  return field;
}

bool FileExplorerWidget::begin_rename(std::size_t index) {
  const auto& entries = state_.entry_list();
  if (index >= entries.size()) return false;
  state_.renaming = index;
  state_.prepared_rename_text = entries[index].name;
  rename_focus_pending_ = true;
  clear_status();
  return true;
}

void FileExplorerWidget::end_rename() {
  state_.renaming.reset();
  state_.prepared_rename_text.reset();
  rename_focus_pending_ = false;
  rename_field_->set_focus(false);
  rename_field_->set_text({});
  rename_field_->place({});
  structure_dirty_ = true;
}

bool FileExplorerWidget::commit_rename() {
  if (!state_.renaming) return false;
  const std::size_t index = *state_.renaming;
  const std::string typed = rename_field_->text();
  end_rename();
  const auto& entries = state_.entry_list();
  if (index >= entries.size()) return false;
  const FileEntry& entry = entries[index];
  // An empty field or the unchanged name ends the rename without touching anything.
  const std::string trimmed(trim_white_space(typed));
  if (trimmed.empty() || trimmed == entry.name) return false;

  if (auto renamed = rename_entry(entry.path.fs(), typed); !renamed) {
    set_status(tr_args("files-rename-failed", {{"error", renamed.error()}}));
    return false;
  }
  return true;
}

std::expected<void, std::string> FileExplorerWidget::rename_entry(const std::filesystem::path& source,
                                                                  std::string_view typed) {
  auto renamed = rename_item(source, typed);
  if (!renamed) return std::unexpected(std::move(renamed.error()));
  // The renamed item stays selected, so the keyboard carries on from it.
  reload_selecting(*renamed);
  set_status(tr("files-renamed"));
  return {};
}

std::expected<void, std::string> FileExplorerWidget::create_folder_here(std::string_view typed, bool then_rename) {
  auto created = create_folder(state_.current_path, typed);
  if (!created) return std::unexpected(std::move(created.error()));
  reload_selecting(*created);
  if (auto at = index_of(*created); at && then_rename) begin_rename(*at);
  set_status(tr("files-created-folder"));
  return {};
}

void FileExplorerWidget::cancel_rename() {
  if (state_.renaming) end_rename();
}

void FileExplorerWidget::sync_rename_field(vemo_ui::SyncContext& ctx) {
  if (auto text = std::exchange(state_.prepared_rename_text, std::nullopt)) {
    rename_field_->set_text(*text);
    const auto& entries = state_.entry_list();
    const bool is_dir = state_.renaming && *state_.renaming < entries.size() && entries[*state_.renaming].is_dir;
    auto& editor = rename_field_->editor();
    editor.set_cursor(stem_length(*text, is_dir));
    editor.set_cursor(0, vemo_ui::Extend::Yes);
  }
  rename_field_->sync(ctx);
  if (std::exchange(rename_focus_pending_, false) && state_.renaming) rename_field_->set_focus(true);
}

bool FileExplorerWidget::route_to_rename(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) {
  using vemo_ui::Event;
  using vemo_ui::Key;
  if (!state_.renaming) return false;
  if (e.type == Event::Type::KeyPress && !e.composing) {
    if (e.key == Key::Enter) {
      execute(cmd::CommitRename{});
      return true;
    }
    if (e.key == Key::Escape) {
      execute(cmd::CancelRename{});
      return true;
    }
  }
  if (e.is_press(vemo_ui::PointerButton::Primary) && !rename_field_->bounds().contains(e.position)) {
    execute(cmd::CommitRename{});
    return true;
  }
  // Everything else belongs to the field, so typing never reaches the window's shortcuts.
  if (!rename_field_->has_focus()) rename_field_->set_focus(true);
  rename_field_->handle_event(e, ctx);
  return true;
}

void FileExplorerWidget::draw_rename_field(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  if (!state_.renaming || !rename_slot_ || !*rename_slot_) return;
  rename_field_->place(**rename_slot_);
  rename_field_->draw(p, ctx);
}

}  // namespace fe
