#include "views/file_view_geometry.h"

#include <algorithm>
#include <cmath>

namespace fe {
namespace {

// Rows [first, last) that a region from v0 to v1 touches, one extra row each way.
ItemRange row_range(double v0, double v1, double origin, double pitch, std::size_t rows) {
  if (!(pitch > 0)) return {0, rows};
  double first = std::max(std::floor((v0 - origin) / pitch), 0.0);
  if (first > 0) first -= 1;
  double last = std::ceil((v1 - origin) / pitch) + 1;
  const double n = static_cast<double>(rows);
  first = std::clamp(first, 0.0, n);
  last = std::clamp(last, 0.0, n);
  if (last < first) last = first;
  return {static_cast<std::size_t>(first), static_cast<std::size_t>(last)};
}

}  // namespace

double item_scale_for_zoom(int zoom_level) {
  return std::clamp(1 + 0.15 * zoom_level, 0.5, 3.0);
}

// ---- List ---------------------------------------------------------------------------------------

ListGeometry::ListGeometry(const vemo_ui::Rect& bounds, double s, double t)
    : bounds_(bounds), s_(s), header_h_(30 * s * t), row_h_(34 * s * t), pad_(10 * s) {
  const double w = bounds.width();
  show_size_ = w > 340 * s * t;
  show_modified_ = w > 560 * s * t;
  // Laid out from the right edge.
  double right = bounds.x1 - pad_;
  if (show_modified_) {
    modified_ = {right - 158 * s * t, right};
    right = modified_.x0 - pad_;
  }
  if (show_size_) {
    size_ = {right - 96 * s * t, right};
    right = size_.x0 - pad_;
  }
  name_ = {bounds.x0 + pad_, right};
}

double ListGeometry::total_height(std::size_t count) const {
  return header_h_ + row_h_ * static_cast<double>(count) + 6;
}

vemo_ui::Rect ListGeometry::row_rect(std::size_t i) const {
  const double top = bounds_.y0 + header_h_ + row_h_ * static_cast<double>(i);
  return {bounds_.x0, top, bounds_.x1, top + row_h_};
}

vemo_ui::Rect ListGeometry::highlight_rect(std::size_t i) const {
  return row_rect(i).inset(8, 2);
}

vemo_ui::Rect ListGeometry::icon_rect(std::size_t i) const {
  const vemo_ui::Rect row = row_rect(i);
  const double side = icon_side();
  const double top = row.y0 + (row_h_ - side) / 2;
  return vemo_ui::Rect::from_size(name_.x0 + 4, top, side, side);
}

vemo_ui::Rect ListGeometry::header_rect(const std::optional<vemo_ui::Rect>& visible) const {
  const double top = visible && visible->y0 > bounds_.y0 ? visible->y0 : bounds_.y0;
  return {bounds_.x0, top, bounds_.x1, top + header_h_};
}

std::optional<ListColumn> ListGeometry::column_at(double x) const {
  if (name_.contains(x)) return ListColumn::Name;
  if (show_size_ && size_.contains(x)) return ListColumn::Size;
  if (show_modified_ && modified_.contains(x)) return ListColumn::Modified;
  return std::nullopt;
}

ItemRange ListGeometry::visible_range(std::size_t count, const std::optional<vemo_ui::Rect>& visible) const {
  if (!visible) return {0, count};
  return row_range(visible->y0, visible->y1, bounds_.y0 + header_h_, row_h_, count);
}

std::optional<std::size_t> ListGeometry::hit_test(vemo_ui::Point p, std::size_t count,
                                                  const std::optional<vemo_ui::Rect>& visible) const {
  if (p.x < bounds_.x0 || p.x >= bounds_.x1 || p.y < bounds_.y0) return std::nullopt;
  if (p.y < bounds_.y0 + header_h_) return std::nullopt;
  if (visible && visible->y0 > bounds_.y0 && p.y >= visible->y0 && p.y < visible->y0 + header_h_) {
    return std::nullopt;
  }
  if (!(row_h_ > 0)) return std::nullopt;
  const double index = std::floor((p.y - bounds_.y0 - header_h_) / row_h_);
  if (index < 0 || index >= static_cast<double>(count)) return std::nullopt;
  return static_cast<std::size_t>(index);
}

// ---- Grid ---------------------------------------------------------------------------------------

GridGeometry::GridGeometry(const vemo_ui::Rect& bounds, double s, double t, double label_line_height)
    : bounds_(bounds), s_(s), lh_(label_line_height), pad_(10 * s) {
  const double a = std::max(bounds.width() - 20 * s, 0.0);
  gap_ = 16 * s * std::sqrt(t);
  const double n = nominal_tile_width(s, t);
  const double half = std::max((a - gap_) / 2, 0.0);
  // Two tiles that fill the width read better than one nominal tile and a wide empty margin.
  tile_w_ = (half >= 132 && a < 2 * n + gap_) ? half : n;
  const double h = 104 * s + 36 * s * std::max(t - 1, 0.0);
  tile_h_ = tile_w_ < n ? std::min(h, 0.9 * tile_w_) : h;
  const double pitch = tile_w_ + gap_;
  columns_ = 1;
  if (pitch > 0) columns_ = static_cast<std::size_t>(std::max(std::floor((a + gap_) / pitch), 1.0));
}

double GridGeometry::total_height(std::size_t count) const {
  return pad_ + static_cast<double>(rows(count)) * (tile_h_ + gap_);
}

vemo_ui::Rect GridGeometry::tile_rect(std::size_t i) const {
  const auto col = static_cast<double>(i % columns_);
  const auto row = static_cast<double>(i / columns_);
  const double x = bounds_.x0 + pad_ + col * (tile_w_ + gap_);
  const double y = bounds_.y0 + pad_ + row * (tile_h_ + gap_);
  return {x, y, x + tile_w_, y + tile_h_};
}

vemo_ui::Rect GridGeometry::icon_box(const vemo_ui::Rect& tile) const {
  // 59.8·s is the 46·s folder icon grown by 30 %; 44 px is the floor at any scale.
  const double side = std::min(59.8 * s_, std::max(tile_h_ - 12 * s_ - lh_ - 14 * s_, 44.0));
  const double x = tile.x0 + (tile.width() - side) / 2;
  return vemo_ui::Rect::from_size(x, tile.y0 + 12 * s_, side, side);
}

vemo_ui::Rect GridGeometry::folder_icon_rect(const vemo_ui::Rect& box) const {
  const double side = std::min(46 * s_, box.width());
  const vemo_ui::Point c = box.center();
  return {c.x - side / 2, c.y - side / 2, c.x + side / 2, c.y + side / 2};
}

ItemRange GridGeometry::visible_range(std::size_t count, const std::optional<vemo_ui::Rect>& visible) const {
  if (!visible) return {0, count};
  const ItemRange rows_range = row_range(visible->y0, visible->y1, bounds_.y0 + pad_, tile_h_ + gap_, rows(count));
  return {std::min(rows_range.first * columns_, count), std::min(rows_range.last * columns_, count)};
}

std::optional<std::size_t> GridGeometry::hit_test(vemo_ui::Point p, std::size_t count) const {
  if (p.x < bounds_.x0 || p.x >= bounds_.x1 || p.y < bounds_.y0) return std::nullopt;
  const double x = p.x - bounds_.x0 - pad_;
  const double y = p.y - bounds_.y0 - pad_;
  if (x < 0 || y < 0) return std::nullopt;
  const double px = tile_w_ + gap_;
  const double py = tile_h_ + gap_;
  if (!(px > 0) || !(py > 0)) return std::nullopt;
  const double col = std::floor(x / px);
  const double row = std::floor(y / py);
  if (col >= static_cast<double>(columns_)) return std::nullopt;
  // Points in the gap after a tile belong to no tile.
  if (x - col * px >= tile_w_ || y - row * py >= tile_h_) return std::nullopt;
  const double index = col + static_cast<double>(columns_) * row;
  if (index >= static_cast<double>(count)) return std::nullopt;
  return static_cast<std::size_t>(index);
}

}  // namespace fe
