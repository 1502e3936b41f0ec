#include "vemo_ui/status_bubble.h"

#include <gtest/gtest.h>

#include <chrono>

namespace vemo_ui {
namespace {

using namespace std::chrono_literals;
using Clock = StatusBubble::Clock;

const Clock::time_point t0 = Clock::time_point{} + 1000s;

TEST(StatusBubble, HiddenUntilPoked) {
  StatusBubble b;
  EXPECT_FALSE(b.is_visible(t0));
  EXPECT_EQ(b.alpha(t0), 0);
  EXPECT_FALSE(b.needs_frame(t0));
  EXPECT_EQ(b.next_deadline(t0), std::nullopt);
}

TEST(StatusBubble, AlphaOverTime) {
  struct Case {
    Clock::duration after;
    double alpha;
    bool needs_frame;
    bool has_deadline;
  };
  const Case cases[] = {
      {0ms, 1.0, false, true},     {2499ms, 1.0, false, true}, {2500ms, 1.0, true, false},
      {2625ms, 0.75, true, false}, {2750ms, 0.5, true, false}, {2999ms, 0.002, true, false},
      {3000ms, 0.0, false, false}, {60s, 0.0, false, false},
  };
  StatusBubble b;
  b.poke(t0);
  for (const Case& c : cases) {
    const auto now = t0 + c.after;
    SCOPED_TRACE(std::chrono::duration_cast<std::chrono::milliseconds>(c.after).count());
    EXPECT_NEAR(b.alpha(now), c.alpha, 1e-9);
    EXPECT_EQ(b.is_visible(now), c.alpha > 0);
    EXPECT_EQ(b.needs_frame(now), c.needs_frame);
    EXPECT_EQ(b.next_deadline(now).has_value(), c.has_deadline);
    if (c.has_deadline) {
      EXPECT_EQ(*b.next_deadline(now), t0 + StatusBubble::kHold);
    }
  }
}

TEST(StatusBubble, PokeRestartsTheHold) {
  StatusBubble b;
  b.poke(t0);
  b.poke(t0 + 2s);
  EXPECT_EQ(b.alpha(t0 + 4s), 1.0);
  EXPECT_EQ(b.next_deadline(t0 + 4s), t0 + 2s + StatusBubble::kHold);
  EXPECT_EQ(b.alpha(t0 + 5s), 0.0);
}

TEST(StatusBubble, HoverKeepsItVisibleAndLeavingRestartsTheHold) {
  StatusBubble b;
  b.poke(t0);
  b.set_hover(true, t0 + 2700ms);  // caught while fading
  EXPECT_EQ(b.alpha(t0 + 10s), 1.0);
  EXPECT_FALSE(b.needs_frame(t0 + 10s));
  EXPECT_EQ(b.next_deadline(t0 + 10s), std::nullopt);  // nothing to wake for while hovered
  b.set_hover(false, t0 + 10s);
  EXPECT_EQ(b.alpha(t0 + 12s), 1.0);
  EXPECT_NEAR(b.alpha(t0 + 10s + 2750ms), 0.5, 1e-9);
  EXPECT_EQ(b.alpha(t0 + 13s), 0.0);
}

TEST(StatusBubble, HoveringAHiddenPillDoesNotShowIt) {
  StatusBubble b;
  b.poke(t0);
  b.set_hover(true, t0 + 5s);
  EXPECT_FALSE(b.is_visible(t0 + 5s));
  b.set_hover(false, t0 + 6s);
  EXPECT_FALSE(b.is_visible(t0 + 6s));
}

TEST(StatusBubble, PokeWhileHoveredStaysUntilLeave) {
  StatusBubble b;
  b.set_hover(true, t0);
  b.poke(t0 + 1s);
  EXPECT_EQ(b.alpha(t0 + 30s), 1.0);
  b.hide();
  EXPECT_FALSE(b.is_visible(t0 + 30s));
}

}  // namespace
}  // namespace vemo_ui
