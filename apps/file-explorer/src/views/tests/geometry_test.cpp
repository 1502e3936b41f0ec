#include <gtest/gtest.h>

#include "views/file_view_geometry.h"

namespace fe {
namespace {

using vemo_ui::Point;
using vemo_ui::Rect;

TEST(ListGeometry, ColumnsShownByWidth) {
  struct Case {
    double width;
    bool size, modified;
  };
  const Case cases[] = {
      {300, false, false}, {340, false, false}, {400, true, false}, {560, true, false}, {600, true, true}};
  for (const Case& c : cases) {
    const ListGeometry g({0, 0, c.width, 500}, 1, 1);
    EXPECT_EQ(g.shows_size(), c.size) << c.width;
    EXPECT_EQ(g.shows_modified(), c.modified) << c.width;
  }
}

TEST(ListGeometry, ColumnsAreLaidOutFromTheRight) {
  const ListGeometry all({0, 0, 600, 500}, 1, 1);
  EXPECT_DOUBLE_EQ(all.modified_column().x1, 590);
  EXPECT_DOUBLE_EQ(all.modified_column().x0, 432);
  EXPECT_DOUBLE_EQ(all.size_column().x1, 422);
  EXPECT_DOUBLE_EQ(all.size_column().x0, 326);
  EXPECT_DOUBLE_EQ(all.name_column().x0, 10);
  EXPECT_DOUBLE_EQ(all.name_column().x1, 316);
  const ListGeometry name_only({100, 0, 400, 500}, 1, 1);
  EXPECT_DOUBLE_EQ(name_only.name_column().x1, 390);
  EXPECT_DOUBLE_EQ(name_only.icon_rect(0).x0, 114);
  EXPECT_DOUBLE_EQ(name_only.name_text_x(), 114 + 18 + 12);
}

TEST(ListGeometry, RowsAndHeightScaleWithZoomAndText) {
  const ListGeometry zoomed({0, 0, 800, 500}, item_scale_for_zoom(6), 1);
  EXPECT_NEAR(zoomed.row_height(), 64.6, 1e-9);
  EXPECT_NEAR(zoomed.header_height(), 57.0, 1e-9);
  const ListGeometry plain({0, 0, 800, 500}, 1, 1);
  EXPECT_EQ(plain.row_rect(2), (Rect{0, 30 + 68, 800, 30 + 102}));
  EXPECT_EQ(plain.highlight_rect(2), (Rect{8, 100, 792, 130}));
  EXPECT_DOUBLE_EQ(plain.total_height(10), 30 + 340 + 6);
  const ListGeometry big_text({0, 0, 800, 500}, 1, 1.5);
  EXPECT_DOUBLE_EQ(big_text.row_height(), 51);
  EXPECT_DOUBLE_EQ(item_scale_for_zoom(-2), 0.7);
  EXPECT_DOUBLE_EQ(item_scale_for_zoom(-10), 0.5);
  EXPECT_DOUBLE_EQ(item_scale_for_zoom(20), 3.0);
}

TEST(ListGeometry, HitTest) {
  const ListGeometry g({0, 0, 400, 1000}, 1, 1);
  struct Case {
    const char* what;
    Point p;
    std::optional<Rect> visible;
    std::optional<std::size_t> want;
  };
  const Case cases[] = {
      {"header", {50, 20}, std::nullopt, std::nullopt},
      {"first row", {50, 31}, std::nullopt, 0},
      {"row edge belongs below", {50, 64}, std::nullopt, 1},
      {"last row", {50, 30 + 34 * 9 + 1}, std::nullopt, 9},
      {"past the last row", {50, 30 + 34 * 10 + 1}, std::nullopt, std::nullopt},
      {"left of bounds", {-1, 100}, std::nullopt, std::nullopt},
      {"right edge", {400, 100}, std::nullopt, std::nullopt},
      {"above", {50, -5}, std::nullopt, std::nullopt},
      {"under the sticky header", {50, 210}, Rect{0, 200, 400, 600}, std::nullopt},
      {"below the sticky header", {50, 231}, Rect{0, 200, 400, 600}, 5},
      {"region at the top: no stickiness", {50, 31}, Rect{0, 0, 400, 600}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(g.hit_test(c.p, 10, c.visible), c.want) << c.what;
}

TEST(ListGeometry, HeaderSticksToTheVisibleTop) {
  const ListGeometry g({0, -500, 400, 1000}, 1, 1);
  EXPECT_EQ(g.header_rect(std::nullopt), (Rect{0, -500, 400, -470}));
  EXPECT_EQ(g.header_rect(Rect{0, 40, 400, 600}), (Rect{0, 40, 400, 70}));
  EXPECT_EQ(g.column_at(20), ListColumn::Name);
  EXPECT_EQ(g.column_at(350), ListColumn::Size);
  EXPECT_EQ(g.column_at(5), std::nullopt);  // side padding
}

TEST(ListGeometry, VisibleRangeReachesOneRowBeyondEachEdge) {
  struct Case {
    const char* what;
    double y0;
    std::optional<Rect> visible;
    std::size_t count;
    ItemRange want;
  };
  const Case cases[] = {
      {"no region: everything", 0, std::nullopt, 100000, {0, 100000}},
      {"top", 0, Rect{0, 0, 800, 800}, 100000, {0, 24}},
      {"scrolled", -1000, Rect{0, 0, 800, 800}, 100000, {27, 54}},
      {"short list", 0, Rect{0, 0, 800, 800}, 5, {0, 5}},
      {"scrolled past the end", -100000, Rect{0, 0, 800, 800}, 10, {10, 10}},
  };
  for (const Case& c : cases) {
    const ListGeometry g({0, c.y0, 800, c.y0 + 4000000}, 1, 1);
    EXPECT_EQ(g.visible_range(c.count, c.visible), c.want) << c.what;
  }
}

TEST(GridGeometry, ColumnsAndTileSizes) {
  struct Case {
    const char* what;
    double width, s, t;
    std::size_t columns;
    double tile_w, tile_h;
  };
  const Case cases[] = {
      {"250 px: one nominal tile", 250, 1, 1, 1, 112, 104},
      {"300 px: two nominal tiles", 300, 1, 1, 2, 112, 104},
      {"1000 px: seven", 1000, 1, 1, 7, 112, 104},
      {"zoom 6", 1000, 1.9, 1, 4, 212.8, 197.6},
      {"s 1.3 at 320 px: two tiles filling the width", 320, 1.3, 1, 2, 136.6, 122.94},
      {"zero width", 0, 1, 1, 1, 112, 104},
      {"large text adds height", 1000, 1, 1.5, 5, 168, 122},
  };
  for (const Case& c : cases) {
    const GridGeometry g({0, 0, c.width, 100}, c.s, c.t, 17);
    EXPECT_EQ(g.columns(), c.columns) << c.what;
    EXPECT_NEAR(g.tile_width(), c.tile_w, 1e-9) << c.what;
    EXPECT_NEAR(g.tile_height(), c.tile_h, 1e-9) << c.what;
  }
}

TEST(GridGeometry, TilesIconBoxAndHeight) {
  const GridGeometry g({20, 100, 1020, 900}, 1, 1, 17);
  EXPECT_EQ(g.tile_rect(0), (Rect{30, 110, 142, 214}));
  EXPECT_EQ(g.tile_rect(8), (Rect{30 + 128, 110 + 120, 142 + 128, 214 + 120}));
  EXPECT_DOUBLE_EQ(g.total_height(8), 10 + 2 * 120);
  EXPECT_DOUBLE_EQ(g.total_height(0), 10);
  const Rect box = g.icon_box(g.tile_rect(0));
  // min(59.8, max(104 − 12 − 17 − 14, 44)) = 59.8.
  EXPECT_NEAR(box.width(), 59.8, 1e-9);
  EXPECT_DOUBLE_EQ(box.y0, 122);
  EXPECT_NEAR(box.center().x, 86, 1e-9);
  EXPECT_NEAR(g.folder_icon_rect(box).width(), 46, 1e-9);
  EXPECT_NEAR(g.label_top(g.tile_rect(0)), 122 + 59.8 + 6, 1e-9);
  // A small tile keeps the 44 px floor.
  const GridGeometry tall_label({0, 0, 1000, 100}, 1, 1, 60);
  EXPECT_DOUBLE_EQ(tall_label.icon_box(tall_label.tile_rect(0)).width(), 44);
}

TEST(GridGeometry, HitTestSkipsGapsAndPadding) {
  const GridGeometry g({0, 0, 1000, 900}, 1, 1, 17);  // 7 columns, pitch 128 × 120
  struct Case {
    const char* what;
    Point p;
    std::optional<std::size_t> want;
  };
  const Case cases[] = {
      {"first tile", {11, 11}, 0},
      {"padding", {5, 50}, std::nullopt},
      {"horizontal gap", {10 + 112 + 3, 50}, std::nullopt},
      {"second tile", {10 + 128 + 1, 50}, 1},
      {"vertical gap", {50, 10 + 104 + 5}, std::nullopt},
      {"second row", {50, 10 + 120 + 1}, 7},
      {"beyond the count", {50, 10 + 240 + 1}, std::nullopt},
      {"beyond the columns", {10 + 7 * 128 + 1, 50}, std::nullopt},
      {"outside bounds", {1000, 50}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(g.hit_test(c.p, 10), c.want) << c.what;
}

TEST(GridGeometry, VisibleRangeInWholeRows) {
  const GridGeometry g({0, -600, 1000, 100000}, 1, 1, 17);  // rows of pitch 120 from y −590
  // Region 0..400: rows floor(590/120)=4 minus 1 → 3, last ceil(990/120)+1 = 10.
  EXPECT_EQ(g.visible_range(1000, Rect{0, 0, 1000, 400}), (ItemRange{21, 70}));
  EXPECT_EQ(g.visible_range(30, Rect{0, 0, 1000, 400}), (ItemRange{21, 30}));
  EXPECT_EQ(g.visible_range(30, std::nullopt), (ItemRange{0, 30}));
}

}  // namespace
}  // namespace fe
