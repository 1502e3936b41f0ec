// Published actions: kind checks, payload decoding, error texts and the busy gate.

#include "files_app/action_dispatch.h"

#include "explorer_fixture.h"

namespace fe {
namespace {

using testing_support::ExplorerTest;
using vemo_actions::Outcome;

constexpr std::uint8_t kQuery = 0, kEffect = 1, kView = 2;

class Actions : public ExplorerTest {
 protected:
  vemo_actions::InvocationResult invoke(std::uint8_t kind, std::string action, std::string payload) {
    return explorer().invoke_resource_operation_v2({kind, std::move(action), std::move(payload), {}});
  }
  void expect_error(const vemo_actions::InvocationResult& r, const std::string& text) {
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_EQ(r.error, text);
  }
};

TEST_F(Actions, FolderCommandsCheckTheirKind) {
  explorer_at(folder());
  expect_error(invoke(kEffect, "files.folder-command", R"("up")"), "file command has an invalid operation kind");
  expect_error(invoke(kQuery, "files.folder-command", R"("back")"), "file command has an invalid operation kind");
  expect_error(invoke(kView, "files.folder-command", R"("add-favorite")"),
               "file command has an invalid operation kind");
  EXPECT_EQ(invoke(kView, "files.folder-command", R"("fly")").outcome, Outcome::NotHandled);
  EXPECT_EQ(invoke(kQuery, "files.open", R"("/")").outcome, Outcome::NotHandled);
  EXPECT_EQ(invoke(kView, "files.folder-command", R"("up")").outcome, Outcome::Completed);
  EXPECT_EQ(explorer().state().current_path, root_);
}

TEST_F(Actions, ZoomStaysWithinItsLevels) {
  explorer_at(folder());
  for (int i = 0; i < 7; ++i) invoke(kView, "files.folder-command", R"("zoom-in")");
  EXPECT_EQ(explorer().state().zoom_level, 6);
  for (int i = 0; i < 12; ++i) invoke(kView, "files.folder-command", R"("zoom-out")");
  EXPECT_EQ(explorer().state().zoom_level, -2);
}

TEST_F(Actions, SortCommandsResortKeepingTheDirection) {
  touch(folder() / "big", std::string(100, 'x'));
  touch(folder() / "small", "x");
  touch(folder() / "mid", std::string(10, 'x'));
  explorer_at(folder());
  invoke(kView, "files.folder-command", R"("sort-descending")");
  invoke(kView, "files.folder-command", R"("sort-size")");
  EXPECT_EQ(names(), (std::vector<std::string>{"big", "mid", "small"}));
  EXPECT_EQ(explorer().state().sort_order, SortOrder::Descending);
  invoke(kView, "files.folder-command", R"("list")");
  invoke(kView, "files.folder-command", R"("grid")");
  EXPECT_EQ(explorer().state().view_mode, ViewMode::Grid);
}

TEST_F(Actions, HiddenToggleRelistsWithDotFiles) {
  touch(folder() / ".config");
  explorer_at(folder());
  EXPECT_TRUE(names().empty());
  invoke(kView, "files.folder-command", R"("hidden")");
  EXPECT_EQ(names(), (std::vector<std::string>{".config"}));
}

TEST_F(Actions, EntryCommandsResolveTheirPath) {
  touch(folder() / "a.txt");
  explorer_at(folder());
  const std::string path = (folder() / "a.txt").string();
  expect_error(invoke(kEffect, "files.entry-command", "[]"), "missing file command");
  expect_error(invoke(kEffect, "files.entry-command", R"(["copy"])"), "missing file resource");
  expect_error(invoke(kEffect, "files.entry-command", R"(["copy","/nowhere"])"), "file entry is no longer visible");
  expect_error(invoke(kView, "files.entry-command", R"(["copy",")" + path + R"("])"),
               "file command has an invalid operation kind");
  EXPECT_EQ(invoke(kEffect, "files.entry-command", R"(["retry-download",")" + path + R"("])").outcome,
            Outcome::NotHandled);
  EXPECT_EQ(invoke(kEffect, "files.entry-command", R"(["restore",")" + path + R"("])").outcome, Outcome::NotHandled)
      << "restore is only handled inside the Trash";
  EXPECT_EQ(invoke(kEffect, "files.entry-command", R"(["copy",")" + path + R"("])").outcome, Outcome::Completed);
  EXPECT_EQ(explorer().state().clipboard.paths, (std::vector<std::filesystem::path>{folder() / "a.txt"}));
  EXPECT_FALSE(explorer().state().clipboard.cut);
  EXPECT_EQ(explorer().state().selection.selected(), (std::vector<std::size_t>{0}));
}

TEST_F(Actions, PayloadsThatDoNotDecodeReturnTheDecodersMessage) {
  explorer_at(folder());
  auto r = invoke(kView, "files.folder-command", R"({"command":"up"})");
  EXPECT_EQ(r.outcome, Outcome::Failed);
  EXPECT_NE(r.error.find("expected a JSON string"), std::string::npos) << r.error;
  r = invoke(kEffect, "files.entry-command", R"(["copy", 3])");
  EXPECT_NE(r.error.find("expected a JSON string"), std::string::npos) << r.error;
  expect_error(invoke(kView, "files.reveal-record", R"("not-a-uuid")"), "invalid collaborative record id");
  expect_error(invoke(kView, "files.remote-account", R"(["details"])"), "missing remote account id");
}

TEST_F(Actions, OpenNeedsAVisibleEntryOrAPlace) {
  std::filesystem::create_directories(folder() / "sub");
  explorer_at(folder());
  expect_error(invoke(kView, "files.open", R"("/no/such/place")"), "file location is no longer available");
  EXPECT_EQ(invoke(kView, "files.open", "\"" + (folder() / "sub").string() + "\"").outcome, Outcome::Completed);
  EXPECT_EQ(explorer().state().current_path, folder() / "sub");
  EXPECT_EQ(invoke(kView, "files.open", R"("/")").outcome, Outcome::Completed);
  EXPECT_EQ(explorer().state().current_path, "/");
}

TEST_F(Actions, BusyExplorerRefusesEverything) {
  explorer_at(folder());
  explorer().state_mut().busy = true;
  auto r = invoke(kView, "files.open", R"("/")");
  EXPECT_EQ(r.outcome, Outcome::Refused);
  EXPECT_EQ(r.error, "another file operation is still running");
}

TEST_F(Actions, PasteWithAnEmptyClipboardIsAnError) {
  explorer_at(folder());
  expect_error(invoke(kEffect, "files.paste", "null"), "The clipboard is empty");
}

TEST_F(Actions, RemoteOperationsAreEffectsOfAConfiguredAccount) {
  explorer_at(folder());
  auto r = invoke(kView, "files.remote-dav", R"(["browse","acc"])");
  EXPECT_EQ(r.outcome, Outcome::Refused);
  EXPECT_EQ(r.error, "remote file operations must be effect actions");
  expect_error(invoke(kEffect, "files.remote-dav", "[]"), "missing remote DAV operation");
  expect_error(invoke(kEffect, "files.remote-dav", R"(["browse"])"), "missing remote account id");
  expect_error(invoke(kEffect, "files.remote-dav", R"(["browse","acc"])"), "remote account is no longer available");
}

}  // namespace
}  // namespace fe
