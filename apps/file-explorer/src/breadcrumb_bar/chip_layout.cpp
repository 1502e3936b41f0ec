#include "breadcrumb_bar/chip_layout.h"

namespace fe {
namespace {

constexpr double kHoverSlack = 3;

}  // namespace

std::vector<BreadcrumbChip> layout_chips(std::span<const BreadcrumbSegment> segments, const vemo_ui::Rect& row,
                                         const MeasureWidth& measure) {
  using M = ChipMetrics;
  std::vector<BreadcrumbChip> chips;
  if (segments.empty()) return chips;

  std::vector<double> widths;
  widths.reserve(segments.size());
  for (const auto& s : segments) widths.push_back(measure(s.label));
  const double separator = M::kSeparatorGap + measure(M::kSeparator) + M::kSeparatorGap;
  const double limit = row.x1 - M::kRightInset;

  const double glyph_x = row.x0 + M::kGlyphInset;
  chips.push_back({ChipKind::Glyph, {glyph_x, row.y0, glyph_x + M::kGlyphSize, row.y1}, false, false, 0});
  const double first_x = glyph_x + M::kLabelOffset;
  const double first_end = first_x + widths[0];

  double full_end = first_end;
  for (std::size_t i = 1; i < widths.size(); ++i) full_end += separator + widths[i];

  // Which segments stay visible: all of them, or the first plus a tail that fits beside "…".
  std::size_t tail_begin = 1;
  const bool collapse = full_end > limit && segments.size() >= 2;
  if (collapse) {
    const double ellipsis = separator + measure(M::kEllipsis);
    double room = limit - first_end - ellipsis;
    tail_begin = segments.size() - 1;  // the last segment is always kept
    room -= separator + widths[tail_begin];
    while (tail_begin > 1 && room >= separator + widths[tail_begin - 1]) {
      room -= separator + widths[tail_begin - 1];
      --tail_begin;
    }
  }

  chips.push_back({ChipKind::Text, {first_x, row.y0, first_end, row.y1}, false, false, 0});
  double x = first_end;
  // With two segments nothing can be folded: both stay and the row is clipped.
  if (collapse && tail_begin > 1) {
    const double w = measure(M::kEllipsis);
    chips.push_back({ChipKind::Ellipsis, {x + separator, row.y0, x + separator + w, row.y1}, true, false, {}});
    x += separator + w;
    for (std::size_t i = 1; i < tail_begin; ++i) {
      chips.push_back({ChipKind::Text, {x, row.y0, x, row.y1}, true, true, i});
    }
  }
  for (std::size_t i = tail_begin; i < segments.size(); ++i) {
    const double start = x + separator;
    chips.push_back({ChipKind::Text, {start, row.y0, start + widths[i], row.y1}, true, false, i});
    x = start + widths[i];
  }
  return chips;
}

double separator_x(const BreadcrumbChip& chip, double separator_width) {
  return chip.rect.x0 - ChipMetrics::kSeparatorGap - separator_width;
}

std::optional<std::size_t> chip_at(std::span<const BreadcrumbChip> chips, vemo_ui::Point p) {
  for (std::size_t i = 0; i < chips.size(); ++i) {
    const auto& c = chips[i];
    if (c.hidden || c.kind == ChipKind::Ellipsis) continue;
    if (p.x >= c.rect.x0 - kHoverSlack && p.x < c.rect.x1 + kHoverSlack && p.y >= c.rect.y0 && p.y < c.rect.y1) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace fe
