#include "model/list_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "model/tests/temp_dir.h"

namespace fe {
namespace {

using testing::TempDir;

std::map<std::string, FileEntry> by_name(const std::vector<FileEntry>& entries) {
  std::map<std::string, FileEntry> out;
  for (const auto& e : entries) out.emplace(e.name, e);
  return out;
}

TEST(ListFolder, KindsSizesTimesAndTypes) {
  TempDir dir;
  dir.folder("notes.txt");
  dir.file("report.pdf", std::string(1234, 'x'));
  dir.file("README");
  dir.folder("target");
  std::filesystem::create_symlink("target", dir / "link-to-folder");

  auto listed = list_folder(dir.path(), false);
  ASSERT_TRUE(listed.has_value()) << listed.error().message();
  ASSERT_EQ(listed->size(), 5u);
  const auto entries = by_name(*listed);

  const FileEntry& notes = entries.at("notes.txt");
  EXPECT_TRUE(notes.is_dir);
  EXPECT_EQ(notes.mime, "text/plain");
  EXPECT_EQ(notes.path.native(), (dir / "notes.txt").native());

  const FileEntry& report = entries.at("report.pdf");
  EXPECT_FALSE(report.is_dir);
  EXPECT_EQ(report.size, 1234u);
  EXPECT_EQ(report.mime, "application/pdf");
  ASSERT_TRUE(report.modified.has_value());
  EXPECT_GE(report.modified->year, 2024);

  EXPECT_EQ(entries.at("README").mime, "application/octet-stream");

  // The link is the link itself: not a folder, its size is the length of its target text.
  const FileEntry& link = entries.at("link-to-folder");
  EXPECT_FALSE(link.is_dir);
  EXPECT_EQ(link.size, std::string("target").size());
  EXPECT_FALSE(link.sync.has_value());
}

TEST(ListFolder, OddNamesAreListed) {
  TempDir dir;
  const std::string latin1 =
      "M\xFC"
      "ller.txt";
  const std::string long_name(255, 'n');
  const std::string with_newline = "two\nlines";
  dir.file(latin1);
  dir.file(long_name);
  dir.file(with_newline);

  auto listed = list_folder(dir.path(), false);
  ASSERT_TRUE(listed.has_value());
  const auto entries = by_name(*listed);
  ASSERT_EQ(entries.size(), 3u);

  const FileEntry& replaced = entries.at("M\xEF\xBF\xBDller.txt");
  EXPECT_EQ(replaced.path.native(), (dir / latin1).native()) << "the path keeps the raw bytes";
  EXPECT_EQ(replaced.mime, "text/plain");
  EXPECT_EQ(entries.at(long_name).path.native(), (dir / long_name).native());
  EXPECT_TRUE(entries.contains(with_newline));
}

TEST(ListFolder, SymlinkLoopsAreItemsNotTraps) {
  TempDir dir;
  std::filesystem::create_symlink("self", dir / "self");
  std::filesystem::create_symlink("b", dir / "a");
  std::filesystem::create_symlink("a", dir / "b");
  auto listed = list_folder(dir.path(), true);
  ASSERT_TRUE(listed.has_value());
  EXPECT_EQ(listed->size(), 3u);
  for (const auto& e : *listed) EXPECT_FALSE(e.is_dir) << e.name;

  auto through_loop = list_folder(dir / "self", false);
  ASSERT_FALSE(through_loop.has_value());
  EXPECT_EQ(through_loop.error(), std::errc::too_many_symbolic_link_levels);
}

TEST(ListFolder, UnopenableFoldersGiveTheSystemError) {
  TempDir dir;
  const auto plain = dir.file("plain.txt", "x");
  struct Case {
    const char* label;
    std::filesystem::path path;
    std::errc error;
    std::string text;
  };
  const Case cases[] = {
      {"missing", dir / "missing", std::errc::no_such_file_or_directory, "No such file or directory"},
      {"not a folder", plain, std::errc::not_a_directory, "Not a directory"},
      {"below a file", plain / "inner", std::errc::not_a_directory, "Not a directory"},
  };
  for (const Case& c : cases) {
    auto listed = list_folder(c.path, false);
    ASSERT_FALSE(listed.has_value()) << c.label;
    EXPECT_EQ(listed.error(), c.error) << c.label;
    EXPECT_EQ(listed.error().message(), c.text) << c.label;
  }
}

TEST(ListFolder, UnreadableFolderIsAnError) {
  if (::geteuid() == 0) GTEST_SKIP() << "running as root: permission bits do not deny reading";
  TempDir dir;
  const auto locked = dir.folder("locked");
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  auto listed = list_folder(locked, false);
  ASSERT_FALSE(listed.has_value());
  EXPECT_EQ(listed.error(), std::errc::permission_denied);
  EXPECT_EQ(listed.error().message(), "Permission denied");
}

TEST(ListFolder, EmptyFolderAndRootPath) {
  TempDir dir;
  auto empty = list_folder(dir.path(), false);
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->empty());

  auto root = list_folder("/", false);
  ASSERT_TRUE(root.has_value());
  const auto it = std::find_if(root->begin(), root->end(), [](const FileEntry& e) { return e.name == "tmp"; });
  ASSERT_NE(it, root->end());
  EXPECT_EQ(it->path.native(), "/tmp");  // no doubled slash
}

TEST(ArchiveLocation, OrdinaryFoldersAreNotArchives) {
  TempDir dir;
  EXPECT_FALSE(archive_location(dir.path()).has_value());
}

}  // namespace
}  // namespace fe
