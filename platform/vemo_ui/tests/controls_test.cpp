// Buttons, toggle groups and the text field, driven through events as the run loop delivers them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "vemo_ui/widgets/autocomplete.h"
#include "vemo_ui/widgets/button.h"
#include "vemo_ui/widgets/text_input.h"
#include "vemo_ui/widgets/toggle_group.h"
#include "widget_env.h"

namespace vemo_ui {
namespace {

using testing::shift;
using testing::WidgetEnv;
using vemo_actions::ControlInvocation;
using vemo_actions::ControlResult;

std::vector<ControlInvocation> drain(vemo_actions::ControlQueue& q) {
  std::vector<ControlInvocation> out;
  while (auto inv = q.take()) out.push_back(std::move(*inv));
  return out;
}

MATCHER_P3(Invocation, id, unit, option, "") {
  return arg.control_id == id && arg.unit == unit && arg.option == option;
}

// ───────────────────────── Button ─────────────────────────

struct ButtonFixture : ::testing::Test {
  WidgetEnv env;
  vemo_actions::SharedControlQueue queue = std::make_shared<vemo_actions::ControlQueue>();
  Button button{"files.back", "Back", queue, vemo_actions::ActionBinding("files.navigate")};
  void SetUp() override { env.lay_out(button, Rect::from_size(10, 10, 36, 32)); }
};

TEST_F(ButtonFixture, PressAndReleaseInsidePushesItsInvocation) {
  EXPECT_EQ(env.press(button, {20, 20}), EventResult::Consumed);
  EXPECT_TRUE(button.wants_pointer_capture());
  EXPECT_TRUE(queue->empty());  // not before the release
  EXPECT_EQ(env.release(button, {30, 25}), EventResult::Consumed);
  EXPECT_THAT(drain(*queue), ::testing::ElementsAre(Invocation("files.back", "files.navigate", "")));
  EXPECT_EQ(button.take_activated(), 1);
  EXPECT_FALSE(button.wants_pointer_capture());
}

TEST_F(ButtonFixture, ReleaseOutsideOrOtherButtonDoesNothing) {
  env.press(button, {20, 20});
  EXPECT_EQ(env.release(button, {200, 20}), EventResult::Consumed);
  EXPECT_EQ(env.press(button, {20, 20}, PointerButton::Secondary), EventResult::Ignored);
  EXPECT_EQ(env.release(button, {20, 20}), EventResult::Ignored);  // no press began inside
  EXPECT_EQ(env.press(button, {5, 5}), EventResult::Ignored);
  EXPECT_TRUE(queue->empty());
  EXPECT_EQ(button.take_activated(), 0);
}

TEST_F(ButtonFixture, SpaceOrEnterWhileFocused) {
  EXPECT_EQ(env.key(button, Key::Enter), EventResult::Ignored);  // not focused yet
  button.set_focus(true);
  EXPECT_EQ(env.key(button, Key::Enter), EventResult::Consumed);
  EXPECT_EQ(env.key(button, Key::Space), EventResult::Consumed);
  EXPECT_EQ(env.send(button, Event::key_press(Key::Space, {}, true)), EventResult::Consumed);  // repeat
  EXPECT_EQ(drain(*queue).size(), 2u);
}

TEST_F(ButtonFixture, PressRequestsFocusForItsId) {
  auto ctx = env.event_ctx();
  button.handle_event(Event::pointer(Event::Type::PointerPress, {20, 20}), ctx);
  EXPECT_EQ(ctx.focus_request, "files.back");
}

TEST_F(ButtonFixture, InvokeControlByIdAndDisabledError) {
  EXPECT_EQ(button.invoke_control({"files.forward", ""}).result, ControlResult::NotHandled);
  EXPECT_EQ(button.invoke_control({"files.back", ""}).result, ControlResult::Handled);
  EXPECT_EQ(drain(*queue).size(), 1u);
  button.set_enabled(false);
  const auto answer = button.invoke_control({"files.back", ""});
  EXPECT_EQ(answer.result, ControlResult::Error);
  EXPECT_EQ(answer.error, "control is disabled");
  env.press(button, {20, 20});
  env.release(button, {20, 20});
  EXPECT_TRUE(queue->empty());
}

TEST_F(ButtonFixture, ReportsRectAndAccessibleName) {
  std::vector<IdentifiedRect> rects;
  button.identified_rects(rects);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].id, "files.back");
  EXPECT_EQ(rects[0].rect, Rect::from_size(10, 10, 36, 32));

  button.with_accessible_name("Go back");
  button.set_focus(true);
  const auto node = button.accessibility();
  ASSERT_TRUE(node.has_value());
  EXPECT_EQ(node->role, a11y::Role::Button);
  EXPECT_EQ(node->name, "Go back");
  EXPECT_EQ(node->id, "files.back");
  EXPECT_TRUE(node->states.focusable);
  EXPECT_TRUE(node->states.focused);
}

TEST(ButtonMeasure, FixedSizeOrLabelWidth) {
  WidgetEnv env;
  auto ctx = env.layout_ctx();
  Button fixed("a", "Sort by");
  fixed.with_size({104, 32});
  EXPECT_EQ(fixed.measure(ctx, {}), (Size{104, 32}));
  Button short_label("b", "Go");
  Button long_label("c", "Extract archive here");
  EXPECT_LT(short_label.measure(ctx, {}).width, long_label.measure(ctx, {}).width);
  EXPECT_GE(short_label.measure(ctx, {}).height, 32);
}

// ───────────────────────── ToggleGroup ─────────────────────────

struct ToggleFixture : ::testing::Test {
  WidgetEnv env;
  vemo_actions::SharedControlQueue queue = std::make_shared<vemo_actions::ControlQueue>();
  ToggleGroup group{"files.view-mode",
                    {{"list", "List", std::nullopt}, {"grid", "Grid", std::nullopt}},
                    "list",
                    queue,
                    vemo_actions::ActionBinding("view")};
  void SetUp() override { env.lay_out(group, Rect::from_size(100, 0, 120, 32)); }
};

TEST_F(ToggleFixture, ClickingAnOptionSelectsAndPushesIt) {
  const Point grid = group.option_rect(1).center();
  EXPECT_GT(grid.x, group.option_rect(0).center().x);
  EXPECT_EQ(env.press(group, grid), EventResult::Consumed);
  EXPECT_EQ(env.release(group, grid), EventResult::Consumed);
  EXPECT_EQ(group.selected(), "grid");
  EXPECT_THAT(drain(*queue), ::testing::ElementsAre(Invocation("files.view-mode", "view:grid", "grid")));
}

TEST_F(ToggleFixture, InvokeControlWithOption) {
  EXPECT_EQ(group.invoke_control({"files.view-mode", "grid"}).result, ControlResult::Handled);
  EXPECT_EQ(group.selected(), "grid");
  const auto bad = group.invoke_control({"files.view-mode", "tiles"});
  EXPECT_EQ(bad.result, ControlResult::Error);
  EXPECT_EQ(group.selected(), "grid");
  EXPECT_EQ(drain(*queue).size(), 1u);
}

TEST_F(ToggleFixture, KeyboardMovesAndChooses) {
  group.set_focus(true);
  EXPECT_EQ(group.focused_option(), 0u);
  env.key(group, Key::Right);
  env.key(group, Key::Right);  // stays on the last
  EXPECT_EQ(group.focused_option(), 1u);
  env.key(group, Key::Space);
  EXPECT_EQ(group.selected(), "grid");
  EXPECT_THAT(drain(*queue), ::testing::ElementsAre(Invocation("files.view-mode", "view:grid", "grid")));
}

TEST_F(ToggleFixture, AccessibilityIsAGroupOfToggleButtons) {
  const auto node = group.accessibility();
  ASSERT_TRUE(node.has_value());
  EXPECT_EQ(node->role, a11y::Role::Group);
  ASSERT_EQ(node->children.size(), 2u);
  EXPECT_EQ(node->children[0].role, a11y::Role::ToggleButton);
  EXPECT_EQ(node->children[0].name, "List");
  EXPECT_TRUE(node->children[0].states.selected);
  EXPECT_FALSE(node->children[1].states.selected);
  EXPECT_EQ(node->children[1].position, (std::pair{2, 2}));
}

// ───────────────────────── TextInput ─────────────────────────

struct TextInputFixture : ::testing::Test {
  WidgetEnv env;
  TextInput input{"files.rename_input", "New name"};
  std::optional<std::string> clipboard;
  void SetUp() override {
    env.services.set_clipboard_text = [this](const std::string& t) {
      clipboard = t;
      return true;
    };
    env.services.clipboard_text = [this] { return clipboard; };
    env.lay_out(input, Rect::from_size(0, 0, 300, 34));
  }
};

TEST_F(TextInputFixture, IgnoresInputUntilFocused) {
  EXPECT_EQ(env.type(input, "x"), EventResult::Ignored);
  EXPECT_EQ(input.text(), "");
  EXPECT_FALSE(input.take_dirty());
}

TEST_F(TextInputFixture, EditsMultiByteTextByWholeCharacters) {
  input.set_focus(true);
  env.type(input,
           "Gr\xC3\xBC\xC3\x9F"
           "e");  // "Grüße"
  EXPECT_TRUE(input.take_dirty());
  EXPECT_FALSE(input.take_dirty());  // once
  env.key(input, Key::Left);
  env.key(input, Key::Left);       // before ß
  env.key(input, Key::Backspace);  // removes ü (2 bytes)
  EXPECT_EQ(input.text(),
            "Gr\xC3\x9F"
            "e");
  EXPECT_EQ(input.editor().cursor(), 2u);
  env.key(input, Key::Delete);  // removes ß
  EXPECT_EQ(input.text(), "Gre");
  env.type(input, "\xE2\x82\xAC");
  EXPECT_EQ(input.text(),
            "Gr\xE2\x82\xAC"
            "e");
  env.key(input, Key::Home);
  env.key(input, Key::End, shift());
  EXPECT_EQ(input.editor().selected_text(), input.text());
  EXPECT_TRUE(input.take_dirty());
}

TEST_F(TextInputFixture, SetTextIsNotAnEdit) {
  input.set_text("notes.txt");
  EXPECT_FALSE(input.take_dirty());
  EXPECT_EQ(input.editor().cursor(), 9u);
}

TEST_F(TextInputFixture, ClipboardThroughServices) {
  input.set_focus(true);
  input.set_text("alpha beta");
  env.ctrl(input, 'a');
  env.ctrl(input, 'c');
  EXPECT_EQ(clipboard, "alpha beta");
  env.key(input, Key::End);
  for (int i = 0; i < 4; ++i) env.key(input, Key::Left, shift());
  env.ctrl(input, 'x');
  EXPECT_EQ(clipboard, "beta");
  EXPECT_EQ(input.text(), "alpha ");
  clipboard = "line1\nline2";
  env.ctrl(input, 'v');
  EXPECT_EQ(input.text(), "alpha line1 line2");
  EXPECT_TRUE(input.take_dirty());
}

TEST_F(TextInputFixture, EnterAndEscapeAreReportedOnce) {
  input.set_focus(true);
  EXPECT_EQ(env.key(input, Key::Enter), EventResult::Consumed);
  EXPECT_TRUE(input.take_submitted());
  EXPECT_FALSE(input.take_submitted());
  EXPECT_EQ(env.key(input, Key::Escape), EventResult::Consumed);
  EXPECT_TRUE(input.take_cancelled());
  EXPECT_FALSE(input.take_cancelled());
}

TEST_F(TextInputFixture, TypingKeysDoNotLeakToShortcutsButOthersDo) {
  input.set_focus(true);
  EXPECT_EQ(env.send(input, Event::char_press('h')), EventResult::Consumed);
  EXPECT_EQ(env.key(input, Key::Space), EventResult::Consumed);
  EXPECT_EQ(env.ctrl(input, 'l'), EventResult::Ignored);
  EXPECT_EQ(env.key(input, Key::F5), EventResult::Ignored);
  EXPECT_EQ(env.key(input, Key::Down), EventResult::Ignored);
}

TEST_F(TextInputFixture, ComposingTextIsNotInserted) {
  input.set_focus(true);
  Event e = Event::text_input("ka");
  e.composing = true;
  EXPECT_EQ(env.send(input, e), EventResult::Ignored);
  EXPECT_EQ(input.text(), "");
}

TEST_F(TextInputFixture, ClickPlacesCursorAndRequestsFocus) {
  input.set_text("abcdefghij");
  auto ctx = env.event_ctx();
  input.handle_event(Event::pointer(Event::Type::PointerPress, {1, 17}), ctx);
  EXPECT_EQ(ctx.focus_request, "files.rename_input");
  EXPECT_EQ(input.editor().cursor(), 0u);
  env.release(input, {1, 17});
  input.handle_event(Event::pointer(Event::Type::PointerPress, {299, 17}), ctx);
  EXPECT_EQ(input.editor().cursor(), 10u);
}

TEST_F(TextInputFixture, AccessibleTextField) {
  input.set_text("draft");
  const auto node = input.accessibility();
  ASSERT_TRUE(node.has_value());
  EXPECT_EQ(node->role, a11y::Role::TextField);
  EXPECT_EQ(node->name, "New name");
  EXPECT_EQ(node->value, "draft");
  EXPECT_EQ(node->id, "files.rename_input");
}

TEST_F(TextInputFixture, FocusTurnsPlatformTextInputOnOnce) {
  std::vector<bool> calls;
  env.services.set_text_input_active = [&](bool on) { calls.push_back(on); };
  SyncContext sync{env.services, env.now};
  input.set_focus(true);
  input.sync(sync);
  input.sync(sync);
  input.set_focus(false);
  input.sync(sync);
  EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

// ───────────────────────── Autocomplete ─────────────────────────

struct AutocompleteFixture : ::testing::Test {
  WidgetEnv env;
  std::vector<std::string> asked;
  Autocomplete field{"files.path_input", "Type a path", [this](const std::string& text) {
                       asked.push_back(text);
                       std::vector<Completion> out;
                       for (const char* name : {"Documents", "Downloads", "Desktop"}) {
                         const std::string value = std::string("~/") + name + "/";
                         if (value.starts_with(text)) out.push_back({name, value, true});
                       }
                       return out;
                     }};
  void SetUp() override {
    env.lay_out(field, Rect::from_size(100, 10, 400, 34));
    field.set_text("~/D");
    field.begin_editing();
  }
};

TEST_F(AutocompleteFixture, BeginEditingFocusesWithoutOpeningTheList) {
  EXPECT_TRUE(field.has_focus());
  EXPECT_TRUE(field.is_editing());
  EXPECT_FALSE(field.is_list_open());
  EXPECT_TRUE(asked.empty());
}

TEST_F(AutocompleteFixture, TypingAsksForCompletionsAndOpensTheList) {
  env.key(field, Key::End);
  env.type(field, "o");
  EXPECT_EQ(asked, (std::vector<std::string>{"~/Do"}));
  ASSERT_TRUE(field.is_list_open());
  ASSERT_EQ(field.completions().size(), 2u);
  EXPECT_EQ(field.highlighted(), std::nullopt);
  const Rect list = field.list_rect();
  EXPECT_GE(list.y0, field.bounds().y1);
  EXPECT_EQ(list.height(), 2 * Autocomplete::kRowHeight + 8);
  EXPECT_TRUE(field.take_dirty());
}

TEST_F(AutocompleteFixture, NavigateAndSubmitHighlighted) {
  env.key(field, Key::End);
  env.type(field, "o");
  env.key(field, Key::Down);
  EXPECT_EQ(field.highlighted(), 0u);
  env.key(field, Key::Tab);
  EXPECT_EQ(field.highlighted(), 1u);
  env.key(field, Key::Down);  // wraps
  EXPECT_EQ(field.highlighted(), 0u);
  env.key(field, Key::Up);  // back to the typed text
  EXPECT_EQ(field.highlighted(), std::nullopt);
  env.key(field, Key::Up);
  EXPECT_EQ(field.highlighted(), 1u);
  env.key(field, Key::Tab, shift());
  EXPECT_EQ(field.highlighted(), 0u);
  EXPECT_EQ(env.key(field, Key::Enter), EventResult::Consumed);
  EXPECT_EQ(field.take_submitted(), "~/Documents/");
  EXPECT_EQ(field.take_submitted(), std::nullopt);
  EXPECT_FALSE(field.is_list_open());
}

TEST_F(AutocompleteFixture, EnterWithoutHighlightSubmitsTheText) {
  env.key(field, Key::End);
  env.type(field, "x");
  env.key(field, Key::Enter);
  EXPECT_EQ(field.take_submitted(), "~/Dx");
}

TEST_F(AutocompleteFixture, EscapeClosesTheListThenCancels) {
  env.key(field, Key::End);
  env.type(field, "e");
  ASSERT_TRUE(field.is_list_open());
  env.key(field, Key::Escape);
  EXPECT_FALSE(field.is_list_open());
  EXPECT_FALSE(field.take_cancelled());
  env.key(field, Key::Escape);
  EXPECT_TRUE(field.take_cancelled());
  EXPECT_EQ(field.take_submitted(), std::nullopt);
}

TEST_F(AutocompleteFixture, ClickingACompletionSubmitsIt) {
  env.key(field, Key::End);
  env.type(field, "o");
  const Rect list = field.list_rect();
  const Point second{list.center().x, list.y0 + 4 + Autocomplete::kRowHeight * 1.5};
  EXPECT_EQ(env.press(field, second), EventResult::Consumed);
  EXPECT_EQ(field.take_submitted(), "~/Downloads/");
}

TEST_F(AutocompleteFixture, EndEditingClosesAndUnfocuses) {
  env.key(field, Key::End);
  env.type(field, "o");
  field.end_editing();
  EXPECT_FALSE(field.is_list_open());
  EXPECT_FALSE(field.has_focus());
  EXPECT_EQ(env.type(field, "z"), EventResult::Ignored);
}

}  // namespace
}  // namespace vemo_ui
