// FileView: construction, layout, events, accessibility and identified rectangles. Drawing is in
// file_view_draw.cpp.

#include "views/file_view.h"

#include <algorithm>
#include <cmath>

#include "i18n/i18n.h"
#include "vemo_ui/text.h"
#include "views/entry_description.h"

namespace fe {

std::unique_ptr<FileView> FileView::list(FileViewInputs inputs, SortKey sort_key, bool sort_descending) {
  return std::unique_ptr<FileView>(new FileView(std::move(inputs), false, sort_key, sort_descending));
}

std::unique_ptr<FileView> FileView::grid(FileViewInputs inputs) {
  return std::unique_ptr<FileView>(new FileView(std::move(inputs), true, SortKey::Name, false));
}

FileView::FileView(FileViewInputs in, bool grid, SortKey sort_key, bool sort_descending)
    : selection_(std::move(in.selection)),
      entries_(in.entries ? std::move(in.entries) : std::make_shared<const std::vector<FileEntry>>()),
      s_(item_scale_for_zoom(in.zoom_level)),
      t_(std::max(in.text_scale, 0.5)),
      renaming_(in.renaming),
      rename_slot_(std::move(in.rename_slot)),
      drop_targets_(std::move(in.drop_targets)),
      commands_(std::move(in.commands)),
      thumbnails_(std::move(in.thumbnails)),
      grid_(grid),
      sort_key_(sort_key),
      sort_descending_(sort_descending) {
  if (selection_.count() != entries_->size()) selection_.set_count(entries_->size());
}

// ---- Layout -------------------------------------------------------------------------------------

void FileView::measure_fonts(vemo_ui::TextRenderer& text, const vemo_ui::Theme& theme) {
  const double body = theme.font_body * s_;
  label_line_height_ = text.measure("Mg", body).height;
  name_text_height_ = text.measure("Ag", body).height;
  header_text_height_ = text.measure("Ag", theme.font_small).height;
  text_field_padding_ = theme.text_field_padding;
}

void FileView::build_layout(vemo_ui::LayoutContext& ctx) {
  t_ = std::max(ctx.text_scale, 0.5);
  measure_fonts(ctx.text, ctx.theme);
}

vemo_ui::Size FileView::measure(vemo_ui::LayoutContext& ctx, const vemo_ui::Constraints& c) {
  t_ = std::max(ctx.text_scale, 0.5);
  measure_fonts(ctx.text, ctx.theme);
  double width = c.width;
  if (c.mode == vemo_ui::Constraints::Mode::MinContent) width = GridGeometry::nominal_tile_width(s_, t_) + 20 * s_;
  width = std::max(width, 0.0);
  const vemo_ui::Rect box{0, 0, width, 0};
  if (grid_) {
    const GridGeometry g(box, s_, t_, label_line_height_);
    columns_ = g.columns();
    return {width, g.total_height(entries_->size())};
  }
  return {width, ListGeometry(box, s_, t_).total_height(entries_->size())};
}

void FileView::apply_layout(vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& bounds) {
  bounds_ = bounds;
  measure_fonts(ctx.text, ctx.theme);
  // Held names remember the width they were fitted to, so a new width refits them as they are drawn.
  if (grid_) columns_ = grid_geometry().columns();
}

vemo_ui::Rect FileView::entry_rect(std::size_t index) const {
  return grid_ ? grid_geometry().tile_rect(index) : list_geometry().row_rect(index);
}

std::optional<std::size_t> FileView::hit_test(vemo_ui::Point p) const {
  if (grid_) return grid_geometry().hit_test(p, entries_->size());
  return list_geometry().hit_test(p, entries_->size(), visible_);
}

ItemRange FileView::visible_range() const {
  if (grid_) return grid_geometry().visible_range(entries_->size(), visible_);
  return list_geometry().visible_range(entries_->size(), visible_);
}

std::string FileView::display_name(std::size_t i) const {
  const FileEntry& e = entry(i);
  if (has_open_conflict(e)) return e.name + "  \u26a0";
  return e.name;
}

// ---- Events -------------------------------------------------------------------------------------

void FileView::push(Command c) {
  if (commands_) commands_->push(std::move(c));
}

vemo_ui::EventResult FileView::handle_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) {
  using vemo_ui::EventResult;
  using vemo_ui::PointerButton;
  using Type = vemo_ui::Event::Type;
  switch (e.type) {
    case Type::PointerMove: {
      last_pointer_ = e.position;
      hovered_ = hit_test(e.position);
      if (drag_) {
        const double dx = e.position.x - drag_->press.x;
        const double dy = e.position.y - drag_->press.y;
        if (std::hypot(dx, dy) > 6) {
          push(cmd::StartDrag{cmd::ArmDrag{drag_->path, drag_->press, drag_->is_dir}});
          drag_.reset();
        }
      }
      return EventResult::Ignored;
    }
    case Type::PointerLeave:
      hovered_.reset();
      return EventResult::Ignored;
    case Type::PointerPress: {
      last_pointer_ = e.position;
      if (e.button == PointerButton::Secondary) {
        const auto index = hit_test(last_pointer_);
        if (index && !selection_.is_selected(*index)) selection_.select_only(*index);
        ctx.request_focus("file_view");
        push(cmd::SelectForContextMenu{index});
        return EventResult::Consumed;
      }
      if (e.button != PointerButton::Primary) return EventResult::Ignored;
      if (!grid_) {
        const ListGeometry g = list_geometry();
        const vemo_ui::Rect header = g.header_rect(visible_);
        if (header.contains(e.position)) {
          if (auto column = g.column_at(e.position.x)) {
            push(cmd::SortByColumn{static_cast<int>(*column)});
            return EventResult::Consumed;
          }
        }
      }
      const auto index = hit_test(e.position);
      if (!index) return EventResult::Ignored;
      const bool toggle = e.mods.ctrl || e.mods.meta;
      const bool range = e.mods.shift;
      const bool keeps_selection =
          !toggle && !range && selection_.is_selected(*index) && selection_.selected_count() > 1;
      ctx.request_focus("file_view");
      if (!keeps_selection) {
        selection_.apply_click(*index, toggle, range);
        push(cmd::ClickEntry{*index, toggle, range});
      }
      if (!toggle && !range) {
        const FileEntry& item = entry(*index);
        drag_ = DragCandidate{item.path.fs(), e.position, item.is_dir};
        push(cmd::ArmDrag{drag_->path, drag_->press, drag_->is_dir, keeps_selection});
      }
      return EventResult::Consumed;
    }
    case Type::PointerRelease:
      if (e.button == PointerButton::Primary) drag_.reset();
      return EventResult::Ignored;
    case Type::KeyPress:
      if (grid_ && focused_) return handle_key(e);
      return EventResult::Ignored;
    default:
      return EventResult::Ignored;
  }
}

vemo_ui::EventResult FileView::handle_key(const vemo_ui::Event& e) {
  using vemo_ui::Key;
  const std::size_t count = entries_->size();
  if (count == 0) return vemo_ui::EventResult::Ignored;
  if (e.key != Key::Up && e.key != Key::Down && e.key != Key::Left && e.key != Key::Right) {
    return vemo_ui::EventResult::Ignored;
  }
  // Alt with an arrow walks the history; that belongs to the window.
  if (e.mods.alt) return vemo_ui::EventResult::Ignored;
  const std::size_t last = count - 1;
  const std::size_t cursor = std::min(selection_.cursor().value_or(0), last);
  const std::size_t cols = std::max<std::size_t>(columns_, 1);
  std::size_t target = cursor;
  switch (e.key) {
    case Key::Down:
      target = std::min(cursor + cols, last);
      break;
    case Key::Up:
      target = cursor < cols ? 0 : cursor - cols;
      break;
    case Key::Right:
      target = std::min(cursor + 1, last);
      break;
    case Key::Left:
      target = cursor == 0 ? 0 : cursor - 1;
      break;
    default:
      break;
  }
  selection_.move_to(target, e.mods.shift);
  push(cmd::MoveSelection{target, e.mods.shift});
  return vemo_ui::EventResult::Consumed;
}

// ---- Accessibility and identified rectangles ------------------------------------------------------

std::optional<vemo_ui::a11y::AccessNode> FileView::accessibility() const {
  using vemo_ui::a11y::AccessNode;
  using vemo_ui::a11y::Role;
  const std::size_t count = entries_->size();
  const int set_size = static_cast<int>(count);
  AccessNode node(Role::List);
  node.with_name(tr("files-a11y-list"));
  node.with_bounds(visible_ ? bounds_.intersection(*visible_) : bounds_);
  node.states.focusable = true;
  node.states.focused = focused_;
  if (auto cursor = selection_.cursor(); cursor && *cursor < count) {
    node.value = entry(*cursor).name;
    node.with_position(static_cast<int>(*cursor) + 1, set_size);
  }
  node.children.reserve(count);
  const std::string folder_description = tr("files-a11y-folder");
  const bool grid = grid_;
  const GridGeometry gg = grid_geometry();
  const ListGeometry lg = list_geometry();
  for (std::size_t i = 0; i < count; ++i) {
    const FileEntry& e = entry(i);
    AccessNode item(Role::ListItem);
    item.with_name(e.name);
    item.with_bounds(grid ? gg.tile_rect(i) : lg.row_rect(i));
    item.with_position(static_cast<int>(i) + 1, set_size);
    item.states.selected = selection_.is_selected(i);
    // A plain folder's description is one catalogue text; look it up once for all of them.
    const bool plain_folder = e.is_dir && !e.collab && !e.sync;
    item.with_description(plain_folder ? folder_description : entry_description(e));
    node.children.push_back(std::move(item));
  }
  return node;
}

void FileView::identified_rects(std::vector<vemo_ui::IdentifiedRect>& out) const {
  const std::size_t count = entries_->size();
  out.reserve(out.size() + count);
  const GridGeometry gg = grid_geometry();
  const ListGeometry lg = list_geometry();
  for (std::size_t i = 0; i < count; ++i) {
    out.push_back({"file_row:" + entry(i).name, grid_ ? gg.tile_rect(i) : lg.row_rect(i)});
  }
}

}  // namespace fe
