#include "favorites/favorites.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace fe {
namespace {

namespace fs = std::filesystem;

class Favourites : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fe-fav-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    root_ = pattern;
    home_ = root_ / "home";
    fs::create_directories(home_ / "Documents");
    fs::create_directories(home_ / "Music");
    config_ = root_ / "config" / "vemo-files";
  }
  void TearDown() override { fs::remove_all(root_); }

  vemo_ui::sysdirs::UserDirs dirs() const { return vemo_ui::sysdirs::UserDirs::from_system(home_); }
  std::string file_text() const {
    std::ifstream in(favourites_file(config_));
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void write_file(const std::string& text) const {
    fs::create_directories(config_);
    std::ofstream(favourites_file(config_)) << text;
  }
  std::vector<fs::path> paths(const FavouritesStore& store) const {
    std::vector<fs::path> out;
    for (const auto& f : store.items()) out.push_back(f.path);
    return out;
  }

  fs::path root_, home_, config_;
};

TEST_F(Favourites, WithoutAFileTheDefaultsAreHomeAndContentFolders) {
  FavouritesStore store(config_, dirs());
  ASSERT_FALSE(store.items().empty());
  EXPECT_EQ(store.items().front().path, home_);
  EXPECT_TRUE(store.items().front().is_home);
  EXPECT_EQ(store.items().front().kind, FavouriteKind::Home);
  EXPECT_TRUE(store.contains(home_ / "Documents"));
  EXPECT_FALSE(fs::exists(favourites_file(config_))) << "loading never writes";
}

TEST_F(Favourites, AddingWritesEveryFavouriteOnePerLine) {
  FavouritesStore store(config_, dirs());
  const auto before = paths(store);
  fs::create_directories(root_ / "Projects");
  EXPECT_TRUE(store.add(root_ / "Projects"));
  std::string expected;
  for (const auto& p : before) expected += p.string() + "\n";
  expected += (root_ / "Projects").string();
  EXPECT_EQ(file_text(), expected);
  EXPECT_EQ(store.items().back().label, "Projects");
  EXPECT_EQ(store.items().back().kind, FavouriteKind::Folder);
}

TEST_F(Favourites, AddingTwiceKeepsOneEntry) {
  FavouritesStore store(config_, dirs());
  EXPECT_TRUE(store.add(root_ / "x"));
  EXPECT_FALSE(store.add(root_ / "x"));
  EXPECT_FALSE(store.add(root_ / "x" / ""));
  EXPECT_EQ(std::ranges::count(paths(store), root_ / "x"), 1);
}

TEST_F(Favourites, BlankFileYieldsTheDefaults) {
  write_file("\n   \n\t\n");
  FavouritesStore store(config_, dirs());
  EXPECT_EQ(paths(store), paths(FavouritesStore(std::nullopt, dirs())));
}

TEST_F(Favourites, OddLinesLoadWithoutFailing) {
  const std::string long_name(5000, 'n');
  write_file("  /gone/away  \n\n/tmp/caf\xff\n/" + long_name + "\n" + home_.string() + "\n");
  FavouritesStore store(config_, dirs());
  ASSERT_EQ(store.items().size(), 4u);
  EXPECT_EQ(store.items()[0].path, "/gone/away");
  EXPECT_EQ(store.items()[1].label, "caf\xef\xbf\xbd");
  EXPECT_EQ(store.items()[2].label, long_name);
  EXPECT_TRUE(store.items()[3].is_home);
  EXPECT_EQ(store.items()[3].kind, FavouriteKind::Home);
}

TEST_F(Favourites, RemoveAndMoveRewriteTheFile) {
  write_file("/a\n/b\n/c\n/d\n");
  FavouritesStore store(config_, dirs());
  EXPECT_TRUE(store.move(0, 3));
  EXPECT_EQ(file_text(), "/b\n/c\n/d\n/a");
  EXPECT_TRUE(store.remove("/c"));
  EXPECT_FALSE(store.remove("/c"));
  EXPECT_EQ(file_text(), "/b\n/d\n/a");
  EXPECT_FALSE(store.move(0, 3));
}

TEST_F(Favourites, UnwritableConfigurationKeepsTheListInMemory) {
  fs::create_directories(config_.parent_path());
  std::ofstream(config_) << "a file where the folder should be";
  FavouritesStore store(config_, dirs());
  EXPECT_TRUE(store.add(root_ / "Projects"));
  EXPECT_TRUE(store.contains(root_ / "Projects"));
}

}  // namespace
}  // namespace fe
