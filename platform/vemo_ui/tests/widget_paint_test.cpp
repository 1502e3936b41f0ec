// Widgets painted into an off-screen canvas: clipping, opacity and where the ink lands.

#include <gtest/gtest.h>

#include "canvas.h"
#include "vemo_ui/status_bubble.h"
#include "vemo_ui/widgets/button.h"
#include "vemo_ui/widgets/context_menu.h"
#include "vemo_ui/widgets/empty_state.h"
#include "vemo_ui/widgets/scrollable.h"
#include "vemo_ui/widgets/spinner.h"
#include "vemo_ui/widgets/text_input.h"
#include "widget_env.h"

namespace vemo_ui {
namespace {

using testing::Canvas;
using testing::WidgetEnv;

// Fills its whole bounds, so clipping shows.
class Slab : public Widget {
 public:
  explicit Slab(double height) : height_(height) {}
  std::string_view type_name() const override { return "Slab"; }
  Size measure(LayoutContext&, const Constraints& c) override { return {c.width, height_}; }
  void draw(Painter& p, DrawContext& ctx) override {
    visible = ctx.visible;
    p.fill_rect(bounds_, Color::rgb(0xFF0000));
  }
  double height_;
  std::optional<Rect> visible;
};

// Pixels in `r` dark enough to be text on the light field.
int dark_pixels(Canvas& c, const Rect& r) {
  int n = 0;
  for (int y = static_cast<int>(r.y0); y < static_cast<int>(r.y1); ++y) {
    for (int x = static_cast<int>(r.x0); x < static_cast<int>(r.x1); ++x)
      n += c.at(x, y).a == 255 && c.at(x, y).r < 128;
  }
  return n;
}

DrawContext draw_ctx(WidgetEnv& env) {
  return {env.text, env.theme, env.services, env.now, std::nullopt};
}

TEST(WidgetPaint, ScrollableClipsToItsViewportAndReportsIt) {
  WidgetEnv env;
  Canvas canvas(200, 200, env.theme);
  auto slab = std::make_unique<Slab>(1000);
  Slab* s = slab.get();
  Scrollable scroll(std::move(slab));
  const Rect viewport{20, 30, 180, 130};
  env.lay_out(scroll, viewport);
  auto ctx = draw_ctx(env);
  scroll.draw(canvas.painter(), ctx);
  const auto ink = canvas.ink(viewport);
  EXPECT_EQ(ink.outside, 0);
  EXPECT_EQ(ink.inside, 160 * 100);
  EXPECT_EQ(s->visible, viewport);
  EXPECT_EQ(ctx.visible, std::nullopt);  // restored for the siblings
}

TEST(WidgetPaint, PillOpacityFollowsAlpha) {
  WidgetEnv env;
  const Rect pill{40, 40, 160, 70};
  int centre_alpha[3] = {};
  const double alphas[3] = {0.0, 0.5, 1.0};
  for (int i = 0; i < 3; ++i) {
    Canvas canvas(200, 120, env.theme);
    StatusBubble::draw_pill(canvas.painter(), env.text, pill, "12 items", alphas[i]);
    centre_alpha[i] = canvas.alpha(45, 55);
  }
  EXPECT_EQ(centre_alpha[0], 0);
  EXPECT_EQ(centre_alpha[2], 255);
  EXPECT_NEAR(centre_alpha[1], 128, 3);
}

TEST(WidgetPaint, PillSizeGrowsWithText) {
  WidgetEnv env;
  const Size small = StatusBubble::pill_size(env.text, "3 items", env.theme.font_small);
  const Size large = StatusBubble::pill_size(env.text, "30,000 items  ·  2 selected", env.theme.font_small);
  EXPECT_GT(large.width, small.width);
  EXPECT_EQ(large.height, small.height);
  EXPECT_GT(small.height, env.theme.font_small);
}

TEST(WidgetPaint, PrimaryButtonFillsWithAccentAndDisabledIsFainter) {
  WidgetEnv env;
  for (bool enabled : {true, false}) {
    Canvas canvas(200, 80, env.theme);
    Button b("ok", "Apply");
    b.with_style(ButtonStyle::Primary).with_size({120, 32});
    b.set_enabled(enabled);
    env.lay_out(b, Rect::from_size(20, 20, 120, 32));
    auto ctx = draw_ctx(env);
    b.draw(canvas.painter(), ctx);
    const auto px = canvas.at(24, 36);  // inside, left of the label
    if (enabled) {
      EXPECT_EQ(px.a, 255);
      EXPECT_NEAR(px.b, 0xEB, 2);
      EXPECT_NEAR(px.r, 0x2F, 2);
    } else {
      EXPECT_NEAR(px.a, 115, 3);
    }
    EXPECT_EQ(canvas.ink(Rect::from_size(18, 18, 124, 36)).outside, 0);
  }
}

TEST(WidgetPaint, MenuInkStaysNearItsRectangle) {
  WidgetEnv env;
  Canvas canvas(400, 400, env.theme);
  ContextMenu menu;
  menu.push(MenuItem::action("Open", std::int64_t{1}));
  menu.push(MenuItem::separator_line());
  menu.push(MenuItem::submenu("New File", {MenuItem::action("New Text", std::int64_t{2})}));
  menu.open_at({390, 390}, {0, 0, 400, 400}, env.text);
  auto ctx = draw_ctx(env);
  menu.draw(canvas.painter(), ctx);
  const Rect r = menu.menu_rect();
  EXPECT_EQ(canvas.alpha(static_cast<int>(r.x0) + 4, static_cast<int>(r.y0) + 4), 255);
  // Only the shadow may reach outside, and not far.
  EXPECT_EQ(canvas.ink(r.inset(-24)).outside, 0);
}

TEST(WidgetPaint, SpinnerAndEmptyStateDrawInsideTheirBoxes) {
  WidgetEnv env;
  Canvas canvas(300, 300, env.theme);
  EmptyState page("Opening folder", "Loading ~/Music");
  page.with_spinner(28);
  env.lay_out(page, {0, 0, 300, 300});
  auto ctx = draw_ctx(env);
  page.draw(canvas.painter(), ctx);
  const Rect spin = page.spinner()->bounds();
  EXPECT_EQ(spin.width(), 28);
  Canvas alone(300, 300, env.theme);
  Spinner::paint(alone.painter(), env.theme, spin, 28, env.now);
  const auto ink = alone.ink(spin.inset(-1));
  EXPECT_GT(ink.inside, 50);
  EXPECT_EQ(ink.outside, 0);
  EXPECT_GT(canvas.ink(page.title_rect().inset(-2)).inside, 0);
}

TEST(WidgetPaint, LongTextInputScrollsToKeepTheCursorInView) {
  WidgetEnv env;
  TextInput input("t", "");
  // Blank text with a visible tail: the tail shows only when the field scrolls to the end.
  input.set_text(std::string(150, ' ') + "MMMM");
  const Rect field = Rect::from_size(10, 10, 150, 34);
  const Rect right_half{90, 10, 150, 44};
  env.lay_out(input, field);
  {
    Canvas canvas(200, 60, env.theme);
    auto ctx = draw_ctx(env);
    input.draw(canvas.painter(), ctx);
    EXPECT_EQ(canvas.ink(Rect::from_size(8, 8, 154, 38)).outside, 0);
    EXPECT_GT(dark_pixels(canvas, right_half), 20);  // the Ms
  }
  input.editor().move_home(Extend::No);
  {
    Canvas canvas(200, 60, env.theme);
    Canvas bare(200, 60, env.theme);
    TextInput empty("e", "");
    env.lay_out(empty, field);
    auto ctx = draw_ctx(env);
    input.draw(canvas.painter(), ctx);
    empty.draw(bare.painter(), ctx);
    EXPECT_EQ(dark_pixels(canvas, right_half), dark_pixels(bare, right_half));  // scrolled back: no Ms
  }
}

}  // namespace
}  // namespace vemo_ui
