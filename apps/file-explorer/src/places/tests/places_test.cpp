#include "places/places.h"

#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

namespace fe {
namespace {

namespace fs = std::filesystem;

class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class Places : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fe-places-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    home_ = pattern;
  }
  void TearDown() override { fs::remove_all(home_); }
  void touch(const fs::path& p) const { std::ofstream(home_ / p) << ""; }
  std::vector<std::string> names(const std::vector<PathCompletion>& list) const {
    std::vector<std::string> out;
    for (const auto& c : list) out.push_back(c.name);
    return out;
  }
  fs::path home_;
};

TEST_F(Places, TypedPathsResolveAgainstTheShownFolder) {
  const fs::path current = "/srv/shown";
  struct Case {
    const char* text;
    fs::path expected;
  };
  const Case cases[] = {
      {"~", home_},
      {"~/Music", home_ / "Music"},
      {"~Music", current / "~Music"},
      {"Music", current / "Music"},
      {"/etc", "/etc"},
      {"../up", current / "../up"},
  };
  for (const auto& c : cases) EXPECT_EQ(resolve_typed_path(c.text, home_, current), c.expected) << c.text;
  EXPECT_EQ(expand_tilde("~", std::nullopt), "~") << "without a home the text stays as typed";
}

TEST_F(Places, CompletionsMatchAnyCaseFoldersFirst) {
  fs::create_directories(home_ / "downloads");
  fs::create_directories(home_ / "Documents");
  touch("doc.txt");
  touch("Other");
  touch(".dotfile");
  auto list = path_completions("~/do", home_);
  EXPECT_EQ(names(list), (std::vector<std::string>{"Documents", "downloads", "doc.txt"}));
  EXPECT_TRUE(list[0].is_dir);
  EXPECT_EQ(list[0].path, home_ / "Documents");
  EXPECT_FALSE(list[2].is_dir);
  EXPECT_EQ(names(path_completions("~/.d", home_)), (std::vector<std::string>{".dotfile"}));
  EXPECT_EQ(path_completions("~/", home_).size(), 4u) << "hidden items need a dot prefix";
  EXPECT_TRUE(path_completions("/no/such/folder/x", home_).empty());
}

TEST_F(Places, CompletionsStopAtSixty) {
  for (int i = 0; i < 100; ++i) touch("f" + std::to_string(i));
  EXPECT_EQ(path_completions((home_ / "").string(), home_).size(), 60u);
}

TEST_F(Places, CompletionsNeverFollowLinks) {
  fs::create_directories(home_ / "real");
  fs::create_directory_symlink(home_ / "real", home_ / "link");
  fs::create_symlink(home_ / "loop", home_ / "loop");
  auto list = path_completions((home_ / "").string(), home_);
  ASSERT_EQ(names(list), (std::vector<std::string>{"real", "link", "loop"}));
  EXPECT_FALSE(list[1].is_dir) << "a link to a folder is not a folder here";
}

TEST_F(Places, StartFolderSkipsTheWorkspaceFallbackWhenTheVariableIsSet) {
  ScopedEnv roots("VEMO_WORKSPACE_ROOTS", "/no/such/root:/nor/this");
  ScopedEnv home("HOME", home_.string());
  EXPECT_EQ(start_folder(), home_);
}

TEST_F(Places, StartFolderIsTheFirstExistingWorkspaceRoot) {
  fs::create_directories(home_ / "ws");
  ScopedEnv roots("VEMO_WORKSPACE_ROOTS", "/no/such:" + (home_ / "ws").string());
  EXPECT_EQ(start_folder(), home_ / "ws");
}

TEST_F(Places, TemplatesFolderFromTheVariableOrHome) {
  ScopedEnv home("HOME", home_.string());
  ScopedEnv templates("XDG_TEMPLATES_DIR", std::nullopt);
  EXPECT_EQ(templates_dir(), std::nullopt);
  fs::create_directories(home_ / "Templates");
  EXPECT_EQ(templates_dir(), home_ / "Templates");
  fs::create_directories(home_ / "Vorlagen");
  ScopedEnv set("XDG_TEMPLATES_DIR", "  " + (home_ / "Vorlagen").string() + "\t");
  EXPECT_EQ(templates_dir(), home_ / "Vorlagen");
}

TEST_F(Places, TrashFilesFolderFollowsTheDataFolder) {
  ScopedEnv data("XDG_DATA_HOME", (home_ / "data").string());
  EXPECT_EQ(trash_files_dir(), home_ / "data" / "Trash" / "files");
}

TEST_F(Places, WorkspaceLabelIsTheLastComponent) {
  EXPECT_EQ(workspace_place_label("/var/workspace"), "workspace");
  EXPECT_EQ(workspace_place_label("/var/team/"), "team");
  EXPECT_EQ(workspace_place_label("/"), "Workspace");
  EXPECT_EQ(workspace_place_label("/srv/caf\xff"), "caf\xef\xbf\xbd");
}

}  // namespace
}  // namespace fe
