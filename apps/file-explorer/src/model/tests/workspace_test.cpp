#include "model/workspace.h"

#include <gtest/gtest.h>

#include "model/path_compare.h"
#include "model/tests/temp_dir.h"
#include "vemo_ui/sysdirs.h"

namespace fe {
namespace {

using testing::ScopedEnv;
using testing::TempDir;
namespace fs = std::filesystem;

TEST(WorkspaceRoots, FromTheVariable) {
  TempDir dir;
  const auto one = dir.folder("one");
  const auto two = dir.folder("two");
  const auto home = dir.folder("home");
  dir.folder("home/Shared");
  struct Case {
    const char* label;
    std::string value;
    std::vector<fs::path> expected;
  };
  const Case cases[] = {
      {"empty: no roots at all", "", {}},
      {"only separators", ":::", {}},
      {"order kept, empty and missing dropped",
       two.native() + "::" + (dir / "missing").native() + ":" + one.native(),
       {two, one}},
      {"no default added", one.native(), {one}},
  };
  for (const Case& c : cases) EXPECT_EQ(workspace_roots_from(c.value, home), c.expected) << c.label;
}

TEST(WorkspaceRoots, DefaultsWhenTheVariableIsUnset) {
  TempDir dir;
  const auto home = dir.folder("home");
  std::vector<fs::path> system;
  std::error_code ec;
  if (fs::exists("/var/workspace", ec)) system.push_back("/var/workspace");

  EXPECT_EQ(workspace_roots_from(std::nullopt, home), system) << "no Shared folder yet";
  EXPECT_EQ(workspace_roots_from(std::nullopt, std::nullopt), system) << "home unknown";
  dir.folder("home/Shared");
  auto expected = system;
  expected.push_back(home / "Shared");
  EXPECT_EQ(workspace_roots_from(std::nullopt, home), expected);
}

TEST(WorkspaceRoots, ReadsTheEnvironmentAndTheHomeOverride) {
  TempDir dir;
  const auto root = dir.folder("ws");
  {
    ScopedEnv env("VEMO_WORKSPACE_ROOTS", "");
    EXPECT_TRUE(workspace_roots().empty());
  }
  {
    ScopedEnv env("VEMO_WORKSPACE_ROOTS", root.native());
    EXPECT_EQ(workspace_roots(), std::vector<fs::path>{root});
  }
  {
    ScopedEnv env("VEMO_WORKSPACE_ROOTS", std::nullopt);
    const auto home = dir.folder("home");
    dir.folder("home/Shared");
    vemo_ui::sysdirs::set_user_home_override(home);
    const auto roots = workspace_roots();
    vemo_ui::sysdirs::set_user_home_override(std::nullopt);
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots.back(), home / "Shared");
  }
}

TEST(InWorkspace, WholeComponentPrefixes) {
  const std::vector<fs::path> roots = {"/var/workspace", "/home/u/Shared/"};
  struct Case {
    fs::path path;
    bool inside;
  };
  const Case cases[] = {
      {"/var/workspace", true},
      {"/var/workspace/", true},
      {"/var/workspace/a/b", true},
      {"/var//workspace/./a", true},
      {"/var/workspace2", false},
      {"/var/workspace2/a", false},
      {"/var", false},
      {"/home/u/Shared", true},
      {"/home/u/SharedX", false},
      {"var/workspace", false},
  };
  for (const Case& c : cases) EXPECT_EQ(in_workspace(c.path, roots), c.inside) << c.path;
  EXPECT_FALSE(in_workspace("/var/workspace", {}));
}

TEST(PathCompare, SameParentAndComponents) {
  struct Same {
    fs::path a, b;
    bool same;
  };
  const Same same_cases[] = {
      {"/a/b", "/a/b/", true}, {"/a//b", "/a/b", true}, {"/a/./b", "/a/b", true},
      {"/a/b", "/a/c", false}, {"a/b", "/a/b", false},  {"/", "//", true},
  };
  for (const Same& c : same_cases) EXPECT_EQ(same_path(c.a, c.b), c.same) << c.a << " vs " << c.b;

  struct Parent {
    fs::path path;
    std::optional<fs::path> parent;
  };
  const Parent parent_cases[] = {
      {"/a/b", fs::path("/a")}, {"/a/b/", fs::path("/a")}, {"/a", fs::path("/")},
      {"/", std::nullopt},      {"", std::nullopt},        {"rel/x", fs::path("rel")},
  };
  for (const Parent& c : parent_cases) EXPECT_EQ(parent_folder(c.path), c.parent) << c.path;
}

}  // namespace
}  // namespace fe
