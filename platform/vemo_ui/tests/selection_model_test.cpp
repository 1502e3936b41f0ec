#include "vemo_ui/selection_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vemo_ui {
namespace {

using Indices = std::vector<std::size_t>;

// One step of a selection script.
struct Step {
  enum Kind { Click, Move, All, Clear, Cursor, Toggle, Only, Count } kind;
  std::size_t index = 0;
  bool toggle = false;  // Click: Ctrl held
  bool range = false;   // Click: Shift held; Move: extend
};

Step click(std::size_t i, bool ctrl = false, bool shift = false) {
  return {Step::Click, i, ctrl, shift};
}
Step move(std::size_t i, bool extend = false) {
  return {Step::Move, i, false, extend};
}

void run(SelectionModel& m, const Step& s) {
  switch (s.kind) {
    case Step::Click:
      m.apply_click(s.index, s.toggle, s.range);
      break;
    case Step::Move:
      m.move_to(s.index, s.range);
      break;
    case Step::All:
      m.select_all();
      break;
    case Step::Clear:
      m.clear();
      break;
    case Step::Cursor:
      m.set_cursor(s.index);
      break;
    case Step::Toggle:
      m.toggle(s.index);
      break;
    case Step::Only:
      m.select_only(s.index);
      break;
    case Step::Count:
      m.set_count(s.index);
      break;
  }
}

struct Case {
  std::string name;
  std::vector<Step> steps;
  Indices selected;
  std::optional<std::size_t> cursor;
  std::optional<std::size_t> anchor;
};

class SelectionScript : public ::testing::TestWithParam<Case> {};

TEST_P(SelectionScript, EndsInExpectedState) {
  const Case& c = GetParam();
  SelectionModel m(10);
  for (const Step& s : c.steps) run(m, s);
  EXPECT_EQ(m.selected(), c.selected);
  EXPECT_EQ(m.selected_count(), c.selected.size());
  EXPECT_EQ(m.is_empty(), c.selected.empty());
  EXPECT_EQ(m.cursor(), c.cursor);
  EXPECT_EQ(m.anchor(), c.anchor);
  for (std::size_t i = 0; i < 10; ++i) {
    const bool expected = std::find(c.selected.begin(), c.selected.end(), i) != c.selected.end();
    EXPECT_EQ(m.is_selected(i), expected) << "index " << i;
  }
}

const Case kCases[] = {
    {"PlainClickSelectsOnlyIt", {click(2), click(5)}, {5}, 5, 5},
    {"CtrlClickAddsAndMovesAnchor", {click(2), click(5, true)}, {2, 5}, 5, 5},
    {"CtrlClickTwiceDeselects", {click(2), click(5, true), click(5, true)}, {2}, 5, 5},
    {"ShiftClickSelectsRangeFromAnchor", {click(2), click(5, false, true)}, {2, 3, 4, 5}, 5, 2},
    {"ShiftClickBackwards", {click(6), click(3, false, true)}, {3, 4, 5, 6}, 3, 6},
    {"SecondShiftClickReplacesRangeKeepingAnchor",
     {click(4), click(8, false, true), click(1, false, true)},
     {1, 2, 3, 4},
     1,
     4},
    {"ShiftClickStartsAtLastCtrlClick", {click(1), click(6, true), click(8, false, true)}, {6, 7, 8}, 8, 6},
    {"CtrlShiftClickAddsRangeToSelection", {click(0), click(4, true), click(6, true, true)}, {0, 4, 5, 6}, 6, 4},
    {"ShiftClickWithoutAnchorSelectsOne", {click(3, false, true)}, {3}, 3, 3},
    {"ShiftClickWithoutAnchorStartsAtCursor", {{Step::Cursor, 2}, click(4, false, true)}, {2, 3, 4}, 4, 2},
    {"MoveWithoutExtendSelectsOnly", {click(1), click(3, true), move(7)}, {7}, 7, 7},
    {"MoveExtendGrowsFromAnchor", {move(3), move(4, true), move(5, true)}, {3, 4, 5}, 5, 3},
    {"MoveExtendShrinksBack", {move(3), move(6, true), move(4, true)}, {3, 4}, 4, 3},
    {"MoveExtendAcrossAnchor", {move(5), move(7, true), move(2, true)}, {2, 3, 4, 5}, 2, 5},
    {"SelectAllKeepsCursor", {click(3), {Step::All}}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 3, 3},
    {"ClearForgetsEverything", {click(3), click(5, false, true), {Step::Clear}}, {}, std::nullopt, std::nullopt},
    {"SetCursorKeepsSelection", {click(3), {Step::Cursor, 8}}, {3}, 8, 8},
    {"OutOfRangeIndicesIgnored", {click(3), click(10), move(12, true), {Step::Toggle, 99}}, {3}, 3, 3},
    {"ShrinkingDropsTailAndCursor", {click(2), click(8, false, true), {Step::Count, 5}}, {2, 3, 4}, std::nullopt, 2},
    {"ToggleThenOnly", {{Step::Toggle, 1}, {Step::Toggle, 2}, {Step::Only, 9}}, {9}, 9, 9},
};

INSTANTIATE_TEST_SUITE_P(Cases, SelectionScript, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

TEST(SelectionModel, AssignRestoresSelectionAndCursor) {
  SelectionModel m(6);
  const std::size_t kept[] = {4, 1, 9};
  m.assign(kept, 4);
  EXPECT_EQ(m.selected(), (Indices{1, 4}));
  EXPECT_EQ(m.cursor(), 4u);
  m.assign({}, std::nullopt);
  EXPECT_TRUE(m.is_empty());
  EXPECT_EQ(m.cursor(), std::nullopt);
}

TEST(SelectionModel, GrowingKeepsSelectionAndAddsUnselected) {
  SelectionModel m(3);
  m.select_all();
  m.set_count(5);
  EXPECT_EQ(m.selected(), (Indices{0, 1, 2}));
  EXPECT_FALSE(m.is_selected(4));
}

TEST(SelectionModel, LargeListRangeAndCount) {
  SelectionModel m(100'000);
  m.apply_click(10, false, false);
  m.apply_click(99'999, false, true);
  EXPECT_EQ(m.selected_count(), 99'990u);
  const auto sel = m.selected();
  ASSERT_EQ(sel.size(), 99'990u);
  EXPECT_EQ(sel.front(), 10u);
  EXPECT_EQ(sel.back(), 99'999u);
  m.select_all();
  EXPECT_EQ(m.selected_count(), 100'000u);
}

}  // namespace
}  // namespace vemo_ui
