#pragma once
// A static one-line label, cut with "…" when it is wider than its bounds.

#include <string>

#include "vemo_ui/text.h"
#include "vemo_ui/widget.h"

namespace vemo_ui {

enum class FontRole : unsigned char { Body, Small, Caption, Title };
enum class ColorRole : unsigned char { Primary, Secondary, Accent, OnAccent, Destructive };
enum class TextAlign : unsigned char { Start, Center, End };

double font_size_for(const Theme& theme, FontRole role);
Color color_for(const Theme& theme, ColorRole role);

class Text : public Widget {
 public:
  explicit Text(std::string text, FontRole font = FontRole::Body, ColorRole color = ColorRole::Primary);

  Text& with_weight(FontWeight weight);
  Text& with_align(TextAlign align);
  // Reports the label as a heading rather than plain text.
  Text& as_heading(bool heading = true);
  const std::string& text() const { return text_; }
  void set_text(std::string text) { text_ = std::move(text); }

  std::string_view type_name() const override { return "Text"; }
  Size measure(LayoutContext& ctx, const Constraints& c) override;
  void draw(Painter& p, DrawContext& ctx) override;
  std::optional<a11y::AccessNode> accessibility() const override;

 private:
  std::string text_;
  FontRole font_;
  ColorRole color_;
  FontWeight weight_ = FontWeight::Regular;
  TextAlign align_ = TextAlign::Start;
  bool heading_ = false;
};

}  // namespace vemo_ui
