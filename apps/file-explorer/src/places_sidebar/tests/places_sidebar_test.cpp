#include "places_sidebar/places_sidebar.h"

#include <fstream>

#include <gtest/gtest.h>

#include "vemo_ui/services.h"
#include "vemo_ui/text.h"

namespace fe {
namespace {

namespace fs = std::filesystem;
using vemo_ui::Event;
using vemo_ui::EventResult;
using vemo_ui::PointerButton;

class Sidebar : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fe-sidebar-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    root_ = pattern;
  }
  void TearDown() override { fs::remove_all(root_); }

  // A sidebar over `favourites` (written to its file) at 240 × 600 logical pixels.
  std::unique_ptr<PlacesSidebar> make(const std::vector<std::string>& favourites, fs::path current = "/elsewhere",
                                      std::optional<fs::path> trash = fs::path("/trash")) {
    const auto config = root_ / "config";
    fs::create_directories(config);
    std::ofstream out(favourites_file(config));
    for (const auto& f : favourites) out << f << "\n";
    out.close();
    FavouritesStore store(favourites.empty() ? std::optional<fs::path>() : config,
                          vemo_ui::sysdirs::UserDirs::from_system(root_ / "no-home"));
    state_ = std::make_shared<SidebarState>(std::move(store));
    if (favourites.empty()) {
      while (!state_->favourites.items().empty()) state_->favourites.remove(state_->favourites.items().front().path);
    }
    commands_ = std::make_shared<CommandQueue>();
    auto sidebar = std::make_unique<PlacesSidebar>(current, system_places({}, trash), state_, commands_);
    vemo_ui::LayoutContext ctx{text_, theme_, services_, 1.0, 1.0, {800, 600}};
    sidebar->build_layout(ctx);
    sidebar->apply_layout(ctx, {0, 0, 240, 600});
    return sidebar;
  }

  EventResult send(PlacesSidebar& s, const Event& e) {
    vemo_ui::EventContext ctx{text_, theme_, services_, vemo_ui::Clock::now(), std::nullopt};
    return s.handle_event(e, ctx);
  }
  EventResult press(PlacesSidebar& s, double x, double y, PointerButton b = PointerButton::Primary) {
    send(s, Event::pointer(Event::Type::PointerMove, {x, y}));
    return send(s, Event::pointer(Event::Type::PointerPress, {x, y}, b));
  }
  void move(PlacesSidebar& s, double x, double y) { send(s, Event::pointer(Event::Type::PointerMove, {x, y})); }
  void release(PlacesSidebar& s, double x, double y) { send(s, Event::pointer(Event::Type::PointerRelease, {x, y})); }
  std::vector<Command> drained() {
    std::vector<Command> out;
    while (auto c = commands_->take()) out.push_back(std::move(*c));
    return out;
  }
  double row_middle(const PlacesSidebar& s, std::size_t i) const { return s.favourite_row_rect(i).center().y; }

  fs::path root_;
  vemo_ui::TextRenderer text_;
  vemo_ui::Theme theme_ = vemo_ui::Theme::light();
  vemo_ui::Services services_;
  SharedSidebarState state_;
  SharedCommandQueue commands_;
};

TEST_F(Sidebar, WithoutFavouritesTheSystemHeadingStartsAtTheTop) {
  auto s = make({});
  EXPECT_EQ(s->system_header_top(), 12);
  EXPECT_EQ(s->system_row_rect(0).y0, 12 + 26);
  auto with = make({"/a"});
  EXPECT_EQ(with->system_header_top(), 12 + 26 + 34 + 12);
}

TEST_F(Sidebar, SystemPlacesAreWorkspacesRootAndKnownTrash) {
  auto with_trash = system_places({"/var/workspace"}, fs::path("/t"));
  ASSERT_EQ(with_trash.size(), 3u);
  EXPECT_EQ(with_trash[0].path, "/var/workspace");
  EXPECT_EQ(with_trash[0].label, "workspace");
  EXPECT_EQ(with_trash[1].path, "/");
  EXPECT_EQ(with_trash[2].path, "/t");
  auto without = system_places({"/var/workspace"}, std::nullopt);
  ASSERT_EQ(without.size(), 2u);
  EXPECT_EQ(without[1].path, "/");
}

TEST_F(Sidebar, ShortClickOpensAFavouriteOnRelease) {
  auto s = make({"/a", "/b"});
  ASSERT_EQ(press(*s, 100, row_middle(*s, 1)), EventResult::Consumed);
  EXPECT_TRUE(drained().empty()) << "a favourite opens on release, not on press";
  move(*s, 103, row_middle(*s, 1) + 3);  // 4.2 px: still a click
  release(*s, 103, row_middle(*s, 1) + 3);
  auto commands = drained();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(std::get<cmd::NavigateTo>(commands[0]).path, "/b");
}

TEST_F(Sidebar, DragBackToItsOwnSlotDoesNothing) {
  auto s = make({"/a", "/b", "/c"});
  press(*s, 100, row_middle(*s, 0));
  move(*s, 100, row_middle(*s, 0) + 5);
  move(*s, 100, row_middle(*s, 0));
  release(*s, 100, row_middle(*s, 0));
  EXPECT_TRUE(drained().empty());
}

TEST_F(Sidebar, ReorderRoundsToTheNearestSlotAndClamps) {
  struct Case {
    double rows;
    std::size_t target;
  };
  for (const auto& c : {Case{2.6, 3}, Case{2.4, 2}, Case{10, 3}, Case{-3, 0}}) {
    auto s = make({"/a", "/b", "/c", "/d"});
    const std::size_t from = c.rows < 0 ? 1 : 0;
    const double y = row_middle(*s, from);
    press(*s, 100, y);
    move(*s, 100, y + c.rows * 34);
    release(*s, 100, y + c.rows * 34);
    auto commands = drained();
    ASSERT_EQ(commands.size(), 1u) << c.rows;
    auto reorder = std::get<cmd::ReorderFavourite>(commands[0]);
    EXPECT_EQ(reorder.from, from);
    EXPECT_EQ(reorder.to, c.target) << c.rows;
  }
}

TEST_F(Sidebar, SystemPlaceOpensOnPress) {
  auto s = make({"/a"});
  press(*s, 100, s->system_row_rect(0).center().y);
  auto commands = drained();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(std::get<cmd::NavigateTo>(commands[0]).path, "/");
}

TEST_F(Sidebar, SecondaryPressOnAFavouriteAsksForItsMenu) {
  auto s = make({"/a", "/b"});
  EXPECT_EQ(press(*s, 100, row_middle(*s, 1), PointerButton::Secondary), EventResult::Consumed);
  auto commands = drained();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(std::get<cmd::OpenFavouriteMenu>(commands[0]).path, "/b");
  EXPECT_EQ(press(*s, 100, s->system_row_rect(0).center().y, PointerButton::Secondary), EventResult::Ignored);
}

TEST_F(Sidebar, KeyboardMovesFocusWithinTheRows) {
  auto s = make({"/a"});                             // rows: /a, Root, Trash
  press(*s, 100, s->system_row_rect(1).center().y);  // Trash, the last row
  drained();
  EXPECT_EQ(send(*s, Event::key_press(vemo_ui::Key::Down)), EventResult::Consumed);
  EXPECT_EQ(state_->focused_row, 2u);
  send(*s, Event::key_press(vemo_ui::Key::Home));
  EXPECT_EQ(state_->focused_row, 0u);
  send(*s, Event::key_press(vemo_ui::Key::Enter));
  auto commands = drained();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(std::get<cmd::NavigateTo>(commands[0]).path, "/a");
  send(*s, Event::key_press(vemo_ui::Key::End));
  EXPECT_EQ(send(*s, Event::key_press(vemo_ui::Key::Menu)), EventResult::Ignored) << "system rows have no menu";
  EXPECT_TRUE(drained().empty());
}

TEST_F(Sidebar, KeysAreIgnoredUntilTheSidebarIsActive) {
  auto s = make({"/a"});
  EXPECT_EQ(send(*s, Event::key_press(vemo_ui::Key::Down)), EventResult::Ignored);
  s->set_focus(true);
  EXPECT_EQ(state_->focused_row, 0u) << "no current place: the first row";
  EXPECT_EQ(send(*s, Event::key_press(vemo_ui::Key::Down)), EventResult::Consumed);
}

TEST_F(Sidebar, AccessibilityMarksTheCurrentPlaceAndTheFocusedRow) {
  auto s = make({"/a", "/b"}, "/b");
  auto node = s->accessibility();
  ASSERT_TRUE(node);
  ASSERT_EQ(node->children.size(), 4u);
  EXPECT_TRUE(node->children[1].states.selected);
  EXPECT_FALSE(node->children[1].states.focused) << "not keyboard active";
  EXPECT_EQ(node->children[1].position, (std::pair{2, 4}));
  EXPECT_EQ(node->value, "b");
  s->set_focus(true);
  node = s->accessibility();
  EXPECT_TRUE(node->children[1].states.focused);
  EXPECT_TRUE(node->states.focused);
}

TEST_F(Sidebar, StagedReorderDragsFromOneRowToAnother) {
  auto s = make({"/a", "/b", "/c", "/d"});
  EXPECT_TRUE(s->stage_reorder(0, 2));
  EXPECT_EQ(state_->drag.phase, ReorderDrag::Phase::Dragging);
  EXPECT_EQ(state_->drag.target, 2u);
  EXPECT_FALSE(s->stage_reorder(4, 0));
}

}  // namespace
}  // namespace fe
