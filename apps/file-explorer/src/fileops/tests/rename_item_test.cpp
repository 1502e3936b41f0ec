#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "fileops/create_folder.h"
#include "fileops/rename_item.h"
#include "model/tests/temp_dir.h"

namespace fe {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

// The expected texts below are the English ones.
const bool kEnglish = (::setenv("LC_ALL", "en_US.UTF-8", 1), true);

std::string content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(RenameItem, RenamesToTheTrimmedName) {
  TempDir dir;
  dir.file("a.txt", "alpha");
  const auto result = rename_item(dir / "a.txt", "\u3000 b.txt ");
  ASSERT_TRUE(result.has_value()) << result.error();
  EXPECT_FALSE(fs::exists(dir / "a.txt"));
  EXPECT_EQ(content(dir / "b.txt"), "alpha");
}

TEST(RenameItem, SameNameSucceedsWithoutTouchingAnything) {
  TempDir dir;
  dir.file("a.txt", "alpha");
  const auto result = rename_item(dir / "a.txt", " a.txt ");
  ASSERT_TRUE(result.has_value()) << result.error();
  EXPECT_EQ(content(dir / "a.txt"), "alpha");
}

TEST(RenameItem, NeverReplacesAnotherItem) {
  TempDir dir;
  dir.file("a.txt", "alpha");
  dir.file("b.txt", "beta");
  dir.folder("folder");
  fs::create_symlink("nowhere", dir / "dangling");
  fs::create_hard_link(dir / "a.txt", dir / "hard link");  // the same inode under another name
  for (const char* taken : {"b.txt", "folder", "dangling", "hard link"}) {
    const auto result = rename_item(dir / "a.txt", taken);
    ASSERT_FALSE(result.has_value()) << taken;
    EXPECT_EQ(result.error(), std::string("“") + taken + "” already exists") << taken;
  }
  EXPECT_EQ(content(dir / "a.txt"), "alpha");
  EXPECT_EQ(content(dir / "b.txt"), "beta");
  EXPECT_EQ(content(dir / "hard link"), "alpha");
  EXPECT_TRUE(fs::is_directory(dir / "folder"));
  EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
}

TEST(RenameItem, RefusesBadNamesAndSourcesWithoutParent) {
  TempDir dir;
  const auto source = dir.file("a.txt", "alpha");
  struct Case {
    const char* what;
    fs::path source;
    std::string typed;
    std::string expected;
  };
  const Case cases[] = {
      {"only spaces", source, "  ", "Name cannot be empty"},
      {"slash", source, "sub/b.txt", "Name cannot contain '/'"},
      {"two dots", source, "..", "Enter a valid file or folder name"},
      {"root", "/", "b", "No parent directory"},
      {"bare relative name", "a.txt", "b", "No parent directory"},
      {"missing source", dir / "missing", "b", "No such file or directory"},
  };
  for (const Case& c : cases) {
    const auto result = rename_item(c.source, c.typed);
    ASSERT_FALSE(result.has_value()) << c.what;
    EXPECT_EQ(result.error(), c.expected) << c.what;
  }
  EXPECT_EQ(content(source), "alpha");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(RenameItem, RenamesTheLinkNotItsTarget) {
  TempDir dir;
  dir.file("target", "data");
  fs::create_symlink("target", dir / "link");
  const auto result = rename_item(dir / "link", "renamed link");
  ASSERT_TRUE(result.has_value()) << result.error();
  EXPECT_FALSE(fs::is_symlink(fs::symlink_status(dir / "link")));
  ASSERT_TRUE(fs::is_symlink(dir / "renamed link"));
  EXPECT_EQ(fs::read_symlink(dir / "renamed link"), "target");
  EXPECT_EQ(content(dir / "target"), "data");
}

TEST(RenameItem, RenamesFolders) {
  TempDir dir;
  dir.folder("old");
  dir.file("old/inside", "x");
  const auto result = rename_item(dir / "old", "new");
  ASSERT_TRUE(result.has_value()) << result.error();
  EXPECT_FALSE(fs::exists(dir / "old"));
  EXPECT_EQ(content(dir / "new" / "inside"), "x");
}

TEST(CreateFolder, TwiceGivesTheNextNumber) {
  TempDir dir;
  const auto first = create_folder(dir.path(), "New Folder");
  const auto second = create_folder(dir.path(), " New Folder ");
  ASSERT_TRUE(first.has_value()) << first.error();
  ASSERT_TRUE(second.has_value()) << second.error();
  EXPECT_EQ(*first, dir / "New Folder");
  EXPECT_EQ(*second, dir / "New Folder 2");
  EXPECT_TRUE(fs::is_directory(*first));
  EXPECT_TRUE(fs::is_directory(*second));
}

TEST(CreateFolder, ModeIsFullBeforeTheUmask) {
  TempDir dir;
  const mode_t old_mask = ::umask(027);
  const auto created = create_folder(dir.path(), "masked");
  ::umask(old_mask);
  ASSERT_TRUE(created.has_value()) << created.error();
  struct stat st;
  ASSERT_EQ(::stat(created->c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0750u);
}

TEST(CreateFolder, ReportsWhyNothingWasCreated) {
  TempDir dir;
  dir.file("file");
  struct Case {
    const char* what;
    fs::path folder;
    std::string typed;
    std::string expected;
  };
  const Case cases[] = {
      {"empty", dir.path(), "", "Folder name cannot be empty"},
      {"only white space", dir.path(), " \u3000 ", "Folder name cannot be empty"},
      {"slash", dir.path(), "a/b", "Name cannot contain '/'"},
      {"dot", dir.path(), ".", "Enter a valid file or folder name"},
      {"parent is missing and not made", dir / "missing", "x",
       "Cannot check “" + (dir / "missing").native() + "”: No such file or directory"},
      {"folder is a file", dir / "file", "x", "Cannot check “" + (dir / "file").native() + "”: Not a directory"},
  };
  for (const Case& c : cases) {
    const auto result = create_folder(c.folder, c.typed);
    ASSERT_FALSE(result.has_value()) << c.what << ": " << *result;
    EXPECT_EQ(result.error(), c.expected) << c.what;
  }
  EXPECT_FALSE(fs::exists(dir / "missing"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(CreateFolder, UnwritableFolderGivesTheSystemText) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not bind root";
  TempDir dir;
  const auto locked = dir.folder("locked");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  const auto result = create_folder(locked, "x");
  ASSERT_FALSE(result.has_value()) << *result;
  EXPECT_EQ(result.error(), "Permission denied");
}

}  // namespace
}  // namespace fe
