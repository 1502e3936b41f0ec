#include "vemo_ui/widgets/line_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "vemo_ui/widgets/elide.h"

namespace vemo_ui {
namespace {

// "añ€😀b": a (1 byte), ñ (2), € (3), 😀 (4), b (1).
const std::string kMixed =
    "a\xC3\xB1\xE2\x82\xAC\xF0\x9F\x98\x80"
    "b";

TEST(Utf8Boundaries, StepOverWholeCharacters) {
  const std::size_t forward[] = {1, 3, 6, 10, 11, 11};
  std::size_t at = 0;
  for (std::size_t expected : forward) {
    at = utf8_next(kMixed, at);
    EXPECT_EQ(at, expected);
  }
  const std::size_t backward[] = {10, 6, 3, 1, 0, 0};
  for (std::size_t expected : backward) {
    at = utf8_prev(kMixed, at);
    EXPECT_EQ(at, expected);
  }
}

TEST(LineEditor, CursorNeverSplitsACharacter) {
  LineEditor ed;
  ed.set_text(kMixed);
  EXPECT_EQ(ed.cursor(), 11u);
  const std::size_t expected[] = {10, 6, 3, 1, 0, 0};
  for (std::size_t e : expected) {
    ed.move_left(Extend::No);
    EXPECT_EQ(ed.cursor(), e);
  }
  // Offsets inside a character snap back to its start.
  for (std::size_t inside : {4u, 5u}) {
    ed.set_cursor(inside);
    EXPECT_EQ(ed.cursor(), 3u);
  }
  ed.set_cursor(8);
  EXPECT_EQ(ed.cursor(), 6u);
  ed.set_cursor(500);
  EXPECT_EQ(ed.cursor(), 11u);
}

TEST(LineEditor, BackspaceAndDeleteRemoveWholeCharacters) {
  LineEditor ed;
  ed.set_text(kMixed);
  ed.move_left(Extend::No);  // before b
  EXPECT_TRUE(ed.backspace());
  EXPECT_EQ(ed.text(),
            "a\xC3\xB1\xE2\x82\xAC"
            "b");
  EXPECT_EQ(ed.cursor(), 6u);
  ed.move_home(Extend::No);
  ed.move_right(Extend::No);
  EXPECT_TRUE(ed.delete_forward());
  EXPECT_EQ(ed.text(),
            "a\xE2\x82\xAC"
            "b");
  ed.move_home(Extend::No);
  EXPECT_FALSE(ed.backspace());
  ed.move_end(Extend::No);
  EXPECT_FALSE(ed.delete_forward());
  EXPECT_EQ(ed.text(),
            "a\xE2\x82\xAC"
            "b");
}

TEST(LineEditor, ShiftSelectionAndReplace) {
  LineEditor ed;
  ed.set_text("Report.txt");
  ed.move_home(Extend::No);
  for (int i = 0; i < 6; ++i) ed.move_right(Extend::Yes);
  EXPECT_EQ(ed.selected_text(), "Report");
  EXPECT_TRUE(
      ed.insert("Pr\xC3\xBC"
                "fung"));
  EXPECT_EQ(ed.text(),
            "Pr\xC3\xBC"
            "fung.txt");
  EXPECT_FALSE(ed.has_selection());
  EXPECT_EQ(ed.cursor(), 8u);
  // Without Shift, Left collapses a selection to its start instead of moving.
  ed.select_all();
  ed.move_left(Extend::No);
  EXPECT_EQ(ed.cursor(), 0u);
  EXPECT_FALSE(ed.has_selection());
}

TEST(LineEditor, WordMovesStopAtSeparators) {
  LineEditor ed;
  ed.set_text("/home/user/my-files");
  ed.move_left(Extend::No, Unit::Word);
  EXPECT_EQ(ed.cursor(), 11u);  // start of "my-files"
  ed.move_left(Extend::No, Unit::Word);
  EXPECT_EQ(ed.cursor(), 6u);
  EXPECT_TRUE(ed.backspace(Unit::Word));
  EXPECT_EQ(ed.text(), "/user/my-files");
  ed.move_home(Extend::No);
  ed.move_right(Extend::No, Unit::Word);
  EXPECT_EQ(ed.cursor(), 5u);
}

TEST(LineEditor, InsertKeepsOneLine) {
  struct Case {
    const char* typed;
    const char* result;
    bool changed;
  };
  const Case cases[] = {
      {"a\nb", "a b", true}, {"tab\there", "tab here", true}, {"bell\x07", "bell", true}, {"\x01\x02", "", false},
      {"", "", false},
  };
  for (const Case& c : cases) {
    LineEditor ed;
    EXPECT_EQ(ed.insert(c.typed), c.changed) << c.typed;
    EXPECT_EQ(ed.text(), c.result);
  }
}

}  // namespace
}  // namespace vemo_ui
