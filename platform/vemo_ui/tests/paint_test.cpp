// Painting checked on real pixels of an off-screen surface.

#include <cairo.h>
#include <gtest/gtest.h>

#include <vector>

#include "canvas.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/theme.h"

namespace vemo_ui {
namespace {

using testing::Canvas;
using testing::Pixel;

constexpr Color red = Color::rgb(0xFF0000);
constexpr Color green = Color::rgb(0x00FF00);
constexpr Color blue = Color::rgb(0x0000FF);

TEST(PaintFill, RectangleCoversExactlyItsPixels) {
  Canvas c(20, 20);
  c.painter().fill_rect(Rect{5, 5, 15, 10}, red);
  const Pixel inside = c.at(10, 7);
  EXPECT_EQ(inside.a, 255);
  EXPECT_EQ(inside.r, 255);
  EXPECT_EQ(inside.g, 0);
  EXPECT_EQ(c.alpha(4, 7), 0);
  EXPECT_EQ(c.alpha(15, 7), 0);
  EXPECT_EQ(c.alpha(10, 10), 0);
  EXPECT_EQ(c.alpha(10, 4), 0);
}

TEST(PaintFill, EmptyRectangleAndTransparentColourDrawNothing) {
  Canvas c(20, 20);
  c.painter().fill_rect(Rect{10, 10, 5, 15}, red);  // x1 < x0
  c.painter().fill_rounded(Rect{0, 0, 20, 20}, 4, red.with_alpha(0));
  EXPECT_EQ(c.ink(Rect{0, 0, 20, 20}).inside, 0);
}

TEST(PaintRounded, CornersStayClearAndEdgesFill) {
  Canvas c(40, 40);
  c.painter().fill_rounded(Rect{0, 0, 40, 40}, 10, blue);
  for (auto [x, y] : {std::pair{0, 0}, {39, 0}, {0, 39}, {39, 39}, {1, 1}, {38, 38}}) {
    EXPECT_EQ(c.alpha(x, y), 0) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{20, 0}, {0, 20}, {39, 20}, {20, 39}, {20, 20}, {5, 5}}) {
    EXPECT_EQ(c.alpha(x, y), 255) << x << "," << y;
  }
}

TEST(PaintRounded, OversizedRadiusMakesAPill) {
  Canvas c(40, 20);
  c.painter().fill_rounded(Rect{0, 0, 40, 20}, 100, blue);
  EXPECT_EQ(c.alpha(0, 0), 0);
  EXPECT_EQ(c.alpha(39, 19), 0);
  EXPECT_EQ(c.alpha(2, 10), 255);   // inside the left half disc
  EXPECT_EQ(c.alpha(20, 0), 255);   // the straight top edge
  EXPECT_EQ(c.alpha(37, 10), 255);  // inside the right half disc
}

TEST(PaintGroup, GroupAlphaAppliesOnceToOverlappingShapes) {
  Canvas c(30, 10);
  Painter& p = c.painter();
  p.begin_group();
  p.fill_rect(Rect{0, 0, 20, 10}, red);
  p.fill_rect(Rect{10, 0, 30, 10}, red);
  p.end_group(0.5);
  // Shapes painted with alpha each would stack to 75 % where they overlap.
  EXPECT_NEAR(c.alpha(5, 5), 128, 1);
  EXPECT_NEAR(c.alpha(15, 5), 128, 1);
  EXPECT_NEAR(c.alpha(25, 5), 128, 1);
  // The painter draws normally after the group.
  p.fill_rect(Rect{0, 0, 2, 2}, green);
  EXPECT_EQ(c.at(0, 0).g, 255);
}

TEST(PaintGroup, NestedGroupsMultiply) {
  Canvas c(10, 10);
  Painter& p = c.painter();
  p.begin_group();
  p.begin_group();
  p.fill_rect(Rect{0, 0, 10, 10}, red);
  p.end_group(0.5);
  p.end_group(0.5);
  EXPECT_NEAR(c.alpha(5, 5), 64, 1);
}

// A 30 × 10 image of three 10-pixel bands: red, green, blue.
Image three_bands() {
  std::vector<unsigned char> rgba(30 * 10 * 4);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 30; ++x) {
      unsigned char* px = &rgba[(y * 30 + x) * 4];
      px[0] = x < 10 ? 255 : 0;
      px[1] = x >= 10 && x < 20 ? 255 : 0;
      px[2] = x >= 20 ? 255 : 0;
      px[3] = 255;
    }
  }
  return Image::from_rgba(rgba.data(), 30, 10, 30 * 4);
}

TEST(PaintImage, CoverCropsTheOverflowInsteadOfLetterboxing) {
  const Image img = three_bands();
  ASSERT_FALSE(img.empty());
  ASSERT_EQ(img.width(), 30);
  ASSERT_EQ(img.height(), 10);
  Canvas c(20, 20);
  c.painter().draw_image_cover(img, Rect{0, 0, 20, 20}, 0);
  // Scaled ×2 to fill the height, the middle band fills the square; top and bottom are covered.
  for (auto [x, y] : {std::pair{1, 10}, {18, 10}, {10, 0}, {10, 19}, {1, 1}, {18, 18}}) {
    const Pixel px = c.at(x, y);
    EXPECT_EQ(px.a, 255) << x << "," << y;
    EXPECT_GT(px.g, 240) << x << "," << y;
    EXPECT_LT(px.r, 15) << x << "," << y;
    EXPECT_LT(px.b, 15) << x << "," << y;
  }
}

TEST(PaintImage, CoverClipsToTheRoundedRectangle) {
  const Image img = three_bands();
  Canvas c(40, 40);
  c.painter().draw_image_cover(img, Rect{10, 10, 30, 30}, 6);
  EXPECT_EQ(c.alpha(10, 10), 0);
  EXPECT_EQ(c.alpha(29, 29), 0);
  EXPECT_EQ(c.alpha(20, 20), 255);
  EXPECT_EQ(c.ink(Rect{10, 10, 30, 30}).outside, 0);
}

TEST(PaintImage, FromRgbaPremultipliesAlpha) {
  const unsigned char rgba[] = {255, 0, 0, 128, 0, 0, 0, 0};
  const Image img = Image::from_rgba(rgba, 2, 1, 8);
  ASSERT_FALSE(img.empty());
  Canvas c(2, 1);
  cairo_set_operator(c.cr(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(c.cr(), img.native(), 0, 0);
  cairo_paint(c.cr());
  EXPECT_EQ(c.at(0, 0).a, 128);
  EXPECT_EQ(c.at(0, 0).r, 128);
  EXPECT_EQ(c.at(1, 0).a, 0);
}

TEST(PaintImage, RejectsBadInputs) {
  const unsigned char rgba[16] = {};
  struct Case {
    const char* name;
    const unsigned char* data;
    int width, height, stride;
  };
  const Case cases[] = {
      {"no data", nullptr, 2, 2, 8},
      {"zero width", rgba, 0, 2, 8},
      {"negative height", rgba, 2, -1, 8},
      {"stride shorter than a row", rgba, 2, 2, 7},
  };
  for (const Case& c : cases) EXPECT_TRUE(Image::from_rgba(c.data, c.width, c.height, c.stride).empty()) << c.name;

  // Only image surfaces can be painted as images; others are released at once.
  EXPECT_TRUE(Image::adopt(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr)).empty());
  EXPECT_TRUE(Image::adopt(nullptr).empty());
  EXPECT_EQ(Image().width(), 0);
}

TEST(PaintImage, CopiesShareOneSurface) {
  Image a = three_bands();
  Image b = a;
  EXPECT_EQ(a.native(), b.native());
  a = Image();
  EXPECT_FALSE(b.empty());
  EXPECT_EQ(b.width(), 30);
}

TEST(PaintShapes, LinesAndCirclesLandWhereAsked) {
  Canvas c(30, 30);
  Painter& p = c.painter();
  p.line({0, 5.5}, {30, 5.5}, red, 1);
  EXPECT_EQ(c.alpha(15, 5), 255);
  EXPECT_EQ(c.alpha(15, 4), 0);
  EXPECT_EQ(c.alpha(15, 6), 0);

  p.fill_circle({20, 20}, 5, blue);
  EXPECT_EQ(c.alpha(20, 20), 255);
  EXPECT_EQ(c.alpha(15, 15), 0);

  p.stroke_circle({8, 20}, 5, green, 1);
  EXPECT_EQ(c.alpha(8, 20), 0);  // a ring, not a disc
  EXPECT_GT(c.alpha(8, 15), 0);
}

TEST(PaintShapes, StrokeRectOutlinesWithoutFilling) {
  Canvas c(20, 20);
  c.painter().stroke_rect(Rect{2.5, 2.5, 17.5, 17.5}, red, 1);
  EXPECT_EQ(c.alpha(2, 10), 255);
  EXPECT_EQ(c.alpha(17, 10), 255);
  EXPECT_EQ(c.alpha(10, 10), 0);
}

TEST(PaintClip, ClipAndRestore) {
  Canvas c(20, 20);
  Painter& p = c.painter();
  p.save();
  p.clip(Rect{0, 0, 10, 20});
  p.fill_rect(Rect{0, 0, 20, 20}, red);
  p.restore();
  EXPECT_EQ(c.alpha(5, 5), 255);
  EXPECT_EQ(c.alpha(15, 5), 0);
  p.fill_rect(Rect{15, 0, 20, 2}, red);
  EXPECT_EQ(c.alpha(17, 1), 255);
}

TEST(PaintClip, RoundedClipAndTranslate) {
  Canvas c(40, 40);
  Painter& p = c.painter();
  p.save();
  p.translate(10, 10);
  p.clip_rounded(Rect{0, 0, 20, 20}, 10);
  p.fill_rect(Rect{-10, -10, 30, 30}, red);
  p.restore();
  EXPECT_EQ(c.alpha(20, 20), 255);
  EXPECT_EQ(c.alpha(11, 11), 0);  // outside the disc's corner
  EXPECT_EQ(c.alpha(5, 5), 0);
}

TEST(PaintSurface, EdgeContrastsWithItsGround) {
  const Theme theme = Theme::light();
  auto lum = [](Color c) { return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b; };
  const Color on_light = surface::edge_on(theme, theme.surface);
  EXPECT_LT(lum(on_light), lum(theme.surface) - 0.05);
  EXPECT_EQ(on_light.a, 1);
  const Color dark = Color::rgb(0x202020);
  EXPECT_GT(lum(surface::edge_on(theme, dark)), lum(dark) + 0.05);
}

TEST(PaintSurface, CardHasAHairlineEdgeAndClearCorners) {
  const Theme theme = Theme::light();
  Canvas c(40, 40, theme);
  surface::card(c.painter(), Rect{0, 0, 40, 40}, Color::rgb(0xFFFFFF), 8);
  EXPECT_EQ(c.alpha(0, 0), 0);
  const Pixel edge = c.at(20, 0);
  const Pixel middle = c.at(20, 20);
  EXPECT_EQ(middle.r, 255);
  EXPECT_EQ(edge.a, 255);
  EXPECT_LT(edge.r, 240);
  EXPECT_EQ(c.ink(Rect{0, 0, 40, 40}).outside, 0);
}

TEST(PaintShell, ShadowIsSoftAndDropsBelow) {
  Canvas c(100, 100);
  chrome::shell::panel_shadow(c.painter(), Rect{30, 30, 70, 70}, 8);
  const int below = c.alpha(50, 72);
  const int above = c.alpha(50, 28);
  EXPECT_GT(below, 0);
  EXPECT_GT(below, above);
  // Translucent even under the panel, and nothing far away.
  EXPECT_LT(c.alpha(50, 50), 80);
  EXPECT_EQ(c.alpha(50, 95), 0);
  EXPECT_EQ(c.alpha(2, 2), 0);
  // The shadow fades outward.
  EXPECT_GT(c.alpha(50, 74), c.alpha(50, 82));
}

TEST(PaintShell, SelectionTiersAreOrderedByEmphasis) {
  const Theme theme = Theme::light();
  const SelectionTier none = chrome::shell::selection_tier(theme, false, false);
  const SelectionTier hover = chrome::shell::selection_tier(theme, false, true);
  const SelectionTier selected = chrome::shell::selection_tier(theme, true, false);
  const SelectionTier both = chrome::shell::selection_tier(theme, true, true);
  EXPECT_EQ(none.fill.a, 0);
  EXPECT_FALSE(none.outline);
  EXPECT_GT(hover.fill.a, 0);
  EXPECT_FALSE(hover.outline);
  ASSERT_TRUE(selected.outline);
  ASSERT_TRUE(both.outline);
  EXPECT_GT(both.fill.a, selected.fill.a);
  EXPECT_TRUE(both.inner);
  EXPECT_FALSE(selected.inner);
}

TEST(PaintShell, SelectionPaintsFillOutlineAndInnerRing) {
  const Theme theme = Theme::light();
  Canvas c(60, 40, theme);
  const SelectionTier tier = chrome::shell::selection_tier(theme, true, true);
  chrome::shell::paint_selection(c.painter(), Rect{10.5, 10.5, 50.5, 30.5}, 8, tier);
  const int fill_alpha = c.alpha(30, 20);
  EXPECT_GT(fill_alpha, 0);
  EXPECT_GT(c.alpha(30, 10), fill_alpha);  // the outline on the top edge
  EXPECT_GT(c.alpha(30, 11), fill_alpha);  // the inner ring just inside it
  EXPECT_EQ(c.alpha(30, 5), 0);

  Canvas plain(60, 40, theme);
  chrome::shell::paint_selection(plain.painter(), Rect{10, 10, 50, 30}, 8,
                                 chrome::shell::selection_tier(theme, false, false));
  EXPECT_EQ(plain.ink(Rect{0, 0, 60, 40}).inside, 0);
}

TEST(PaintSeparator, HairlineOnOnePixelRow) {
  const Theme theme = Theme::light();
  Canvas c(30, 20, theme);
  draw_separator(c.painter(), 5, 25, 10.5);
  EXPECT_EQ(c.alpha(15, 10), 255);
  EXPECT_EQ(c.alpha(15, 9), 0);
  EXPECT_EQ(c.alpha(15, 11), 0);
  EXPECT_EQ(c.alpha(3, 10), 0);
  EXPECT_EQ(c.at(15, 10).r, static_cast<int>(theme.border.r * 255 + 0.5));
}

}  // namespace
}  // namespace vemo_ui
