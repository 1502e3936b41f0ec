// Context menus, the navigation shell, the scroll container and the stacking containers.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"
#include "vemo_ui/persist.h"
#include "vemo_ui/widgets/column.h"
#include "vemo_ui/widgets/context_menu.h"
#include "vemo_ui/widgets/empty_state.h"
#include "vemo_ui/widgets/nav_shell.h"
#include "vemo_ui/widgets/row.h"
#include "vemo_ui/widgets/scrollable.h"
#include "vemo_ui/widgets/spinner.h"
#include "widget_env.h"

namespace vemo_ui {
namespace {

using testing::TempDir;
using testing::WidgetEnv;

// A leaf of fixed natural height that records what it saw.
class Block : public Widget {
 public:
  explicit Block(double height, std::string id = {}) : height_(height), id_(std::move(id)) {}
  std::string_view type_name() const override { return "Block"; }
  std::string_view id() const override { return id_; }
  Size measure(LayoutContext&, const Constraints& c) override {
    return {c.mode == Constraints::Mode::MinContent ? 50 : c.width, height_};
  }
  EventResult handle_event(const Event& e, EventContext&) override {
    last = e.type;
    ++events;
    return e.type == Event::Type::PointerPress && bounds_.contains(e.position) ? EventResult::Consumed
                                                                               : EventResult::Ignored;
  }
  void draw(Painter&, DrawContext& ctx) override { visible = ctx.visible; }
  std::optional<a11y::AccessNode> accessibility() const override {
    return a11y::AccessNode(a11y::Role::Label).with_name(id_);
  }
  double height_;
  std::string id_;
  std::optional<Event::Type> last;
  int events = 0;
  std::optional<Rect> visible;
};

// ───────────────────────── ContextMenu ─────────────────────────

MenuCommand cmd(std::int64_t n) {
  return MenuCommand{n};
}

ContextMenu sample_menu() {
  ContextMenu menu;
  menu.push(MenuItem::action("Open", cmd(1)));
  menu.push(MenuItem::action("Rename", cmd(2)));
  menu.push(MenuItem::separator_line());
  menu.push(MenuItem::inactive("Pinned by Parent Folder"));
  menu.push(MenuItem::submenu("New File", {MenuItem::action("New Text", std::string("tpl:text")),
                                           MenuItem::action("New Sheet", std::string("tpl:sheet"))}));
  menu.push(MenuItem::separator_line());
  menu.push(MenuItem::action("Open Terminal Here", cmd(9)));
  return menu;
}

const Rect kWindow{0, 0, 800, 600};

TEST(ContextMenuPlace, StaysInsideTheWindow) {
  struct Case {
    const char* name;
    Point at;
    Size size;
    Rect expected;
  };
  const Case cases[] = {
      {"fits", {100, 100}, {200, 150}, {100, 100, 300, 250}},
      {"flips left at the right edge", {700, 100}, {200, 150}, {500, 100, 700, 250}},
      {"flips up at the bottom", {100, 550}, {200, 150}, {100, 400, 300, 550}},
      {"corner flips both", {790, 590}, {200, 150}, {590, 440, 790, 590}},
      {"no room on either side: pushed to the edge", {150, 300}, {700, 100}, {100, 300, 800, 400}},
      {"taller than the window: window height", {100, 200}, {200, 900}, {100, 0, 300, 600}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContextMenu::place(c.size, c.at, kWindow), c.expected) << c.name;
  }
}

TEST(ContextMenu, OpensInsideWindowNearTheCorner) {
  WidgetEnv env;
  ContextMenu menu = sample_menu();
  menu.open_at({790, 590}, kWindow, env.text);
  ASSERT_TRUE(menu.is_open());
  const Rect r = menu.menu_rect();
  EXPECT_GE(r.x0, 0);
  EXPECT_GE(r.y0, 0);
  EXPECT_LE(r.x1, 800);
  EXPECT_LE(r.y1, 600);
  EXPECT_GE(r.width(), ContextMenu::kMinWidth);
  EXPECT_EQ(r.height(), 5 * ContextMenu::kRowHeight + 2 * ContextMenu::kSeparatorHeight + 2 * ContextMenu::kPadding);
}

TEST(ContextMenu, KeyboardSkipsSeparatorsAndInactiveItems) {
  WidgetEnv env;
  ContextMenu menu = sample_menu();
  menu.open_at({50, 50}, kWindow, env.text);
  const std::size_t expected[] = {0, 1, 4, 6, 0};
  for (std::size_t e : expected) {
    EXPECT_EQ(env.key(menu, Key::Down), EventResult::Consumed);
    EXPECT_EQ(menu.highlighted(), e);
  }
  env.key(menu, Key::Up);
  EXPECT_EQ(menu.highlighted(), 6u);
  env.key(menu, Key::Home);
  EXPECT_EQ(menu.highlighted(), 0u);
  env.key(menu, Key::Down);
  env.key(menu, Key::Enter);
  EXPECT_FALSE(menu.is_open());
  EXPECT_EQ(menu.take_chosen(), cmd(2));
  EXPECT_EQ(menu.take_chosen(), std::nullopt);
}

TEST(ContextMenu, SubmenuByKeyboard) {
  WidgetEnv env;
  ContextMenu menu = sample_menu();
  menu.open_at({50, 50}, kWindow, env.text);
  env.key(menu, Key::End);
  env.key(menu, Key::Up);  // "New File"
  EXPECT_EQ(menu.highlighted(), 4u);
  env.key(menu, Key::Right);
  ASSERT_EQ(menu.submenu_parent(), 4u);
  EXPECT_EQ(menu.submenu_highlighted(), 0u);
  EXPECT_GE(menu.submenu_rect().x0, menu.menu_rect().x1 - 2);  // beside, to the right
  env.key(menu, Key::Left);
  EXPECT_EQ(menu.submenu_parent(), std::nullopt);
  EXPECT_TRUE(menu.is_open());
  env.key(menu, Key::Enter);  // Enter on a submenu item opens it too
  env.key(menu, Key::Down);
  env.key(menu, Key::Enter);
  EXPECT_EQ(menu.take_chosen(), MenuCommand{std::string("tpl:sheet")});
  EXPECT_FALSE(menu.is_open());
}

TEST(ContextMenu, SubmenuFlipsLeftAtTheRightEdge) {
  WidgetEnv env;
  ContextMenu menu = sample_menu();
  menu.open_at({790, 50}, kWindow, env.text);
  env.key(menu, Key::End);
  env.key(menu, Key::Up);
  env.key(menu, Key::Right);
  EXPECT_LE(menu.submenu_rect().x1, menu.menu_rect().x0 + 2);
  EXPECT_GE(menu.submenu_rect().x0, 0);
}

TEST(ContextMenu, EscapeClosesWithoutChoice) {
  WidgetEnv env;
  ContextMenu menu = sample_menu();
  menu.open_at({50, 50}, kWindow, env.text);
  env.key(menu, Key::Down);
  env.key(menu, Key::Escape);
  EXPECT_FALSE(menu.is_open());
  EXPECT_EQ(menu.take_chosen(), std::nullopt);
  EXPECT_EQ(env.key(menu, Key::Down), EventResult::Ignored);
}

TEST(ContextMenu, ReleaseOfTheOpeningPressDoesNotChoose) {
  WidgetEnv env;
  ContextMenu menu = sample_menu();
  menu.open_at({50, 50}, kWindow, env.text);
  const Point first{60, 50 + ContextMenu::kPadding + 4};
  ASSERT_EQ(menu.item_at(first), (MenuHit{0, false}));
  env.release(menu, {50, 50}, PointerButton::Secondary);
  EXPECT_TRUE(menu.is_open());
  // A click on an item chooses it.
  env.move(menu, first);
  env.press(menu, first);
  env.release(menu, first);
  EXPECT_EQ(menu.take_chosen(), cmd(1));
}

TEST(ContextMenu, HoverOpensSubmenuAndReleaseOnInactiveDoesNothing) {
  WidgetEnv env;
  ContextMenu menu = sample_menu();
  menu.open_at({50, 50}, kWindow, env.text);
  const Point inactive{60,
                       50 + ContextMenu::kPadding + 2 * ContextMenu::kRowHeight + ContextMenu::kSeparatorHeight + 4};
  ASSERT_EQ(menu.item_at(inactive), (MenuHit{3, false}));
  env.move(menu, inactive);
  EXPECT_EQ(menu.highlighted(), std::nullopt);
  env.press(menu, inactive);
  env.release(menu, inactive);
  EXPECT_TRUE(menu.is_open());
  const Point new_file{inactive.x, inactive.y + ContextMenu::kRowHeight};
  env.move(menu, new_file);
  ASSERT_EQ(menu.submenu_parent(), 4u);
  const Point sub_item = menu.submenu_rect().center();
  ASSERT_TRUE(menu.item_at(sub_item).has_value());
  EXPECT_TRUE(menu.item_at(sub_item)->in_submenu);
  env.move(menu, sub_item);
  env.release(menu, sub_item);
  EXPECT_TRUE(menu.take_chosen().has_value());
}

TEST(ContextMenu, PressOutsideCloses) {
  WidgetEnv env;
  ContextMenu menu = sample_menu();
  menu.open_at({50, 50}, kWindow, env.text);
  EXPECT_EQ(env.press(menu, {700, 500}), EventResult::Consumed);
  EXPECT_FALSE(menu.is_open());
  EXPECT_EQ(menu.take_chosen(), std::nullopt);
}

TEST(ContextMenu, AccessibilityListsItemsWithoutSeparators) {
  WidgetEnv env;
  ContextMenu menu = sample_menu();
  EXPECT_EQ(menu.accessibility(), std::nullopt);
  menu.open_at({50, 50}, kWindow, env.text);
  const auto node = menu.accessibility();
  ASSERT_TRUE(node.has_value());
  EXPECT_EQ(node->role, a11y::Role::Menu);
  ASSERT_EQ(node->children.size(), 5u);
  EXPECT_EQ(node->children[2].name, "Pinned by Parent Folder");
  EXPECT_FALSE(node->children[2].states.focusable);
  EXPECT_EQ(node->children[4].role, a11y::Role::MenuItem);
  EXPECT_EQ(node->children[4].position, (std::pair{5, 5}));
}

// ───────────────────────── NavShell ─────────────────────────

struct ShellCase {
  double width;
  bool narrow;
  Rect sidebar;
  Rect content;
};

TEST(NavShell, NarrowAndWideGeometry) {
  const ShellCase cases[] = {
      {1280, false, {0, 40, 320, 800}, {320, 40, 1280, 800}},
      {640, false, {0, 40, 320, 800}, {320, 40, 640, 800}},
      {639, true, {0, 40, 320, 800}, {0, 40, 639, 800}},
      {300, true, {0, 40, 252, 800}, {0, 40, 300, 800}},
  };
  for (const ShellCase& c : cases) {
    WidgetEnv env;
    NavShell shell(320, 640, 200);
    shell.set_sidebar(std::make_unique<Block>(10, "sidebar"));
    shell.set_content(std::make_unique<Block>(10, "content"));
    env.lay_out(shell, {0, 40, c.width, 800});
    SCOPED_TRACE(c.width);
    EXPECT_EQ(shell.is_narrow(), c.narrow);
    EXPECT_EQ(shell.sidebar_rect(), c.sidebar);
    EXPECT_EQ(shell.content_rect(), c.content);
    EXPECT_EQ(shell.content()->bounds(), c.content);
    EXPECT_EQ(shell.toggle_rect().is_empty(), !c.narrow);
  }
}

TEST(NavShell, WideSidebarShrinksToKeepMinimumContent) {
  WidgetEnv env;
  NavShell shell(320, 400, 200);
  shell.set_sidebar(std::make_unique<Block>(10));
  shell.set_content(std::make_unique<Block>(10));
  env.lay_out(shell, {0, 0, 450, 600});
  EXPECT_FALSE(shell.is_narrow());
  EXPECT_EQ(shell.sidebar_rect().width(), 250);
  EXPECT_EQ(shell.content_rect().width(), 200);
}

TEST(NavShell, NarrowOverlayOpensClosesAndHidesTheSidebar) {
  WidgetEnv env;
  NavShell shell;
  auto sidebar = std::make_unique<Block>(10, "sidebar");
  Block* side = sidebar.get();
  shell.set_sidebar(std::move(sidebar));
  shell.set_content(std::make_unique<Block>(10, "content"));
  env.lay_out(shell, {0, 0, 500, 700});
  ASSERT_TRUE(shell.is_narrow());
  // Closed: the sidebar is out of the tree.
  EXPECT_EQ(find_widget(shell, "sidebar"), nullptr);
  EXPECT_NE(find_widget(shell, "nav.sidebar_toggle"), nullptr);
  // The toggle opens it.
  const Point toggle = shell.toggle_rect().center();
  env.press(shell, toggle);
  env.release(shell, toggle);
  EXPECT_TRUE(shell.is_sidebar_open());
  EXPECT_TRUE(shell.needs_animation_frame(env.now));
  EXPECT_EQ(find_widget(shell, "sidebar"), side);
  // A press on the scrim closes it and does not reach the content.
  EXPECT_EQ(env.press(shell, {450, 300}), EventResult::Consumed);
  EXPECT_FALSE(shell.is_sidebar_open());
  // Escape closes too.
  shell.snap_open();
  EXPECT_EQ(shell.slide_progress(env.now), 1.0);
  EXPECT_FALSE(shell.needs_animation_frame(env.now));
  EXPECT_EQ(env.key(shell, Key::Escape), EventResult::Consumed);
  EXPECT_FALSE(shell.is_sidebar_open());
}

TEST(NavShell, SnapOpenBeforeTheFirstLayoutSurvivesIt) {
  WidgetEnv env;
  NavShell shell;
  shell.set_sidebar(std::make_unique<Block>(10, "sidebar"));
  shell.set_content(std::make_unique<Block>(10));
  shell.snap_open();
  env.lay_out(shell, {0, 0, 500, 700});
  EXPECT_TRUE(shell.is_sidebar_open());
  EXPECT_EQ(shell.slide_progress(env.now), 1.0);
  // Widening past the collapse width and back closes it.
  env.lay_out(shell, {0, 0, 900, 700});
  env.lay_out(shell, {0, 0, 500, 700});
  EXPECT_FALSE(shell.is_sidebar_open());
}

TEST(NavShell, SlideRunsForItsDurationAfterTheFirstSync) {
  WidgetEnv env;
  NavShell shell;
  shell.set_sidebar(std::make_unique<Block>(10));
  shell.set_content(std::make_unique<Block>(10));
  env.lay_out(shell, {0, 0, 500, 700});
  shell.open_sidebar();
  SyncContext sync{env.services, env.now};
  shell.sync(sync);
  EXPECT_EQ(shell.slide_progress(env.now), 0.0);
  EXPECT_GT(shell.slide_progress(env.now + NavShell::kSlide / 2), 0.5);
  EXPECT_EQ(shell.slide_progress(env.now + NavShell::kSlide), 1.0);
  EXPECT_TRUE(shell.needs_animation_frame(env.now + NavShell::kSlide / 2));
  EXPECT_FALSE(shell.needs_animation_frame(env.now + NavShell::kSlide));
}

TEST(NavShell, WideModeRoutesToSidebarThenContent) {
  WidgetEnv env;
  NavShell shell;
  auto s = std::make_unique<Block>(10);
  auto c = std::make_unique<Block>(10);
  Block* side = s.get();
  Block* content = c.get();
  shell.set_sidebar(std::move(s));
  shell.set_content(std::move(c));
  env.lay_out(shell, {0, 0, 1000, 700});
  EXPECT_EQ(env.press(shell, {100, 100}), EventResult::Consumed);
  EXPECT_EQ(side->events, 1);
  EXPECT_EQ(content->events, 0);
  EXPECT_EQ(env.press(shell, {600, 100}), EventResult::Consumed);
  EXPECT_EQ(content->events, 1);
}

// ───────────────────────── Scrollable ─────────────────────────

Event scroll_by(Point at, double dy) {
  Event e = Event::pointer(Event::Type::Scroll, at);
  e.scroll_dy = dy;
  return e;
}

TEST(Scrollable, ChildIsShiftedByTheClampedOffset) {
  WidgetEnv env;
  auto child = std::make_unique<Block>(1000);
  Block* block = child.get();
  Scrollable scroll(std::move(child));
  env.lay_out(scroll, {0, 50, 400, 350});
  EXPECT_EQ(block->bounds(), (Rect{0, 50, 400, 1050}));
  EXPECT_EQ(env.send(scroll, scroll_by({10, 100}, 120)), EventResult::Consumed);
  EXPECT_EQ(scroll.offset(), 120);
  env.lay_out(scroll, {0, 50, 400, 350});
  EXPECT_EQ(block->bounds(), (Rect{0, -70, 400, 930}));
  env.send(scroll, scroll_by({10, 100}, 5000));
  EXPECT_EQ(scroll.offset(), 700);  // 1000 − 300
  env.send(scroll, scroll_by({10, 100}, -9000));
  EXPECT_EQ(scroll.offset(), 0);
  // Outside the viewport the wheel is not ours.
  EXPECT_EQ(env.send(scroll, scroll_by({10, 400}, 50)), EventResult::Ignored);
}

TEST(Scrollable, HiddenPartsOfTheChildDoNotTakeThePointer) {
  WidgetEnv env;
  auto child = std::make_unique<Block>(1000);
  Block* block = child.get();
  Scrollable scroll(std::move(child));
  env.lay_out(scroll, {0, 50, 400, 350});
  EXPECT_EQ(env.press(scroll, {10, 500}), EventResult::Ignored);  // inside the child, below the viewport
  EXPECT_EQ(block->events, 0);
  EXPECT_EQ(env.press(scroll, {10, 100}), EventResult::Consumed);
  EXPECT_EQ(block->events, 1);
  env.move(scroll, {10, 500});
  EXPECT_EQ(block->last, Event::Type::PointerLeave);
}

TEST(Scrollable, RevealScrollsTheLeastAmount) {
  WidgetEnv env;
  Scrollable scroll(std::make_unique<Block>(1000));
  env.lay_out(scroll, {0, 0, 400, 300});
  scroll.scroll_to_reveal({0, 320, 400, 354});  // below: bottom edge to the viewport's bottom
  env.lay_out(scroll, {0, 0, 400, 300});
  EXPECT_EQ(scroll.offset(), 54);
  scroll.scroll_to_reveal({0, 100, 400, 134});  // already visible
  EXPECT_EQ(scroll.offset(), 54);
  scroll.scroll_to_reveal({0, -20, 400, 14});  // above
  EXPECT_EQ(scroll.offset(), 34);
}

TEST(Scrollable, OffsetPersistsAcrossRebuildsWithTheSameKey) {
  TempDir tmp;
  auto doc = persist::open({"vemo.test", tmp / "state"});
  ASSERT_TRUE(doc.has_value()) << doc.error();
  WidgetEnv env;
  env.services.set_state(&*doc);
  {
    auto first = Scrollable::with_persisted_offset("files:/home/u", std::make_unique<Block>(2000));
    env.lay_out(*first, {0, 0, 400, 300});
    env.send(*first, scroll_by({10, 10}, 250));
    EXPECT_EQ(first->offset(), 250);
  }
  EXPECT_EQ(doc->number("scroll:files:/home/u"), 250);
  auto child = std::make_unique<Block>(2000);
  Block* block = child.get();
  auto second = Scrollable::with_persisted_offset("files:/home/u", std::move(child));
  env.lay_out(*second, {0, 0, 400, 300});
  EXPECT_EQ(second->offset(), 250);
  EXPECT_EQ(block->bounds().y0, -250);
  // Another key starts at the top.
  auto other = Scrollable::with_persisted_offset("files:/tmp", std::make_unique<Block>(2000));
  env.lay_out(*other, {0, 0, 400, 300});
  EXPECT_EQ(other->offset(), 0);
  // A short content clamps the shown offset but keeps the stored place.
  auto short_one = Scrollable::with_persisted_offset("files:/home/u", std::make_unique<Block>(400));
  env.lay_out(*short_one, {0, 0, 400, 300});
  EXPECT_EQ(short_one->offset(), 100);
  EXPECT_EQ(doc->number("scroll:files:/home/u"), 250);
}

// ───────────────────────── Column, Row, EmptyState, Spinner ─────────────────────────

TEST(Column, StacksAndFills) {
  WidgetEnv env;
  Column col;
  col.set_spacing(4);
  col.push(std::make_unique<Block>(40));
  Widget& fill = col.push(std::make_unique<Block>(0), Sizing::Fill);
  col.push(std::make_unique<Block>(20));
  env.lay_out(col, {0, 0, 300, 500});
  EXPECT_EQ(col.child(0)->bounds(), (Rect{0, 0, 300, 40}));
  EXPECT_EQ(fill.bounds(), (Rect{0, 44, 300, 476}));
  EXPECT_EQ(col.child(2)->bounds(), (Rect{0, 480, 300, 500}));
  auto ctx = env.layout_ctx();
  EXPECT_EQ(col.measure(ctx, {Constraints::Mode::Definite, 300}).height, 68);
}

TEST(Row, FixedChildrenAtNaturalWidthAndOneFilling) {
  WidgetEnv env;
  Row row;
  row.set_spacing(8);
  row.set_padding(10, 0);
  row.push(std::make_unique<Block>(32));
  Widget& fill = row.push(std::make_unique<Block>(34), Sizing::Fill);
  row.push(std::make_unique<Block>(32));
  env.lay_out(row, {0, 0, 500, 48});
  EXPECT_EQ(row.child(0)->bounds(), (Rect{10, 8, 60, 40}));
  EXPECT_EQ(fill.bounds(), (Rect{68, 7, 432, 41}));
  EXPECT_EQ(row.child(2)->bounds(), (Rect{440, 8, 490, 40}));
}

TEST(EmptyState, CentredWithSpinnerAndAction) {
  WidgetEnv env;
  auto queue = std::make_shared<vemo_actions::ControlQueue>();
  EmptyState page("Couldn't open this folder", "denied");
  page.with_spinner(28);
  Button& retry = page.with_action("files.retry", "Try Again", queue);
  env.lay_out(page, {0, 0, 600, 400});
  const double title_mid = (page.title_rect().x0 + page.title_rect().x1) / 2;
  EXPECT_NEAR(title_mid, 300, 1);
  EXPECT_GT(page.title_rect().y0, page.spinner()->bounds().y1);
  EXPECT_GT(retry.bounds().y0, page.detail_rect().y1);
  const double top_gap = page.spinner()->bounds().y0;
  const double bottom_gap = 400 - retry.bounds().y1;
  EXPECT_NEAR(top_gap, bottom_gap, 1);
  EXPECT_TRUE(page.needs_animation_frame(env.now));
  env.press(page, retry.bounds().center());
  env.release(page, retry.bounds().center());
  ASSERT_FALSE(queue->empty());
  EXPECT_EQ(queue->take()->control_id, "files.retry");
  const auto node = page.accessibility();
  ASSERT_TRUE(node.has_value());
  EXPECT_TRUE(node->states.busy);
  EXPECT_EQ(node->description, "denied");
}

TEST(Spinner, TurnsOncePerSecondAndStopsAskingWhenStopped) {
  const auto t = Clock::time_point{} + std::chrono::seconds(10);
  EXPECT_NEAR(Spinner::angle_at(t + std::chrono::milliseconds(250)) - Spinner::angle_at(t), std::numbers::pi / 2, 1e-9);
  EXPECT_NEAR(Spinner::angle_at(t + std::chrono::seconds(1)), Spinner::angle_at(t), 1e-9);
  Spinner s(28);
  EXPECT_TRUE(s.needs_animation_frame(t));
  s.set_spinning(false);
  EXPECT_FALSE(s.needs_animation_frame(t));
}

}  // namespace
}  // namespace vemo_ui
