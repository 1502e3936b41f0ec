#include "vemo_ui/sysdirs.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vemo_ui::sysdirs {
namespace {

namespace fs = std::filesystem;
using vemo_ui::testing::ScopedEnv;
using vemo_ui::testing::TempDir;
using vemo_ui::testing::write_file;

void write_user_dirs(const fs::path& home, const std::string& text) {
  fs::create_directories(home / ".config");
  write_file(home / ".config" / "user-dirs.dirs", text);
}

// --- user-dirs.dirs lines ------------------------------------------------------------------------------

struct LineCase {
  const char* name;
  std::string line;
  std::optional<std::string> documents;  // relative to home when not starting with '/'; nullopt: unset
};

void PrintTo(const LineCase& c, std::ostream* os) {
  *os << c.name;
}

class UserDirsLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(UserDirsLine, GivesTheDocumentsFolder) {
  TempDir tmp;
  const fs::path home = tmp / "home";
  fs::create_directories(home);
  write_user_dirs(home, GetParam().line + "\n");
  const UserDirs dirs = UserDirs::from_system(home);
  std::optional<fs::path> expected;
  if (const auto& d = GetParam().documents) expected = d->starts_with('/') ? fs::path(*d) : home / *d;
  EXPECT_EQ(dirs.dir(PlaceKind::Documents), expected) << GetParam().line;
}

const LineCase kLineCases[] = {
    {"home_relative", R"(XDG_DOCUMENTS_DIR="$HOME/Documents")", "Documents"},
    {"localized", R"(XDG_DOCUMENTS_DIR="$HOME/Dokumente")", "Dokumente"},
    {"nested", R"(XDG_DOCUMENTS_DIR="$HOME/a/b c")", "a/b c"},
    {"absolute", R"(XDG_DOCUMENTS_DIR="/srv/docs")", "/srv/docs"},
    {"trailing_slash", R"(XDG_DOCUMENTS_DIR="$HOME/Docs/")", "Docs"},
    {"blanks_around", "  XDG_DOCUMENTS_DIR \t= \"$HOME/Docs\"  ", "Docs"},
    {"trailing_comment", R"(XDG_DOCUMENTS_DIR="$HOME/Docs" # mine)", "Docs"},
    {"crlf", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\r", "Docs"},
    {"escaped_quote", R"(XDG_DOCUMENTS_DIR="$HOME/My \"Docs\"")", "My \"Docs\""},
    {"escaped_backslash", R"(XDG_DOCUMENTS_DIR="$HOME/a\\b")", "a\\b"},
    {"dot_segments", R"(XDG_DOCUMENTS_DIR="$HOME/./x/../Docs")", "Docs"},
    {"home_itself_disables", R"(XDG_DOCUMENTS_DIR="$HOME")", std::nullopt},
    {"home_slash_disables", R"(XDG_DOCUMENTS_DIR="$HOME/")", std::nullopt},
    {"comment", R"(# XDG_DOCUMENTS_DIR="$HOME/Docs")", std::nullopt},
    {"unquoted", R"(XDG_DOCUMENTS_DIR=$HOME/Docs)", std::nullopt},
    {"single_quoted", R"(XDG_DOCUMENTS_DIR='$HOME/Docs')", std::nullopt},
    {"unterminated", R"(XDG_DOCUMENTS_DIR="$HOME/Docs)", std::nullopt},
    {"relative_without_home", R"(XDG_DOCUMENTS_DIR="Docs")", std::nullopt},
    {"home_prefix_of_other_variable", R"(XDG_DOCUMENTS_DIR="$HOMEDIR/Docs")", std::nullopt},
    {"braced_variable", R"(XDG_DOCUMENTS_DIR="${HOME}/Docs")", std::nullopt},
    {"garbage_after_value", R"(XDG_DOCUMENTS_DIR="$HOME/Docs" rm -rf)", std::nullopt},
    {"longer_key", R"(XDG_DOCUMENTS_DIRS="$HOME/Docs")", std::nullopt},
    {"lower_case_key", R"(xdg_documents_dir="$HOME/Docs")", std::nullopt},
    {"export_prefix", R"(export XDG_DOCUMENTS_DIR="$HOME/Docs")", std::nullopt},
    {"missing_equals", R"(XDG_DOCUMENTS_DIR "$HOME/Docs")", std::nullopt},
    {"overlong_line", "XDG_DOCUMENTS_DIR=\"$HOME/" + std::string(5000, 'x') + "\"", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Lines, UserDirsLine, ::testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UserDirsFile, AllKeysAndBadLinesBetweenThem) {
  TempDir tmp;
  const fs::path home = tmp.path();
  write_user_dirs(home,
                  "# This file is written by xdg-user-dirs-update\n"
                  "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                  "this is not a line of the file\n"
                  "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
                  "XDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n"
                  "XDG_PUBLICSHARE_DIR=\"$HOME/Public\"\n"
                  "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
                  "XDG_MUSIC_DIR=\"/media/music\"\n"
                  "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"
                  "XDG_VIDEOS_DIR=\"$HOME\"\n"
                  "XDG_PICTURES_DIR=\"$HOME/Fotos\"\n");  // a later line wins, as in the shell
  const UserDirs dirs = UserDirs::from_system(home);
  EXPECT_EQ(dirs.home(), home);
  EXPECT_EQ(dirs.dir(PlaceKind::Desktop), home / "Schreibtisch");
  EXPECT_EQ(dirs.dir(PlaceKind::Documents), home / "Dokumente");
  EXPECT_EQ(dirs.dir(PlaceKind::Downloads), home / "Downloads");
  EXPECT_EQ(dirs.dir(PlaceKind::Pictures), home / "Fotos");
  EXPECT_EQ(dirs.dir(PlaceKind::Music), fs::path("/media/music"));
  EXPECT_EQ(dirs.dir(PlaceKind::Videos), std::nullopt);
  EXPECT_EQ(dirs.dir(PlaceKind::Folder), std::nullopt);
}

TEST(UserDirsFile, MissingFileUsesOnlyConventionalFoldersThatExist) {
  TempDir tmp;
  const fs::path home = tmp.path();
  fs::create_directory(home / "Documents");
  fs::create_directory(home / "Desktop");
  write_file(home / "Music", "a file, not a folder");
  const UserDirs dirs = UserDirs::from_system(home);
  EXPECT_EQ(dirs.dir(PlaceKind::Desktop), home / "Desktop");
  EXPECT_EQ(dirs.dir(PlaceKind::Documents), home / "Documents");
  EXPECT_EQ(dirs.dir(PlaceKind::Downloads), std::nullopt);
  EXPECT_EQ(dirs.dir(PlaceKind::Music), std::nullopt);
}

TEST(UserDirsFile, AbsentKeyFallsBackButDisabledKeyDoesNot) {
  TempDir tmp;
  const fs::path home = tmp.path();
  for (const char* name : {"Documents", "Downloads", "Videos"}) fs::create_directory(home / name);
  write_user_dirs(home, "XDG_DOCUMENTS_DIR=\"$HOME\"\nXDG_VIDEOS_DIR=\"$HOME/Filme\"\n");
  const UserDirs dirs = UserDirs::from_system(home);
  EXPECT_EQ(dirs.dir(PlaceKind::Documents), std::nullopt);        // turned off by the user
  EXPECT_EQ(dirs.dir(PlaceKind::Downloads), home / "Downloads");  // not named: the existing folder
  EXPECT_EQ(dirs.dir(PlaceKind::Videos), home / "Filme");         // named: used even if missing
}

TEST(UserDirsFile, OversizeFileIsIgnored) {
  TempDir tmp;
  const fs::path home = tmp.path();
  write_user_dirs(home, "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n" + std::string(70 * 1024, '#'));
  EXPECT_EQ(UserDirs::from_system(home).dir(PlaceKind::Documents), std::nullopt);
}

// --- content places and classification ---------------------------------------------------------------

TEST(UserDirsPlaces, ContentPlacesInOrderWithFolderNamesAsLabels) {
  TempDir tmp;
  const fs::path home = tmp.path();
  write_user_dirs(home,
                  "XDG_VIDEOS_DIR=\"$HOME/Filme\"\n"
                  "XDG_MUSIC_DIR=\"$HOME/Musik\"\n"
                  "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                  "XDG_PICTURES_DIR=\"$HOME\"\n"
                  "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
                  "XDG_DOCUMENTS_DIR=\"/srv/Dokumente/\"\n");
  const std::vector<ContentPlace> places = UserDirs::from_system(home).content_places();
  ASSERT_EQ(places.size(), 4u);
  const struct {
    fs::path path;
    std::string label;
    PlaceKind kind;
  } expected[] = {
      {"/srv/Dokumente", "Dokumente", PlaceKind::Documents},
      {home / "Downloads", "Downloads", PlaceKind::Downloads},
      {home / "Musik", "Musik", PlaceKind::Music},
      {home / "Filme", "Filme", PlaceKind::Videos},
  };
  for (std::size_t i = 0; i < places.size(); ++i) {
    EXPECT_EQ(places[i].path, expected[i].path) << i;
    EXPECT_EQ(places[i].label, expected[i].label) << i;
    EXPECT_EQ(places[i].kind, expected[i].kind) << i;
  }
}

TEST(UserDirsPlaces, NoHomeMeansNoPlaces) {
  const UserDirs dirs = UserDirs::from_system(fs::path("relative/home"));
  EXPECT_FALSE(dirs.home().has_value());
  EXPECT_TRUE(dirs.content_places().empty());
  EXPECT_EQ(dirs.classify("/"), std::nullopt);
}

TEST(UserDirsPlaces, Classify) {
  TempDir tmp;
  const fs::path home = tmp.path();
  write_user_dirs(home,
                  "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
                  "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n"
                  "XDG_MUSIC_DIR=\"$HOME/Musik\"\nXDG_VIDEOS_DIR=\"$HOME\"\n");
  const UserDirs dirs = UserDirs::from_system(home);
  struct Case {
    fs::path path;
    std::optional<PlaceKind> kind;
  };
  const Case cases[] = {
      {home, PlaceKind::Home},
      {home.string() + "/", PlaceKind::Home},
      {home / "Desktop", PlaceKind::Desktop},
      {home / "Dokumente", PlaceKind::Documents},
      {home / "Dokumente" / "", PlaceKind::Documents},
      {home / "x" / ".." / "Downloads", PlaceKind::Downloads},
      {home / "Bilder", PlaceKind::Pictures},
      {home / "Musik", PlaceKind::Music},
      {home / "Videos", std::nullopt},  // disabled; home itself stays Home
      {home / "Documents", std::nullopt},
      {home / "Dokumente" / "sub", std::nullopt},
      {home.parent_path(), std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(dirs.classify(c.path), c.kind) << c.path;
}

// --- home and XDG folders ----------------------------------------------------------------------------

TEST(SysdirsHome, OverrideIsUsedWhenNoHomeIsGiven) {
  TempDir tmp;
  fs::create_directories(tmp / "override" / "Music");
  set_user_home_override(tmp / "override");
  const UserDirs dirs = UserDirs::from_system();
  set_user_home_override(std::nullopt);
  EXPECT_EQ(dirs.home(), tmp / "override");
  EXPECT_EQ(dirs.dir(PlaceKind::Music), tmp / "override" / "Music");
  EXPECT_EQ(user_home_override(), std::nullopt);
}

TEST(SysdirsHome, PlatformHomeUsesItsConfigHome) {
  TempDir tmp;
  ScopedEnv home("HOME", (tmp / "h").string());
  ScopedEnv config("XDG_CONFIG_HOME", (tmp / "cfg").string());
  fs::create_directories(tmp / "cfg");
  write_file(tmp / "cfg" / "user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Tunes\"\n");
  EXPECT_EQ(platform_home(), tmp / "h");
  EXPECT_EQ(UserDirs::from_system().dir(PlaceKind::Music), tmp / "h" / "Tunes");
  EXPECT_EQ(config_dir(), tmp / "cfg");
}

TEST(SysdirsHome, RelativeHomeFallsBackToThePasswordDatabase) {
  ScopedEnv home("HOME", "not/absolute");
  const auto h = platform_home();
  ASSERT_TRUE(h.has_value());
  EXPECT_TRUE(h->is_absolute());
  EXPECT_NE(*h, fs::path("not/absolute"));
}

TEST(SysdirsHome, XdgFoldersDefaultBelowHomeWhenUnsetOrRelative) {
  TempDir tmp;
  ScopedEnv home("HOME", tmp.path().string());
  ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
  ScopedEnv data("XDG_DATA_HOME", "relative");
  ScopedEnv state("XDG_STATE_HOME", (tmp / "st").string());
  EXPECT_EQ(config_dir(), tmp / ".config");
  EXPECT_EQ(data_dir(), tmp / ".local" / "share");
  EXPECT_EQ(state_dir(), tmp / "st");
}

}  // namespace
}  // namespace vemo_ui::sysdirs
