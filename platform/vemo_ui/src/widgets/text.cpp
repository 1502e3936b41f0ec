#include "vemo_ui/widgets/text.h"

#include <algorithm>
#include <cmath>

#include "vemo_ui/painter.h"
#include "vemo_ui/widgets/elide.h"

namespace vemo_ui {

double font_size_for(const Theme& theme, FontRole role) {
  switch (role) {
    case FontRole::Small:
      return theme.font_small;
    case FontRole::Caption:
      return theme.font_caption;
    case FontRole::Title:
      return theme.font_title;
    case FontRole::Body:
      break;
  }
  return theme.font_body;
}

Color color_for(const Theme& theme, ColorRole role) {
  switch (role) {
    case ColorRole::Secondary:
      return theme.text_secondary;
    case ColorRole::Accent:
      return theme.accent;
    case ColorRole::OnAccent:
      return theme.text_on_accent;
    case ColorRole::Destructive:
      return theme.destructive;
    case ColorRole::Primary:
      break;
  }
  return theme.text_primary;
}

Text::Text(std::string text, FontRole font, ColorRole color) : text_(std::move(text)), font_(font), color_(color) {}

Text& Text::with_weight(FontWeight weight) {
  weight_ = weight;
  return *this;
}
Text& Text::with_align(TextAlign align) {
  align_ = align;
  return *this;
}
Text& Text::as_heading(bool heading) {
  heading_ = heading;
  return *this;
}

Size Text::measure(LayoutContext& ctx, const Constraints& c) {
  const Size t = ctx.text.measure(text_.empty() ? std::string_view("Ag") : std::string_view(text_),
                                  font_size_for(ctx.theme, font_), weight_);
  const double width = text_.empty() ? 0 : std::ceil(t.width);
  return {c.mode == Constraints::Mode::Definite ? c.width : std::min(width, std::max(c.width, 0.0)),
          std::ceil(t.height)};
}

void Text::draw(Painter& p, DrawContext& ctx) {
  if (text_.empty() || bounds_.width() <= 0) return;
  const double size = font_size_for(ctx.theme, font_);
  const std::string shown = elide_end(ctx.text, text_, size, bounds_.width(), weight_);
  const Size t = ctx.text.measure(shown, size, weight_);
  double x = bounds_.x0;
  if (align_ == TextAlign::Center) x += (bounds_.width() - t.width) / 2;
  if (align_ == TextAlign::End) x = bounds_.x1 - t.width;
  const double y = bounds_.y0 + (bounds_.height() - t.height) / 2;
  ctx.text.draw_text(p, shown, {x, y}, size, color_for(ctx.theme, color_), weight_);
}

std::optional<a11y::AccessNode> Text::accessibility() const {
  if (text_.empty()) return std::nullopt;
  a11y::AccessNode node(heading_ ? a11y::Role::Heading : a11y::Role::Label);
  node.with_name(text_).with_bounds(bounds_);
  return node;
}

}  // namespace vemo_ui
