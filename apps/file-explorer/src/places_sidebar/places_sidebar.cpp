#include "places_sidebar/places_sidebar.h"

#include <glib.h>

#include <algorithm>
#include <cmath>

#include "i18n/i18n.h"
#include "model/path_compare.h"
#include "model/utf8.h"
#include "places/places.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"

namespace fe {
namespace {

using vemo_ui::EventResult;
using vemo_ui::icons::Icon;

constexpr double kPad = 12;
constexpr double kHeader = 26;
constexpr double kRow = 34;

std::string upper_case(const std::string& text) {
  gchar* up = g_utf8_strup(text.c_str(), static_cast<gssize>(text.size()));
  std::string out = up ? up : text;
  g_free(up);
  return out;
}

}  // namespace

std::vector<SystemPlace> system_places(const std::vector<std::filesystem::path>& workspace_roots,
                                       const std::optional<std::filesystem::path>& trash) {
  std::vector<SystemPlace> places;
  for (const auto& root : workspace_roots) places.push_back({workspace_place_label(root), Icon::Workspace, root});
  places.push_back({tr("files-place-root"), Icon::Root, "/"});
  if (trash) places.push_back({tr("files-place-trash"), Icon::Trash, *trash});
  return places;
}

Icon favourite_icon(FavouriteKind kind) {
  switch (kind) {
    case FavouriteKind::Home:
      return Icon::Home;
    case FavouriteKind::Desktop:
      return Icon::Desktop;
    case FavouriteKind::Documents:
      return Icon::Documents;
    case FavouriteKind::Downloads:
      return Icon::Downloads;
    case FavouriteKind::Pictures:
      return Icon::Pictures;
    case FavouriteKind::Music:
      return Icon::Music;
    case FavouriteKind::Videos:
      return Icon::Videos;
    case FavouriteKind::Folder:
      return Icon::Folder;
  }
  return Icon::Folder;
}

PlacesSidebar::PlacesSidebar(std::filesystem::path current_path, std::vector<SystemPlace> places,
                             SharedSidebarState state, SharedCommandQueue commands)
    : current_path_(std::move(current_path)),
      places_(std::move(places)),
      state_(std::move(state)),
      commands_(std::move(commands)) {}

// ---------------------------------------------------------------------------------------------
// Geometry

std::size_t PlacesSidebar::row_count() const {
  return favourite_count() + places_.size();
}

double PlacesSidebar::favourites_first_row_top() const {
  return bounds_.y0 + kPad + kHeader * t_;
}

double PlacesSidebar::system_header_top() const {
  const std::size_t n = favourite_count();
  if (n == 0) return bounds_.y0 + kPad;
  return bounds_.y0 + kPad + kHeader * t_ + kRow * t_ * static_cast<double>(n) + kPad;
}

vemo_ui::Rect PlacesSidebar::favourite_row_rect(std::size_t i) const {
  const double top = favourites_first_row_top() + kRow * t_ * static_cast<double>(i);
  return {bounds_.x0 + kPad, top, bounds_.x1 - kPad, top + kRow * t_};
}

vemo_ui::Rect PlacesSidebar::system_row_rect(std::size_t j) const {
  const double top = system_header_top() + kHeader * t_ + kRow * t_ * static_cast<double>(j);
  return {bounds_.x0 + kPad, top, bounds_.x1 - kPad, top + kRow * t_};
}

namespace {
std::optional<std::size_t> row_in_section(vemo_ui::Point p, const vemo_ui::Rect& bounds, double first_top,
                                          double row_height, std::size_t count) {
  if (p.x < bounds.x0 + kPad || p.x > bounds.x1 - kPad || p.y < first_top) return std::nullopt;
  const double index = std::floor((p.y - first_top) / row_height);
  if (index < 0 || index >= static_cast<double>(count)) return std::nullopt;
  return static_cast<std::size_t>(index);
}
}  // namespace

std::optional<std::size_t> PlacesSidebar::favourite_at(vemo_ui::Point p) const {
  if (favourite_count() == 0) return std::nullopt;
  return row_in_section(p, bounds_, favourites_first_row_top(), kRow * t_, favourite_count());
}

std::optional<std::size_t> PlacesSidebar::system_at(vemo_ui::Point p) const {
  return row_in_section(p, bounds_, system_header_top() + kHeader * t_, kRow * t_, places_.size());
}

const std::filesystem::path& PlacesSidebar::row_path(std::size_t row) const {
  const std::size_t n = favourite_count();
  return row < n ? state_->favourites.items()[row].path : places_[row - n].path;
}

std::string PlacesSidebar::row_label(std::size_t row) const {
  const std::size_t n = favourite_count();
  return row < n ? state_->favourites.items()[row].label : places_[row - n].label;
}

std::optional<std::size_t> PlacesSidebar::current_row() const {
  for (std::size_t row = 0; row < row_count(); ++row) {
    if (same_path(row_path(row), current_path_)) return row;
  }
  return std::nullopt;
}

std::optional<std::size_t> PlacesSidebar::active_row() const {
  const std::size_t n = row_count();
  if (n == 0) return std::nullopt;
  if (state_->focused_row && *state_->focused_row < n) return state_->focused_row;
  if (auto current = current_row()) return current;
  return 0;
}

void PlacesSidebar::focus_row(std::size_t row) {
  const std::size_t n = row_count();
  if (n == 0) {
    state_->focused_row.reset();
    return;
  }
  state_->focused_row = std::min(row, n - 1);
}

// ---------------------------------------------------------------------------------------------
// Layout

void PlacesSidebar::build_layout(vemo_ui::LayoutContext& ctx) {
  t_ = ctx.text_scale;
}

vemo_ui::Size PlacesSidebar::measure(vemo_ui::LayoutContext&, const vemo_ui::Constraints& c) {
  const double n = static_cast<double>(favourite_count());
  double height = kPad + (n > 0 ? kHeader * t_ + kRow * t_ * n + kPad : 0) + kHeader * t_ +
                  kRow * t_ * static_cast<double>(places_.size()) + kPad;
  return {c.width, height};
}

void PlacesSidebar::apply_layout(vemo_ui::LayoutContext&, const vemo_ui::Rect& bounds) {
  bounds_ = bounds;
  state_->list = SidebarListGeometry{
      true, bounds.y0 + kPad + kHeader * t_, kRow * t_, 0, bounds.x0 + kPad, bounds.x1 - kPad, favourite_count()};
}

// ---------------------------------------------------------------------------------------------
// Drawing

void PlacesSidebar::draw_header(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const std::string& title,
                                double top) const {
  const auto& theme = ctx.theme;
  const std::string text = upper_case(title);
  const auto size = ctx.text.measure(text, theme.font_caption);
  ctx.text.draw_text(p, text, {bounds_.x0 + 24, top + (kHeader * t_ - size.height) / 2}, theme.font_caption,
                     theme.text_secondary);
}

void PlacesSidebar::draw_row(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const vemo_ui::Rect& r, Icon icon,
                             const std::string& label, bool current, bool hovered, bool floating) const {
  const auto& theme = ctx.theme;
  const vemo_ui::Rect card{r.x0, r.y0 + 2, r.x1, r.y1 - 2};
  if (floating) {
    vemo_ui::chrome::shell::panel_shadow(p, card, theme.radius);
    vemo_ui::surface::card(p, card, theme.panel_ground, theme.radius);
  } else if (current || hovered) {
    const auto tier = vemo_ui::chrome::shell::selection_tier(theme, current, hovered);
    p.fill_rounded(card, theme.radius, tier.fill);
    if (tier.outline) p.stroke_rounded(card, theme.radius, *tier.outline, 1);
    if (tier.inner) p.stroke_rounded(card.inset(1), std::max(theme.radius - 1, 0.0), *tier.inner, 1);
  }
  const bool strong = current || floating;
  const double icon_top = r.y0 + (r.height() - 17) / 2;
  vemo_ui::icons::draw_icon(p, icon, {r.x0 + 12, icon_top, r.x0 + 29, icon_top + 17},
                            strong ? theme.text_primary : theme.text_secondary, 1.5);
  const auto size = ctx.text.measure(label, theme.font_body);
  ctx.text.draw_text(p, label, {r.x0 + 29 + 8, r.y0 + (r.height() - size.height) / 2}, theme.font_body,
                     theme.text_primary);
}

void PlacesSidebar::draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  const auto& theme = ctx.theme;
  p.fill_rect(bounds_, theme.surface);
  p.fill_rect({bounds_.x1 - 1, bounds_.y0, bounds_.x1, bounds_.y1}, vemo_ui::surface::edge_on(theme, theme.surface));

  const auto& favourites = state_->favourites.items();
  const std::size_t n = favourites.size();
  const auto& drag = state_->drag;
  const bool dragging = drag.phase == ReorderDrag::Phase::Dragging && drag.from < n;
  if (n > 0) draw_header(p, ctx, tr("files-place-favourites"), bounds_.y0 + kPad);
  for (std::size_t i = 0; i < n; ++i) {
    vemo_ui::Rect r = favourite_row_rect(i);
    bool current = false;
    if (dragging) {
      if (i == drag.from) continue;
      // The other rows close the dragged row's slot and open one at the target.
      std::size_t k = i < drag.from ? i : i - 1;
      if (k >= drag.target) k += 1;
      const double shift = (static_cast<double>(k) - static_cast<double>(i)) * kRow * t_;
      r = r.translated(0, shift);
    } else {
      current = same_path(favourites[i].path, current_path_);
    }
    const bool hovered = favourite_hover_ == i && !current;
    draw_row(p, ctx, r, favourite_icon(favourites[i].kind), favourites[i].label, current, hovered, false);
  }
  draw_header(p, ctx, tr("files-place-system"), system_header_top());
  for (std::size_t j = 0; j < places_.size(); ++j) {
    const bool current = !dragging && same_path(places_[j].path, current_path_);
    const bool hovered = system_hover_ == j && !current;
    draw_row(p, ctx, system_row_rect(j), places_[j].icon, places_[j].label, current, hovered, false);
  }
  if (dragging) {
    const double top = drag.current.y - drag.grab_offset;
    const vemo_ui::Rect r{bounds_.x0 + kPad, top, bounds_.x1 - kPad, top + kRow * t_};
    draw_row(p, ctx, r, favourite_icon(favourites[drag.from].kind), favourites[drag.from].label, false, false, true);
  }
}

// ---------------------------------------------------------------------------------------------
// Input

void PlacesSidebar::update_reorder(vemo_ui::Point pointer) {
  auto& drag = state_->drag;
  drag.current = pointer;
  if (drag.phase == ReorderDrag::Phase::Pressed) {
    if (std::hypot(pointer.x - drag.press.x, pointer.y - drag.press.y) < ReorderDrag::kStartDistance) return;
    drag.phase = ReorderDrag::Phase::Dragging;
  }
  const auto& list = state_->list;
  if (list.row_count == 0) return;
  const double pitch = list.row_height + list.gap;
  if (pitch <= 0) return;
  const double slots =
      std::round((pointer.y - drag.grab_offset - (list.rows_top + static_cast<double>(drag.from) * pitch)) / pitch);
  const double target =
      std::clamp(static_cast<double>(drag.from) + slots, 0.0, static_cast<double>(list.row_count - 1));
  drag.target = static_cast<std::size_t>(target);
}

bool PlacesSidebar::wants_pointer_capture() const {
  return state_->drag.phase != ReorderDrag::Phase::Idle;
}

void PlacesSidebar::set_focus(bool focused) {
  state_->keyboard_active = focused;
  if (focused && !state_->focused_row) {
    if (auto current = current_row()) {
      state_->focused_row = current;
    } else if (row_count() > 0) {
      state_->focused_row = 0;
    }
  }
}

EventResult PlacesSidebar::handle_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) {
  using Type = vemo_ui::Event::Type;
  auto& drag = state_->drag;
  const std::size_t n = favourite_count();

  if (e.type == Type::PointerMove) {
    last_pointer_ = e.position;
    favourite_hover_ = favourite_at(e.position);
    system_hover_ = system_at(e.position);
    if (drag.phase != ReorderDrag::Phase::Idle) {
      update_reorder(e.position);
      return EventResult::Consumed;
    }
    return EventResult::Ignored;
  }
  if (e.is_press(vemo_ui::PointerButton::Primary)) {
    last_pointer_ = e.position;
    if (auto i = favourite_at(last_pointer_)) {
      focus_row(*i);
      state_->keyboard_active = true;
      ctx.request_focus("places_sidebar");
      state_->pending_click = *i;
      drag = ReorderDrag{};
      drag.from = drag.target = *i;
      drag.press = drag.current = last_pointer_;
      drag.grab_offset = last_pointer_.y - favourite_row_rect(*i).y0;
      drag.phase = ReorderDrag::Phase::Pressed;
      return EventResult::Consumed;
    }
    if (auto j = system_at(last_pointer_)) {
      focus_row(n + *j);
      state_->keyboard_active = true;
      ctx.request_focus("places_sidebar");
      commands_->push(cmd::NavigateTo{places_[*j].path});
      return EventResult::Consumed;
    }
    return EventResult::Ignored;
  }
  if (e.is_release(vemo_ui::PointerButton::Primary) && drag.phase != ReorderDrag::Phase::Idle) {
    auto pending = state_->pending_click;
    state_->pending_click.reset();
    const auto phase = drag.phase;
    const ReorderDrag ended = drag;
    drag.phase = ReorderDrag::Phase::Idle;
    if (phase == ReorderDrag::Phase::Dragging) {
      if (ended.target != ended.from && ended.from < n && ended.target < n) {
        commands_->push(cmd::ReorderFavourite{ended.from, ended.target});
      }
    } else if (pending && *pending < n) {
      commands_->push(cmd::NavigateTo{state_->favourites.items()[*pending].path});
    }
    return EventResult::Consumed;
  }
  if (e.is_press(vemo_ui::PointerButton::Secondary)) {
    last_pointer_ = e.position;
    if (auto i = favourite_at(last_pointer_)) {
      commands_->push(cmd::OpenFavouriteMenu{state_->favourites.items()[*i].path});
      return EventResult::Consumed;
    }
    return EventResult::Ignored;
  }

  if (e.type != Type::KeyPress || !state_->keyboard_active || e.repeat || e.composing ||
      e.key == vemo_ui::Key::Character) {
    return EventResult::Ignored;
  }
  const std::size_t rows = row_count();
  auto c = active_row();
  switch (e.key) {
    case vemo_ui::Key::Enter:
      if (!c) return EventResult::Ignored;
      commands_->push(cmd::NavigateTo{row_path(*c)});
      return EventResult::Consumed;
    case vemo_ui::Key::Down:
      if (!c) return EventResult::Ignored;
      focus_row(std::min(*c + 1, rows - 1));
      return EventResult::Consumed;
    case vemo_ui::Key::Up:
      if (!c) return EventResult::Ignored;
      focus_row(*c == 0 ? 0 : *c - 1);
      return EventResult::Consumed;
    case vemo_ui::Key::Home:
      if (rows == 0) return EventResult::Ignored;
      focus_row(0);
      return EventResult::Consumed;
    case vemo_ui::Key::End:
      if (rows == 0) return EventResult::Ignored;
      focus_row(rows - 1);
      return EventResult::Consumed;
    case vemo_ui::Key::Menu:
      if (!c || *c >= n) return EventResult::Ignored;
      commands_->push(cmd::OpenFavouriteMenu{row_path(*c)});
      return EventResult::Consumed;
    default:
      return EventResult::Ignored;
  }
}

bool PlacesSidebar::perform_action(vemo_ui::a11y::ActionRequest request) {
  auto c = active_row();
  if (!c) return false;
  if (request == vemo_ui::a11y::ActionRequest::Default) {
    commands_->push(cmd::NavigateTo{row_path(*c)});
    return true;
  }
  if (request == vemo_ui::a11y::ActionRequest::ContextMenu && *c < favourite_count()) {
    commands_->push(cmd::OpenFavouriteMenu{row_path(*c)});
    return true;
  }
  return false;
}

bool PlacesSidebar::stage_reorder(std::size_t from, std::size_t to) {
  const auto& list = state_->list;
  if (!list.valid || from >= list.row_count) return false;
  const double pitch = list.row_height + list.gap;
  const double x = (list.left + list.right) / 2;
  const double y = list.rows_top + static_cast<double>(from) * pitch + list.row_height / 2;
  state_->pending_click = from;
  auto& drag = state_->drag;
  drag = ReorderDrag{};
  drag.from = drag.target = from;
  drag.press = drag.current = {x, y};
  drag.grab_offset = list.row_height / 2;
  drag.phase = ReorderDrag::Phase::Pressed;
  update_reorder({x, list.rows_top + static_cast<double>(to) * pitch + list.row_height / 2});
  return true;
}

// ---------------------------------------------------------------------------------------------
// Accessibility

std::optional<vemo_ui::a11y::AccessNode> PlacesSidebar::accessibility() const {
  using vemo_ui::a11y::AccessNode;
  using vemo_ui::a11y::Role;
  const auto c = active_row();
  const std::size_t rows = row_count();
  const std::size_t n = favourite_count();
  AccessNode node(Role::List);
  node.with_name(tr("files-a11y-places")).with_bounds(bounds_);
  if (c) node.value = row_label(*c);
  node.states.focusable = true;
  node.states.focused = state_->keyboard_active;
  for (std::size_t row = 0; row < rows; ++row) {
    AccessNode item(Role::ListItem);
    const auto& path = row_path(row);
    item.with_name(row_label(row))
        .with_description(tr_args("files-a11y-place-description",
                                  {{"section", tr(row < n ? "files-a11y-favourite" : "files-a11y-system-location")},
                                   {"path", utf8_lossy(path.native())}}))
        .with_position(static_cast<int>(row + 1), static_cast<int>(rows))
        .with_bounds(row < n ? favourite_row_rect(row) : system_row_rect(row - n));
    item.states.selected = same_path(path, current_path_);
    item.states.focused = state_->keyboard_active && c == row;
    node.children.push_back(std::move(item));
  }
  return node;
}

}  // namespace fe
