// The places sidebar and the favourites behind it, driven through the automation mode: the rows
// and their accessible descriptions, the favourites file, opening places by pointer and keyboard,
// reordering by dragging, the favourite menu and the sidebar over the content in a narrow window.

#include <fstream>

#include <gtest/gtest.h>

#include "driver.h"
#include "process.h"

namespace fe::e2e {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class Places : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(home() / "Documents");
    fs::create_directories(home() / "Music");
    fs::create_directories(work());
    fs::create_directories(trash());
  }

  fs::path home() const { return home_.home(); }
  fs::path work() const { return home() / "work"; }
  fs::path trash() const { return home_.data() / "Trash/files"; }
  fs::path favourites_file() const { return home_.config() / "vemo-files/favorites"; }
  std::vector<std::string> defaults() const {
    return {home().string(), (home() / "Documents").string(), (home() / "Music").string()};
  }

  void write_favourites(const std::string& text) {
    fs::create_directories(favourites_file().parent_path());
    std::ofstream(favourites_file(), std::ios::binary) << text;
  }
  void write_favourites(const std::vector<fs::path>& paths) {
    std::string text;
    for (const auto& p : paths) text += p.string() + "\n";
    write_favourites(text);
  }
  std::vector<std::string> read_favourites() const {
    std::ifstream in(favourites_file(), std::ios::binary);
    EXPECT_TRUE(in.good()) << favourites_file();
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  std::unique_ptr<AutomationClient> start(const fs::path& folder, std::vector<std::string> args = {}) {
    args.push_back(folder.string());
    return std::make_unique<AutomationClient>(home_, args);
  }

  static json places(AutomationClient& c) { return node_with_name(a11y_tree(c), "list", "Places"); }
  static std::vector<std::string> place_names(AutomationClient& c) { return child_names(places(c)); }
  static json place(AutomationClient& c, const std::string& name) {
    auto row = node_with_name(places(c), "list item", name);
    EXPECT_FALSE(row.is_null()) << "no place row " << name;
    return row;
  }
  static std::array<double, 2> centre(const json& node) {
    if (!node.contains("bounds")) return {0, 0};
    const auto r = node["bounds"].get<Rect4>();
    return {(r[0] + r[2]) / 2, (r[1] + r[3]) / 2};
  }
  static std::string directory(AutomationClient& c) { return snapshot(c)["directory"].get<std::string>(); }
  static json menu(AutomationClient& c) {
    return find_node(a11y_tree(c), [](const json& n) { return n.value("role", "") == "menu"; });
  }
  static void secondary_click(AutomationClient& c, std::array<double, 2> at) {
    pointer(c, "move", at[0], at[1]);
    click(c, at[0], at[1], "secondary");
  }
  static json invoke_folder_command(AutomationClient& c, const std::string& command) {
    return c.request({{"op", "invoke"}, {"kind", 1}, {"action", "files.folder-command"}, {"payload", command}});
  }

  TempHome home_;
};

TEST_F(Places, DefaultsWithoutAFavouritesFile) {
  auto c = start(home());
  struct Row {
    std::string name;
    std::string description;
  };
  const Row expected[] = {
      {"Home", "Favourite, " + home().string()},
      {"Documents", "Favourite, " + (home() / "Documents").string()},
      {"Music", "Favourite, " + (home() / "Music").string()},
      {"Root", "System location, /"},
      {"Trash", "System location, " + trash().string()},
  };
  const json list = places(*c);
  ASSERT_TRUE(list.contains("children")) << list.dump();
  const auto& rows = list["children"];
  ASSERT_EQ(rows.size(), std::size(expected)) << list.dump();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(rows[i]["role"], "list item");
    EXPECT_EQ(rows[i]["name"], expected[i].name);
    EXPECT_EQ(rows[i]["description"], expected[i].description);
    EXPECT_EQ(rows[i]["position"], json::array({i + 1, rows.size()}));
    EXPECT_EQ(has_state(rows[i], "selected"), i == 0) << "only the current folder's row is selected";
  }
  EXPECT_FALSE(fs::exists(favourites_file())) << "loading the defaults writes nothing";
}

TEST_F(Places, AddAndRemoveRewriteTheFavouritesFile) {
  auto c = start(work());
  EXPECT_FALSE(has_state(place(*c, "Home"), "selected"));
  EXPECT_EQ(invoke_folder_command(*c, "add-favorite")["outcome"], "completed");
  EXPECT_EQ(status_message(*c), "Added to Favourites");
  auto with_work = defaults();
  with_work.push_back(work().string());
  EXPECT_EQ(read_favourites(), with_work);
  EXPECT_EQ(place_names(*c), (std::vector<std::string>{"Home", "Documents", "Music", "work", "Root", "Trash"}));
  const json row = place(*c, "work");
  EXPECT_EQ(row["description"], "Favourite, " + work().string());
  EXPECT_TRUE(has_state(row, "selected"));

  EXPECT_EQ(invoke_folder_command(*c, "remove-favorite")["outcome"], "completed");
  EXPECT_EQ(status_message(*c), "Removed from Favourites");
  EXPECT_EQ(read_favourites(), defaults());
  EXPECT_EQ(place_names(*c), (std::vector<std::string>{"Home", "Documents", "Music", "Root", "Trash"}));
}

TEST_F(Places, AddingTwiceKeepsOneEntryAndNoSecondMessage) {
  {
    auto c = start(work());
    invoke_folder_command(*c, "add-favorite");
    EXPECT_EQ(status_message(*c), "Added to Favourites");
  }
  // A fresh run holds no status yet, so a second message would show.
  auto c = start(work());
  ASSERT_EQ(status_message(*c), std::nullopt);
  invoke_folder_command(*c, "add-favorite");
  EXPECT_EQ(status_message(*c), std::nullopt);
  auto with_work = defaults();
  with_work.push_back(work().string());
  EXPECT_EQ(read_favourites(), with_work);
  EXPECT_EQ(place_names(*c).size(), 6u);
}

TEST_F(Places, BlankFavouritesFileGivesTheDefaults) {
  write_favourites("\n   \n\t\r\n\n");
  auto c = start(work());
  EXPECT_EQ(place_names(*c), (std::vector<std::string>{"Home", "Documents", "Music", "Root", "Trash"}));
}

TEST_F(Places, OddFavouritesFileLoadsAndAMissingFolderShowsTheErrorPage) {
  const fs::path odd = home() / "bad\xff";
  fs::create_directories(odd);
  std::string long_path;
  for (int i = 0; i < 40; ++i) long_path += "/" + std::string(200, 'a' + i % 26);
  const fs::path gone = home() / "gone";
  write_favourites("  " + odd.string() + "\t\n" + long_path + "\n" + gone.string() + "\n" + work().string());
  auto c = start(work());
  EXPECT_EQ(place_names(*c),
            (std::vector<std::string>{"bad\xEF\xBF\xBD", std::string(200, 'n'), "gone", "work", "Root", "Trash"}));
  EXPECT_EQ(place(*c, "bad\xEF\xBF\xBD")["description"], "Favourite, " + home().string() + "/bad\xEF\xBF\xBD");

  const auto at = centre(place(*c, "gone"));
  click(*c, at[0], at[1]);
  const json s = snapshot(*c);
  EXPECT_EQ(s["directory"], gone.string());
  EXPECT_EQ(s["has_error"], true);
  EXPECT_TRUE(has_state(a11y_tree(*c), "error"));
  EXPECT_TRUE(has_state(place(*c, "gone"), "selected"));
}

TEST_F(Places, PressAndReleaseOnAFavouriteOpensIt) {
  auto c = start(work());
  // Less than 5 px of motion between press and release still counts as a click.
  const struct {
    std::string name;
    fs::path path;
    double drift;
  } cases[] = {{"Documents", home() / "Documents", 0}, {"Music", home() / "Music", 4}, {"Home", home(), 4.9}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    const auto at = centre(place(*c, k.name));
    pointer(*c, "move", at[0], at[1]);
    pointer(*c, "press", at[0], at[1]);
    EXPECT_NE(directory(*c), k.path.string()) << "a favourite opens on the release";
    pointer(*c, "move", at[0], at[1] + k.drift);
    pointer(*c, "release", at[0], at[1] + k.drift);
    EXPECT_EQ(directory(*c), k.path.string());
  }
}

TEST_F(Places, PressingASystemPlaceOpensOnThePress) {
  auto c = start(work());
  const auto at = centre(place(*c, "Root"));
  pointer(*c, "move", at[0], at[1]);
  pointer(*c, "press", at[0], at[1]);
  EXPECT_EQ(directory(*c), "/");
  pointer(*c, "release", at[0], at[1]);
  EXPECT_EQ(directory(*c), "/");
  EXPECT_TRUE(has_state(place(*c, "Root"), "selected"));
}

TEST_F(Places, DraggingAFavouriteReordersAndRewritesTheFile) {
  for (const char* name : {"A", "B", "C", "D"}) fs::create_directories(home() / name);
  const std::vector<fs::path> initial{home(), home() / "A", home() / "B", home() / "C", home() / "D"};
  const struct {
    double rows;
    std::vector<std::string> order;
  } cases[] = {
      {2.6, {"A", "B", "C", "Home", "D"}},  // 2.6 rounds to 3
      {10, {"A", "B", "C", "D", "Home"}},   // clamped to the last row
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.rows);
    write_favourites(initial);
    auto c = start(work());
    const json home_row = place(*c, "Home");
    const auto r = home_row["bounds"].get<Rect4>();
    const double row_height = r[3] - r[1];
    EXPECT_NEAR(row_height, 34, 0.01);
    const auto from = centre(home_row);
    drag(*c, from, {from[0], from[1] + k.rows * row_height}, 8);
    std::vector<std::string> expected_file;
    for (const auto& name : k.order) expected_file.push_back((name == "Home" ? home() : home() / name).string());
    EXPECT_EQ(read_favourites(), expected_file);
    auto names = place_names(*c);
    names.resize(std::min<std::size_t>(names.size(), k.order.size()));
    EXPECT_EQ(names, k.order);
    EXPECT_EQ(directory(*c), work().string()) << "a reorder opens nothing";
  }
}

TEST_F(Places, DraggingBackToItsOwnSlotNeitherReordersNorOpens) {
  write_favourites(std::vector<fs::path>{home() / "Documents", home(), home() / "Music"});
  const auto before = read_favourites();
  auto c = start(work());
  const auto at = centre(place(*c, "Documents"));
  pointer(*c, "move", at[0], at[1]);
  pointer(*c, "press", at[0], at[1]);
  pointer(*c, "move", at[0], at[1] + 8);
  pointer(*c, "move", at[0], at[1] + 2);
  pointer(*c, "release", at[0], at[1] + 2);
  EXPECT_EQ(directory(*c), work().string());
  EXPECT_EQ(read_favourites(), before);
  EXPECT_EQ(place_names(*c).at(0), "Documents");
}

TEST_F(Places, FavouriteMenuOpensOrRemoves) {
  auto c = start(work());
  secondary_click(*c, centre(place(*c, "Home")));
  json m = menu(*c);
  ASSERT_FALSE(m.is_null()) << "no menu after a secondary press on Home";
  EXPECT_EQ(child_names(m), std::vector<std::string>{"Open"}) << m.dump();
  const auto open = centre(node_with_name(m, "menu item", "Open"));
  click(*c, open[0], open[1]);
  EXPECT_EQ(directory(*c), home().string());
  EXPECT_TRUE(menu(*c).is_null());

  secondary_click(*c, centre(place(*c, "Documents")));
  m = menu(*c);
  ASSERT_FALSE(m.is_null()) << "no menu after a secondary press on Documents";
  EXPECT_EQ(child_names(m), (std::vector<std::string>{"Open", "Remove from Favourites"})) << m.dump();
  const auto remove = centre(node_with_name(m, "menu item", "Remove from Favourites"));
  click(*c, remove[0], remove[1]);
  EXPECT_TRUE(menu(*c).is_null());
  EXPECT_EQ(status_message(*c), "Removed from Favourites");
  EXPECT_EQ(place_names(*c), (std::vector<std::string>{"Home", "Music", "Root", "Trash"}));
  EXPECT_EQ(read_favourites(), (std::vector<std::string>{home().string(), (home() / "Music").string()}));
  EXPECT_EQ(directory(*c), home().string()) << "removing opens nothing";
}

TEST_F(Places, KeyboardMovesTheFocusAndEnterOpens) {
  auto c = start(work());
  EXPECT_FALSE(has_state(places(*c), "focused"));
  const auto last = centre(place(*c, "Trash"));
  click(*c, last[0], last[1]);
  EXPECT_EQ(directory(*c), trash().string());
  EXPECT_TRUE(has_state(places(*c), "focused"));
  press_key(*c, "Down");
  EXPECT_TRUE(has_state(place(*c, "Trash"), "focused")) << "Down on the last row stays there";
  press_key(*c, "Up");
  EXPECT_TRUE(has_state(place(*c, "Root"), "focused"));
  EXPECT_FALSE(has_state(place(*c, "Trash"), "focused"));
  EXPECT_EQ(directory(*c), trash().string()) << "moving the focus opens nothing";
  press_key(*c, "Enter");
  EXPECT_EQ(directory(*c), "/");
}

TEST_F(Places, MenuKeyOpensTheFocusedFavouritesMenuOnly) {
  auto c = start(work());
  const auto root = centre(place(*c, "Root"));
  click(*c, root[0], root[1]);
  press_key(*c, "Menu");
  EXPECT_TRUE(menu(*c).is_null()) << "a system place has no menu";
  press_key(*c, "Up");  // Music, a favourite
  ASSERT_TRUE(has_state(place(*c, "Music"), "focused"));
  press_key(*c, "Menu");
  const json m = menu(*c);
  ASSERT_FALSE(m.is_null()) << "the Menu key on a focused favourite opens no menu";
  EXPECT_EQ(child_names(m), (std::vector<std::string>{"Open", "Remove from Favourites"}));
}

TEST_F(Places, NarrowWindowShowsTheSidebarOverTheContentUntilAPlaceIsChosen) {
  std::ofstream(work() / "note.txt") << "n";
  auto c = start(work(), {"--window-size", "600x500"});
  EXPECT_TRUE(places(*c).is_null()) << "the sidebar starts hidden in a narrow window";
  const auto toggle = rect_of(*c, "nav.sidebar_toggle");
  ASSERT_TRUE(toggle.has_value());
  const auto t = centre_of_rect(*toggle);
  click(*c, t[0], t[1]);
  ASSERT_FALSE(places(*c).is_null()) << "the toggle shows the sidebar";
  // Over the content, not beside it: the file rows keep the whole width.
  EXPECT_LT(places(*c)["bounds"].get<Rect4>()[2], 600);
  const auto row = rect_of(*c, "file_row:note.txt");
  ASSERT_TRUE(row.has_value());
  EXPECT_NEAR((*row)[0], 0, 0.01);
  EXPECT_NEAR((*row)[2], 600, 0.01);

  const auto at = centre(place(*c, "Documents"));
  click(*c, at[0], at[1]);
  EXPECT_EQ(directory(*c), (home() / "Documents").string());
  EXPECT_TRUE(places(*c).is_null()) << "choosing a place closes the sidebar";
  EXPECT_TRUE(rect_of(*c, "nav.sidebar_toggle").has_value());
}

}  // namespace
}  // namespace fe::e2e
