#pragma once
// A pop-up menu with separators, inactive items and one level of submenus, kept inside the window.
//
//   closed ──open_at──▶ open ──choose an active item──▶ closed, take_chosen() answers its command
//                        │  ──Escape / press outside───▶ closed, nothing chosen
//                        └─ Right / hover on a submenu item ─▶ submenu open (Left / Escape back)
//
// Keys: Up/Down (skipping separators and inactive items), Home/End, Enter or Space to choose or
// to open a submenu. Pointer: hovering highlights, a release over an active item chooses it. The
// release that ends the press which opened the menu does not choose: a release counts only after
// a press inside the menu or once the pointer has travelled away from where the menu opened.
// While open the menu consumes every event.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "vemo_ui/widget.h"

namespace vemo_ui {

// What the owner runs for an item: an index into its own table or a name.
using MenuCommand = std::variant<std::int64_t, std::string>;

struct MenuItem {
  std::string label;
  std::optional<MenuCommand> command;  // an item without a command (and no submenu) is inactive
  bool enabled = true;
  std::vector<MenuItem> children;  // a submenu
  bool separator = false;
  bool checked = false;  // shows a check mark (the current view mode, sort key, …)

  static MenuItem action(std::string label, MenuCommand command, bool checked = false);
  static MenuItem inactive(std::string label);
  static MenuItem submenu(std::string label, std::vector<MenuItem> children);
  static MenuItem separator_line();

  bool has_submenu() const { return !children.empty(); }
  bool is_active() const { return !separator && enabled && (command.has_value() || has_submenu()); }
};

// Which row a point falls on: in the main menu or in the open submenu.
struct MenuHit {
  std::size_t index = 0;
  bool in_submenu = false;
  friend bool operator==(const MenuHit&, const MenuHit&) = default;
};

class ContextMenu : public Widget {
 public:
  static constexpr double kRowHeight = 28;
  static constexpr double kSeparatorHeight = 9;
  static constexpr double kPadding = 6;
  static constexpr double kMinWidth = 200;

  explicit ContextMenu(std::string id = "context_menu") : id_(std::move(id)) {}

  // Items can be pushed only while the menu is closed.
  void push(MenuItem item);
  void clear();
  const std::vector<MenuItem>& items() const { return items_; }

  // Opens with the top-left corner at `at`, moved so the menu stays inside `window`. Widths are
  // estimated until a text renderer is at hand (the first event or draw measures them); the
  // second form measures at once.
  void open_at(Point at, const Rect& window);
  void open_at(Point at, const Rect& window, TextRenderer& text);
  void close();
  bool is_open() const { return open_; }
  std::optional<MenuCommand> take_chosen() { return std::exchange(chosen_, std::nullopt); }

  std::optional<MenuHit> item_at(Point p) const;
  bool contains(Point p) const;
  Rect menu_rect() const { return main_.rect; }
  Rect submenu_rect() const { return sub_ ? sub_->rect : Rect{}; }
  std::optional<std::size_t> highlighted() const { return main_.highlighted; }
  std::optional<std::size_t> submenu_parent() const { return sub_ ? std::optional(sub_->parent) : std::nullopt; }
  std::optional<std::size_t> submenu_highlighted() const { return sub_ ? sub_->highlighted : std::nullopt; }

  // Where a menu of `size` opened at `at` goes so that it stays inside `window`: it flips to the
  // other side of the point when it does not fit, and is pushed against the window edge when that
  // does not fit either. A menu taller than the window gets the window's height (and scrolls).
  static Rect place(Size size, Point at, const Rect& window);

  std::string_view type_name() const override { return "ContextMenu"; }
  std::string_view id() const override { return id_; }
  void draw(Painter& p, DrawContext& ctx) override;
  EventResult handle_event(const Event& e, EventContext& ctx) override;
  std::optional<a11y::AccessNode> accessibility() const override;
  bool wants_pointer_capture() const override { return open_; }
  void identified_rects(std::vector<IdentifiedRect>& out) const override;

 private:
  struct Level {
    Rect rect;
    std::vector<Rect> rows;  // one per item, in the level's scrolled position
    std::optional<std::size_t> highlighted;
    double scroll = 0;
    double content_height = 0;
    std::size_t parent = 0;  // submenu: the main-menu item it belongs to
  };

  const std::vector<MenuItem>& level_items(const Level& level) const;
  double level_width(const std::vector<MenuItem>& items, TextRenderer* text) const;
  void lay_out_rows(Level& level);
  void measure_levels(TextRenderer* text);
  void open_submenu(std::size_t parent, TextRenderer* text);
  void step(Level& level, int direction);
  void reveal(Level& level, std::size_t index);
  void choose(const MenuItem& item);
  void scroll(Level& level, double dy);
  void draw_level(Painter& p, DrawContext& ctx, const Level& level);
  static std::optional<std::size_t> row_at(const Level& level, Point p);
  static a11y::AccessNode level_node(const Level& level, const std::vector<MenuItem>& items);

  std::string id_;
  std::vector<MenuItem> items_;
  Level main_;
  std::optional<Level> sub_;
  bool keyboard_in_sub_ = false;
  Point opened_at_;
  Rect window_;
  bool open_ = false;
  bool measured_ = false;
  bool release_armed_ = false;
  std::optional<MenuCommand> chosen_;
};

}  // namespace vemo_ui
