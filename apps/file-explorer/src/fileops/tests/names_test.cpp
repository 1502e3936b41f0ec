#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "fileops/names.h"
#include "model/tests/temp_dir.h"

namespace fe {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

// The expected texts below are the English ones.
const bool kEnglish = (::setenv("LC_ALL", "en_US.UTF-8", 1), true);

const std::string kEmpty = "Name cannot be empty";
const std::string kSlash = "Name cannot contain '/'";
const std::string kInvalid = "Enter a valid file or folder name";

std::string inspect_failed(const fs::path& path, const std::string& error) {
  return "Cannot check “" + path.native() + "”: " + error;
}

void touch(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0) << path;
  ::close(fd);
}

TEST(ValidateName, TrimsUnicodeWhiteSpaceAndRefusesNonNames) {
  struct Case {
    const char* what;
    std::string text;
    bool valid;
    std::string expected;  // the name, or the error text
  };
  const Case cases[] = {
      {"plain", "notes.txt", true, "notes.txt"},
      {"ASCII spaces and controls", " \t notes.txt \n", true, "notes.txt"},
      {"ideographic space", "\u3000Report\u3000", true, "Report"},
      {"no-break space is white space to ICU", "\u00A0x\u00A0", true, "x"},
      {"em space and line separator, inner space kept", "\u2003a  b\u2028", true, "a  b"},
      {"zero width space is not white space", "\u200Bx", true, "\u200Bx"},
      {"non-ASCII name", " Ärger.pdf ", true, "Ärger.pdf"},
      {"ill-formed byte kept, space trimmed", "\xff ", true, "\xff"},
      {"dot files and three dots are names", ".profile", true, ".profile"},
      {"three dots", "...", true, "..."},
      {"empty", "", false, kEmpty},
      {"only spaces", "   ", false, kEmpty},
      {"only Unicode white space", "\u3000\u00A0\u2029", false, kEmpty},
      {"slash", "a/b", false, kSlash},
      {"lone slash", " / ", false, kSlash},
      {"one dot", ".", false, kInvalid},
      {"two dots, trimmed", " .. ", false, kInvalid},
      {"embedded NUL", std::string("a\0b", 3), false, kInvalid},
  };
  for (const Case& c : cases) {
    const auto result = validate_name(c.text);
    ASSERT_EQ(result.has_value(), c.valid) << c.what;
    EXPECT_EQ(c.valid ? *result : result.error(), c.expected) << c.what;
  }
}

TEST(DestinationExists, LinksCountAndOnlyNotFoundIsFalse) {
  TempDir dir;
  dir.file("file");
  dir.folder("folder");
  fs::create_symlink("nowhere", dir / "dangling");
  struct Case {
    const char* what;
    fs::path path;
    bool exists;
  };
  const Case cases[] = {
      {"file", dir / "file", true},
      {"folder", dir / "folder", true},
      {"dangling link", dir / "dangling", true},
      {"missing", dir / "missing", false},
  };
  for (const Case& c : cases) {
    const auto result = destination_exists(c.path);
    ASSERT_TRUE(result.has_value()) << c.what << ": " << result.error();
    EXPECT_EQ(*result, c.exists) << c.what;
  }

  // Below a file there is nothing to find, but that is not "not found": do not guess.
  const auto below_file = destination_exists(dir / "file" / "child");
  ASSERT_FALSE(below_file.has_value());
  EXPECT_EQ(below_file.error(), inspect_failed(dir / "file" / "child", "Not a directory"));
}

TEST(UniqueDestination, NumbersStemAndKeepsExtension) {
  struct Case {
    const char* what;
    std::string name;
    std::vector<std::string> taken;
    std::string expected;
  };
  const Case cases[] = {
      {"free name is kept", "report.pdf", {"other"}, "report.pdf"},
      {"no extension", "notes", {"notes"}, "notes 2"},
      {"leading dot is no extension", ".profile", {".profile"}, ".profile 2"},
      {"last dot splits", "report.tar.gz", {"report.tar.gz"}, "report.tar 2.gz"},
      {"first free number", "report.pdf", {"report.pdf", "report 2.pdf"}, "report 3.pdf"},
      {"gap is used", "New Folder", {"New Folder", "New Folder 3"}, "New Folder 2"},
      {"new folder", "New Folder", {"New Folder", "New Folder 2"}, "New Folder 3"},
      {"trailing dot: empty extension", "name.", {"name."}, "name 2."},
      {"free raw bytes are kept", "caf\xe9", {}, "caf\xe9"},
      {"numbered names are UTF-8", "caf\xe9.txt", {"caf\xe9.txt"}, "caf\uFFFD 2.txt"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    for (const auto& name : c.taken) touch(dir / name);
    const auto result = unique_destination(dir.path(), c.name);
    ASSERT_TRUE(result.has_value()) << c.what << ": " << result.error();
    EXPECT_EQ(*result, dir / c.expected) << c.what;
  }
}

TEST(UniqueDestination, FoldersAndDanglingLinksTakeNames) {
  TempDir dir;
  dir.folder("Photos");
  fs::create_symlink("gone", dir / "Photos 2");
  const auto result = unique_destination(dir.path(), "Photos");
  ASSERT_TRUE(result.has_value()) << result.error();
  EXPECT_EQ(*result, dir / "Photos 3");
}

TEST(UniqueDestination, InspectionFailureEndsTheSearch) {
  TempDir dir;
  dir.file("file");
  struct Case {
    const char* what;
    fs::path folder;
    std::string name;
    std::string expected;
  };
  const std::string long_name(300, 'a');
  const Case cases[] = {
      {"missing folder", dir / "missing", "x", inspect_failed(dir / "missing", "No such file or directory")},
      {"folder is a file", dir / "file", "x", inspect_failed(dir / "file", "Not a directory")},
      {"name too long to look up", dir.path(), long_name, inspect_failed(dir / long_name, "File name too long")},
  };
  for (const Case& c : cases) {
    const auto result = unique_destination(c.folder, c.name);
    ASSERT_FALSE(result.has_value()) << c.what << ": " << *result;
    EXPECT_EQ(result.error(), c.expected) << c.what;
  }
}

TEST(UniqueDestination, UnsearchableFolderIsNotGuessed) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not bind root";
  TempDir dir;
  const auto locked = dir.folder("locked");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_write);
  const auto result = unique_destination(locked, "x");
  ASSERT_FALSE(result.has_value()) << *result;
  EXPECT_EQ(result.error(), inspect_failed(locked / "x", "Permission denied"));
}

TEST(UniqueDestination, RefusesNamesThatLeaveTheFolder) {
  TempDir dir;
  for (const std::string name : {"", ".", "..", "a/b", "/x"}) {
    const auto result = unique_destination(dir.path(), name);
    ASSERT_FALSE(result.has_value()) << name;
    EXPECT_EQ(result.error(), kInvalid) << name;
  }
  const auto result = unique_destination(dir.path(), std::string("a\0b", 3));
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(result.error(), kInvalid);
}

TEST(UniqueDestination, GivesUpAfterNumberNineThousandNineHundredNinetyNine) {
  TempDir dir;
  touch(dir / "x.txt");
  for (int n = 2; n <= 9999; ++n) touch(dir / ("x " + std::to_string(n) + ".txt"));
  const auto exhausted = unique_destination(dir.path(), "x.txt");
  ASSERT_FALSE(exhausted.has_value()) << *exhausted;
  EXPECT_EQ(exhausted.error(),
            "Too many files named “x.txt” in “" + dir.path().native() + "”. Choose another name or folder.");

  // The last number is still tried.
  fs::remove(dir / "x 9999.txt");
  const auto last = unique_destination(dir.path(), "x.txt");
  ASSERT_TRUE(last.has_value()) << last.error();
  EXPECT_EQ(*last, dir / "x 9999.txt");
}

}  // namespace
}  // namespace fe
