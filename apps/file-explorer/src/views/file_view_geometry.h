#pragma once
// Closed-form geometry of the file view: rows and columns of the list, tiles of the grid, the range
// of items a visible region touches and the item under a point. Everything here is O(1) per query,
// so a folder of 100,000 entries costs the same per frame as one of ten.

#include <cstddef>
#include <optional>

#include "vemo_ui/geometry.h"

namespace fe {

// Items [first, last) of a list.
struct ItemRange {
  std::size_t first = 0;
  std::size_t last = 0;
  bool empty() const { return first >= last; }
  bool contains(std::size_t i) const { return i >= first && i < last; }
  friend bool operator==(const ItemRange&, const ItemRange&) = default;
};

// Header columns of the list, numbered as the sort command counts them.
enum class ListColumn : int { Name = 1, Size = 2, Modified = 3 };

struct ColumnSpan {
  double x0 = 0;
  double x1 = 0;
  bool contains(double x) const { return x >= x0 && x < x1; }
};

class ListGeometry {
 public:
  // s: item scale, t: text scale.
  ListGeometry(const vemo_ui::Rect& bounds, double s, double t);

  double header_height() const { return header_h_; }
  double row_height() const { return row_h_; }
  double padding() const { return pad_; }
  bool shows_size() const { return show_size_; }
  bool shows_modified() const { return show_modified_; }
  const ColumnSpan& name_column() const { return name_; }
  const ColumnSpan& size_column() const { return size_; }
  const ColumnSpan& modified_column() const { return modified_; }

  double total_height(std::size_t count) const;
  // The full-width row.
  vemo_ui::Rect row_rect(std::size_t i) const;
  // The row inset by 8 px left and right and 2 px top and bottom.
  vemo_ui::Rect highlight_rect(std::size_t i) const;
  double icon_side() const { return 18 * s_; }
  vemo_ui::Rect icon_rect(std::size_t i) const;
  // Where the name text starts: 12 px right of the icon.
  double name_text_x() const { return name_.x0 + 4 + icon_side() + 12; }
  // Where the name text must end: 12 px before the Name column's right edge.
  double name_text_limit() const { return name_.x1 - 12; }
  // The header band; it sticks to the visible top once that lies below the view's top.
  vemo_ui::Rect header_rect(const std::optional<vemo_ui::Rect>& visible) const;
  // The first shown column whose span contains x.
  std::optional<ListColumn> column_at(double x) const;

  ItemRange visible_range(std::size_t count, const std::optional<vemo_ui::Rect>& visible) const;
  std::optional<std::size_t> hit_test(vemo_ui::Point p, std::size_t count,
                                      const std::optional<vemo_ui::Rect>& visible) const;

 private:
  vemo_ui::Rect bounds_;
  double s_, header_h_, row_h_, pad_;
  bool show_size_, show_modified_;
  ColumnSpan name_, size_, modified_;
};

class GridGeometry {
 public:
  // width only matters for measuring; bounds place the tiles. label_line_height: the label
  // font's line height (measured on "Mg").
  GridGeometry(const vemo_ui::Rect& bounds, double s, double t, double label_line_height);

  // The nominal tile width 112·s·t (also the min-content unit).
  static double nominal_tile_width(double s, double t) { return 112 * s * t; }

  double gap() const { return gap_; }
  double tile_width() const { return tile_w_; }
  double tile_height() const { return tile_h_; }
  std::size_t columns() const { return columns_; }
  double padding() const { return pad_; }

  std::size_t rows(std::size_t count) const { return (count + columns_ - 1) / columns_; }
  double total_height(std::size_t count) const;
  vemo_ui::Rect tile_rect(std::size_t i) const;
  // The icon box of a tile, and the folder icon inside it (at most 46·s, centred in the box).
  vemo_ui::Rect icon_box(const vemo_ui::Rect& tile) const;
  vemo_ui::Rect folder_icon_rect(const vemo_ui::Rect& box) const;
  double label_top(const vemo_ui::Rect& tile) const { return icon_box(tile).y1 + 6 * s_; }
  double label_width() const { return tile_w_ - 10; }
  double label_line_height() const { return lh_; }

  ItemRange visible_range(std::size_t count, const std::optional<vemo_ui::Rect>& visible) const;
  std::optional<std::size_t> hit_test(vemo_ui::Point p, std::size_t count) const;

 private:
  vemo_ui::Rect bounds_;
  double s_, lh_, pad_, gap_, tile_w_, tile_h_;
  std::size_t columns_;
};

// The item scale of a zoom level: clamp(1 + 0.15 × level, 0.5, 3).
double item_scale_for_zoom(int zoom_level);

}  // namespace fe
