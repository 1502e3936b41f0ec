#include <gtest/gtest.h>

#include "i18n/i18n.h"
#include "model/dir_reader.h"
#include "model/tests/temp_dir.h"
#include "places/locations.h"
#include "places/navigation_history.h"
#include "places/typed_path.h"
#include "vemo_ui/sysdirs.h"

namespace fe {
namespace {

using testing::ScopedEnv;
using testing::TempDir;
namespace fs = std::filesystem;

// Sets the toolkit's home override for one scope.
class ScopedHome {
 public:
  explicit ScopedHome(std::optional<fs::path> home) : old_(vemo_ui::sysdirs::user_home_override()) {
    vemo_ui::sysdirs::set_user_home_override(std::move(home));
  }
  ~ScopedHome() { vemo_ui::sysdirs::set_user_home_override(old_); }

 private:
  std::optional<fs::path> old_;
};

TEST(TypedPath, TildeExpansionAndResolution) {
  const fs::path home = "/home/ann";
  const fs::path current = "/data/shown";
  struct Case {
    const char* text;
    std::optional<fs::path> home;
    fs::path expanded, resolved;
  };
  const Case cases[] = {
      {"~", home, home, home},
      {"~/Music", home, "/home/ann/Music", "/home/ann/Music"},
      {"~/", home, "/home/ann/", "/home/ann/"},
      {"~ann", home, "~ann", "/data/shown/~ann"},  // a tilde with a name is taken literally
      {"photos", home, "photos", "/data/shown/photos"},
      {"/etc", home, "/etc", "/etc"},
      {"~", std::nullopt, "~", "/data/shown/~"},  // no home: as typed
      {"~/Music", std::nullopt, "~/Music", "/data/shown/~/Music"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(expand_tilde(c.text, c.home), c.expanded) << c.text;
    EXPECT_EQ(resolve_typed_path(c.text, c.home, current), c.resolved) << c.text;
  }
}

TEST(TypedPath, TidyLocationSpellsTheFolderAsBreadcrumbsShowIt) {
  const std::pair<fs::path, fs::path> cases[] = {
      {"/home/ann/", "/home/ann"},
      {"/home//ann/./Music", "/home/ann/Music"},
      {"/home/ann/work/../Music/", "/home/ann/Music"},
      {"/data/shown/../../..", "/"},
      {"/", "/"},
      {"//", "/"},
      {"/home/ann", "/home/ann"},
  };
  for (const auto& [typed, tidy] : cases) EXPECT_EQ(tidy_location(typed), tidy) << typed;
}

std::vector<std::string> names(const std::vector<PathCompletion>& completions) {
  std::vector<std::string> out;
  for (const auto& c : completions) out.push_back(c.name + (c.is_dir ? "/" : ""));
  return out;
}

TEST(PathCompletions, FiltersSortsAndLimits) {
  TempDir home;
  home.folder("Documents");
  home.folder("Desktop");
  home.folder("downloads-dir");
  home.file("DOCX.txt");
  home.file("dot.md");
  home.file(".docs-hidden");
  home.folder(".dotfolder");
  home.file("Other");
  std::filesystem::create_symlink("Documents", home / "do-link");
  struct Case {
    const char* text;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"~/do", {"Documents/", "downloads-dir/", "do-link", "DOCX.txt", "dot.md"}},
      {"~/DO", {"Documents/", "downloads-dir/", "do-link", "DOCX.txt", "dot.md"}},
      {"~/.do", {".dotfolder/", ".docs-hidden"}},
      {"~/x", {}},
      {"~", {"Desktop/", "Documents/", "downloads-dir/", "do-link", "DOCX.txt", "dot.md", "Other"}},
      {"~/", {"Desktop/", "Documents/", "downloads-dir/", "do-link", "DOCX.txt", "dot.md", "Other"}},
      {"~/missing/do", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(names(path_completions(c.text, home.path())), c.expected) << c.text;

  const auto full = path_completions("~/Docu", home.path());
  ASSERT_EQ(full.size(), 1u);
  EXPECT_EQ(full[0].path, home / "Documents");

  // Absolute text needs no home.
  EXPECT_EQ(names(path_completions((home / "Des").native(), std::nullopt)), std::vector<std::string>{"Desktop/"});
}

TEST(PathCompletions, AtMostSixtyFoldersFirstStable) {
  TempDir dir;
  for (int i = 0; i < 70; ++i) dir.file("file-" + std::to_string(100 + i));
  dir.folder("zz-folder");
  dir.file("Same");
  dir.file("same");
  auto completions = path_completions(dir.path().native() + "/", std::nullopt);
  ASSERT_EQ(completions.size(), kMaxPathCompletions);
  EXPECT_EQ(completions.front().name, "zz-folder");
  EXPECT_EQ(completions[1].name, "file-100");
  EXPECT_EQ(completions.back().name, "file-158");

  // "Same" and "same" fold equal: they keep the order in which the folder yields them.
  auto same = path_completions(dir.path().native() + "/sa", std::nullopt);
  ASSERT_EQ(same.size(), 2u);
  auto listing = DirListing::read(dir.path());
  ASSERT_TRUE(listing.has_value());
  std::vector<std::string> directory_order;
  for (const auto& item : listing->items()) {
    if (item.name == "Same" || item.name == "same") directory_order.emplace_back(item.name);
  }
  EXPECT_EQ(names(same), directory_order);
}

TEST(PathCompletions, InvalidNamesAreReplacedButPathsKeepBytes) {
  TempDir dir;
  dir.file("caf\xE9");
  const auto completions = path_completions(dir.path().native() + "/ca", std::nullopt);
  ASSERT_EQ(completions.size(), 1u);
  EXPECT_EQ(completions[0].name, "caf\xEF\xBF\xBD");
  EXPECT_EQ(completions[0].path, dir / "caf\xE9");
}

TEST(StartFolder, FollowsTheRootsThenHome) {
  TempDir dir;
  const auto home = dir.folder("home");
  const auto root = dir.folder("ws");
  ScopedHome home_override(home);
  {
    ScopedEnv env("VEMO_WORKSPACE_ROOTS", (dir / "gone").native() + ":" + (dir / "also-gone").native());
    EXPECT_EQ(start_folder(), home) << "missing roots: home, and no /workspace fallback";
  }
  {
    ScopedEnv env("VEMO_WORKSPACE_ROOTS", "");
    EXPECT_EQ(start_folder(), home);
  }
  {
    ScopedEnv env("VEMO_WORKSPACE_ROOTS", (dir / "gone").native() + ":" + root.native());
    EXPECT_EQ(start_folder(), root);
  }
}

TEST(Locations, TrashFilesFolder) {
  TempDir dir;
  {
    ScopedEnv env("XDG_DATA_HOME", (dir / "data").native());
    EXPECT_EQ(trash_files_dir(), dir / "data" / "Trash" / "files");
  }
}

TEST(Locations, TemplatesFolder) {
  const fs::path home = "/home/ann";
  struct Case {
    const char* label;
    std::optional<std::string> variable;
    std::optional<fs::path> home;
    std::optional<fs::path> expected;
  };
  const Case cases[] = {
      {"variable trimmed", "  /srv/templates\t\n", home, fs::path("/srv/templates")},
      {"unicode white space trimmed", "\xC2\xA0/srv/t\xE3\x80\x80", home, fs::path("/srv/t")},
      {"blank variable", " \t ", home, fs::path("/home/ann/Templates")},
      {"invalid utf-8", "/srv/t\xFF", home, fs::path("/home/ann/Templates")},
      {"unset", std::nullopt, home, fs::path("/home/ann/Templates")},
      {"variable without home", "/srv/t", std::nullopt, fs::path("/srv/t")},
      {"neither", std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(templates_dir_from(c.variable, c.home), c.expected) << c.label;

  ScopedEnv env("XDG_TEMPLATES_DIR", " /from/env ");
  EXPECT_EQ(templates_dir(), fs::path("/from/env"));
}

TEST(Locations, WorkspacePlaceLabel) {
  EXPECT_EQ(workspace_place_label("/var/workspace"), "workspace");
  EXPECT_EQ(workspace_place_label("/home/ann/Shared/"), "Shared");
  EXPECT_EQ(workspace_place_label("/srv/caf\xE9"), "caf\xEF\xBF\xBD");
  const std::string fallback = workspace_place_label("/");
  EXPECT_EQ(fallback, tr("files-place-workspace"));
  EXPECT_NE(fallback, "files-place-workspace") << "the catalogue has this message";
}

TEST(NavigationHistory, BackForwardAndNewSteps) {
  NavigationHistory history;
  fs::path current = "/a";
  EXPECT_FALSE(history.back(current).has_value());
  EXPECT_FALSE(history.forward(current).has_value());

  current = history.navigate(current, "/b");
  current = history.navigate(current, "/c");
  EXPECT_EQ(history.back_stack(), (std::vector<fs::path>{"/a", "/b"}));

  // The shown folder again (spelt differently): a reload, history unchanged.
  current = history.navigate(current, "/c/");
  EXPECT_EQ(history.back_stack(), (std::vector<fs::path>{"/a", "/b"}));
  EXPECT_TRUE(history.forward_stack().empty());

  current = *history.back(current);
  EXPECT_EQ(current, "/b");
  current = *history.back(current);
  EXPECT_EQ(current, "/a");
  EXPECT_EQ(history.forward_stack(), (std::vector<fs::path>{"/c/", "/b"}));
  current = *history.forward(current);
  EXPECT_EQ(current, "/b");
  EXPECT_EQ(history.back_stack(), (std::vector<fs::path>{"/a"}));

  // A new step after going back drops the forward history.
  current = history.navigate(current, "/d");
  EXPECT_TRUE(history.forward_stack().empty());
  EXPECT_FALSE(history.can_go_forward());
  EXPECT_EQ(history.back_stack(), (std::vector<fs::path>{"/a", "/b"}));
}

TEST(NavigationHistory, UpStopsAtTheRoot) {
  EXPECT_EQ(go_up_target("/a/b"), fs::path("/a"));
  EXPECT_EQ(go_up_target("/a"), fs::path("/"));
  EXPECT_EQ(go_up_target("/"), std::nullopt);
  EXPECT_EQ(go_up_target("/photos.zip/2019"), fs::path("/photos.zip"));
}

}  // namespace
}  // namespace fe
