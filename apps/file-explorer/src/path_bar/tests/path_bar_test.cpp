// The path bar driven headlessly: breadcrumb clicks and keys, the editing face with real
// completions from a temporary home folder, and the accessibility node.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <variant>

#include <gtest/gtest.h>

#include "path_bar/path_bar.h"
#include "vemo_ui/services.h"
#include "vemo_ui/text.h"
#include "vemo_ui/theme.h"

namespace fe {
namespace {

namespace fs = std::filesystem;
using vemo_ui::Event;
using vemo_ui::EventResult;
using vemo_ui::Key;
using vemo_ui::a11y::Role;

const bool kEnglish = (setenv("LC_ALL", "en_US.UTF-8", 1), true);

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "fe-path-bar-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

class PathBarTest : public ::testing::Test {
 protected:
  PathBarTest() {
    fs::create_directories(home_.path() / "Music" / "Live");
    fs::create_directories(home_.path() / "Documents");
  }

  const fs::path& home() const { return home_.path(); }

  void lay_out(double width) {
    vemo_ui::LayoutContext ctx{text_, theme_, services_, 1.0, 1.0, {width, 34}};
    bar_.build_layout(ctx);
    bar_.apply_layout(ctx, {0, 0, width, PathBar::kHeight});
  }
  void show(const fs::path& path, double width = 900, std::vector<fs::path> roots = {}) {
    bar_.refresh(path, home(), std::move(roots));
    lay_out(width);
  }
  EventResult send(const Event& e) {
    vemo_ui::EventContext ctx{text_, theme_, services_, vemo_ui::Clock::now(), std::nullopt};
    const EventResult r = bar_.handle_event(e, ctx);
    last_focus_request_ = ctx.focus_request;
    return r;
  }
  EventResult press(vemo_ui::Point p) { return send(Event::pointer(Event::Type::PointerPress, p)); }
  EventResult key(Key k) { return send(Event::key_press(k)); }

  // The centre of the visible text chip of segment `index`.
  vemo_ui::Point chip_centre(std::size_t index) const {
    for (const auto& c : bar_.chips()) {
      if (c.kind == ChipKind::Text && c.segment == index && !c.hidden) return c.rect.center();
    }
    ADD_FAILURE() << "segment " << index << " has no visible chip";
    return {};
  }

  std::optional<Command> take_command() { return commands_->take(); }

  TempDir home_;
  vemo_ui::TextRenderer text_;
  vemo_ui::Theme theme_ = vemo_ui::Theme::light();
  vemo_ui::Services services_;
  SharedCommandQueue commands_ = std::make_shared<CommandQueue>();
  PathBar bar_{commands_};
  std::optional<std::string> last_focus_request_;
};

fs::path navigated(const std::optional<Command>& c) {
  if (!c) return "<no command>";
  if (const auto* n = std::get_if<cmd::NavigateTo>(&*c)) return n->path;
  return "<another command>";
}

fs::path opened(const std::optional<Command>& c) {
  if (!c) return "<no command>";
  if (const auto* n = std::get_if<cmd::OpenPath>(&*c)) return n->path;
  return "<another command>";
}

TEST_F(PathBarTest, BreadcrumbClickQueuesNavigateToItsFolder) {
  ASSERT_TRUE(kEnglish);
  show(home() / "Music" / "Live");
  ASSERT_EQ(bar_.segments().size(), 3u);
  EXPECT_EQ(bar_.segments()[0].label, "Home");

  EXPECT_EQ(press(chip_centre(1)), EventResult::Consumed);
  EXPECT_EQ(navigated(take_command()), home() / "Music");
  // The leading glyph stands for the first segment.
  EXPECT_EQ(press({bar_.chips().front().rect.center()}), EventResult::Consumed);
  EXPECT_EQ(navigated(take_command()), home());
  EXPECT_FALSE(bar_.is_editing());
  EXPECT_FALSE(take_command());
}

TEST_F(PathBarTest, HoverFollowsThePointerAndLeavesOutsideTheBar) {
  show(home() / "Music");
  send(Event::pointer(Event::Type::PointerMove, chip_centre(1)));
  ASSERT_TRUE(bar_.hovered_chip());
  EXPECT_EQ(bar_.chips()[*bar_.hovered_chip()].segment, 1u);
  send(Event::pointer(Event::Type::PointerMove, {chip_centre(1).x, 60}));
  EXPECT_FALSE(bar_.hovered_chip());
}

TEST_F(PathBarTest, PressBesideTheChipsStartsEditing) {
  show("/srv/data");
  EXPECT_EQ(press({880, 17}), EventResult::Consumed);
  EXPECT_TRUE(bar_.is_editing());
  EXPECT_EQ(bar_.field().text(), "/srv/data");
  EXPECT_EQ(last_focus_request_, std::optional<std::string>(PathBar::kInputId));
  EXPECT_FALSE(take_command());
  // Outside the bar nothing happens.
  bar_.end_editing();
  EXPECT_EQ(press({880, 50}), EventResult::Ignored);
  EXPECT_FALSE(bar_.is_editing());
}

TEST_F(PathBarTest, DeepPathInANarrowBarFoldsTheMiddleIntoAnInertEllipsis) {
  const fs::path deep = home() / "Music" / "Live" / "2019" / "Autumn tour" / "Berlin" / "Encore";
  show(deep, 260);
  const auto& chips = bar_.chips();
  const auto ellipsis = std::ranges::find_if(chips, [](const auto& c) { return c.kind == ChipKind::Ellipsis; });
  ASSERT_NE(ellipsis, chips.end());
  // The first segment and the last stay visible; every visible chip ends inside the bar.
  const std::size_t last = bar_.segments().size() - 1;
  chip_centre(0);
  chip_centre(last);
  for (const auto& c : chips) {
    if (!c.hidden) {
      EXPECT_LE(c.rect.x1, 260 - 4);
    }
  }
  EXPECT_TRUE(std::ranges::any_of(chips, [](const auto& c) { return c.hidden; }));

  EXPECT_EQ(press(ellipsis->rect.center()), EventResult::Consumed);
  EXPECT_FALSE(take_command());
  EXPECT_FALSE(bar_.is_editing());
}

TEST_F(PathBarTest, KeyboardMovesTheFocusedSegmentWithinBounds) {
  show(home() / "Music" / "Live");
  bar_.set_focus(true);
  ASSERT_EQ(bar_.focused_segment(), 2u);  // focus arrives on the current folder
  struct Step {
    Key key;
    std::size_t expected;
  };
  const Step steps[] = {{Key::Right, 2}, {Key::Left, 1}, {Key::Left, 0}, {Key::Left, 0},
                        {Key::End, 2},   {Key::Home, 0}, {Key::Right, 1}};
  for (const auto& s : steps) {
    EXPECT_EQ(key(s.key), EventResult::Consumed);
    EXPECT_EQ(bar_.focused_segment(), s.expected);
  }
  EXPECT_EQ(key(Key::Enter), EventResult::Consumed);
  EXPECT_EQ(navigated(take_command()), home() / "Music");
  EXPECT_FALSE(bar_.is_editing());
  // Keys the bar does not use, or any key without focus, pass on.
  EXPECT_EQ(key(Key::Down), EventResult::Ignored);
  bar_.set_focus(false);
  EXPECT_EQ(key(Key::Left), EventResult::Ignored);
}

TEST_F(PathBarTest, EnterOnTheLastSegmentEditsAndEscapeRestoresBreadcrumbs) {
  show(home() / "Music");
  bar_.set_focus(true);
  EXPECT_EQ(key(Key::Enter), EventResult::Consumed);
  ASSERT_TRUE(bar_.is_editing());
  EXPECT_EQ(bar_.field().text(), "~/Music");
  EXPECT_TRUE(bar_.field().has_focus());
  EXPECT_FALSE(bar_.is_focusable());
  ASSERT_EQ(bar_.children_mut().size(), 1u);
  EXPECT_EQ(bar_.children_mut()[0]->id(), PathBar::kInputId);

  // A refresh while editing keeps the text and the segments.
  bar_.refresh(home(), home(), {});
  EXPECT_EQ(bar_.field().text(), "~/Music");
  EXPECT_EQ(bar_.segments().size(), 2u);

  EXPECT_EQ(key(Key::Escape), EventResult::Consumed);
  EXPECT_FALSE(bar_.is_editing());
  EXPECT_EQ(bar_.field().text(), "");
  EXPECT_EQ(last_focus_request_, std::optional<std::string>(PathBar::kId));
  EXPECT_FALSE(take_command());
  // The segments now follow the refreshed path.
  ASSERT_EQ(bar_.segments().size(), 1u);
  EXPECT_EQ(bar_.segments()[0].path, home());
}

TEST_F(PathBarTest, DisplayFormOfHomeItselfIsATilde) {
  show(home());
  bar_.begin_editing();
  EXPECT_EQ(bar_.field().text(), "~");
}

TEST_F(PathBarTest, TypedTildePathOpensBelowHome) {
  show("/srv");
  bar_.begin_editing();
  // The whole text is selected, so typing replaces it.
  send(Event::text_input("~/Mu"));
  // Completions come from the home folder, matching the typed name part.
  ASSERT_EQ(bar_.field().completions().size(), 1u);
  EXPECT_EQ(bar_.field().completions()[0].label, "Music");
  EXPECT_TRUE(bar_.field().completions()[0].is_folder);
  send(Event::text_input("sic"));
  EXPECT_EQ(bar_.field().text(), "~/Music");
  EXPECT_EQ(key(Key::Enter), EventResult::Consumed);
  EXPECT_EQ(opened(take_command()), home() / "Music");
  EXPECT_FALSE(bar_.is_editing());
}

TEST_F(PathBarTest, RelativeTextIsResolvedAgainstThePathBeforeEditing) {
  show(home());
  bar_.begin_editing();
  // The shown folder changes meanwhile; the text still resolves against where editing began.
  bar_.refresh("/srv", home(), {});
  send(Event::text_input("Documents"));
  key(Key::Enter);
  EXPECT_EQ(opened(take_command()), home() / "Documents");
}

TEST_F(PathBarTest, ChoosingACompletionSubmitsIt) {
  show(home());
  bar_.begin_editing();
  send(Event::text_input("~/"));
  ASSERT_EQ(bar_.field().completions().size(), 2u);
  EXPECT_EQ(bar_.field().completions()[0].label, "Documents");
  key(Key::Down);
  key(Key::Enter);
  EXPECT_EQ(opened(take_command()), home() / "Documents");
}

TEST_F(PathBarTest, BreadcrumbsAccessibilityNode) {
  show(home() / "Music", 900);
  bar_.set_focus(true);
  key(Key::Left);
  const auto node = bar_.accessibility();
  ASSERT_TRUE(node);
  EXPECT_EQ(node->role, Role::Group);
  EXPECT_EQ(node->name, "Breadcrumbs");
  EXPECT_EQ(node->value, "Home");
  EXPECT_TRUE(node->states.focusable);
  EXPECT_TRUE(node->states.focused);
  ASSERT_EQ(node->children.size(), 2u);

  const auto& first = node->children[0];
  EXPECT_EQ(first.role, Role::Link);
  EXPECT_EQ(first.name, "Home");
  EXPECT_EQ(first.description, "Open " + home().string());
  EXPECT_EQ(first.position, (std::pair<int, int>{1, 2}));
  EXPECT_TRUE(first.states.focused);
  EXPECT_FALSE(first.states.selected);

  const auto& last = node->children[1];
  EXPECT_EQ(last.role, Role::Label);
  EXPECT_EQ(last.name, "Music");
  EXPECT_EQ(last.description, "Current folder, " + (home() / "Music").string() + ". Press Enter to edit the path");
  EXPECT_EQ(last.position, (std::pair<int, int>{2, 2}));
  EXPECT_TRUE(last.states.selected);
  EXPECT_FALSE(last.states.focused);

  // While editing the field's own node stands in.
  bar_.begin_editing();
  EXPECT_FALSE(bar_.accessibility());
  const auto nodes = vemo_ui::access_nodes_of(bar_);
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0].role, Role::TextField);
}

TEST_F(PathBarTest, DefaultActionOpensTheFocusedSegmentOrEdits) {
  show(home() / "Music");
  bar_.set_focus(true);
  EXPECT_TRUE(bar_.perform_action(vemo_ui::a11y::ActionRequest::Default));
  EXPECT_TRUE(bar_.is_editing());
  bar_.end_editing();
  key(Key::Home);
  EXPECT_TRUE(bar_.perform_action(vemo_ui::a11y::ActionRequest::Default));
  EXPECT_EQ(navigated(take_command()), home());
  EXPECT_FALSE(bar_.perform_action(vemo_ui::a11y::ActionRequest::ContextMenu));
}

TEST_F(PathBarTest, WorkspacePathShowsTheWorkspaceSegments) {
  show("/var/workspace/Team/Docs", 900, {"/var/workspace"});
  ASSERT_EQ(bar_.segments().size(), 3u);
  EXPECT_EQ(bar_.segments()[0].label, "workspace");
  EXPECT_EQ(bar_.segments()[2].label, "Docs");
  EXPECT_EQ(place_glyph(bar_.segments()[0].path, std::vector<fs::path>{"/var/workspace"}), PlaceGlyph::Workspace);
  std::vector<vemo_ui::IdentifiedRect> rects;
  bar_.identified_rects(rects);
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects[0].id, "path_bar");
}

}  // namespace
}  // namespace fe
