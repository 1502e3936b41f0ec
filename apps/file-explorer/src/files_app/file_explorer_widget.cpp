#include "files_app/file_explorer_widget.h"

#include <algorithm>
#include <system_error>
#include <unordered_map>

#include "files_app/action_dispatch.h"
#include "files_app/command_executor.h"
#include "files_app/control_units.h"
#include "i18n/i18n.h"
#include "model/list_folder.h"
#include "model/path_compare.h"
#include "model/workspace.h"
#include "native_observer/observer_snapshot.h"
#include "places/places.h"
#include "toolbar/file_toolbar.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/persist.h"
#include "vemo_ui/services.h"
#include "vemo_ui/sysdirs.h"
#include "vemo_ui/text.h"
#include "vemo_ui/widgets/context_menu.h"
#include "vemo_ui/widgets/nav_shell.h"
#include "vemo_ui/widgets/scrollable.h"
#include "vemo_ui/widgets/text_input.h"

namespace fe {
namespace {

constexpr auto kFirstRefresh = std::chrono::milliseconds(750);
constexpr char kZoomStateKey[] = "files.zoom-level";

}  // namespace

std::string truncate_chars(std::string text, std::size_t max_chars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Count lead bytes only: continuation bytes are 10xxxxxx.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == max_chars) {
        text.resize(i);
        break;
      }
      ++chars;
    }
  }
  return text;
}

FileExplorerWidget::FileExplorerWidget(std::optional<std::filesystem::path> config_folder,
                                       std::optional<std::filesystem::path> home)
    : config_folder_(std::move(config_folder)),
      home_(std::move(home)),
      sidebar_(std::make_shared<SidebarState>(
          FavouritesStore(config_folder_, vemo_ui::sysdirs::UserDirs::from_system(home_)))),
      rename_field_(make_rename_field()) {
  std::error_code ec;
  thumbnail_cache_ = config_folder_ ? *config_folder_ / "thumbnails"
                                    : std::filesystem::temp_directory_path(ec) / "vemo-file-explorer-thumbnails";
  // The thumbnail service falls back to the temporary folder when its cache folder is unusable.
  const auto temp_cache = std::filesystem::temp_directory_path(ec) / "vemo-file-explorer-thumbnails";
  auto service = thumbnail::ThumbnailService::create(thumbnail_cache_);
  if (!service && thumbnail_cache_ != temp_cache) {
    thumbnail_cache_ = temp_cache;
    service = thumbnail::ThumbnailService::create(thumbnail_cache_);
  }
  if (service) thumbnails_.service = std::shared_ptr<thumbnail::ThumbnailService>(std::move(*service));
  thumbnails_.images = std::make_shared<ThumbnailImages>();
  thumbnails_.workspace_roots = workspace_roots();
  // The start folder is listed like any load, but without a history step or status.
  const auto start = start_folder();
  std::optional<std::string> error;
  auto entries = list_for_display(start, error);
  state_.current_path = start;
  state_.entries = std::make_shared<const std::vector<FileEntry>>(std::move(entries));
  state_.selection.set_count(state_.entries->size());
  next_refresh_ = Clock::now() + kFirstRefresh;
}

void FileExplorerWidget::set_interaction_environment(vemo_ui::Services& services) {
  services_ = &services;
  if (auto* doc = services.state()) {
    if (auto level = doc->number(kZoomStateKey)) {
      state_.zoom_level = std::clamp(static_cast<int>(*level), kMinZoomLevel, kMaxZoomLevel);
    }
  }
}

void FileExplorerWidget::set_status(std::string text) {
  state_.status_message = truncate_chars(std::move(text), kMaxStatusChars);
  structure_dirty_ = true;
}

void FileExplorerWidget::clear_status() {
  state_.status_message.reset();
  structure_dirty_ = true;
}

std::vector<FileEntry> FileExplorerWidget::list_for_display(const std::filesystem::path& path,
                                                            std::optional<std::string>& error) const {
  auto listed = list_folder(path, in_workspace(path, workspace_roots()));
  if (!listed) {
    error = listed.error().message();
    return {};
  }
  std::vector<FileEntry> entries = std::move(*listed);
  if (!state_.show_hidden) remove_hidden_entries(entries);
  sort_entries(entries, state_.sort_key, state_.sort_order);
  return entries;
}

void FileExplorerWidget::load_folder(const std::filesystem::path& path) {
  state_.loading = true;
  state_.selection.clear();
  state_.load_error.reset();
  state_.status_message.reset();
  state_.remembered_index.reset();
  if (state_.renaming) end_rename();
  state_.drag = DragState{};

  if (auto trash = trash_files_dir(); trash && same_path(path, *trash)) {
    std::error_code ignored;
    std::filesystem::create_directories(*trash, ignored);
  }

  std::optional<std::string> error;
  auto entries = list_for_display(path, error);
  if (error) state_.load_error = tr_args("files-directory-read-failed", {{"error", *error}});
  state_.entries = std::make_shared<const std::vector<FileEntry>>(std::move(entries));
  state_.selection = vemo_ui::SelectionModel(state_.entries->size());
  state_.current_path = path;
  if (!state_.load_error && archive_location(path)) state_.status_message = tr("files-archive-read-only");
  state_.loading = false;
  ++state_.listing_generation;
  structure_dirty_ = true;
}

void FileExplorerWidget::navigate_to(const std::filesystem::path& path) {
  if (!same_path(path, state_.current_path)) {
    state_.back_stack.push_back(state_.current_path);
    state_.forward_stack.clear();
  }
  load_folder(path);
}

void FileExplorerWidget::reload_selecting(const std::filesystem::path& path) {
  refresh();
  if (auto at = index_of(path)) state_.selection.select_only(*at);
}

void FileExplorerWidget::go_back() {
  if (state_.back_stack.empty()) return;
  auto target = std::move(state_.back_stack.back());
  state_.back_stack.pop_back();
  state_.forward_stack.push_back(state_.current_path);
  load_folder(target);
}

void FileExplorerWidget::go_forward() {
  if (state_.forward_stack.empty()) return;
  auto target = std::move(state_.forward_stack.back());
  state_.forward_stack.pop_back();
  state_.back_stack.push_back(state_.current_path);
  load_folder(target);
}

bool FileExplorerWidget::can_go_up() const {
  return parent_folder(state_.current_path).has_value();
}

void FileExplorerWidget::go_up() {
  if (auto parent = parent_folder(state_.current_path)) navigate_to(*parent);
}

void FileExplorerWidget::refresh() {
  load_folder(std::filesystem::path(state_.current_path));
}

std::optional<std::size_t> FileExplorerWidget::index_of(const std::filesystem::path& path) const {
  const auto& entries = state_.entry_list();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (same_path(entries[i].path.fs(), path)) return i;
  }
  return std::nullopt;
}

void FileExplorerWidget::replace_entries(std::vector<FileEntry> entries) {
  // Keep the selection and the cursor by path: entries that vanished drop out.
  const auto& old = state_.entry_list();
  std::unordered_map<std::string, std::size_t> new_index;
  new_index.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) new_index.emplace(entries[i].path.native(), i);
  auto remap = [&](std::size_t old_i) -> std::optional<std::size_t> {
    if (old_i >= old.size()) return std::nullopt;
    auto it = new_index.find(old[old_i].path.native());
    return it == new_index.end() ? std::nullopt : std::optional(it->second);
  };
  std::vector<std::size_t> kept;
  for (std::size_t i : state_.selection.selected()) {
    if (auto n = remap(i)) kept.push_back(*n);
  }
  std::ranges::sort(kept);
  std::optional<std::size_t> cursor;
  if (auto c = state_.selection.cursor()) cursor = remap(*c);
  std::optional<std::size_t> renaming;
  if (state_.renaming) renaming = remap(*state_.renaming);

  state_.entries = std::make_shared<const std::vector<FileEntry>>(std::move(entries));
  vemo_ui::SelectionModel selection(state_.entries->size());
  selection.assign(kept, cursor);
  state_.selection = std::move(selection);
  state_.renaming = renaming;
  structure_dirty_ = true;
}

void FileExplorerWidget::resort() {
  std::vector<FileEntry> entries = state_.entry_list();
  sort_entries(entries, state_.sort_key, state_.sort_order);
  replace_entries(std::move(entries));
}

void FileExplorerWidget::set_zoom_level(int level) {
  const int clamped = std::clamp(level, kMinZoomLevel, kMaxZoomLevel);
  if (clamped != state_.zoom_level) {
    state_.zoom_level = clamped;
    if (services_ && services_->state()) services_->state()->set_number(kZoomStateKey, clamped);
  }
  structure_dirty_ = true;
}

bool FileExplorerWidget::current_is_trash() const {
  auto trash = trash_files_dir();
  return trash && same_path(state_.current_path, *trash);
}

bool FileExplorerWidget::current_in_archive() const {
  return archive_location(state_.current_path).has_value();
}

bool FileExplorerWidget::execute(const Command& command) {
  return execute_command(*this, command);
}

void FileExplorerWidget::drain_commands() {
  while (auto command = commands_->take()) execute(*command);
}

void FileExplorerWidget::drain_controls() {
  while (auto invocation = controls_->take()) {
    if (auto command = command_for_control(*invocation)) execute(*command);
  }
  drain_commands();
}

bool FileExplorerWidget::is_place(const std::filesystem::path& path) const {
  if (same_path(path, "/")) return true;
  if (auto trash = trash_files_dir(); trash && same_path(path, *trash)) return true;
  for (const auto& root : workspace_roots()) {
    if (same_path(path, root)) return true;
  }
  if (home_ && same_path(path, *home_)) return true;
  return false;
}

FileExplorerWidget::Clock::duration FileExplorerWidget::refresh_interval(std::size_t entry_count) {
  using std::chrono::milliseconds;
  using std::chrono::seconds;
  if (entry_count < 512) return milliseconds(750);
  if (entry_count < 4096) return seconds(3);
  if (entry_count < 20000) return seconds(12);
  return seconds(30);
}

void FileExplorerWidget::relist_if_changed() {
  if (state_.renaming || state_.loading) return;
  std::optional<std::string> error;
  auto entries = list_for_display(state_.current_path, error);
  if (error) {
    // A folder that vanished while shown is reported at the next refresh.
    if (!state_.load_error) load_folder(std::filesystem::path(state_.current_path));
    return;
  }
  if (state_.load_error) {
    load_folder(std::filesystem::path(state_.current_path));
    return;
  }
  if (entries_equal(entries, state_.entry_list())) return;
  replace_entries(std::move(entries));
}

void FileExplorerWidget::sync(vemo_ui::SyncContext& ctx) {
  if (ctx.now >= next_refresh_) {
    next_refresh_ = ctx.now + refresh_interval(state_.entry_list().size());
    relist_if_changed();
  }
  sync_rename_field(ctx);
  drain_commands();
  open_requested_favourite_menu();
}

bool FileExplorerWidget::needs_idle_sync() const {
  return false;
}

bool FileExplorerWidget::needs_animation_frame(Clock::time_point now) const {
  return bubble_.needs_frame(now) || Widget::needs_animation_frame(now);
}

std::optional<FileExplorerWidget::Clock::time_point> FileExplorerWidget::next_wake_deadline() const {
  std::optional<Clock::time_point> deadline = next_refresh_;
  if (auto child = Widget::next_wake_deadline(); child && *child < *deadline) deadline = child;
  if (auto fade = bubble_.next_deadline(Clock::now()); fade && *fade < *deadline) deadline = fade;
  return deadline;
}

bool FileExplorerWidget::take_structure_dirty() {
  const bool children_dirty = Widget::take_structure_dirty();
  const bool dirty = structure_dirty_ || children_dirty;
  structure_dirty_ = false;
  return dirty;
}

std::string FileExplorerWidget::status_pill_text() const {
  std::string base = state_.status_message
                         ? *state_.status_message
                         : tr_args("files-item-count", {{"count", static_cast<double>(state_.entry_list().size())}});
  if (state_.selection.is_empty()) return base;
  return tr_args("files-selected-count",
                 {{"base", base}, {"count", static_cast<double>(state_.selection.selected_count())}});
}

std::optional<std::string> FileExplorerWidget::observer_snapshot() {
  ObserverInput in;
  in.directory = state_.current_path.string();
  in.entries = state_.entries;
  in.loading = state_.loading;
  in.has_error = state_.load_error.has_value();
  in.selected = state_.selection.selected();
  in.primary = state_.selection.cursor();
  in.last_cursor = state_.pointer;
  in.root_rect = bounds_;
  if (scroll_) {
    in.viewport_rect = scroll_->viewport();
    in.content_rect = scroll_->content_rect();
    in.offset = {0, scroll_->offset()};
  } else if (!state_.loading && !state_.load_error && shell_) {
    // A settled empty folder shows its page where the entry view would be; observers waiting
    // for a settled view must not wait forever.
    in.viewport_rect = shell_->content_rect();
    in.content_rect = shell_->content_rect();
  }
  if (thumbnails_.service) in.thumbnail_pending = thumbnails_.service->pending_count();
  in.view_mode = state_.view_mode == ViewMode::Grid ? "Grid" : "List";
  in.sort_key = state_.sort_key;
  in.sort_order = state_.sort_order;
  return build_observer_snapshot(in);
}

vemo_actions::InvocationResult FileExplorerWidget::invoke_resource_operation_v2(const vemo_actions::Invocation& inv) {
  return invoke_gate(*this, inv);
}

std::optional<vemo_actions::Completion> FileExplorerWidget::poll_completion(const vemo_actions::RequestId& request) {
  if (state_.stored_completion && state_.stored_completion->request == request) {
    auto done = std::move(state_.stored_completion);
    state_.stored_completion.reset();
    return done;
  }
  return std::nullopt;
}

}  // namespace fe
