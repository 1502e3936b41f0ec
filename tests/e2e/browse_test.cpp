// Browsing a real folder through the automation mode: the snapshot, the file view's geometry,
// sorting, zoom, hidden files and navigation.

#include <fstream>

#include <gtest/gtest.h>

#include "process.h"

namespace fe::e2e {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class Browse : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = home_.home() / "work";
    fs::create_directories(folder_ / "Docs");
    fs::create_directories(folder_ / "Music");
    write("b.txt", std::string(3000, 'b'));
    write("a.txt", "a");
    write("C.md", std::string(200, 'c'));
    write(".secret", "s");
  }
  void write(const std::string& name, const std::string& content) { std::ofstream(folder_ / name) << content; }
  std::unique_ptr<AutomationClient> start(std::vector<std::string> args = {}) {
    args.push_back(folder_.string());
    return std::make_unique<AutomationClient>(home_, args);
  }
  static json snapshot(AutomationClient& c) { return c.request({{"op", "snapshot"}})["snapshot"]; }
  static std::vector<std::string> rows(AutomationClient& c) {
    std::vector<std::string> out;
    const json answer = c.request({{"op", "a11y"}});
    collect_rows(answer["tree"], out);
    return out;
  }
  static void collect_rows(const json& node, std::vector<std::string>& out) {
    if (node.value("role", "") == "list" && node.value("name", "") == "Files") {
      for (const auto& child : node["children"]) out.push_back(child["name"]);
      return;
    }
    if (node.contains("children")) {
      for (const auto& child : node["children"]) collect_rows(child, out);
    }
  }
  static std::array<double, 4> rect(AutomationClient& c, const std::string& id) {
    auto rects = c.request({{"op", "rects"}})["rects"];
    EXPECT_TRUE(rects.contains(id)) << id;
    if (!rects.contains(id)) return {};
    return rects[id].get<std::array<double, 4>>();
  }

  TempHome home_;
  fs::path folder_;
};

TEST_F(Browse, SnapshotDescribesTheSettledFolder) {
  auto c = start();
  auto s = snapshot(*c);
  EXPECT_EQ(s["app"], "vemo.file-explorer");
  EXPECT_EQ(s["view_id"], "file_view");
  EXPECT_EQ(s["directory"], folder_.string());
  EXPECT_EQ(s["entry_count"], 5);
  EXPECT_EQ(s["ready"], true);
  EXPECT_EQ(s["is_loading"], false);
  EXPECT_EQ(s["has_error"], false);
  EXPECT_EQ(s["view_mode"], "List");
  EXPECT_EQ(s["sort_by"], "Name");
  EXPECT_EQ(s["sort_order"], "Ascending");
  EXPECT_TRUE(s["selected_indices"].empty());
  EXPECT_TRUE(s["primary_index"].is_null());
  EXPECT_EQ(s["order_hash"].get<std::string>().size(), 64u);
  EXPECT_EQ(rows(*c), (std::vector<std::string>{"Docs", "Music", "a.txt", "b.txt", "C.md"}));
}

TEST_F(Browse, UnreadableFolderShowsTheErrorPage) {
  TempHome home;
  AutomationClient c(home, {(home.home() / "missing").string()});
  auto s = snapshot(c);
  EXPECT_EQ(s["has_error"], true);
  EXPECT_EQ(s["ready"], false);
  auto tree = c.request({{"op", "a11y"}})["tree"];
  auto states = tree.value("states", json::array());
  EXPECT_NE(std::find(states.begin(), states.end(), "error"), states.end()) << tree.dump();
  EXPECT_NE(tree.dump().find("files-retry-folder"), std::string::npos) << tree.dump();
  EXPECT_NE(tree["value"].get<std::string>().find("Could not load folder: "), std::string::npos);
}

TEST_F(Browse, ListRowsFollowTheGeometry) {
  auto c = start();
  auto first = rect(*c, "file_row:Docs");
  auto second = rect(*c, "file_row:Music");
  EXPECT_NEAR(first[3] - first[1], 34, 0.01);
  EXPECT_NEAR(second[1] - first[1], 34, 0.01);
  // Zoom in twice: rows grow by 0.15 per level.
  c->request({{"op", "key"}, {"key", "Plus"}, {"mods", {"ctrl"}}});
  c->request({{"op", "key"}, {"key", "Equal"}, {"mods", {"ctrl"}}});
  auto zoomed = rect(*c, "file_row:Docs");
  EXPECT_NEAR(zoomed[3] - zoomed[1], 34 * 1.3, 0.01);
  c->request({{"op", "key"}, {"key", "0"}, {"mods", {"ctrl"}}});
  auto reset = rect(*c, "file_row:Docs");
  EXPECT_NEAR(reset[3] - reset[1], 34, 0.01);
}

TEST_F(Browse, ZoomLevelIsKeptAcrossRuns) {
  {
    auto c = start();
    for (int i = 0; i < 9; ++i) c->request({{"op", "key"}, {"key", "Plus"}, {"mods", {"ctrl"}}});
    auto r = rect(*c, "file_row:Docs");
    EXPECT_NEAR(r[3] - r[1], 34 * 1.9, 0.01) << "level 6 is the largest";
    EXPECT_EQ(c->request({{"op", "quit"}})["ok"], true);
    EXPECT_EQ(c->finish(), 0);
  }
  auto again = start();
  auto r = rect(*again, "file_row:Docs");
  EXPECT_NEAR(r[3] - r[1], 34 * 1.9, 0.01);
}

TEST_F(Browse, KeyboardMovesSelectsAndOpens) {
  auto c = start();
  c->request({{"op", "key"}, {"key", "Down"}});
  c->request({{"op", "key"}, {"key", "Down"}, {"mods", {"shift"}}});
  auto s = snapshot(*c);
  EXPECT_EQ(s["selected_names"], json::array({"Docs", "Music"}));
  EXPECT_EQ(s["primary_index"], 1);
  auto status = c->request({{"op", "status"}});
  EXPECT_EQ(status["pill"], "5 items  ·  2 selected");
  c->request({{"op", "key"}, {"key", "Escape"}});
  EXPECT_TRUE(snapshot(*c)["selected_indices"].empty());
  c->request({{"op", "key"}, {"key", "Home"}});
  c->request({{"op", "key"}, {"key", "Enter"}});
  EXPECT_EQ(snapshot(*c)["directory"], (folder_ / "Docs").string());
  c->request({{"op", "key"}, {"key", "Backspace"}});
  EXPECT_EQ(snapshot(*c)["directory"], folder_.string());
}

TEST_F(Browse, HeaderClicksSortAndReverse) {
  auto c = start();
  auto docs = rect(*c, "file_row:Docs");
  const double header_y = docs[1] - 15;
  // The Size column's header sits 96 px wide, left of the Modified column.
  const double size_x = docs[2] - 10 - 158 - 10 - 48;
  c->request({{"op", "pointer"}, {"event", "press"}, {"x", size_x}, {"y", header_y}});
  c->request({{"op", "pointer"}, {"event", "release"}, {"x", size_x}, {"y", header_y}});
  auto s = snapshot(*c);
  EXPECT_EQ(s["sort_by"], "Size");
  EXPECT_EQ(s["sort_order"], "Ascending");
  EXPECT_EQ(rows(*c), (std::vector<std::string>{"Docs", "Music", "a.txt", "C.md", "b.txt"}));
  c->request({{"op", "pointer"}, {"event", "press"}, {"x", size_x}, {"y", header_y}});
  c->request({{"op", "pointer"}, {"event", "release"}, {"x", size_x}, {"y", header_y}});
  EXPECT_EQ(snapshot(*c)["sort_order"], "Descending");
  // Both folders have the same size, so they keep their order; files reverse.
  EXPECT_EQ(rows(*c), (std::vector<std::string>{"Docs", "Music", "b.txt", "C.md", "a.txt"}));
}

TEST_F(Browse, HiddenFilesToggleWithPrimaryH) {
  auto c = start();
  EXPECT_EQ(snapshot(*c)["entry_count"], 5);
  c->request({{"op", "key"}, {"key", "h"}, {"mods", {"ctrl"}}});
  EXPECT_EQ(snapshot(*c)["entry_count"], 6);
  EXPECT_EQ(rows(*c).at(2), ".secret");
}

TEST_F(Browse, GridModeThroughTheFolderCommand) {
  auto c = start();
  auto r = c->request({{"op", "invoke"}, {"kind", 2}, {"action", "files.folder-command"}, {"payload", "grid"}});
  EXPECT_EQ(r["outcome"], "completed");
  EXPECT_EQ(snapshot(*c)["view_mode"], "Grid");
  auto tile = rect(*c, "file_row:Docs");
  EXPECT_NEAR(tile[2] - tile[0], 112, 0.01);
  EXPECT_NEAR(tile[3] - tile[1], 104, 0.01);
}

TEST_F(Browse, NewFilesAppearAtTheNextPeriodicRefresh) {
  auto c = start();
  EXPECT_EQ(snapshot(*c)["entry_count"], 5);
  write("new.txt", "n");
  c->request({{"op", "wait"}, {"ms", 900}});
  EXPECT_EQ(snapshot(*c)["entry_count"], 6);
}

}  // namespace
}  // namespace fe::e2e
