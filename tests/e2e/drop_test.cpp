// Internal drag and drop in the list view, driven through the automation mode: items dropped on a
// folder row or on the toolbar's Up button move there on disk, and the status tells how it went.

#include <algorithm>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "driver.h"
#include "process.h"

namespace fe::e2e {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class Drop : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(work() / "Docs");
    fs::create_directories(work() / "Music");
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) write(work() / name, name);
    write(work() / "Docs/c.txt", "kept");
    client_ = std::make_unique<AutomationClient>(home_, std::vector<std::string>{work().string()});
  }

  fs::path work() const { return home_.home() / "work"; }
  static void write(const fs::path& file, const std::string& content) { std::ofstream(file) << content; }
  static std::string read(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static std::vector<std::string> names_in(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
    std::ranges::sort(out);
    return out;
  }

  std::array<double, 2> centre(const std::string& id) {
    const auto r = rect_of(*client_, id);
    EXPECT_TRUE(r.has_value()) << id;
    const auto c = centre_of_rect(r.value_or(Rect4{}));
    return {c[0], c[1]};
  }
  std::array<double, 2> row(const std::string& name) { return centre("file_row:" + name); }
  // Presses on the row, moves well past the start distance and releases at `to`.
  void drag_row(const std::string& name, std::array<double, 2> to) { drag(*client_, row(name), to, 6); }

  TempHome home_;
  std::unique_ptr<AutomationClient> client_;
};

TEST_F(Drop, FileDroppedOnAFolderRowMovesIntoIt) {
  drag_row("a.txt", row("Docs"));
  EXPECT_EQ(status_message(*client_), "Moved 1 item to “Docs”");
  EXPECT_EQ(names_in(work() / "Docs"), (std::vector<std::string>{"a.txt", "c.txt"}));
  EXPECT_FALSE(fs::exists(work() / "a.txt"));
  EXPECT_EQ(read(work() / "Docs/a.txt"), "a.txt");
  EXPECT_EQ(snapshot(*client_)["entry_count"], 4) << "the folder is reloaded";
}

TEST_F(Drop, FolderDroppedOnItselfMovesNothing) {
  const auto docs = row("Docs");
  // Still inside the Docs row, but far enough for the drag to start.
  drag_row("Docs", {docs[0] + 60, docs[1] + 3});
  EXPECT_EQ(status_message(*client_), "Nothing to move");
  EXPECT_EQ(names_in(work()), (std::vector<std::string>{"Docs", "Music", "a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(names_in(work() / "Docs"), std::vector<std::string>{"c.txt"});
}

TEST_F(Drop, ThreeFilesWithOneClashMoveTwoAndKeepTheClash) {
  const auto a = row("a.txt");
  const auto b = row("b.txt");
  const auto c = row("c.txt");
  click(*client_, a[0], a[1]);
  modified_click(*client_, b[0], b[1], {"shift"});
  modified_click(*client_, c[0], c[1], {"ctrl"});
  ASSERT_EQ(snapshot(*client_)["selected_names"], json::array({"a.txt", "b.txt", "c.txt"}));
  // A plain press on one item of the selection drags all of it.
  drag_row("b.txt", row("Docs"));
  EXPECT_EQ(status_message(*client_), "Moved 2 to “Docs” (1 failed)");
  EXPECT_EQ(names_in(work() / "Docs"), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(names_in(work()), (std::vector<std::string>{"Docs", "Music", "c.txt"}));
  EXPECT_EQ(read(work() / "Docs/c.txt"), "kept") << "a move never replaces";
  EXPECT_EQ(read(work() / "c.txt"), "c.txt");
}

TEST_F(Drop, APlainClickInAMultiItemSelectionWithoutADragSelectsThatItemAlone) {
  const auto a = row("a.txt");
  const auto c = row("c.txt");
  click(*client_, a[0], a[1]);
  modified_click(*client_, c[0], c[1], {"shift"});
  ASSERT_EQ(snapshot(*client_)["selected_names"], json::array({"a.txt", "b.txt", "c.txt"}));
  const auto b = row("b.txt");
  pointer(*client_, "press", b[0], b[1]);
  EXPECT_EQ(snapshot(*client_)["selected_names"], json::array({"a.txt", "b.txt", "c.txt"}))
      << "the press keeps the selection for a drag";
  pointer(*client_, "release", b[0] + 3, b[1]);
  EXPECT_EQ(snapshot(*client_)["selected_names"], json::array({"b.txt"}));
  EXPECT_EQ(snapshot(*client_)["primary_index"], 3);
}

TEST_F(Drop, ItemDroppedOnTheUpButtonMovesToTheParent) {
  drag_row("Music", centre("files.up"));
  const std::string parent = home_.home().filename().string();
  EXPECT_EQ(status_message(*client_), "Moved 1 item to “" + parent + "”");
  EXPECT_TRUE(fs::is_directory(home_.home() / "Music"));
  EXPECT_FALSE(fs::exists(work() / "Music"));
  EXPECT_EQ(snapshot(*client_)["directory"], work().string()) << "dropping on Up does not navigate";
}

}  // namespace
}  // namespace fe::e2e
