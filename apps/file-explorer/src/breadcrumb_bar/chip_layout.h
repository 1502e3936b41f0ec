#pragma once
// Lays breadcrumb segments out as chips on one row: a leading place glyph, the labels separated by
// "›", and, when the row is too narrow, the first segment, one "…" chip and the last segments that
// fit. Text widths come from a callback, so the layout needs no painter.

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "breadcrumb_bar/breadcrumb_segments.h"
#include "vemo_ui/geometry.h"

namespace fe {

enum class ChipKind : unsigned char { Glyph, Text, Ellipsis };

struct BreadcrumbChip {
  ChipKind kind = ChipKind::Text;
  // Horizontal span of the chip over the whole row height; the glyph's span is its 16 px square.
  vemo_ui::Rect rect;
  bool separator_before = false;
  // A segment folded into the "…" chip: not drawn, not hoverable.
  bool hidden = false;
  // The segment a glyph or text chip stands for; none for the ellipsis.
  std::optional<std::size_t> segment;
};

struct ChipMetrics {
  static constexpr double kGlyphSize = 16;
  static constexpr double kGlyphInset = 2;    // from the row's left edge to the glyph
  static constexpr double kLabelOffset = 24;  // from the glyph's left edge to the first label
  static constexpr double kSeparatorGap = 6;  // on each side of a "›"
  static constexpr double kRightInset = 4;    // kept free at the row's right edge
  static constexpr std::string_view kSeparator = "›";
  static constexpr std::string_view kEllipsis = "…";
};

// Width of one line of text at the breadcrumb font.
using MeasureWidth = std::function<double(std::string_view)>;

// Chips in drawing order: the glyph (segment 0), then one text chip per segment (hidden ones
// included, in segment order) with the ellipsis chip placed right after the first segment.
std::vector<BreadcrumbChip> layout_chips(std::span<const BreadcrumbSegment> segments, const vemo_ui::Rect& row,
                                         const MeasureWidth& measure);

// Where the separator before `chip` is drawn: its left x.
double separator_x(const BreadcrumbChip& chip, double separator_width);

// The first visible glyph or text chip whose span, widened by 3 px on each side, contains `p`.
std::optional<std::size_t> chip_at(std::span<const BreadcrumbChip> chips, vemo_ui::Point p);

}  // namespace fe
