#include "vemo_ui/widgets/context_menu.h"

#include <algorithm>
#include <cmath>

#include "vemo_ui/icons.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"
#include "vemo_ui/widgets/elide.h"

namespace vemo_ui {

namespace {
constexpr double kGutter = 30;       // room for the check mark on the left
constexpr double kChevronRoom = 30;  // room for the submenu chevron on the right
constexpr double kEstimatedCharWidth = 7.5;
constexpr double kArmDistance = 4;  // pointer travel after which a release chooses
constexpr double kFontSize = 14;

std::size_t code_points(std::string_view s) {
  std::size_t n = 0;
  for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}
}  // namespace

// ───────────────────────────── items ─────────────────────────────

MenuItem MenuItem::action(std::string label, MenuCommand command, bool checked) {
  MenuItem item;
  item.label = std::move(label);
  item.command = std::move(command);
  item.checked = checked;
  return item;
}

MenuItem MenuItem::inactive(std::string label) {
  MenuItem item;
  item.label = std::move(label);
  item.enabled = false;
  return item;
}

MenuItem MenuItem::submenu(std::string label, std::vector<MenuItem> children) {
  MenuItem item;
  item.label = std::move(label);
  item.children = std::move(children);
  return item;
}

MenuItem MenuItem::separator_line() {
  MenuItem item;
  item.separator = true;
  return item;
}

// ───────────────────────────── geometry ─────────────────────────────

void ContextMenu::push(MenuItem item) {
  if (open_) return;
  items_.push_back(std::move(item));
}

void ContextMenu::clear() {
  close();
  items_.clear();
}

Rect ContextMenu::place(Size size, Point at, const Rect& window) {
  const double w = std::min(size.width, std::max(0.0, window.width()));
  const double h = std::min(size.height, std::max(0.0, window.height()));
  double x = at.x;
  if (x + w > window.x1) x = at.x - w >= window.x0 ? at.x - w : window.x1 - w;
  double y = at.y;
  if (y + h > window.y1) y = at.y - h >= window.y0 ? at.y - h : window.y1 - h;
  x = std::max(x, window.x0);
  y = std::max(y, window.y0);
  return {x, y, x + w, y + h};
}

const std::vector<MenuItem>& ContextMenu::level_items(const Level& level) const {
  if (&level == &main_ || !sub_ || sub_->parent >= items_.size()) return items_;
  return items_[sub_->parent].children;
}

double ContextMenu::level_width(const std::vector<MenuItem>& items, TextRenderer* text) const {
  double widest = 0;
  for (const MenuItem& item : items) {
    if (item.separator) continue;
    const double w = text ? text->measure(item.label, kFontSize).width
                          : static_cast<double>(code_points(item.label)) * kEstimatedCharWidth;
    widest = std::max(widest, w);
  }
  return std::ceil(std::max(kMinWidth, widest + kGutter + kChevronRoom));
}

void ContextMenu::lay_out_rows(Level& level) {
  const auto& items = level_items(level);
  level.rows.clear();
  double y = level.rect.y0 + kPadding - level.scroll;
  for (const MenuItem& item : items) {
    const double h = item.separator ? kSeparatorHeight : kRowHeight;
    level.rows.push_back({level.rect.x0 + kPadding / 2, y, level.rect.x1 - kPadding / 2, y + h});
    y += h;
  }
}

static double content_height_of(const std::vector<MenuItem>& items) {
  double h = 2 * ContextMenu::kPadding;
  for (const MenuItem& item : items) h += item.separator ? ContextMenu::kSeparatorHeight : ContextMenu::kRowHeight;
  return h;
}

void ContextMenu::measure_levels(TextRenderer* text) {
  main_.content_height = content_height_of(items_);
  main_.rect = place({level_width(items_, text), main_.content_height}, opened_at_, window_);
  main_.scroll = std::clamp(main_.scroll, 0.0, std::max(0.0, main_.content_height - main_.rect.height()));
  lay_out_rows(main_);
  if (sub_) open_submenu(sub_->parent, text);
  measured_ = text != nullptr;
}

void ContextMenu::open_submenu(std::size_t parent, TextRenderer* text) {
  if (parent >= items_.size() || !items_[parent].has_submenu()) return;
  const auto& children = items_[parent].children;
  std::optional<std::size_t> keep;
  if (sub_ && sub_->parent == parent) keep = sub_->highlighted;
  Level level;
  level.parent = parent;
  level.highlighted = keep;
  level.content_height = content_height_of(children);
  const Size size{level_width(children, text), level.content_height};
  const Rect& row = main_.rows[parent];
  // Beside the main menu, on the right when it fits, else on the left.
  Rect r = place(size, {main_.rect.x1 - 2, row.y0 - kPadding}, window_);
  if (r.x0 < main_.rect.x1 - 2) {
    const double left = main_.rect.x0 + 2 - size.width;
    if (left >= window_.x0) r = Rect::from_size(left, r.y0, r.width(), r.height());
  }
  level.rect = r;
  sub_ = std::move(level);
  lay_out_rows(*sub_);
}

void ContextMenu::open_at(Point at, const Rect& window) {
  opened_at_ = at;
  window_ = window;
  open_ = true;
  chosen_.reset();
  sub_.reset();
  keyboard_in_sub_ = false;
  release_armed_ = false;
  main_ = Level{};
  measure_levels(nullptr);
}

void ContextMenu::open_at(Point at, const Rect& window, TextRenderer& text) {
  open_at(at, window);
  measure_levels(&text);
}

void ContextMenu::close() {
  open_ = false;
  sub_.reset();
  keyboard_in_sub_ = false;
  main_.highlighted.reset();
}

std::optional<std::size_t> ContextMenu::row_at(const Level& level, Point p) {
  if (!level.rect.contains(p)) return std::nullopt;
  for (std::size_t i = 0; i < level.rows.size(); ++i) {
    if (level.rows[i].contains(p)) return i;
  }
  return std::nullopt;
}

std::optional<MenuHit> ContextMenu::item_at(Point p) const {
  if (!open_) return std::nullopt;
  if (sub_) {
    if (auto i = row_at(*sub_, p)) return MenuHit{*i, true};
  }
  if (auto i = row_at(main_, p)) return MenuHit{*i, false};
  return std::nullopt;
}

bool ContextMenu::contains(Point p) const {
  return open_ && (main_.rect.contains(p) || (sub_ && sub_->rect.contains(p)));
}

// ───────────────────────────── behaviour ─────────────────────────────

void ContextMenu::reveal(Level& level, std::size_t index) {
  if (index >= level.rows.size()) return;
  const double top = level.rows[index].y0;
  const double bottom = level.rows[index].y1;
  if (top < level.rect.y0 + kPadding) {
    level.scroll -= level.rect.y0 + kPadding - top;
  } else if (bottom > level.rect.y1 - kPadding) {
    level.scroll += bottom - (level.rect.y1 - kPadding);
  }
  level.scroll = std::clamp(level.scroll, 0.0, std::max(0.0, level.content_height - level.rect.height()));
  lay_out_rows(level);
}

void ContextMenu::scroll(Level& level, double dy) {
  level.scroll = std::clamp(level.scroll + dy, 0.0, std::max(0.0, level.content_height - level.rect.height()));
  lay_out_rows(level);
}

void ContextMenu::step(Level& level, int direction) {
  const auto& items = level_items(level);
  const std::size_t n = items.size();
  if (n == 0) return;
  std::size_t i = level.highlighted.value_or(direction > 0 ? n - 1 : 0);
  for (std::size_t tries = 0; tries < n; ++tries) {
    i = direction > 0 ? (i + 1) % n : (i + n - 1) % n;
    if (items[i].is_active()) {
      level.highlighted = i;
      reveal(level, i);
      return;
    }
  }
}

void ContextMenu::choose(const MenuItem& item) {
  if (!item.is_active() || !item.command) return;
  chosen_ = item.command;
  close();
}

EventResult ContextMenu::handle_event(const Event& e, EventContext& ctx) {
  if (!open_) return EventResult::Ignored;
  if (!measured_) measure_levels(&ctx.text);

  if (e.is_pointer() || e.type == Event::Type::PointerLeave) {
    if (e.type != Event::Type::PointerLeave && !release_armed_ &&
        std::hypot(e.position.x - opened_at_.x, e.position.y - opened_at_.y) > kArmDistance) {
      release_armed_ = true;
    }
    const auto hit = e.type == Event::Type::PointerLeave ? std::nullopt : item_at(e.position);
    switch (e.type) {
      case Event::Type::PointerMove:
        if (hit && hit->in_submenu) {
          const auto& items = level_items(*sub_);
          sub_->highlighted = items[hit->index].is_active() ? std::optional(hit->index) : std::nullopt;
          keyboard_in_sub_ = true;
        } else if (hit) {
          const MenuItem& item = items_[hit->index];
          main_.highlighted = item.is_active() ? std::optional(hit->index) : std::nullopt;
          keyboard_in_sub_ = false;
          if (item.is_active() && item.has_submenu()) {
            if (!sub_ || sub_->parent != hit->index) open_submenu(hit->index, &ctx.text);
          } else {
            sub_.reset();
          }
        }
        break;
      case Event::Type::PointerPress:
        if (!hit && !contains(e.position)) {
          close();
        } else {
          release_armed_ = true;
        }
        break;
      case Event::Type::PointerRelease:
        if (hit && release_armed_ && e.button != PointerButton::Middle) {
          const MenuItem& item = hit->in_submenu ? level_items(*sub_)[hit->index] : items_[hit->index];
          if (item.is_active() && item.has_submenu() && !hit->in_submenu) {
            open_submenu(hit->index, &ctx.text);
          } else {
            choose(item);
          }
        }
        break;
      case Event::Type::Scroll:
        if (sub_ && sub_->rect.contains(e.position)) {
          scroll(*sub_, e.scroll_dy);
        } else if (main_.rect.contains(e.position)) {
          scroll(main_, e.scroll_dy);
          if (sub_) open_submenu(sub_->parent, &ctx.text);
        }
        break;
      default:
        break;
    }
    return EventResult::Consumed;
  }

  if (e.type != Event::Type::KeyPress) return EventResult::Consumed;
  Level& level = keyboard_in_sub_ && sub_ ? *sub_ : main_;
  const auto& items = level_items(level);
  switch (e.key) {
    case Key::Down:
      step(level, +1);
      break;
    case Key::Up:
      step(level, -1);
      break;
    case Key::Home:
      level.highlighted.reset();
      step(level, +1);
      break;
    case Key::End:
      level.highlighted.reset();
      step(level, -1);
      break;
    case Key::Right:
      if (&level == &main_ && main_.highlighted && items_[*main_.highlighted].has_submenu() &&
          items_[*main_.highlighted].is_active()) {
        open_submenu(*main_.highlighted, &ctx.text);
        keyboard_in_sub_ = true;
        sub_->highlighted.reset();
        step(*sub_, +1);
      }
      break;
    case Key::Left:
      if (&level != &main_) {
        sub_.reset();
        keyboard_in_sub_ = false;
      }
      break;
    case Key::Escape:
      if (&level != &main_) {
        sub_.reset();
        keyboard_in_sub_ = false;
      } else {
        close();
      }
      break;
    case Key::Enter:
    case Key::Space:
      if (e.repeat || !level.highlighted) break;
      if (&level == &main_ && items[*level.highlighted].has_submenu()) {
        open_submenu(*level.highlighted, &ctx.text);
        keyboard_in_sub_ = true;
        sub_->highlighted.reset();
        step(*sub_, +1);
      } else {
        choose(items[*level.highlighted]);
      }
      break;
    default:
      break;
  }
  return EventResult::Consumed;
}

// ───────────────────────────── drawing ─────────────────────────────

void ContextMenu::draw_level(Painter& p, DrawContext& ctx, const Level& level) {
  const Theme& theme = ctx.theme;
  const auto& items = level_items(level);
  chrome::shell::panel_shadow(p, level.rect, theme.radius);
  surface::card(p, level.rect, theme.panel_ground, theme.radius);
  p.save();
  p.clip(level.rect.inset(1));
  const bool has_sub = sub_.has_value();
  for (std::size_t i = 0; i < items.size() && i < level.rows.size(); ++i) {
    const MenuItem& item = items[i];
    const Rect& row = level.rows[i];
    if (!row.intersects(level.rect)) continue;
    if (item.separator) {
      draw_separator(p, row.x0 + kPadding, row.x1 - kPadding, std::round((row.y0 + row.y1) / 2) + 0.5);
      continue;
    }
    const bool lit = level.highlighted == i || (&level == &main_ && has_sub && sub_->parent == i);
    if (lit) p.fill_rounded(row, std::max(0.0, theme.radius - 3), theme.selection_fill);
    const Color ink = item.is_active() ? theme.text_primary : theme.text_secondary;
    const double mid = (row.y0 + row.y1) / 2;
    if (item.checked) {
      icons::draw_icon(p, icons::Icon::Check, {row.x0 + 8, mid - 7, row.x0 + 22, mid + 7}, ink);
    }
    if (item.has_submenu()) {
      icons::draw_icon(p, icons::Icon::ChevronRight, {row.x1 - 22, mid - 6, row.x1 - 10, mid + 6}, ink);
    }
    const double text_x = row.x0 + kGutter - kPadding / 2;
    const std::string label = elide_end(ctx.text, item.label, kFontSize, row.x1 - kChevronRoom - text_x);
    const Size t = ctx.text.measure(label, kFontSize);
    ctx.text.draw_text(p, label, {text_x, mid - t.height / 2}, kFontSize, ink);
  }
  p.restore();
}

void ContextMenu::draw(Painter& p, DrawContext& ctx) {
  if (!open_) return;
  if (!measured_) measure_levels(&ctx.text);
  bounds_ = main_.rect;
  draw_level(p, ctx, main_);
  if (sub_) draw_level(p, ctx, *sub_);
}

// ───────────────────────────── accessibility ─────────────────────────────

a11y::AccessNode ContextMenu::level_node(const Level& level, const std::vector<MenuItem>& items) {
  a11y::AccessNode node(a11y::Role::Menu);
  node.with_bounds(level.rect);
  int count = 0;
  for (const MenuItem& item : items) count += item.separator ? 0 : 1;
  int position = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].separator) continue;
    a11y::AccessNode child(a11y::Role::MenuItem);
    child.with_name(items[i].label).with_position(++position, count);
    if (i < level.rows.size()) child.with_bounds(level.rows[i]);
    child.states.focusable = items[i].is_active();
    child.states.focused = level.highlighted == i;
    child.states.selected = items[i].checked;
    node.children.push_back(std::move(child));
  }
  return node;
}

std::optional<a11y::AccessNode> ContextMenu::accessibility() const {
  if (!open_) return std::nullopt;
  a11y::AccessNode node = level_node(main_, items_);
  if (!id_.empty()) node.with_id(id_);
  node.states.focused = true;
  if (sub_) {
    // The submenu hangs under its item (separators have no node, so count the ones before it).
    std::size_t node_index = 0;
    for (std::size_t i = 0; i < sub_->parent; ++i) node_index += items_[i].separator ? 0 : 1;
    if (node_index < node.children.size()) {
      node.children[node_index].children.push_back(level_node(*sub_, items_[sub_->parent].children));
    }
  }
  return node;
}

void ContextMenu::identified_rects(std::vector<IdentifiedRect>& out) const {
  if (!open_ || id_.empty()) return;
  out.push_back({id_, main_.rect});
  if (sub_) out.push_back({id_ + ":submenu", sub_->rect});
}

}  // namespace vemo_ui
