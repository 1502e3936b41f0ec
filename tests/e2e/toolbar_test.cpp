// The toolbar and the path bar through the automation mode: which controls a window width shows,
// the navigation buttons, breadcrumbs for home, workspace and root paths, the collapse of a deep
// path, and typing a location with completions.

#include <gtest/gtest.h>

#include "driver.h"

namespace fe::e2e {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class Toolbar : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = home_.home() / "work";
    fs::create_directories(folder_ / "Docs" / "Deep");
    fs::create_directories(home_.home() / "Music");
    fs::create_directories(home_.home() / "Movies");
  }
  std::unique_ptr<AutomationClient> start(const fs::path& folder, std::vector<std::string> args = {}) {
    args.push_back(folder.string());
    return std::make_unique<AutomationClient>(home_, args);
  }
  static std::string directory(AutomationClient& c) { return snapshot(c)["directory"]; }
  static json breadcrumbs(AutomationClient& c) { return node_with_name(a11y_tree(c), "group", "Breadcrumbs"); }
  static void click_rect(AutomationClient& c, const std::string& id) {
    auto r = rect_of(c, id);
    ASSERT_TRUE(r) << id;
    auto mid = centre_of_rect(*r);
    click(c, mid[0], mid[1]);
  }
  static void click_node(AutomationClient& c, const json& node) {
    ASSERT_TRUE(node.contains("bounds")) << node.dump();
    auto mid = centre_of_rect(node["bounds"].get<Rect4>());
    click(c, mid[0], mid[1]);
  }
  // Opens the location field with Primary + L, replaces its text and submits it.
  static void type_location(AutomationClient& c, const std::string& text) {
    press_key(c, "l", {"ctrl"});
    press_key(c, "a", {"ctrl"});
    type_text(c, text);
    press_key(c, "Enter");
  }

  TempHome home_;
  fs::path folder_;
};

TEST_F(Toolbar, WindowWidthDecidesWhichControlsShow) {
  struct Case {
    std::string size;
    bool forward_and_view_mode;
  };
  for (const Case& test : {Case{"700x560", false}, Case{"800x600", true}}) {
    auto c = start(folder_, {"--window-size", test.size});
    auto rects = c->request({{"op", "rects"}})["rects"];
    for (const char* always : {"files.back", "files.up", "path_bar", "files.view_menu"}) {
      EXPECT_TRUE(rects.contains(always)) << test.size << " " << always;
    }
    EXPECT_EQ(rects.contains("files.forward"), test.forward_and_view_mode) << test.size;
    EXPECT_EQ(rects.contains("files.view-mode"), test.forward_and_view_mode) << test.size;
    EXPECT_FALSE(rects.contains("files.sort_menu")) << "list mode sorts from its headers";
    EXPECT_FALSE(rects.contains("files.archive.extract"));
    // The path bar takes the room between the button groups without overlapping them.
    auto bar = rects["path_bar"].get<Rect4>();
    EXPECT_GE(bar[0], rects["files.up"].get<Rect4>()[2]) << test.size;
    EXPECT_LE(bar[2], rects["files.view_menu"].get<Rect4>()[0]) << test.size;
    EXPECT_NEAR(bar[3] - bar[1], 34, 0.01);
  }
}

TEST_F(Toolbar, SortButtonShowsInGridModeOnly) {
  auto c = start(folder_);
  EXPECT_FALSE(rect_of(*c, "files.sort_menu"));
  click_rect(*c, "files.view-mode:grid");
  EXPECT_EQ(snapshot(*c)["view_mode"], "Grid");
  auto sort = rect_of(*c, "files.sort_menu");
  ASSERT_TRUE(sort);
  EXPECT_NEAR((*sort)[2] - (*sort)[0], 104, 0.01);
  EXPECT_NEAR((*sort)[3] - (*sort)[1], 32, 0.01);
  click_rect(*c, "files.view-mode:list");
  EXPECT_EQ(snapshot(*c)["view_mode"], "List");
  EXPECT_FALSE(rect_of(*c, "files.sort_menu"));
}

TEST_F(Toolbar, BackForwardAndUpButtonsNavigate) {
  auto c = start(folder_);
  auto tree = a11y_tree(*c);
  EXPECT_FALSE(node_with_name(tree, "button", "Back").is_null());
  EXPECT_FALSE(node_with_name(tree, "button", "Up one folder").is_null());
  press_key(*c, "Down");
  press_key(*c, "Enter");
  ASSERT_EQ(directory(*c), (folder_ / "Docs").string());
  click_rect(*c, "files.back");
  EXPECT_EQ(directory(*c), folder_.string());
  click_rect(*c, "files.forward");
  EXPECT_EQ(directory(*c), (folder_ / "Docs").string());
  click_rect(*c, "files.up");
  EXPECT_EQ(directory(*c), folder_.string());
  click_rect(*c, "files.back");
  EXPECT_EQ(directory(*c), (folder_ / "Docs").string()) << "Up is a navigation of its own";
}

TEST_F(Toolbar, BreadcrumbsFollowHomeWorkspaceAndRoot) {
  const fs::path workspace = home_.home() / "ws";
  fs::create_directories(workspace / "Team" / "Docs");
  home_.env()["VEMO_WORKSPACE_ROOTS"] = workspace.string();
  struct Case {
    fs::path folder;
    std::vector<std::string> labels;
  };
  const Case cases[] = {
      {folder_ / "Docs", {"Home", "work", "Docs"}},
      {workspace / "Team" / "Docs", {"ws", "Team", "Docs"}},
      {"/", {"/"}},
  };
  for (const Case& test : cases) {
    auto c = start(test.folder);
    auto crumbs = breadcrumbs(*c);
    ASSERT_FALSE(crumbs.is_null()) << test.folder;
    EXPECT_EQ(child_names(crumbs), test.labels) << test.folder;
    const auto& last = crumbs["children"].back();
    EXPECT_EQ(last["role"], "label");
    EXPECT_TRUE(has_state(last, "selected"));
    EXPECT_EQ(last["description"], "Current folder, " + test.folder.string() + ". Press Enter to edit the path");
    if (test.labels.size() > 1) {
      EXPECT_EQ(crumbs["children"][0]["role"], "link");
      EXPECT_EQ(crumbs["children"][1]["position"], json::array({2, int(test.labels.size())}));
    }
  }
}

TEST_F(Toolbar, ClickingABreadcrumbOpensItsFolder) {
  auto c = start(folder_ / "Docs" / "Deep");
  auto crumbs = breadcrumbs(*c);
  ASSERT_EQ(child_names(crumbs), (std::vector<std::string>{"Home", "work", "Docs", "Deep"}));
  EXPECT_EQ(crumbs["children"][1]["description"], "Open " + folder_.string());
  click_node(*c, crumbs["children"][1]);
  EXPECT_EQ(directory(*c), folder_.string());
  click_node(*c, breadcrumbs(*c)["children"][0]);
  EXPECT_EQ(directory(*c), home_.home().string());
}

TEST_F(Toolbar, DeepPathCollapsesBehindAnInertEllipsis) {
  fs::path deep = folder_;
  for (const char* part : {"alpha-folder", "bravo-folder", "charlie-folder", "delta-folder", "echo-folder",
                           "foxtrot-folder", "golf-folder", "hotel-folder"}) {
    deep /= part;
  }
  fs::create_directories(deep);
  auto c = start(deep, {"--window-size", "700x560"});
  auto crumbs = breadcrumbs(*c);
  const auto& chips = crumbs["children"];
  ASSERT_EQ(chips.size(), 10u);
  // The first and the last segments stay; the ones in between that did not fit have no bounds.
  EXPECT_TRUE(chips.front().contains("bounds"));
  EXPECT_TRUE(chips.back().contains("bounds"));
  std::size_t hidden = 0;
  for (const auto& chip : chips) hidden += chip.contains("bounds") ? 0 : 1;
  EXPECT_GE(hidden, 1u);
  EXPECT_FALSE(chips[1].contains("bounds")) << "the collapse starts right after the first segment";

  // The "…" sits between the first segment and the first kept one; a press there does nothing.
  std::size_t first_kept = 1;
  while (!chips[first_kept].contains("bounds")) ++first_kept;
  const auto first = chips.front()["bounds"].get<Rect4>();
  const auto kept = chips[first_kept]["bounds"].get<Rect4>();
  const double gap_middle = (first[2] + kept[0]) / 2;
  click(*c, gap_middle, (first[1] + first[3]) / 2);
  EXPECT_EQ(directory(*c), deep.string());
  EXPECT_TRUE(node_with_id(a11y_tree(*c), "files.path_input").is_null()) << "no edit either";
}

TEST_F(Toolbar, EnterOnTheLastBreadcrumbEditsAndEscapeRestores) {
  auto c = start(folder_);
  // Tab moves the keyboard focus along the toolbar until it reaches the breadcrumbs.
  for (int i = 0; i < 8 && !has_state(breadcrumbs(*c), "focused"); ++i) press_key(*c, "Tab");
  auto crumbs = breadcrumbs(*c);
  ASSERT_TRUE(has_state(crumbs, "focused"));
  EXPECT_EQ(crumbs["value"], "work") << "the current folder takes the focus first";
  press_key(*c, "Left");
  EXPECT_EQ(breadcrumbs(*c)["value"], "Home");
  press_key(*c, "End");
  press_key(*c, "Enter");
  auto field = node_with_id(a11y_tree(*c), "files.path_input");
  ASSERT_FALSE(field.is_null());
  EXPECT_EQ(field["value"], "~/work");
  EXPECT_TRUE(breadcrumbs(*c).is_null());
  press_key(*c, "Escape");
  EXPECT_TRUE(node_with_id(a11y_tree(*c), "files.path_input").is_null());
  EXPECT_EQ(child_names(breadcrumbs(*c)), (std::vector<std::string>{"Home", "work"}));
  EXPECT_EQ(directory(*c), folder_.string());
}

TEST_F(Toolbar, TypedLocationsResolveAgainstHomeAndTheShownFolder) {
  auto c = start(folder_);
  const fs::path home = home_.home();
  struct Case {
    std::string typed;
    fs::path expected;
  };
  const Case cases[] = {
      {"~/Music", home / "Music"},
      {"~", home},
      {"work/Docs/", folder_ / "Docs"},
      {"../../Movies", home / "Movies"},
      {"~/work//Docs/../Docs/Deep", folder_ / "Docs" / "Deep"},
      {(home / "Music").string() + "/", home / "Music"},
  };
  for (const Case& test : cases) {
    type_location(*c, test.typed);
    EXPECT_EQ(directory(*c), test.expected.string()) << test.typed;
  }
}

TEST_F(Toolbar, CompletionsOfferFoldersWhileTyping) {
  auto c = start(folder_);
  press_key(*c, "l", {"ctrl"});
  press_key(*c, "a", {"ctrl"});
  type_text(*c, "~/M");
  auto field = node_with_id(a11y_tree(*c), "files.path_input");
  ASSERT_FALSE(field.is_null());
  auto list = find_node(field, [](const json& n) { return n.value("role", "") == "list"; });
  ASSERT_FALSE(list.is_null()) << field.dump();
  auto names = child_names(list);
  ASSERT_EQ(names.size(), 2u) << field.dump();
  EXPECT_NE(names[0].find("Movies"), std::string::npos);
  EXPECT_NE(names[1].find("Music"), std::string::npos);
  // Choosing a completion submits it.
  auto item = list["children"][1];
  ASSERT_TRUE(list.contains("bounds"));
  const auto box = list["bounds"].get<Rect4>();
  const double row = (box[3] - box[1]) / 2;
  click(*c, (box[0] + box[2]) / 2, box[1] + row * 1.5);
  EXPECT_EQ(directory(*c), (home_.home() / "Music").string()) << item.dump();
}

}  // namespace
}  // namespace fe::e2e
