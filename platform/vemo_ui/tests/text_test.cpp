// Text measuring, drawing and the shaped-layout cache.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

#include "canvas.h"
#include "vemo_ui/text.h"

namespace vemo_ui {
namespace {

using testing::Canvas;

TEST(TextMeasure, OneLineHasPositiveSizeAndGrowsWithText) {
  TextRenderer text;
  const Size short_size = text.measure("Report", 14);
  const Size long_size = text.measure("Report for the second quarter", 14);
  EXPECT_GT(short_size.width, 10);
  EXPECT_GT(short_size.height, 10);
  EXPECT_LT(short_size.height, 30);
  EXPECT_GT(long_size.width, 3 * short_size.width);
  EXPECT_DOUBLE_EQ(long_size.height, short_size.height);
  EXPECT_EQ(text.measure("", 14).width, 0);
}

TEST(TextMeasure, TextScaleAndFontSizeScaleProportionally) {
  const std::string sample = "Quarterly budget final version.ods";
  TextRenderer plain(1.0);
  TextRenderer large(1.5);
  const Size a = plain.measure(sample, 14);
  const Size b = large.measure(sample, 14);
  EXPECT_NEAR(b.width / a.width, 1.5, 0.03);
  EXPECT_NEAR(b.height / a.height, 1.5, 0.1);
  // The scale multiplies the size: 14 at ×1.5 is 21 at ×1.
  EXPECT_NEAR(plain.measure(sample, 21).width, b.width, 0.5);

  plain.set_text_scale(1.5);
  EXPECT_DOUBLE_EQ(plain.text_scale(), 1.5);
  EXPECT_NEAR(plain.measure(sample, 14).width, b.width, 0.01);
}

TEST(TextMeasure, InvalidScaleFallsBackToOne) {
  for (double bad : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN()}) {
    TextRenderer text(bad);
    EXPECT_DOUBLE_EQ(text.text_scale(), 1.0) << bad;
  }
}

TEST(TextMeasure, SizesThatCannotBeShownMeasureNothing) {
  TextRenderer text;
  for (double size : {0.0, -14.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    const Size s = text.measure("Trash", size);
    EXPECT_EQ(s.width, 0) << size;
    EXPECT_EQ(s.height, 0) << size;
    EXPECT_EQ(text.baseline(size), 0) << size;
    Canvas c(60, 30);
    text.draw_text(c.painter(), "Trash", {0, 0}, size, Color::rgb(0));
    EXPECT_EQ(c.ink(Rect{0, 0, 60, 30}).inside, 0) << size;
  }
  EXPECT_EQ(text.cache_stats().entries, 0u);
}

TEST(TextMeasure, BoldIsWiderThanRegular) {
  TextRenderer text;
  const std::string sample = "Downloads and Documents";
  EXPECT_GT(text.measure(sample, 14, FontWeight::Bold).width, text.measure(sample, 14).width + 1);
}

TEST(TextMeasure, MalformedBytesStillMeasure) {
  TextRenderer text;
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"lone continuation byte", std::string("ab\x80"
                                             "cd")},
      {"truncated sequence at the end", std::string("name\xE2\x82")},
      {"embedded NUL", std::string("a\0b", 3)},
      {"line break", std::string("two\nlines")},
  };
  const double one_line = text.measure("Ag", 14).height;
  for (const Case& c : cases) {
    const Size s = text.measure(c.bytes, 14);
    EXPECT_GT(s.width, text.measure("ab", 14).width) << c.name;
    EXPECT_DOUBLE_EQ(s.height, one_line) << c.name;
  }
}

TEST(TextBaseline, LiesInsideTheLineAndScales) {
  TextRenderer text;
  const double line = text.measure("Ag", 14).height;
  const double base = text.baseline(14);
  EXPECT_GT(base, line / 2);
  EXPECT_LT(base, line);
  text.set_text_scale(2);
  EXPECT_NEAR(text.baseline(14), 2 * base, 1.0);
}

TEST(TextCache, UnchangedTextIsShapedOnce) {
  TextRenderer text;
  const auto start = text.cache_stats();
  text.measure("Pictures", 14);
  text.measure("Pictures", 14);
  Canvas c(100, 30);
  text.draw_text(c.painter(), "Pictures", {0, 0}, 14, Color::rgb(0));
  const auto after = text.cache_stats();
  EXPECT_EQ(after.misses - start.misses, 1u);
  EXPECT_EQ(after.hits - start.hits, 2u);
}

TEST(TextCache, SizeWeightAndScaleAreSeparateEntries) {
  TextRenderer text;
  text.measure("Music", 14);
  const auto base = text.cache_stats();
  text.measure("Music", 12);
  text.measure("Music", 14, FontWeight::Medium);
  text.set_text_scale(1.25);
  text.measure("Music", 14);
  const auto after = text.cache_stats();
  EXPECT_EQ(after.misses - base.misses, 3u);
  EXPECT_EQ(after.hits, base.hits);
  text.set_text_scale(1.0);
  text.measure("Music", 14);
  EXPECT_EQ(text.cache_stats().hits, base.hits + 1);
}

TEST(TextCache, BoundedAndEvictsTheLeastRecentlyUsed) {
  TextRenderer text;
  text.measure("first", 14);
  text.measure("kept", 14);
  for (std::size_t i = 0; i < TextRenderer::cache_capacity; ++i) {
    text.measure("name " + std::to_string(i), 14);
    // Touching "kept" now and then keeps it at the front.
    if (i % 1000 == 0) text.measure("kept", 14);
  }
  EXPECT_EQ(text.cache_stats().entries, TextRenderer::cache_capacity);
  const auto before = text.cache_stats();
  text.measure("kept", 14);
  EXPECT_EQ(text.cache_stats().hits, before.hits + 1);
  text.measure("first", 14);
  EXPECT_EQ(text.cache_stats().misses, before.misses + 1);
}

TEST(TextDraw, InkStaysNearTheMeasuredBox) {
  TextRenderer text;
  Canvas c(240, 60);
  const std::string sample = "Modified yesterday";
  const Size s = text.measure(sample, 14);
  text.draw_text(c.painter(), sample, {20, 15}, 14, Color::rgb(0x000000));
  const auto ink = c.ink(Rect{19, 14, 20 + s.width + 1, 15 + s.height + 1});
  EXPECT_GT(ink.inside, 50);
  EXPECT_EQ(ink.outside, 0);
}

TEST(TextDraw, UsesTheGivenColourAndSkipsTransparentText) {
  TextRenderer text;
  Canvas c(120, 40);
  text.draw_text(c.painter(), "HHHH", {5, 5}, 20, Color::rgb(0xFF0000));
  int strongest = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      const auto px = c.at(x, y);
      EXPECT_EQ(px.g, 0);
      EXPECT_EQ(px.b, 0);
      strongest = std::max(strongest, px.r);
    }
  }
  EXPECT_EQ(strongest, 255);

  Canvas clear(120, 40);
  text.draw_text(clear.painter(), "HHHH", {5, 5}, 20, Color::rgb(0xFF0000, 0));
  EXPECT_EQ(clear.ink(Rect{0, 0, 120, 40}).inside, 0);
}

}  // namespace
}  // namespace vemo_ui
