// Renaming in place and new folders through the automation mode: the field over the entry's name,
// commit and cancel, the name rules, and the files on disk afterwards.

#include <fstream>

#include <gtest/gtest.h>

#include "driver.h"

namespace fe::e2e {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class Rename : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = home_.home() / "work";
    make_tree(folder_, {"Docs"}, {"a.txt", "b.txt"});
  }
  std::unique_ptr<AutomationClient> start() {
    return std::make_unique<AutomationClient>(home_, std::vector<std::string>{folder_.string()});
  }
  // Selects the entry at `index` (folders first, then files by name) and presses F2.
  static void begin(AutomationClient& c, int index) {
    press_key(c, "Home");
    for (int i = 0; i < index; ++i) press_key(c, "Down");
    press_key(c, "F2");
  }
  static void replace_text(AutomationClient& c, const std::string& text) {
    press_key(c, "a", {"ctrl"});
    type_text(c, text);
  }
  static json field(AutomationClient& c) { return node_with_id(a11y_tree(c), "files.rename_input"); }
  std::vector<std::string> names_on_disk() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder_)) out.push_back(e.path().filename().string());
    std::ranges::sort(out);
    return out;
  }

  TempHome home_;
  fs::path folder_;
};

TEST_F(Rename, F2PlacesTheFieldOverTheNameAndEnterRenames) {
  auto c = start();
  begin(*c, 1);
  auto f = field(*c);
  ASSERT_FALSE(f.is_null());
  EXPECT_EQ(f["value"], "a.txt");
  EXPECT_TRUE(has_state(f, "focused"));
  // The field sits inside the row of the entry, right of its icon.
  auto row = rect_of(*c, "file_row:a.txt");
  auto slot = rect_of(*c, "files.rename_input");
  ASSERT_TRUE(row && slot);
  EXPECT_GT((*slot)[0], (*row)[0]);
  EXPECT_NEAR((*slot)[1], (*row)[1] + 2, 0.01);
  EXPECT_NEAR((*slot)[3], (*row)[3] - 2, 0.01);
  EXPECT_EQ(status_message(*c), std::nullopt) << "beginning clears the status";

  // The stem is selected, so typing replaces the name and keeps the extension.
  type_text(*c, "notes");
  EXPECT_EQ(field(*c)["value"], "notes.txt");
  press_key(*c, "Enter");
  EXPECT_TRUE(field(*c).is_null());
  EXPECT_EQ(names_on_disk(), (std::vector<std::string>{"Docs", "b.txt", "notes.txt"}));
  EXPECT_EQ(status_message(*c), "Renamed");
  EXPECT_EQ(snapshot(*c)["selected_names"], json::array({"notes.txt"}));
}

TEST_F(Rename, KeysGoToTheFieldNotToTheWindowShortcuts) {
  auto c = start();
  begin(*c, 2);
  // Delete and Backspace edit the text; neither trashes the file nor goes up.
  press_key(*c, "End");
  press_key(*c, "Backspace");
  press_key(*c, "Backspace");
  press_key(*c, "h", {"ctrl"});
  EXPECT_EQ(field(*c)["value"], "b.t");
  EXPECT_EQ(snapshot(*c)["directory"], folder_.string());
  press_key(*c, "Escape");
  EXPECT_TRUE(field(*c).is_null());
  EXPECT_EQ(names_on_disk(), (std::vector<std::string>{"Docs", "a.txt", "b.txt"}));
  EXPECT_EQ(snapshot(*c)["entry_count"], 3) << "Primary + H went to the field, not to the hidden-files toggle";
}

TEST_F(Rename, RefusedNamesReportAndChangeNothing) {
  struct Case {
    std::string typed;
    std::optional<std::string> status;  // none: the rename ends silently
  };
  const Case cases[] = {
      {"b.txt", "Rename failed: “b.txt” already exists"},
      {"   ", std::nullopt},
      {"a.txt", std::nullopt},
      {"sub/dir", "Rename failed: Name cannot contain '/'"},
      {"..", "Rename failed: Enter a valid file or folder name"},
  };
  auto c = start();
  for (const Case& test : cases) {
    begin(*c, 1);
    replace_text(*c, test.typed);
    press_key(*c, "Enter");
    EXPECT_EQ(status_message(*c), test.status) << test.typed;
    EXPECT_EQ(names_on_disk(), (std::vector<std::string>{"Docs", "a.txt", "b.txt"})) << test.typed;
    c->request({{"op", "invoke"}, {"kind", 1}, {"action", "files.refresh"}});
  }
  std::ifstream b(folder_ / "b.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(b), {}), "b.txt") << "the existing file is untouched";
}

TEST_F(Rename, APressOutsideTheFieldCommits) {
  auto c = start();
  begin(*c, 0);
  replace_text(*c, "  Papers  ");
  auto row = rect_of(*c, "file_row:b.txt");
  ASSERT_TRUE(row);
  click(*c, (*row)[0] + 40, ((*row)[1] + (*row)[3]) / 2);
  EXPECT_TRUE(fs::is_directory(folder_ / "Papers")) << "typed names are trimmed";
  EXPECT_FALSE(fs::exists(folder_ / "Docs"));
  EXPECT_EQ(status_message(*c), "Renamed");
}

TEST_F(Rename, NewFoldersTakeFreeNamesAndStartRenaming) {
  auto c = start();
  press_key(*c, "n", {"ctrl", "shift"});
  EXPECT_TRUE(fs::is_directory(folder_ / "New Folder"));
  EXPECT_EQ(field(*c)["value"], "New Folder");
  EXPECT_EQ(status_message(*c), "Created folder");
  press_key(*c, "Escape");
  press_key(*c, "n", {"ctrl", "shift"});
  EXPECT_TRUE(fs::is_directory(folder_ / "New Folder 2"));
  EXPECT_EQ(field(*c)["value"], "New Folder 2");
  // The whole folder name is selected: typing replaces it.
  type_text(*c, "Invoices");
  press_key(*c, "Enter");
  EXPECT_EQ(names_on_disk(), (std::vector<std::string>{"Docs", "Invoices", "New Folder", "a.txt", "b.txt"}));
}

TEST_F(Rename, RenameAndNewFolderActions) {
  auto c = start();
  auto invoke = [&](const std::string& action, const json& payload) {
    return c->request({{"op", "invoke"}, {"kind", 1}, {"action", action}, {"payload", payload}});
  };
  const std::string a = (folder_ / "a.txt").string();
  EXPECT_EQ(invoke("files.rename", json::array())["error"], "missing file resource");
  EXPECT_EQ(invoke("files.rename", json::array({a}))["error"], "missing new file name");
  EXPECT_EQ(invoke("files.rename", json::array({(folder_ / "gone").string(), "x"}))["error"],
            "file entry is no longer visible");
  EXPECT_EQ(invoke("files.rename", json::array({a, "b.txt"}))["error"], "“b.txt” already exists");
  auto renamed = invoke("files.rename", json::array({a, "c.txt"}));
  EXPECT_EQ(renamed["outcome"], "completed") << renamed.dump();
  EXPECT_TRUE(fs::exists(folder_ / "c.txt"));
  EXPECT_EQ(snapshot(*c)["entry_count"], 3);

  EXPECT_EQ(invoke("files.new-folder", "Docs")["outcome"], "completed");
  EXPECT_TRUE(fs::is_directory(folder_ / "Docs 2"));
  EXPECT_EQ(invoke("files.new-folder", " ")["error"], "Folder name cannot be empty");
}

}  // namespace
}  // namespace fe::e2e
