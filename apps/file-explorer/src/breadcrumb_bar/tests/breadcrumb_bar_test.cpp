// Breadcrumb segments, the leading glyph, the display form and the chip layout, without painting.

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "breadcrumb_bar/breadcrumb_segments.h"
#include "breadcrumb_bar/chip_layout.h"

namespace fe {
namespace {

// The English catalogue, whatever the machine's locale.
const bool kEnglish = (setenv("LC_ALL", "en_US.UTF-8", 1), true);

using Paths = std::vector<std::filesystem::path>;
using Segments = std::vector<BreadcrumbSegment>;

TEST(BreadcrumbSegments, FollowTheWorkspaceThenHomeThenRootRules) {
  ASSERT_TRUE(kEnglish);
  struct Case {
    const char* name;
    std::filesystem::path path;
    std::optional<std::filesystem::path> home;
    Paths roots;
    Segments expected;
  };
  const Case cases[] = {
      {"workspace root with its folders",
       "/var/workspace/Team/Docs",
       "/home/ada",
       {"/var/workspace"},
       {{"workspace", "/var/workspace"}, {"Team", "/var/workspace/Team"}, {"Docs", "/var/workspace/Team/Docs"}}},
      {"the first containing root wins, in order",
       "/srv/a/b",
       std::nullopt,
       {"/var/workspace", "/srv", "/srv/a"},
       {{"srv", "/srv"}, {"a", "/srv/a"}, {"b", "/srv/a/b"}}},
      {"a root that is only a name prefix does not contain the path",
       "/var/workspace2/x",
       std::nullopt,
       {"/var/workspace"},
       {{"/", "/"}, {"var", "/var"}, {"workspace2", "/var/workspace2"}, {"x", "/var/workspace2/x"}}},
      {"a root without a file name is labelled Workspace",
       "/data",
       std::nullopt,
       {"/"},
       {{"Workspace", "/"}, {"data", "/data"}}},
      {"workspace beats home when home lies inside a root",
       "/home/ada/Shared/x",
       "/home/ada",
       {"/home/ada/Shared"},
       {{"Shared", "/home/ada/Shared"}, {"x", "/home/ada/Shared/x"}}},
      {"home subfolder",
       "/home/ada/Music/Live",
       "/home/ada",
       {"/var/workspace"},
       {{"Home", "/home/ada"}, {"Music", "/home/ada/Music"}, {"Live", "/home/ada/Music/Live"}}},
      {"home itself", "/home/ada/", "/home/ada", {}, {{"Home", "/home/ada"}}},
      {"a sibling of home is not under home",
       "/home/adam",
       "/home/ada",
       {},
       {{"/", "/"}, {"home", "/home"}, {"adam", "/home/adam"}}},
      {"the root alone", "/", "/home/ada", {"/var/workspace"}, {{"/", "/"}}},
      {"doubled slashes are not components",
       "//usr//share/",
       std::nullopt,
       {},
       {{"/", "/"}, {"usr", "/usr"}, {"share", "/usr/share"}}},
      {"invalid UTF-8 is replaced in the label only",
       "/tmp/a\xff",
       std::nullopt,
       {},
       {{"/", "/"}, {"tmp", "/tmp"}, {"a\xEF\xBF\xBD", "/tmp/a\xff"}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(breadcrumb_segments(c.path, c.home, c.roots), c.expected) << c.name;
  }
}

TEST(BreadcrumbSegments, LeadingGlyphFollowsTheFirstSegment) {
  const Paths roots{"/var/workspace"};
  EXPECT_EQ(place_glyph("/var/workspace", roots), PlaceGlyph::Workspace);
  EXPECT_EQ(place_glyph("/var/workspace/", roots), PlaceGlyph::Workspace);
  EXPECT_EQ(place_glyph("/", roots), PlaceGlyph::Root);
  EXPECT_EQ(place_glyph("/home/ada", roots), PlaceGlyph::Home);
  // The root counts as a workspace when it is configured as one.
  EXPECT_EQ(place_glyph("/", Paths{"/"}), PlaceGlyph::Workspace);
}

TEST(BreadcrumbSegments, DisplayFormShortensHome) {
  struct Case {
    std::filesystem::path path;
    std::optional<std::filesystem::path> home;
    std::string expected;
  };
  const Case cases[] = {
      {"/home/ada", "/home/ada", "~"},
      {"/home/ada/", "/home/ada", "~"},
      {"/home/ada/Music", "/home/ada", "~/Music"},
      {"/home/ada/Music/Live", "/home/ada/", "~/Music/Live"},
      {"/home/adam", "/home/ada", "/home/adam"},
      {"/srv/x", std::nullopt, "/srv/x"},
      {"/", "/home/ada", "/"},
  };
  for (const auto& c : cases) EXPECT_EQ(path_display_form(c.path, c.home), c.expected) << c.path;
}

// Every code point is 10 px wide, so expected positions can be worked out by hand.
double fake_width(std::string_view text) {
  double n = 0;
  for (unsigned char ch : text) {
    if ((ch & 0xC0) != 0x80) ++n;
  }
  return 10 * n;
}

Segments deep_segments() {
  return {{"Home", "/h"},       {"aaaa", "/h/a"},       {"bbbb", "/h/a/b"},
          {"cccc", "/h/a/b/c"}, {"dddd", "/h/a/b/c/d"}, {"eeee", "/h/a/b/c/d/e"}};
}

struct Visible {
  ChipKind kind;
  std::optional<std::size_t> segment;
  double x0;
  double x1;
  bool separator;
  friend bool operator==(const Visible&, const Visible&) = default;
};

std::vector<Visible> visible(const std::vector<BreadcrumbChip>& chips) {
  std::vector<Visible> out;
  for (const auto& c : chips) {
    if (!c.hidden) out.push_back({c.kind, c.segment, c.rect.x0, c.rect.x1, c.separator_before});
  }
  return out;
}

TEST(ChipLayout, WideRowShowsEverySegmentAfterTheGlyph) {
  const auto segments = deep_segments();
  const auto chips = layout_chips(segments, {100, 0, 1000, 34}, fake_width);
  // Glyph at +2, first label 24 px after the glyph's left edge, then "›" with 6 px each side (22 px).
  const std::vector<Visible> expected{
      {ChipKind::Glyph, 0, 102, 118, false}, {ChipKind::Text, 0, 126, 166, false}, {ChipKind::Text, 1, 188, 228, true},
      {ChipKind::Text, 2, 250, 290, true},   {ChipKind::Text, 3, 312, 352, true},  {ChipKind::Text, 4, 374, 414, true},
      {ChipKind::Text, 5, 436, 476, true},
  };
  EXPECT_EQ(visible(chips), expected);
  EXPECT_EQ(chips.size(), expected.size());
  EXPECT_DOUBLE_EQ(separator_x(chips[2], fake_width("›")), 172);
  for (const auto& c : chips) {
    EXPECT_EQ(c.rect.y0, 0);
    EXPECT_EQ(c.rect.y1, 34);
  }
}

TEST(ChipLayout, NarrowRowKeepsFirstEllipsisAndTheTailThatFits) {
  const auto segments = deep_segments();
  struct Case {
    const char* name;
    double right;
    std::vector<Visible> expected;
  };
  // First label ends at 66; "…" with its separator takes 32. Each tail segment takes 62.
  const Case cases[] = {
      {"exactly the full width fits", 380, {}},
      {"two tail segments",
       66 + 32 + 124 + 4,
       {{ChipKind::Glyph, 0, 2, 18, false},
        {ChipKind::Text, 0, 26, 66, false},
        {ChipKind::Ellipsis, std::nullopt, 88, 98, true},
        {ChipKind::Text, 4, 120, 160, true},
        {ChipKind::Text, 5, 182, 222, true}}},
      {"one pixel short of two tail segments",
       66 + 32 + 124 + 3,
       {{ChipKind::Glyph, 0, 2, 18, false},
        {ChipKind::Text, 0, 26, 66, false},
        {ChipKind::Ellipsis, std::nullopt, 88, 98, true},
        {ChipKind::Text, 5, 120, 160, true}}},
      {"the last segment stays even when nothing fits",
       50,
       {{ChipKind::Glyph, 0, 2, 18, false},
        {ChipKind::Text, 0, 26, 66, false},
        {ChipKind::Ellipsis, std::nullopt, 88, 98, true},
        {ChipKind::Text, 5, 120, 160, true}}},
  };
  for (const auto& c : cases) {
    const auto chips = layout_chips(segments, {0, 0, c.right, 34}, fake_width);
    if (c.expected.empty()) {
      EXPECT_EQ(visible(chips).size(), segments.size() + 1) << c.name;
      EXPECT_TRUE(std::ranges::none_of(chips, [](const auto& ch) { return ch.kind == ChipKind::Ellipsis; })) << c.name;
      continue;
    }
    EXPECT_EQ(visible(chips), c.expected) << c.name;
    // The folded segments stay in the list, hidden, so every segment has one chip.
    std::size_t text_chips = 0;
    for (const auto& ch : chips) text_chips += ch.kind == ChipKind::Text ? 1 : 0;
    EXPECT_EQ(text_chips, segments.size()) << c.name;
  }
}

TEST(ChipLayout, TwoSegmentsNeverCollapseAndOneSegmentHasNoSeparator) {
  const Segments two{{"aaaaaaaaaa", "/a"}, {"bbbbbbbbbb", "/a/b"}};
  const auto chips = layout_chips(two, {0, 0, 60, 34}, fake_width);
  ASSERT_EQ(chips.size(), 3u);
  EXPECT_TRUE(std::ranges::none_of(chips, [](const auto& c) { return c.hidden || c.kind == ChipKind::Ellipsis; }));

  const Segments one{{"/", "/"}};
  const auto single = layout_chips(one, {0, 0, 400, 34}, fake_width);
  ASSERT_EQ(single.size(), 2u);
  EXPECT_FALSE(single[1].separator_before);
  EXPECT_TRUE(layout_chips({}, {0, 0, 400, 34}, fake_width).empty());
}

TEST(ChipLayout, HitTestingWidensChipsAndSkipsTheEllipsis) {
  const auto segments = deep_segments();
  const auto chips = layout_chips(segments, {0, 0, 66 + 32 + 62 + 4, 34}, fake_width);
  struct Case {
    vemo_ui::Point p;
    std::optional<std::size_t> segment;
    std::optional<ChipKind> kind;
  };
  const Case cases[] = {
      {{10, 17}, 0, ChipKind::Glyph},         {{23.5, 17}, 0, ChipKind::Text},  // 2.5 px left of the first label
      {{68.9, 17}, 0, ChipKind::Text},        {{70, 17}, std::nullopt, std::nullopt},
      {{93, 17}, std::nullopt, std::nullopt},                                           // the "…" chip
      {{140, 17}, 5, ChipKind::Text},         {{140, 34}, std::nullopt, std::nullopt},  // below the row
  };
  for (const auto& c : cases) {
    const auto hit = chip_at(chips, c.p);
    if (!c.segment) {
      EXPECT_FALSE(hit.has_value()) << c.p.x << "," << c.p.y;
      continue;
    }
    ASSERT_TRUE(hit.has_value()) << c.p.x;
    EXPECT_EQ(chips[*hit].segment, c.segment) << c.p.x;
    EXPECT_EQ(chips[*hit].kind, *c.kind) << c.p.x;
  }
}

}  // namespace
}  // namespace fe
