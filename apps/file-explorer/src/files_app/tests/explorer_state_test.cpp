// The explorer's own state rules: status texts, loading, navigation history and the periodic
// re-listing.

#include <chrono>

#include "explorer_fixture.h"

namespace fe {
namespace {

using namespace std::chrono_literals;
using testing_support::ExplorerTest;

TEST_F(ExplorerTest, StatusKeepsTheFirst512Characters) {
  std::string text;
  for (int i = 0; i < 600; ++i) text += (i % 2) ? "ä" : "a";
  explorer().set_status(text);
  const std::string& kept = *explorer().state().status_message;
  EXPECT_EQ(kept, truncate_chars(text, 512));
  std::size_t chars = 0;
  for (unsigned char c : kept) chars += (c & 0xC0) != 0x80;
  EXPECT_EQ(chars, 512u);
}

TEST_F(ExplorerTest, RefreshIntervalGrowsWithTheFolder) {
  EXPECT_EQ(FileExplorerWidget::refresh_interval(511), 750ms);
  EXPECT_EQ(FileExplorerWidget::refresh_interval(512), 3s);
  EXPECT_EQ(FileExplorerWidget::refresh_interval(4095), 3s);
  EXPECT_EQ(FileExplorerWidget::refresh_interval(4096), 12s);
  EXPECT_EQ(FileExplorerWidget::refresh_interval(19999), 12s);
  EXPECT_EQ(FileExplorerWidget::refresh_interval(20000), 30s);
}

TEST_F(ExplorerTest, LoadingAFolderListsSortsAndHidesDotFiles) {
  touch(folder() / "b.txt");
  touch(folder() / "A.txt");
  touch(folder() / ".hidden");
  std::filesystem::create_directories(folder() / "zdir");
  explorer_at(folder());
  EXPECT_EQ(names(), (std::vector<std::string>{"zdir", "A.txt", "b.txt"}));
  EXPECT_FALSE(explorer().state().load_error);
}

TEST_F(ExplorerTest, UnreadableFolderReportsAndStaysUsable) {
  explorer_at(folder() / "missing");
  ASSERT_TRUE(explorer().state().load_error);
  EXPECT_NE(explorer().state().load_error->find("Could not open this folder: "), std::string::npos);
  EXPECT_TRUE(explorer().state().entry_list().empty());
  EXPECT_EQ(explorer().state().current_path, folder() / "missing");
  explorer().go_back();
  EXPECT_FALSE(explorer().state().load_error);
}

TEST_F(ExplorerTest, HistoryStepsOnlyForNewFolders) {
  std::filesystem::create_directories(folder() / "sub");
  explorer_at(folder());
  const auto back_before = explorer().state().back_stack.size();
  explorer().navigate_to(folder());  // the same folder again: a reload, not a step
  EXPECT_EQ(explorer().state().back_stack.size(), back_before);
  explorer().navigate_to(folder() / "sub");
  explorer().go_back();
  EXPECT_EQ(explorer().state().current_path, folder());
  ASSERT_EQ(explorer().state().forward_stack.size(), 1u);
  explorer().navigate_to(home());
  EXPECT_TRUE(explorer().state().forward_stack.empty()) << "a new step after back drops forward history";
}

TEST_F(ExplorerTest, UpStopsAtTheRoot) {
  explorer_at("/");
  EXPECT_FALSE(explorer().can_go_up());
  const auto steps = explorer().state().back_stack.size();
  explorer().go_up();
  EXPECT_EQ(explorer().state().current_path, "/");
  EXPECT_EQ(explorer().state().back_stack.size(), steps);
}

TEST_F(ExplorerTest, PeriodicRelistingPicksUpNewFilesAndKeepsTheSelection) {
  touch(folder() / "a");
  touch(folder() / "c");
  explorer_at(folder());
  explorer().state_mut().selection.select_only(1);  // "c"
  vemo_ui::SyncContext sync{services_, vemo_ui::Clock::now() + 1s};
  explorer().sync(sync);
  const auto* unchanged = explorer().state().entries.get();
  sync.now += 1s;
  explorer().sync(sync);
  EXPECT_EQ(explorer().state().entries.get(), unchanged) << "an unchanged listing is kept as it is";

  touch(folder() / "b");
  sync.now += 1s;
  explorer().sync(sync);
  EXPECT_EQ(names(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(explorer().state().selection.selected(), (std::vector<std::size_t>{2}));
}

TEST_F(ExplorerTest, NothingIsRelistedWhileRenaming) {
  touch(folder() / "a");
  explorer_at(folder());
  explorer().state_mut().renaming = 0;
  touch(folder() / "b");
  vemo_ui::SyncContext sync{services_, vemo_ui::Clock::now() + 5s};
  explorer().sync(sync);
  EXPECT_EQ(names(), (std::vector<std::string>{"a"}));
}

TEST_F(ExplorerTest, VanishedFolderIsReportedAtTheNextRefresh) {
  std::filesystem::create_directories(folder() / "gone");
  explorer_at(folder() / "gone");
  std::filesystem::remove(folder() / "gone");
  vemo_ui::SyncContext sync{services_, vemo_ui::Clock::now() + 5s};
  explorer().sync(sync);
  EXPECT_TRUE(explorer().state().load_error);
}

}  // namespace
}  // namespace fe
