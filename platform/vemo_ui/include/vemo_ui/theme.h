#pragma once
// Colour roles, font sizes and spacings of the toolkit. One theme for windows, one for still images.

#include <cstdint>
#include <optional>

namespace vemo_ui {

struct Color {
  double r = 0, g = 0, b = 0, a = 1;

  static constexpr Color rgb(std::uint32_t hex, double alpha = 1.0) {
    return {((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0, (hex & 0xff) / 255.0, alpha};
  }
  constexpr Color with_alpha(double alpha) const { return {r, g, b, alpha}; }
  friend bool operator==(const Color&, const Color&) = default;
};

// Selection tier: fill and up to two outlines for a (selected, hovered) highlight.
struct SelectionTier {
  Color fill;
  std::optional<Color> outline;
  std::optional<Color> inner;
};

struct Theme {
  // Colour roles.
  Color window;        // the window ground behind every panel
  Color surface;       // headers, sidebars, badge discs
  Color panel_ground;  // menus, sheets, floating rows
  Color border;        // panel borders and separators
  Color accent;
  Color text_primary;
  Color text_secondary;
  Color text_on_accent;
  Color focus_ring;
  Color scrim;
  Color destructive;
  Color selection_fill;
  Color selection_outline;
  Color hover_fill;

  // Font sizes in points before text scaling.
  double font_body = 14;
  double font_small = 12;
  double font_caption = 11;
  double font_title = 18;

  // Spacings in logical pixels.
  double spacing = 8;
  double padding = 8;
  double margin = 12;
  double radius = 8;
  double text_field_padding = 8;

  static Theme light();
};

}  // namespace vemo_ui
