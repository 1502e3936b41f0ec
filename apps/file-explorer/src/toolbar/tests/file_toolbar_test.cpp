// The toolbar in real off-screen frames: which controls show at which width and state, their
// sizes and names, the compact rebuild, and what their activation queues.

#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "toolbar/file_toolbar.h"
#include "toolbar/toolbar_controls.h"
#include "vemo_ui/offscreen.h"
#include "vemo_ui/widgets/button.h"

namespace fe {
namespace {

using vemo_actions::ControlInvocation;
using vemo_actions::ControlResult;
using vemo_ui::Event;
using vemo_ui::EventResult;

const bool kEnglish = (setenv("LC_ALL", "en_US.UTF-8", 1), true);

using Ids = std::vector<std::string>;

class ToolbarTest : public ::testing::Test {
 protected:
  // Frames until the compact flag has settled, as the run loop would render them.
  void show(double width, ToolbarState state = {}) {
    toolbar_.refresh(state, "/home/ada/Music", std::filesystem::path("/home/ada"), {"/var/workspace"});
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(renderer_.render_resilient(toolbar_, {width, 42}).has_value());
      if (!toolbar_.take_structure_dirty()) return;
      // The dirty answer makes the run loop rebuild before the next frame.
      vemo_ui::LayoutContext ctx{renderer_.text(), renderer_.theme(), renderer_.services(), 1, 1, {width, 42}};
      toolbar_.build_layout(ctx);
    }
    FAIL() << "the toolbar never settled at width " << width;
  }
  Ids ids() {
    Ids out;
    for (auto* w : toolbar_.children_mut()) out.emplace_back(w->id());
    return out;
  }
  vemo_ui::Rect rect_of(std::string_view id) {
    std::vector<vemo_ui::IdentifiedRect> rects;
    toolbar_.identified_rects(rects);
    for (const auto& r : rects) {
      if (r.id == id) return r.rect;
    }
    ADD_FAILURE() << "no rectangle for " << id;
    return {};
  }
  vemo_ui::Button& button(std::string_view id) {
    auto* w = vemo_ui::find_widget(toolbar_, id);
    auto* b = dynamic_cast<vemo_ui::Button*>(w);
    if (b == nullptr) std::abort();
    return *b;
  }
  EventResult click(vemo_ui::Point p) {
    vemo_ui::EventContext ctx{renderer_.text(), renderer_.theme(), renderer_.services(), vemo_ui::Clock::now(),
                              std::nullopt};
    toolbar_.handle_event(Event::pointer(Event::Type::PointerPress, p), ctx);
    return toolbar_.handle_event(Event::pointer(Event::Type::PointerRelease, p), ctx);
  }
  std::vector<std::optional<Command>> drained_commands() {
    std::vector<std::optional<Command>> out;
    while (auto inv = controls_->take()) out.push_back(toolbar_command_for(*inv));
    return out;
  }

  vemo_ui::OffscreenRenderer renderer_{vemo_ui::Theme::light()};
  SharedCommandQueue commands_ = std::make_shared<CommandQueue>();
  vemo_actions::SharedControlQueue controls_ = std::make_shared<vemo_actions::ControlQueue>();
  FileToolbar toolbar_{commands_, controls_};
};

TEST_F(ToolbarTest, ControlsShownByWidthModeAndArchive) {
  ASSERT_TRUE(kEnglish);
  struct Case {
    const char* name;
    double width;
    ToolbarState state;
    Ids expected;
  };
  const Case cases[] = {
      {"700 px", 700, {}, {"files.back", "files.up", "path_bar", "files.view_menu"}},
      {"700 px, grid mode: Sort by stays hidden",
       700,
       {.grid_mode = true},
       {"files.back", "files.up", "path_bar", "files.view_menu"}},
      {"759 px is still compact", 759, {}, {"files.back", "files.up", "path_bar", "files.view_menu"}},
      {"760 px",
       760,
       {},
       {"files.back", "files.forward", "files.up", "path_bar", "files.view-mode", "files.view_menu"}},
      {"800 px, list mode",
       800,
       {},
       {"files.back", "files.forward", "files.up", "path_bar", "files.view-mode", "files.view_menu"}},
      {"800 px, grid mode",
       800,
       {.grid_mode = true},
       {"files.back", "files.forward", "files.up", "path_bar", "files.view-mode", "files.sort_menu",
        "files.view_menu"}},
      {"700 px inside an archive",
       700,
       {.inside_archive = true},
       {"files.back", "files.up", "path_bar", "files.archive.extract"}},
      {"1000 px inside an archive in grid mode",
       1000,
       {.grid_mode = true, .inside_archive = true},
       {"files.back", "files.forward", "files.up", "path_bar", "files.view-mode", "files.sort_menu",
        "files.archive.extract"}},
  };
  for (const auto& c : cases) {
    show(c.width, c.state);
    EXPECT_EQ(ids(), c.expected) << c.name;
    EXPECT_EQ(toolbar_.is_compact(), c.width < 760) << c.name;
  }
}

TEST_F(ToolbarTest, StartsCompactAndMarksItselfDirtyOnlyWhenTheFlagChanges) {
  EXPECT_TRUE(toolbar_.is_compact());
  toolbar_.refresh({}, "/", std::nullopt, {});
  vemo_ui::LayoutContext ctx{renderer_.text(), renderer_.theme(), renderer_.services(), 1, 1, {1200, 42}};
  toolbar_.build_layout(ctx);
  toolbar_.apply_layout(ctx, {0, 0, 1200, 42});
  EXPECT_FALSE(toolbar_.is_compact());
  EXPECT_TRUE(toolbar_.take_structure_dirty());
  EXPECT_FALSE(toolbar_.take_structure_dirty());
  toolbar_.apply_layout(ctx, {0, 0, 1100, 42});
  EXPECT_FALSE(toolbar_.take_structure_dirty());
  toolbar_.apply_layout(ctx, {0, 0, 600, 42});
  EXPECT_TRUE(toolbar_.take_structure_dirty());
}

TEST_F(ToolbarTest, OneFrameShowsTheControlsOfItsWidth) {
  // The frame rebuilds the toolbar when placement changes its mode, so even the first image (a still
  // shot, say) has Forward and the view-mode toggle at a wide width.
  toolbar_.refresh({}, "/", std::nullopt, {});
  ASSERT_TRUE(renderer_.render_resilient(toolbar_, {1200, 42}).has_value());
  EXPECT_EQ(ids(), (Ids{"files.back", "files.forward", "files.up", "path_bar", "files.view-mode", "files.view_menu"}));
  EXPECT_FALSE(toolbar_.take_structure_dirty());
}

TEST_F(ToolbarTest, SizesNamesAndTheRowLayout) {
  show(900, {.can_go_back = true, .can_go_up = true, .grid_mode = true});
  struct Case {
    const char* id;
    double width;
    const char* name;
    bool enabled;
  };
  const Case cases[] = {
      {"files.back", 36, "Back", true},
      {"files.forward", 36, "Forward", false},
      {"files.up", 36, "Up one folder", true},
      {"files.sort_menu", 104, "Sort by", true},
      {"files.view_menu", 36, "View options", true},
  };
  for (const auto& c : cases) {
    const auto r = rect_of(c.id);
    EXPECT_DOUBLE_EQ(r.width(), c.width) << c.id;
    EXPECT_DOUBLE_EQ(r.height(), 32) << c.id;
    EXPECT_DOUBLE_EQ(r.center().y, 21) << c.id;  // centred in the row
    EXPECT_EQ(button(c.id).accessible_name(), c.name) << c.id;
    EXPECT_EQ(button(c.id).is_enabled(), c.enabled) << c.id;
  }
  EXPECT_EQ(button("files.sort_menu").label(), "Sort by");
  EXPECT_EQ(button("files.back").label(), "");

  // The path bar fills the gap between the two lists, 34 high.
  const auto bar = rect_of("path_bar");
  EXPECT_DOUBLE_EQ(bar.height(), 34);
  EXPECT_GT(bar.x0, rect_of("files.up").x1);
  EXPECT_LT(bar.x1, rect_of("files.view-mode").x0);
  EXPECT_LT(rect_of("files.view-mode").x1, rect_of("files.sort_menu").x0);
  EXPECT_LE(rect_of("files.view_menu").x1, 900);
  EXPECT_GT(bar.width(), 400);
}

TEST_F(ToolbarTest, ExtractIsIconOnlyWhenCompact) {
  show(700, {.inside_archive = true});
  EXPECT_DOUBLE_EQ(rect_of("files.archive.extract").width(), 36);
  EXPECT_EQ(button("files.archive.extract").label(), "");
  EXPECT_EQ(button("files.archive.extract").accessible_name(), "Extract archive…");
  show(900, {.inside_archive = true});
  EXPECT_DOUBLE_EQ(rect_of("files.archive.extract").width(), 104);
  EXPECT_EQ(button("files.archive.extract").label(), "Extract archive…");
}

TEST_F(ToolbarTest, ButtonsQueueTheirUnitsAndDisabledOnesQueueNothing) {
  show(900, {.can_go_back = false, .can_go_forward = true, .can_go_up = true});
  click(rect_of("files.back").center());  // disabled
  click(rect_of("files.forward").center());
  click(rect_of("files.up").center());
  click(rect_of("files.view_menu").center());
  const auto commands = drained_commands();
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_TRUE(commands[0] && std::holds_alternative<cmd::GoForward>(*commands[0]));
  EXPECT_TRUE(commands[1] && std::holds_alternative<cmd::GoUp>(*commands[1]));
  EXPECT_TRUE(commands[2] && std::holds_alternative<cmd::OpenMenu>(*commands[2]));
  EXPECT_TRUE(commands_->empty());
}

TEST_F(ToolbarTest, ControlInvocationsReachTheControlsById) {
  show(900, {.can_go_back = true, .grid_mode = true, .inside_archive = true});
  struct Case {
    const char* id;
    const char* option;
    ControlResult result;
    const char* unit;
  };
  const Case cases[] = {
      {"files.back", "", ControlResult::Handled, "back"},
      {"files.up", "", ControlResult::Error, nullptr},  // cannot go up
      {"files.view-mode", "list", ControlResult::Handled, "view-mode:list"},
      {"files.sort_menu", "", ControlResult::Handled, "sort-menu"},
      {"files.archive.extract", "", ControlResult::Handled, "extract"},
      {"files.view_menu", "", ControlResult::NotHandled, nullptr},  // replaced by Extract
  };
  for (const auto& c : cases) {
    const auto answer = toolbar_.invoke_control({c.id, c.option});
    EXPECT_EQ(answer.result, c.result) << c.id;
    const auto queued = controls_->take();
    if (!c.unit) {
      EXPECT_FALSE(queued.has_value()) << c.id;
      continue;
    }
    ASSERT_TRUE(queued.has_value()) << c.id;
    EXPECT_EQ(queued->control_id, c.id);
    EXPECT_EQ(queued->unit, c.unit);
  }
}

TEST(ToolbarControls, UnitsMapToCommands) {
  struct Case {
    const char* unit;
    std::optional<std::size_t> command_index;
  };
  const Case cases[] = {
      {"back", Command(cmd::GoBack{}).index()},
      {"forward", Command(cmd::GoForward{}).index()},
      {"up", Command(cmd::GoUp{}).index()},
      {"extract", Command(cmd::Extract{}).index()},
      {"view-menu", Command(cmd::OpenMenu{}).index()},
      {"view-mode:grid", Command(cmd::SetViewMode{ViewMode::Grid}).index()},
      {"sort-menu", std::nullopt},
      {"view-mode", std::nullopt},
      {"refresh", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto command = toolbar_command_for({"x", c.unit, ""});
    ASSERT_EQ(command.has_value(), c.command_index.has_value()) << c.unit;
    if (command) {
      EXPECT_EQ(command->index(), *c.command_index) << c.unit;
    }
  }
  const auto list = toolbar_command_for({"files.view-mode", "view-mode:list", "list"});
  ASSERT_TRUE(list && std::holds_alternative<cmd::SetViewMode>(*list));
  EXPECT_EQ(std::get<cmd::SetViewMode>(*list).mode, ViewMode::List);
}

TEST_F(ToolbarTest, PathBarKeepsItsEditAcrossRebuildsAndSeesEventsFirst) {
  show(900);
  toolbar_.begin_path_editing();
  ASSERT_TRUE(toolbar_.path_bar().is_editing());
  show(700);  // a rebuild with the other set of children
  EXPECT_TRUE(toolbar_.path_bar().is_editing());
  EXPECT_EQ(toolbar_.path_bar().field().text(), "~/Music");
  vemo_ui::EventContext ctx{renderer_.text(), renderer_.theme(), renderer_.services(), vemo_ui::Clock::now(),
                            std::nullopt};
  EXPECT_EQ(toolbar_.handle_event(Event::key_press(vemo_ui::Key::Escape), ctx), EventResult::Consumed);
  EXPECT_FALSE(toolbar_.path_bar().is_editing());
  EXPECT_TRUE(commands_->empty());
}

TEST_F(ToolbarTest, AccessibilityOfTheRow) {
  show(700, {.can_go_back = true});
  const auto nodes = vemo_ui::access_nodes_of(toolbar_);
  std::vector<std::pair<vemo_ui::a11y::Role, std::string>> got;
  for (const auto& n : nodes) got.emplace_back(n.role, n.name.value_or(""));
  using vemo_ui::a11y::Role;
  const std::vector<std::pair<Role, std::string>> expected{{Role::Button, "Back"},
                                                           {Role::Button, "Up one folder"},
                                                           {Role::Group, "Breadcrumbs"},
                                                           {Role::Button, "View options"}};
  EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace fe
