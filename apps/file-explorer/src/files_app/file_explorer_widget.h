#pragma once
// The root widget: the single owner of one explorer window's state. Children never change that
// state themselves; they push commands that the root drains through the command executor.

#include <chrono>
#include <expected>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command/command.h"
#include "files_app/explorer_state.h"
#include "files_app/folder_state.h"
#include "places_sidebar/sidebar_state.h"
#include "vemo_actions/control.h"
#include "vemo_ui/status_bubble.h"
#include "vemo_ui/widget.h"
#include "views/file_view.h"

namespace vemo_ui {
class ContextMenu;
class NavShell;
class Scrollable;
class TextInput;
}  // namespace vemo_ui

namespace fe {

class FileToolbar;

class FileExplorerWidget : public vemo_ui::Widget {
 public:
  using Clock = std::chrono::steady_clock;

  // Status texts keep at most this many characters.
  static constexpr std::size_t kMaxStatusChars = 512;

  // Builds the explorer for its configuration folder (favourites, thumbnails; may be absent) and home,
  // and lists the start folder.
  FileExplorerWidget(std::optional<std::filesystem::path> config_folder, std::optional<std::filesystem::path> home);
  ~FileExplorerWidget() override;

  const ExplorerState& state() const { return state_; }
  ExplorerState& state_mut() { return state_; }
  const std::optional<std::filesystem::path>& config_folder() const { return config_folder_; }
  const std::optional<std::filesystem::path>& home() const { return home_; }
  const std::filesystem::path& thumbnail_cache_folder() const { return thumbnail_cache_; }
  const SharedCommandQueue& command_queue() const { return commands_; }
  const vemo_actions::SharedControlQueue& control_queue() const { return controls_; }

  // Replaces the status message with the first 512 characters of `text` and marks the structure dirty.
  void set_status(std::string text);
  void clear_status();
  void mark_structure_dirty() { structure_dirty_ = true; }

  // Opens a folder: lists it (or reports why not), resets the per-folder state.
  void load_folder(const std::filesystem::path& path);
  // Navigation history.
  void navigate_to(const std::filesystem::path& path);
  void go_back();
  void go_forward();
  void go_up();
  void refresh();
  bool can_go_up() const;

  // Re-sorts the shown entries with the current key and order, keeping the selection by path.
  void resort();
  // Sets the item size level (clamped) and writes it to the persisted view state.
  void set_zoom_level(int level);
  // Replaces the entry list, keeping the selection and cursor by path.
  void replace_entries(std::vector<FileEntry> entries);

  // Runs one command through the command executor; answers whether it was applied.
  bool execute(const Command& command);
  // Runs every queued command in order.
  void drain_commands();
  // Runs the requests that pressed controls queued, in order, through the command executor.
  void drain_controls();

  // Lists the shown folder again after a change made here and selects `path` alone when it is listed.
  void reload_selecting(const std::filesystem::path& path);

  // The inline rename (root_rename.cpp). Beginning puts the entry's name into the field and clears
  // the status; committing renames with the field's text; both answer whether anything happened.
  bool begin_rename(std::size_t index);
  bool commit_rename();
  void cancel_rename();
  // Renames a listed item and shows the result: reloaded, selected, "Renamed". Errors are left to
  // the caller, which reports them its own way.
  std::expected<void, std::string> rename_entry(const std::filesystem::path& source, std::string_view typed);
  // Creates a folder in the shown folder and shows it selected with "Created folder"; when asked, it
  // also begins renaming it.
  std::expected<void, std::string> create_folder_here(std::string_view typed, bool then_rename);

  // The explorer's own folders and places.
  bool current_is_trash() const;
  bool current_in_archive() const;
  std::optional<std::size_t> index_of(const std::filesystem::path& path) const;
  // Whether the path is one of the places the sidebar offers (workspaces, root, Trash, favourites).
  bool is_place(const std::filesystem::path& path) const;

  // The places sidebar's lasting state, with the favourites.
  SidebarState& sidebar_state() { return *sidebar_; }
  const SidebarState& sidebar_state() const { return *sidebar_; }
  // Demonstration scenes: show the narrow sidebar open.
  void snap_sidebar_open() { snap_sidebar_open_ = true; }
  double item_scale() const;
  vemo_ui::Rect content_rect() const;
  vemo_ui::Rect sidebar_rect() const;
  const std::optional<vemo_ui::Rect>& pill_rect() const { return pill_rect_; }

  // Widget slots.
  std::string_view type_name() const override { return "FileExplorerWidget"; }
  std::vector<vemo_ui::Widget*> children_mut() override;
  void set_interaction_environment(vemo_ui::Services& services) override;
  void sync(vemo_ui::SyncContext& ctx) override;
  void build_layout(vemo_ui::LayoutContext& ctx) override;
  vemo_ui::Size measure(vemo_ui::LayoutContext& ctx, const vemo_ui::Constraints& c) override;
  void apply_layout(vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& bounds) override;
  void draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) override;
  vemo_ui::EventResult handle_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) override;
  std::optional<vemo_ui::a11y::AccessNode> accessibility() const override;
  bool accessibility_covers_children() const override { return true; }
  std::optional<std::string> status_message() const override { return state_.status_message; }
  std::string status_pill_text() const override;
  std::optional<std::string> observer_snapshot() override;
  vemo_actions::InvocationResult invoke_resource_operation_v2(const vemo_actions::Invocation& inv) override;
  std::optional<vemo_actions::Completion> poll_completion(const vemo_actions::RequestId& request) override;
  bool needs_idle_sync() const override;
  bool needs_animation_frame(Clock::time_point now) const override;
  std::optional<Clock::time_point> next_wake_deadline() const override;
  bool take_structure_dirty() override;

  // The periodic re-listing interval for a folder of `entry_count` entries.
  static Clock::duration refresh_interval(std::size_t entry_count);

 private:
  struct MenuEntry {
    std::string label;               // empty with no command: a separator
    std::optional<Command> command;  // none: inactive
  };

  void relist_if_changed();
  std::vector<FileEntry> list_for_display(const std::filesystem::path& path, std::optional<std::string>& error) const;

  // Layout (root_layout.cpp).
  vemo_ui::WidgetBox build_content();
  std::optional<FolderStateTexts> folder_state_texts() const;
  FolderStateKind folder_state_kind() const;
  vemo_ui::Rect up_button_rect() const;
  void begin_path_editing();
  void draw_overlays(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx);

  // Input (root_input.cpp).
  std::optional<Command> shortcut_command(const vemo_ui::Event& e) const;
  vemo_ui::EventResult handle_shortcut(const vemo_ui::Event& e);
  vemo_ui::Point context_menu_anchor() const;
  std::optional<std::filesystem::path> drop_target_at_paths(vemo_ui::Point p,
                                                            const std::vector<std::filesystem::path>& dragged) const;
  void finish_drop(vemo_ui::Point p);
  bool over_dragged_folder(vemo_ui::Point p, const std::vector<std::filesystem::path>& dragged) const;

  // Rename field (root_rename.cpp).
  static std::unique_ptr<vemo_ui::TextInput> make_rename_field();
  // Whether a rename in progress took the event.
  bool route_to_rename(const vemo_ui::Event& e, vemo_ui::EventContext& ctx);
  void sync_rename_field(vemo_ui::SyncContext& ctx);
  void draw_rename_field(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx);
  void end_rename();

 public:
  // Starts the internal drag of the selection (StartDrag).
  void start_drag();
  void open_favourite_menu(const std::filesystem::path& path, vemo_ui::Point at);

 private:
  // Menus (root_menus.cpp).
  void open_menu(std::vector<MenuEntry> entries, vemo_ui::Point at);
  void open_menu_after_secondary_press();
  // A favourite menu asked for by the keyboard or an accessibility action, opened beside its row.
  void open_requested_favourite_menu();
  vemo_ui::EventResult route_to_menu(const vemo_ui::Event& e, vemo_ui::EventContext& ctx);

  ExplorerState state_;
  std::optional<std::filesystem::path> config_folder_;
  std::optional<std::filesystem::path> home_;
  std::filesystem::path thumbnail_cache_;
  SharedCommandQueue commands_ = std::make_shared<CommandQueue>();
  vemo_actions::SharedControlQueue controls_ = std::make_shared<vemo_actions::ControlQueue>();
  vemo_ui::Services* services_ = nullptr;
  vemo_ui::StatusBubble bubble_;
  std::string last_pill_text_;
  std::optional<vemo_ui::Rect> pill_rect_;

  SharedSidebarState sidebar_;
  std::unique_ptr<FileToolbar> toolbar_;
  std::unique_ptr<vemo_ui::NavShell> shell_;
  vemo_ui::Scrollable* scroll_ = nullptr;  // inside shell_, valid until the next rebuild
  FileView* view_ = nullptr;               // inside scroll_
  RenameSlot rename_slot_;
  std::unique_ptr<vemo_ui::TextInput> rename_field_;
  bool rename_focus_pending_ = false;
  DropTargets drop_targets_;
  ThumbnailHandles thumbnails_;
  std::unique_ptr<vemo_ui::ContextMenu> menu_;
  std::vector<Command> menu_commands_;
  std::filesystem::path shell_built_for_;
  double text_scale_ = 1.0;
  bool snap_sidebar_open_ = false;
  Clock::time_point next_refresh_;
  bool structure_dirty_ = true;
};

// The first `max_chars` characters (code points) of UTF-8 text; a cut never splits a character.
std::string truncate_chars(std::string text, std::size_t max_chars);

}  // namespace fe
