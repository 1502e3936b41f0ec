// Reading the whole window through the accessibility tree: every control a screen reader reaches
// has a name, in every face of the window, and the root describes the folder it shows.

#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "driver.h"

namespace fe::e2e {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class Accessibility : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = home_.home() / "work";
    make_tree(folder_, {"Docs"}, {"a.txt"});
  }
  std::unique_ptr<AutomationClient> start(const std::string& size) {
    return std::make_unique<AutomationClient>(home_, std::vector<std::string>{"--window-size", size, folder_.string()});
  }
  // Every node of a role that a screen reader announces by name, without one.
  static void collect_unnamed(const json& node, std::vector<std::string>& out) {
    static const std::set<std::string> named_roles = {"button", "link",          "list item", "list",    "text field",
                                                      "menu",   "toggle button", "menu item", "heading", "dialog"};
    if (named_roles.contains(node.value("role", "")) && node.value("name", "").empty()) out.push_back(node.dump());
    if (node.contains("children")) {
      for (const auto& child : node["children"]) collect_unnamed(child, out);
    }
  }
  static std::vector<std::string> unnamed(AutomationClient& c) {
    std::vector<std::string> out;
    collect_unnamed(a11y_tree(c), out);
    return out;
  }

  TempHome home_;
  fs::path folder_;
};

TEST_F(Accessibility, EveryFaceOfTheWindowNamesItsControls) {
  for (const char* size : {"600x500", "1280x800"}) {
    auto c = start(size);
    EXPECT_EQ(unnamed(*c), std::vector<std::string>{}) << size << " list";
    c->request({{"op", "invoke"}, {"kind", 2}, {"action", "files.folder-command"}, {"payload", "grid"}});
    EXPECT_EQ(unnamed(*c), std::vector<std::string>{}) << size << " grid";
    press_key(*c, "Home");
    press_key(*c, "F2");
    EXPECT_FALSE(node_with_id(a11y_tree(*c), "files.rename_input").is_null());
    EXPECT_EQ(unnamed(*c), std::vector<std::string>{}) << size << " renaming";
    press_key(*c, "Escape");
    press_key(*c, "l", {"ctrl"});
    press_key(*c, "a", {"ctrl"});
    type_text(*c, "~/");
    EXPECT_EQ(unnamed(*c), std::vector<std::string>{}) << size << " editing the location with completions";
  }
}

TEST_F(Accessibility, TheRootDescribesTheShownFolder) {
  auto c = start("1280x800");
  auto root = a11y_tree(*c);
  EXPECT_EQ(root["role"], "group");
  EXPECT_EQ(root["name"], "Files activity");
  EXPECT_EQ(root["description"], "Current folder: " + folder_.string());
  EXPECT_EQ(root["value"], "2 items");
  press_key(*c, "Down");
  EXPECT_EQ(a11y_tree(*c)["value"], "2 items  ·  1 selected");
  auto toggle_hidden = [&] { press_key(*c, "h", {"ctrl"}); };
  fs::remove_all(folder_ / "Docs");
  fs::remove(folder_ / "a.txt");
  toggle_hidden();
  auto empty = a11y_tree(*c);
  EXPECT_EQ(empty["value"], "This folder is empty");
  EXPECT_FALSE(has_state(empty, "busy") || has_state(empty, "error"));
  EXPECT_TRUE(node_with_id(empty, "files-retry-folder").is_null());
  EXPECT_TRUE(find_node(empty, [](const json& n) { return has_state(n, "busy") || has_state(n, "error"); }).is_null())
      << "an empty folder has no folder-state child";
}

TEST_F(Accessibility, PlacesMarkTheCurrentOneButFocusNoneUntilTheSidebarIsUsed) {
  auto c = start("1280x800");
  const std::string home = home_.home().string();
  auto places = node_with_name(a11y_tree(*c), "list", "Places");
  ASSERT_FALSE(places.is_null());
  EXPECT_EQ(places["value"], "Home") << "no row is current: a key would act on the first";
  for (const auto& row : places["children"]) EXPECT_FALSE(has_state(row, "selected")) << row.dump();

  press_key(*c, "Backspace");
  places = node_with_name(a11y_tree(*c), "list", "Places");
  EXPECT_FALSE(has_state(places, "focused"));
  for (const auto& row : places["children"]) {
    EXPECT_FALSE(has_state(row, "focused")) << row.dump();
    EXPECT_EQ(has_state(row, "selected"), row["description"] == "Favourite, " + home) << row.dump();
  }
}

}  // namespace
}  // namespace fe::e2e
