#include "vemo_ui/theme.h"

namespace vemo_ui {

// Neutral greys with one blue accent. The window ground is a shade darker than the panels so
// that sidebars and cards read as raised without heavy borders.
Theme Theme::light() {
  Theme t;
  t.window = Color::rgb(0xF6F7F9);
  t.surface = Color::rgb(0xEEF0F3);
  t.panel_ground = Color::rgb(0xFFFFFF);
  t.border = Color::rgb(0xD9DDE3);
  t.accent = Color::rgb(0x2F6FEB);
  t.text_primary = Color::rgb(0x1C2026);
  t.text_secondary = Color::rgb(0x646B76);
  t.text_on_accent = Color::rgb(0xFFFFFF);
  t.focus_ring = Color::rgb(0x2F6FEB, 0.85);
  t.scrim = Color::rgb(0x10141A, 0.32);
  t.destructive = Color::rgb(0xD13438);
  t.selection_fill = Color::rgb(0x2F6FEB, 0.14);
  t.selection_outline = Color::rgb(0x2F6FEB, 0.45);
  t.hover_fill = Color::rgb(0x1C2026, 0.06);

  t.font_body = 14;
  t.font_small = 12;
  t.font_caption = 11;
  t.font_title = 18;

  t.spacing = 8;
  t.padding = 8;
  t.margin = 12;
  t.radius = 8;
  t.text_field_padding = 8;
  return t;
}

}  // namespace vemo_ui
