// The window's keyboard shortcuts through the automation mode: what each key does to the shown
// folder, and which keys are left alone when their condition does not hold.

#include <fstream>

#include <gtest/gtest.h>

#include "driver.h"

namespace fe::e2e {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class Shortcuts : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = home_.home() / "work";
    make_tree(folder_, {"Docs"}, {"a.txt", "b.txt"});
    c_ = std::make_unique<AutomationClient>(home_, std::vector<std::string>{folder_.string()});
  }
  bool consumed(const std::string& key, std::vector<std::string> mods = {}) {
    auto answer = c_->request({{"op", "key"}, {"key", key}, {"mods", mods}});
    EXPECT_EQ(answer["ok"], true) << answer.dump();
    return answer.value("consumed", false);
  }
  json selected() { return snapshot(*c_)["selected_names"]; }

  TempHome home_;
  fs::path folder_;
  std::unique_ptr<AutomationClient> c_;
};

TEST_F(Shortcuts, SelectionKeysNeedSomethingToActOn) {
  EXPECT_FALSE(consumed("Escape")) << "nothing selected: Escape is left to others";
  EXPECT_FALSE(consumed("Menu")) << "nothing selected: no context menu";
  EXPECT_FALSE(consumed("Enter")) << "no cursor: nothing to open";
  EXPECT_FALSE(consumed("Left")) << "Left and Right do nothing in list mode";

  EXPECT_TRUE(consumed("Up"));
  EXPECT_EQ(selected(), json::array({"Docs"})) << "Up without a cursor starts at the first entry";
  EXPECT_TRUE(consumed("Up"));
  EXPECT_EQ(selected(), json::array({"Docs"})) << "not before the first";
  EXPECT_TRUE(consumed("End", {"shift"}));
  EXPECT_EQ(selected(), json::array({"Docs", "a.txt", "b.txt"}));
  EXPECT_TRUE(consumed("Down"));
  EXPECT_EQ(selected(), json::array({"b.txt"})) << "not past the last";
  EXPECT_TRUE(consumed("Escape"));
  EXPECT_TRUE(selected().empty());
}

TEST_F(Shortcuts, PrimaryKeysSelectZoomAndShowHidden) {
  EXPECT_TRUE(consumed("a", {"ctrl"}));
  EXPECT_EQ(pill_text(*c_), "3 items  ·  3 selected");
  EXPECT_TRUE(consumed("c", {"ctrl"}));
  EXPECT_EQ(status_message(*c_), "Copied 3 items");
  EXPECT_TRUE(consumed("A", {"ctrl"})) << "letter keys match either case";

  std::ofstream(folder_ / ".hidden") << "h";
  EXPECT_TRUE(consumed("h", {"ctrl"}));
  EXPECT_EQ(snapshot(*c_)["entry_count"], 4);
  EXPECT_TRUE(consumed("h", {"ctrl"}));
  EXPECT_EQ(snapshot(*c_)["entry_count"], 3);

  auto row_height = [&] {
    auto r = rect_of(*c_, "file_row:Docs");
    return r ? (*r)[3] - (*r)[1] : 0.0;
  };
  EXPECT_TRUE(consumed("Minus", {"ctrl"}));
  EXPECT_TRUE(consumed("Underscore", {"ctrl"}));
  EXPECT_TRUE(consumed("Minus", {"ctrl"}));
  EXPECT_NEAR(row_height(), 34 * 0.7, 0.01) << "level -2 is the smallest";
  EXPECT_TRUE(consumed("0", {"ctrl"}));
  EXPECT_NEAR(row_height(), 34, 0.01);
}

TEST_F(Shortcuts, AltArrowsWalkTheHistoryInBothViewModes) {
  for (const char* mode : {"list", "grid"}) {
    c_->request({{"op", "invoke"}, {"kind", 2}, {"action", "files.folder-command"}, {"payload", mode}});
    // A click focuses the view, which takes plain arrows first in grid mode.
    auto tile = rect_of(*c_, "file_row:a.txt");
    ASSERT_TRUE(tile) << mode;
    click(*c_, ((*tile)[0] + (*tile)[2]) / 2, ((*tile)[1] + (*tile)[3]) / 2);
    EXPECT_TRUE(consumed("Up", {"alt"})) << mode;
    EXPECT_EQ(snapshot(*c_)["directory"], home_.home().string()) << mode;
    EXPECT_TRUE(consumed("Left", {"alt"})) << mode;
    EXPECT_EQ(snapshot(*c_)["directory"], folder_.string()) << mode;
    EXPECT_TRUE(consumed("Right", {"alt"})) << mode;
    EXPECT_EQ(snapshot(*c_)["directory"], home_.home().string()) << mode;
    EXPECT_TRUE(consumed("Left", {"alt"})) << mode;
  }
}

TEST_F(Shortcuts, RefreshAndParentFolder) {
  std::ofstream(folder_ / "new.txt") << "n";
  EXPECT_TRUE(consumed("F5"));
  EXPECT_EQ(snapshot(*c_)["entry_count"], 4) << "F5 lists again at once";
  EXPECT_TRUE(consumed("Backspace"));
  EXPECT_EQ(snapshot(*c_)["directory"], home_.home().string());
}

}  // namespace
}  // namespace fe::e2e
