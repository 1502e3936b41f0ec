#include "path_bar/path_bar.h"

#include <algorithm>
#include <utility>

#include "i18n/i18n.h"
#include "model/utf8.h"
#include "places/places.h"
#include "vemo_ui/icons.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"

namespace fe {
namespace {

using vemo_ui::Event;
using vemo_ui::EventResult;
using vemo_ui::Key;

// Breadcrumb text sits slightly above the geometric centre so that it lines up with the glyph.
constexpr double kBaselineShift = -0.2;

vemo_ui::icons::Icon glyph_icon(PlaceGlyph glyph) {
  switch (glyph) {
    case PlaceGlyph::Workspace:
      return vemo_ui::icons::Icon::Workspace;
    case PlaceGlyph::Root:
      return vemo_ui::icons::Icon::Root;
    case PlaceGlyph::Home:
      break;
  }
  return vemo_ui::icons::Icon::Home;
}

}  // namespace

PathBar::PathBar(SharedCommandQueue commands)
    : commands_(std::move(commands)), field_(kInputId, tr("files-path-placeholder"), [this](const std::string& text) {
        std::vector<vemo_ui::Completion> out;
        for (auto& c : path_completions(text, home_)) {
          out.push_back({std::move(c.name), c.path.native(), c.is_dir});
        }
        return out;
      }) {
  field_.with_accessible_name(tr("files-path-placeholder"));
}

void PathBar::refresh(const std::filesystem::path& current, const std::optional<std::filesystem::path>& home,
                      std::vector<std::filesystem::path> roots) {
  current_ = current;
  home_ = home;
  roots_ = std::move(roots);
  if (!editing_) rebuild_segments();
}

void PathBar::rebuild_segments() {
  segments_ = breadcrumb_segments(current_, home_, roots_);
  chips_.clear();
  hovered_.reset();
  if (focused_segment_ && *focused_segment_ >= segments_.size()) focused_segment_.reset();
  if (focused_ && !focused_segment_ && !segments_.empty()) focused_segment_ = segments_.size() - 1;
}

void PathBar::begin_editing() {
  edit_request_ = false;
  if (editing_) return;
  editing_ = true;
  path_before_editing_ = current_;
  hovered_.reset();
  field_.set_text(path_display_form(current_, home_));
  field_.begin_editing();
}

void PathBar::end_editing() {
  edit_request_ = false;
  if (!editing_) return;
  editing_ = false;
  field_.end_editing();
  field_.set_text({});
  rebuild_segments();
}

std::vector<vemo_ui::Widget*> PathBar::children_mut() {
  if (editing_) return {&field_};
  return {};
}

vemo_ui::Size PathBar::measure(vemo_ui::LayoutContext&, const vemo_ui::Constraints& c) {
  return {c.width, kHeight};
}

void PathBar::apply_layout(vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& bounds) {
  bounds_ = bounds;
  // The field leaves the bottom edge line visible.
  field_.apply_layout(ctx, {bounds.x0, bounds.y0, bounds.x1, std::max(bounds.y0, bounds.y1 - 1)});
  lay_out_chips(ctx.text);
}

void PathBar::lay_out_chips(vemo_ui::TextRenderer& text) {
  chips_ = layout_chips(segments_, bounds_, [&text](std::string_view s) { return text.measure(s, kFontSize).width; });
  if (hovered_ && *hovered_ >= chips_.size()) hovered_.reset();
}

std::size_t PathBar::effective_focus() const {
  if (focused_segment_ && *focused_segment_ < segments_.size()) return *focused_segment_;
  return segments_.empty() ? 0 : segments_.size() - 1;
}

void PathBar::draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  const auto& theme = ctx.theme;
  if (!bounds_.is_valid()) return;
  if (editing_) {
    field_.draw(p, ctx);
  } else {
    lay_out_chips(ctx.text);
    const double separator_width = ctx.text.measure(ChipMetrics::kSeparator, kFontSize).width;
    const double shift = kBaselineShift * kFontSize * ctx.text.text_scale();
    const double mid = (bounds_.y0 + bounds_.y1) / 2;
    const PlaceGlyph glyph = segments_.empty() ? PlaceGlyph::Root : place_glyph(segments_.front().path, roots_);
    p.save();
    p.clip(bounds_);
    for (std::size_t i = 0; i < chips_.size(); ++i) {
      const auto& chip = chips_[i];
      if (chip.hidden) continue;
      const bool hovered = hovered_ == i;
      if (chip.separator_before) {
        const auto size = ctx.text.measure(ChipMetrics::kSeparator, kFontSize);
        ctx.text.draw_text(p, ChipMetrics::kSeparator,
                           {separator_x(chip, separator_width), mid - size.height / 2 + shift}, kFontSize,
                           theme.text_secondary);
      }
      switch (chip.kind) {
        case ChipKind::Glyph: {
          const double half = ChipMetrics::kGlyphSize / 2;
          vemo_ui::icons::draw_icon(p, glyph_icon(glyph), {chip.rect.x0, mid - half, chip.rect.x1, mid + half},
                                    hovered ? theme.text_primary : theme.text_secondary);
          break;
        }
        case ChipKind::Text:
        case ChipKind::Ellipsis: {
          std::string_view label = ChipMetrics::kEllipsis;
          if (chip.segment && *chip.segment < segments_.size()) label = segments_[*chip.segment].label;
          vemo_ui::Color color = theme.text_secondary;
          if (hovered) {
            color = theme.text_primary;
          } else if (focused_ && chip.segment && *chip.segment == effective_focus()) {
            color = theme.accent;
          }
          const auto size = ctx.text.measure(label, kFontSize);
          ctx.text.draw_text(p, label, {chip.rect.x0, mid - size.height / 2 + shift}, kFontSize, color);
          break;
        }
      }
    }
    p.restore();
  }
  const double y = bounds_.y1 - 0.5;
  p.line({bounds_.x0, y}, {bounds_.x1, y}, vemo_ui::surface::edge_on(theme, theme.window), 1);
}

void PathBar::draw_overlay(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  if (editing_) field_.draw_overlay(p, ctx);
}

vemo_ui::EventResult PathBar::handle_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) {
  const EventResult result = editing_ ? handle_editing_event(e, ctx) : handle_breadcrumb_event(e, ctx);
  if (edit_request_) {
    begin_editing();
    ctx.request_focus(kInputId);
  }
  return result;
}

vemo_ui::EventResult PathBar::handle_editing_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) {
  EventResult result = field_.handle_event(e, ctx);
  if (auto submitted = field_.take_submitted()) {
    commands_->push(cmd::OpenPath{tidy_location(resolve_typed_path(*submitted, home_, path_before_editing_))});
    end_editing();
    ctx.request_focus(kId);
    return EventResult::Consumed;
  }
  if (field_.take_cancelled()) {
    end_editing();
    ctx.request_focus(kId);
    return EventResult::Consumed;
  }
  return result;
}

vemo_ui::EventResult PathBar::handle_breadcrumb_event(const vemo_ui::Event& e, vemo_ui::EventContext&) {
  switch (e.type) {
    case Event::Type::PointerMove:
      hovered_ = bounds_.contains(e.position) ? chip_at(chips_, e.position) : std::nullopt;
      return EventResult::Ignored;
    case Event::Type::PointerLeave:
      hovered_.reset();
      return EventResult::Ignored;
    case Event::Type::PointerPress: {
      if (e.button != vemo_ui::PointerButton::Primary || !bounds_.contains(e.position)) return EventResult::Ignored;
      hovered_ = chip_at(chips_, e.position);
      if (hovered_) {
        const auto& chip = chips_[*hovered_];
        if (chip.segment && *chip.segment < segments_.size()) {
          commands_->push(cmd::NavigateTo{segments_[*chip.segment].path});
        }
      } else if (!std::ranges::any_of(chips_, [&](const BreadcrumbChip& c) {
                   return c.kind == ChipKind::Ellipsis && c.rect.contains(e.position);
                 })) {
        // Beside the chips the bar turns into the field; the "…" chip itself does nothing.
        edit_request_ = true;
      }
      return EventResult::Consumed;
    }
    case Event::Type::KeyPress: {
      if (!focused_ || segments_.empty() || e.mods.any_command() || e.mods.alt) return EventResult::Ignored;
      const std::size_t last = segments_.size() - 1;
      const std::size_t at = effective_focus();
      switch (e.key) {
        case Key::Left:
          focused_segment_ = at == 0 ? 0 : at - 1;
          return EventResult::Consumed;
        case Key::Right:
          focused_segment_ = std::min(at + 1, last);
          return EventResult::Consumed;
        case Key::Home:
          focused_segment_ = 0;
          return EventResult::Consumed;
        case Key::End:
          focused_segment_ = last;
          return EventResult::Consumed;
        case Key::Enter:
          if (!e.repeat) activate_segment(at);
          return EventResult::Consumed;
        default:
          return EventResult::Ignored;
      }
    }
    default:
      return EventResult::Ignored;
  }
}

void PathBar::activate_segment(std::size_t index) {
  if (index >= segments_.size()) return;
  if (index + 1 < segments_.size()) {
    commands_->push(cmd::NavigateTo{segments_[index].path});
  } else {
    edit_request_ = true;
  }
}

void PathBar::set_focus(bool focused) {
  focused_ = focused;
  if (focused && !focused_segment_ && !segments_.empty()) focused_segment_ = segments_.size() - 1;
}

bool PathBar::perform_action(vemo_ui::a11y::ActionRequest request) {
  if (editing_) return field_.perform_action(request);
  switch (request) {
    case vemo_ui::a11y::ActionRequest::Default:
      if (segments_.empty()) return false;
      activate_segment(effective_focus());
      if (edit_request_) begin_editing();
      return true;
    case vemo_ui::a11y::ActionRequest::Focus:
      set_focus(true);
      return true;
    case vemo_ui::a11y::ActionRequest::ContextMenu:
      break;
  }
  return false;
}

std::optional<vemo_ui::a11y::AccessNode> PathBar::accessibility() const {
  using vemo_ui::a11y::AccessNode;
  using vemo_ui::a11y::Role;
  if (editing_) return std::nullopt;
  AccessNode node(Role::Group);
  node.with_name(tr("files-a11y-breadcrumbs")).with_bounds(bounds_).with_id(kId);
  if (focused_segment_ && *focused_segment_ < segments_.size()) node.value = segments_[*focused_segment_].label;
  node.states.focusable = true;
  node.states.focused = focused_;
  const int count = static_cast<int>(segments_.size());
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    const auto& segment = segments_[i];
    const std::string path = utf8_lossy(segment.path.native());
    const bool current = i + 1 == segments_.size();
    AccessNode child(current ? Role::Label : Role::Link);
    child.with_name(segment.label).with_position(static_cast<int>(i) + 1, count);
    if (current) {
      child.with_description(tr_args("files-a11y-current-breadcrumb", {{"path", path}}));
      child.states.selected = true;
    } else {
      child.with_description(tr_args("files-a11y-open-folder", {{"path", path}}));
    }
    for (const auto& chip : chips_) {
      if (chip.kind == ChipKind::Text && chip.segment == i && !chip.hidden) child.with_bounds(chip.rect);
    }
    child.states.focusable = true;
    child.states.focused = focused_ && focused_segment_ == i;
    node.children.push_back(std::move(child));
  }
  return node;
}

void PathBar::identified_rects(std::vector<vemo_ui::IdentifiedRect>& out) const {
  out.push_back({kId, bounds_});
  if (editing_) field_.identified_rects(out);
}

}  // namespace fe
