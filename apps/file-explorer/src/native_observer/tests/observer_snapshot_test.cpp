#include "native_observer/observer_snapshot.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace fe {
namespace {

FileEntry entry(std::string name, bool is_dir) {
  FileEntry e;
  e.name = std::move(name);
  e.is_dir = is_dir;
  return e;
}

TEST(ObserverSnapshot, EmptyFolderHashesEmptyInput) {
  ObserverInput in;
  in.entries = std::make_shared<const std::vector<FileEntry>>();
  auto snapshot = nlohmann::json::parse(build_observer_snapshot(in));
  EXPECT_EQ(snapshot["entry_count"], 0);
  EXPECT_EQ(snapshot["order_hash"], "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(snapshot["hash_algorithm"], "sha256");
  EXPECT_TRUE(snapshot["selected_indices"].empty());
  EXPECT_TRUE(snapshot["selected_names"].empty());
  EXPECT_TRUE(snapshot["primary_index"].is_null());
  EXPECT_TRUE(snapshot["thumbnail_pending"].is_null());
}

TEST(ObserverSnapshot, MembersComeInTheirFixedOrder) {
  ObserverInput in;
  in.entries = std::make_shared<const std::vector<FileEntry>>();
  auto snapshot = nlohmann::ordered_json::parse(build_observer_snapshot(in));
  std::vector<std::string> keys;
  for (const auto& [key, value] : snapshot.items()) keys.push_back(key);
  const std::vector<std::string> expected = {
      "app",           "view_id",      "directory", "entry_count",       "order_hash",       "hash_algorithm",
      "ready",         "is_loading",   "has_error", "thumbnail_pending", "selected_indices", "selected_names",
      "primary_index", "offset_x",     "offset_y",  "offset_units",      "last_cursor",      "root_rect",
      "viewport_rect", "content_rect", "view_mode", "sort_by",           "sort_order"};
  EXPECT_EQ(keys, expected);
}

TEST(ObserverSnapshot, OrderHashSeesNamesOrderAndKinds) {
  std::vector<FileEntry> a = {entry("a", false), entry("b", true)};
  std::vector<FileEntry> swapped = {entry("b", true), entry("a", false)};
  std::vector<FileEntry> kinds = {entry("a", true), entry("b", true)};
  // "ab" + "" must not collide with "a" + "b": the length prefix separates names.
  std::vector<FileEntry> joined = {entry("ab", false), entry("", true)};
  EXPECT_EQ(order_hash_hex(a), order_hash_hex(std::vector<FileEntry>{entry("a", false), entry("b", true)}));
  EXPECT_NE(order_hash_hex(a), order_hash_hex(swapped));
  EXPECT_NE(order_hash_hex(a), order_hash_hex(kinds));
  EXPECT_NE(order_hash_hex(a), order_hash_hex(joined));
  EXPECT_EQ(order_hash_hex(a).size(), 64u);
}

TEST(ObserverSnapshot, ReadyNeedsASettledViewWithValidRectangles) {
  ObserverInput in;
  in.entries = std::make_shared<const std::vector<FileEntry>>();
  in.root_rect = {0, 0, 100, 100};
  in.viewport_rect = vemo_ui::Rect{0, 40, 100, 100};
  in.content_rect = vemo_ui::Rect{0, 40, 100, 400};
  EXPECT_TRUE(snapshot_ready(in));
  auto loading = in;
  loading.loading = true;
  EXPECT_FALSE(snapshot_ready(loading));
  auto error = in;
  error.has_error = true;
  EXPECT_FALSE(snapshot_ready(error));
  auto no_viewport = in;
  no_viewport.viewport_rect.reset();
  EXPECT_FALSE(snapshot_ready(no_viewport));
  auto flat = in;
  flat.content_rect = vemo_ui::Rect{0, 40, 100, 40};
  EXPECT_FALSE(snapshot_ready(flat));
  auto nan = in;
  nan.root_rect.x1 = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(snapshot_ready(nan));
}

TEST(ObserverSnapshot, SelectionAndDirectoryAreReported) {
  ObserverInput in;
  in.entries =
      std::make_shared<const std::vector<FileEntry>>(std::vector<FileEntry>{entry("x", false), entry("y", false)});
  in.selected = {0, 1};
  in.primary = 1;
  in.directory = "/tmp/caf\xe9";
  in.sort_key = SortKey::Modified;
  in.sort_order = SortOrder::Descending;
  auto snapshot = nlohmann::json::parse(build_observer_snapshot(in));
  EXPECT_EQ(snapshot["selected_names"], nlohmann::json::array({"x", "y"}));
  EXPECT_EQ(snapshot["primary_index"], 1);
  EXPECT_EQ(snapshot["directory"], "/tmp/caf\xef\xbf\xbd");
  EXPECT_EQ(snapshot["sort_by"], "Modified");
  EXPECT_EQ(snapshot["sort_order"], "Descending");
}

}  // namespace
}  // namespace fe
