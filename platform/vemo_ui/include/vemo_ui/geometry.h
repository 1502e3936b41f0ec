#pragma once
// Logical-pixel geometry shared by every widget. Rectangles are (x0, y0, x1, y1).

#include <algorithm>
#include <cmath>

namespace vemo_ui {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  double x0 = 0;
  double y0 = 0;
  double x1 = 0;
  double y1 = 0;

  static Rect from_size(double x, double y, double w, double h) { return {x, y, x + w, y + h}; }
  double width() const { return x1 - x0; }
  double height() const { return y1 - y0; }
  Point center() const { return {(x0 + x1) / 2, (y0 + y1) / 2}; }
  bool contains(Point p) const { return p.x >= x0 && p.x < x1 && p.y >= y0 && p.y < y1; }
  bool is_empty() const { return !(x1 > x0 && y1 > y0); }
  // Finite with positive width and height.
  bool is_valid() const {
    return std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1) && x1 > x0 && y1 > y0;
  }
  Rect inset(double dx, double dy) const { return {x0 + dx, y0 + dy, x1 - dx, y1 - dy}; }
  Rect inset(double d) const { return inset(d, d); }
  Rect translated(double dx, double dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
  bool intersects(const Rect& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  Rect intersection(const Rect& o) const {
    return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace vemo_ui
