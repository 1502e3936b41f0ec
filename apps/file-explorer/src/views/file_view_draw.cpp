// FileView drawing, in this order: rename slot and drop targets, the items of the visible range
// (highlight, icon or thumbnail, badge, texts), the sticky list header, the focus ring.

#include <algorithm>
#include <array>
#include <cmath>

#include "i18n/formatting.h"
#include "i18n/i18n.h"
#include "model/utf8.h"
#include "thumbnail/category.h"
#include "vemo_ui/icons.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"
#include "views/file_view.h"
#include "views/fit_text.h"
#include "views/state_badge.h"

namespace fe {
namespace {

using vemo_ui::Color;
using vemo_ui::Rect;

// Type tile colours by thumbnail category ordinal.
constexpr std::array<Color, thumbnail::kCategoryCount> kCategoryColours = {
    Color::rgb(0x3BA776), Color::rgb(0x8B5CF6), Color::rgb(0xE0559A), Color::rgb(0xE5484D), Color::rgb(0xD08A2E),
    Color::rgb(0x3E7BEA), Color::rgb(0x2FA36B), Color::rgb(0xE8703A), Color::rgb(0xB07B3E), Color::rgb(0x2AA0B4),
    Color::rgb(0x7A8290), Color::rgb(0x7C6CF0), Color::rgb(0x8A93A0),
};

// Held texts are dropped wholesale past this many, so scrolling far never grows them unbounded.
constexpr std::size_t kMaxHeldTexts = 4096;

// The first four characters of a UTF-8 extension, ASCII letters upper-cased; empty without one.
std::string extension_label(const std::string& raw_path) {
  const auto slash = raw_path.rfind('/');
  const auto dot = raw_path.rfind('.');
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  if (dot == std::string::npos || dot <= name_start || dot + 1 >= raw_path.size()) return {};
  const std::string_view ext = std::string_view(raw_path).substr(dot + 1);
  if (!is_valid_utf8(ext)) return {};
  std::string out;
  std::size_t chars = 0;
  for (std::size_t i = 0; i < ext.size() && chars < 4; ++chars) {
    const auto b = static_cast<unsigned char>(ext[i]);
    const std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xe ? 3 : 4;
    for (std::size_t j = 0; j < len && i + j < ext.size(); ++j) {
      char c = ext[i + j];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      out.push_back(c);
    }
    i += len;
  }
  return out;
}

double stroke_for(double s) {
  return 1.5 * std::max(s, 1.0);
}

void paint_thumbnail(vemo_ui::Painter& p, const vemo_ui::Image& image, const Rect& r, double radius) {
  p.draw_image_cover(image, r, radius);
  p.stroke_rounded(r.inset(-0.5), radius + 0.5, vemo_ui::surface::edge_on(p.theme(), p.theme().surface), 1);
}

}  // namespace

const FileView::ItemTexts& FileView::texts_for(std::size_t i, double width, vemo_ui::TextRenderer& text,
                                               double font_size) {
  if (texts_.size() >= kMaxHeldTexts && !texts_.contains(i)) texts_.clear();
  ItemTexts& t = texts_[i];
  if (t.width == width) return t;
  const FileEntry& e = entry(i);
  const bool first = t.width < 0;
  t.width = width;
  t.name = fit_text(display_name(i), width, [&](std::string_view s) { return text.measure(s, font_size).width; });
  t.name_width = text.measure(t.name, font_size).width;
  if (first) {
    t.size = format_entry_size(e.is_dir, e.size);
    t.modified = format_optional_time(e.modified);
    const std::filesystem::path path = e.path.fs();
    t.icon = vemo_ui::icons::icon_for_path(path, e.is_dir);
    if (!e.is_dir) {
      t.category = static_cast<std::uint8_t>(thumbnail::category_for(path));
      t.extension = extension_label(e.path.native());
    }
  }
  return t;
}

void FileView::draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  visible_ = ctx.visible;
  if (rename_slot_) rename_slot_->reset();
  if (header_labels_.empty()) {
    header_labels_ = {tr("files-column-name"), tr("files-column-size"), tr("files-column-modified")};
  }
  const ItemRange range = visible_range();
  if (drop_targets_) {
    drop_targets_->clear();
    for (std::size_t i = range.first; i < range.last; ++i) {
      if (entry(i).is_dir) drop_targets_->push_back({entry(i).path.fs(), entry_rect(i)});
    }
  }
  if (grid_) {
    draw_grid(p, ctx, range);
  } else {
    draw_list(p, ctx, range);
    draw_list_header(p, ctx);
  }
  draw_focus_ring(p);
}

void FileView::draw_highlight(vemo_ui::Painter& p, std::size_t i, const Rect& r, double radius) {
  const bool selected = selection_.is_selected(i);
  const bool hovered = !selected && hovered_ == i;
  if (!selected && !hovered) return;
  vemo_ui::chrome::shell::paint_selection(p, r, radius,
                                          vemo_ui::chrome::shell::selection_tier(p.theme(), selected, hovered));
}

void FileView::draw_badge(vemo_ui::Painter& p, const FileEntry& e, const Rect& icon) {
  const auto badge = state_badge(e);
  if (!badge) return;
  const vemo_ui::Theme& theme = p.theme();
  const double b = std::max(0.62 * icon.width(), 9.0);
  const vemo_ui::Point corner{icon.x1, icon.y1};
  p.fill_circle(corner, 0.62 * b, theme.surface);
  const Color color = badge->color == BadgeColor::Accent ? theme.accent : theme.text_secondary;
  vemo_ui::icons::draw_icon(p, badge->glyph, {corner.x - b / 2, corner.y - b / 2, corner.x + b / 2, corner.y + b / 2},
                            color, stroke_for(s_));
}

void FileView::draw_list(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const ItemRange& range) {
  const vemo_ui::Theme& theme = ctx.theme;
  const ListGeometry g = list_geometry();
  const double font = theme.font_body * s_;
  const double name_x = g.name_text_x();
  const double name_width = g.name_text_limit() - name_x;
  const double stroke = stroke_for(s_);
  for (std::size_t i = range.first; i < range.last; ++i) {
    const Rect row = g.row_rect(i);
    if (visible_ && row.y1 > visible_->y1) continue;
    const FileEntry& e = entry(i);
    const ItemTexts& texts = texts_for(i, name_width, ctx.text, font);
    draw_highlight(p, i, g.highlight_rect(i), 8);
    const Rect icon = g.icon_rect(i);
    if (const vemo_ui::Image* thumb = thumbnail_for(e, thumbnails_)) {
      paint_thumbnail(p, *thumb, icon, 4 * s_);
    } else {
      vemo_ui::icons::draw_icon(p, texts.icon, icon, e.is_dir ? theme.accent : theme.text_secondary, stroke);
    }
    draw_badge(p, e, icon);
    const double text_y = row.y0 + (g.row_height() - name_text_height_) / 2;
    if (renaming_ == i) {
      if (rename_slot_)
        *rename_slot_ = Rect{name_x - text_field_padding_, row.y0 + 2, g.name_column().x1 - 4, row.y1 - 2};
    } else {
      ctx.text.draw_text(p, texts.name, {name_x, text_y}, font, theme.text_primary);
    }
    if (g.shows_size()) ctx.text.draw_text(p, texts.size, {g.size_column().x0, text_y}, font, theme.text_secondary);
    if (g.shows_modified()) {
      ctx.text.draw_text(p, texts.modified, {g.modified_column().x0, text_y}, font, theme.text_secondary);
    }
  }
}

void FileView::draw_list_header(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  const vemo_ui::Theme& theme = ctx.theme;
  const ListGeometry g = list_geometry();
  const Rect header = g.header_rect(visible_);
  p.fill_rect(header, theme.surface);
  const double font = theme.font_small;
  const double y = header.y0 + (g.header_height() - header_text_height_) / 2;
  struct Shown {
    bool shown;
    const ColumnSpan& span;
    SortKey key;
  };
  const Shown columns[] = {{true, g.name_column(), SortKey::Name},
                           {g.shows_size(), g.size_column(), SortKey::Size},
                           {g.shows_modified(), g.modified_column(), SortKey::Modified}};
  for (std::size_t c = 0; c < std::size(columns); ++c) {
    if (!columns[c].shown) continue;
    const std::string& label = header_labels_[c];
    ctx.text.draw_text(p, label, {columns[c].span.x0, y}, font, theme.text_secondary);
    if (columns[c].key == sort_key_) {
      const double x = columns[c].span.x0 + ctx.text.measure(label, font).width + 4;
      ctx.text.draw_text(p, sort_descending_ ? "\u25be" : "\u25b4", {x, y}, font, theme.accent);
    }
  }
  vemo_ui::draw_separator(p, bounds_.x0 + 10 * s_, bounds_.x1 - 10 * s_, header.y1 - 0.5);
}

void FileView::draw_type_tile(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const ItemTexts& texts, const Rect& box) {
  const Color c = kCategoryColours[std::min<std::size_t>(texts.category, kCategoryColours.size() - 1)];
  p.fill_rounded(box, 8 * s_, c.with_alpha(0.16));
  p.stroke_rounded(box, 8 * s_, c.with_alpha(0.5), 1);
  const double h = box.height();
  const double side = h / 2;
  const double x = box.x0 + (box.width() - side) / 2;
  vemo_ui::icons::draw_icon(p, texts.icon, Rect::from_size(x, box.y0 + 0.14 * h, side, side), c, stroke_for(s_));
  if (!texts.extension.empty()) {
    const double font = std::clamp(0.2 * h, 8.0, 13.0);
    const vemo_ui::Size size = ctx.text.measure(texts.extension, font);
    ctx.text.draw_text(p, texts.extension, {box.center().x - size.width / 2, box.y1 - 0.14 * h - size.height}, font, c);
  }
}

void FileView::draw_grid(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const ItemRange& range) {
  const vemo_ui::Theme& theme = ctx.theme;
  const GridGeometry g = grid_geometry();
  const double font = theme.font_body * s_;
  const double stroke = stroke_for(s_);
  for (std::size_t i = range.first; i < range.last; ++i) {
    const Rect tile = g.tile_rect(i);
    if (visible_ && tile.y1 > visible_->y1) continue;
    const FileEntry& e = entry(i);
    const ItemTexts& texts = texts_for(i, g.label_width(), ctx.text, font);
    draw_highlight(p, i, tile, 8 * s_);
    const Rect box = g.icon_box(tile);
    Rect icon = box;
    if (e.is_dir) {
      icon = g.folder_icon_rect(box);
      vemo_ui::icons::draw_icon(p, texts.icon, icon, theme.accent, stroke);
    } else if (const vemo_ui::Image* thumb = thumbnail_for(e, thumbnails_)) {
      paint_thumbnail(p, *thumb, box, 8 * s_);
    } else {
      draw_type_tile(p, ctx, texts, box);
    }
    draw_badge(p, e, icon);
    const double label_top = g.label_top(tile);
    if (renaming_ == i) {
      if (rename_slot_) {
        *rename_slot_ = Rect{tile.x0 + 6, label_top - 4, tile.x1 - 6, label_top + g.label_line_height() + 6};
      }
    } else {
      ctx.text.draw_text(p, texts.name, {tile.center().x - texts.name_width / 2, label_top}, font, theme.text_primary);
    }
  }
}

void FileView::draw_focus_ring(vemo_ui::Painter& p) {
  const auto cursor = selection_.cursor();
  if (!focused_ || !cursor || *cursor >= entries_->size()) return;
  const Rect r = grid_ ? grid_geometry().tile_rect(*cursor) : list_geometry().highlight_rect(*cursor);
  if (visible_ && (r.y1 < visible_->y0 - 4 || r.y0 > visible_->y1 + 4)) return;
  const double radius = std::min(8.0, std::min(r.width(), r.height()) / 2);
  p.stroke_rounded(r, radius, p.theme().focus_ring, 2);
}

}  // namespace fe
