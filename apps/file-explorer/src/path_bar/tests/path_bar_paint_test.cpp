// The path bar's painting checked on real pixels: the bottom edge line and the colours of the
// hovered and the keyboard-focused breadcrumb.

#include <cairo.h>

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "path_bar/path_bar.h"
#include "vemo_ui/offscreen.h"
#include "vemo_ui/painter.h"

namespace fe {
namespace {

using vemo_ui::Event;

struct Rgb {
  int r, g, b;
};

class Pixels {
 public:
  explicit Pixels(const vemo_ui::RenderedFrame& frame) : frame_(frame) { cairo_surface_flush(frame.image.native()); }
  Rgb at(int x, int y) const {
    cairo_surface_t* s = frame_.image.native();
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    const unsigned char* px = row + x * 4;
    return {px[2], px[1], px[0]};
  }
  // The darkest grey level and the most blue-leaning pixel inside a rectangle.
  int darkest(const vemo_ui::Rect& r) const {
    int best = 255;
    for (int y = static_cast<int>(r.y0); y < static_cast<int>(r.y1); ++y) {
      for (int x = static_cast<int>(r.x0); x < static_cast<int>(r.x1); ++x) {
        const Rgb p = at(x, y);
        best = std::min(best, std::max({p.r, p.g, p.b}));
      }
    }
    return best;
  }
  int bluest(const vemo_ui::Rect& r) const {
    int best = -255;
    for (int y = static_cast<int>(r.y0); y < static_cast<int>(r.y1); ++y) {
      for (int x = static_cast<int>(r.x0); x < static_cast<int>(r.x1); ++x) {
        const Rgb p = at(x, y);
        best = std::max(best, p.b - p.r);
      }
    }
    return best;
  }

 private:
  const vemo_ui::RenderedFrame& frame_;
};

int channel(double v) {
  return static_cast<int>(v * 255 + 0.5);
}

class PathBarPaintTest : public ::testing::Test {
 protected:
  PathBarPaintTest() { bar_.refresh("/srv/projects/alpha", std::nullopt, {}); }

  vemo_ui::RenderedFrame render() {
    auto frame = renderer_.render_resilient(bar_, {600, PathBar::kHeight});
    if (!frame) std::abort();
    return std::move(*frame);
  }
  vemo_ui::Rect chip_rect(std::size_t segment) const {
    for (const auto& c : bar_.chips()) {
      if (c.kind == ChipKind::Text && c.segment == segment) return c.rect;
    }
    return {};
  }
  void send(const Event& e) {
    vemo_ui::EventContext ctx{renderer_.text(), renderer_.theme(), renderer_.services(), vemo_ui::Clock::now(),
                              std::nullopt};
    bar_.handle_event(e, ctx);
  }

  vemo_ui::OffscreenRenderer renderer_{vemo_ui::Theme::light()};
  SharedCommandQueue commands_ = std::make_shared<CommandQueue>();
  PathBar bar_{commands_};
};

TEST_F(PathBarPaintTest, BottomEdgeLineUsesTheEdgeColour) {
  const auto frame = render();
  const Pixels px(frame);
  const auto& theme = renderer_.theme();
  const auto edge = vemo_ui::surface::edge_on(theme, theme.window);
  for (int x : {0, 300, 599}) {
    const Rgb p = px.at(x, 33);
    EXPECT_NEAR(p.r, channel(edge.r), 2) << x;
    EXPECT_NEAR(p.g, channel(edge.g), 2) << x;
    EXPECT_NEAR(p.b, channel(edge.b), 2) << x;
  }
  // The row above it is the window ground at the far right, where no chip reaches.
  const Rgb above = px.at(598, 32);
  EXPECT_EQ(above.r, channel(theme.window.r));
}

TEST_F(PathBarPaintTest, HoveredChipIsDrawnInThePrimaryColourAndOthersInTheSecondary) {
  render();
  const auto target = chip_rect(1).inset(0, 8);
  ASSERT_TRUE(target.is_valid());
  const int secondary = channel(renderer_.theme().text_secondary.r);
  const int primary = channel(renderer_.theme().text_primary.r);
  {
    const auto frame = render();
    EXPECT_GE(Pixels(frame).darkest(target), secondary - 12);
  }
  send(Event::pointer(Event::Type::PointerMove, target.center()));
  ASSERT_TRUE(bar_.hovered_chip());
  const auto frame = render();
  const Pixels px(frame);
  EXPECT_LE(px.darkest(target), primary + 30);
  // The neighbour stays secondary.
  EXPECT_GE(px.darkest(chip_rect(2).inset(0, 8)), secondary - 12);
}

TEST_F(PathBarPaintTest, FocusedSegmentIsDrawnInTheAccentColour) {
  render();
  const auto target = chip_rect(2).inset(0, 8);
  {
    const auto frame = render();
    EXPECT_LT(Pixels(frame).bluest(target), 30);
  }
  bar_.set_focus(true);
  // Focus arrives on the last of "/", srv, projects, alpha; Left moves it to "projects".
  send(Event::key_press(vemo_ui::Key::Left));
  ASSERT_EQ(bar_.focused_segment(), 2u);
  const auto frame = render();
  EXPECT_GT(Pixels(frame).bluest(target), 80);
}

}  // namespace
}  // namespace fe
