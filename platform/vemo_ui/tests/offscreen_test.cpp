// One frame without a window (sync, rebuild, layout, draw), PNG encoding and the atomic file write.

#include <cairo.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../src/frame.h"
#include "vemo_ui/offscreen.h"

namespace vemo_ui {
namespace {

namespace fs = std::filesystem;

constexpr Color mark = Color::rgb(0xFF0000);

// Records what the frame asked of it and paints its bounds inset by 10 in `mark`.
class ProbeWidget : public Widget {
 public:
  std::string_view type_name() const override { return "Probe"; }
  void set_interaction_environment(Services& s) override {
    ++environments;
    services = &s;
  }
  void sync(SyncContext&) override { order += "s"; }
  void build_layout(LayoutContext&) override { order += "b"; }
  Size measure(LayoutContext& ctx, const Constraints& c) override {
    order += "m";
    last_constraint = c;
    viewport = ctx.viewport;
    return natural;
  }
  void apply_layout(LayoutContext&, const Rect& r) override {
    order += "a";
    bounds_ = r;
    if (dirty_on_placements > 0) {
      --dirty_on_placements;
      dirty = true;
    }
  }
  void draw(Painter& p, DrawContext& ctx) override {
    order += "d";
    visible = ctx.visible;
    p.fill_rect(bounds_.inset(10), mark);
  }
  bool take_structure_dirty() override {
    ++dirty_asks;
    return std::exchange(dirty, false);
  }

  std::string order;
  int environments = 0;
  int dirty_asks = 0;
  bool dirty = false;
  int dirty_on_placements = 0;  // placements that find the structure stale, like a toolbar turning compact
  Services* services = nullptr;
  Size natural{100, 40};
  Constraints last_constraint;
  Size viewport;
  std::optional<Rect> visible;
};

std::uint32_t pixel(const RenderedFrame& f, int x, int y) {
  cairo_surface_t* s = f.image.native();
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  return *reinterpret_cast<const std::uint32_t*>(data + y * cairo_image_surface_get_stride(s) + x * 4);
}

std::uint32_t argb(Color c) {
  auto ch = [](double v) { return static_cast<std::uint32_t>(std::lround(v * 255)); };
  return (ch(c.a) << 24) | (ch(c.r) << 16) | (ch(c.g) << 8) | ch(c.b);
}

TEST(OffscreenFrame, RendersTheRootOverTheWindowGround) {
  const Theme theme = Theme::light();
  OffscreenRenderer renderer(theme);
  ProbeWidget root;
  auto frame = renderer.render_resilient(root, Size{120, 60});
  ASSERT_TRUE(frame) << frame.error().message;
  EXPECT_EQ(frame->width, 120);
  EXPECT_EQ(frame->height, 60);
  EXPECT_EQ(frame->image.width(), 120);
  EXPECT_EQ(frame->image.height(), 60);
  EXPECT_EQ(pixel(*frame, 2, 2), argb(theme.window));
  EXPECT_EQ(pixel(*frame, 60, 30), argb(mark));
  EXPECT_EQ(root.bounds(), (Rect{0, 0, 120, 60}));
  ASSERT_TRUE(root.visible);
  EXPECT_EQ(*root.visible, (Rect{0, 0, 120, 60}));
}

TEST(OffscreenFrame, StepsRunInOrderAndRebuildOnlyWhenDirty) {
  OffscreenRenderer renderer(Theme::light());
  ProbeWidget root;
  ASSERT_TRUE(renderer.render_resilient(root, Size{80, 50}));
  EXPECT_EQ(root.order, "sbmad");  // the first frame always builds
  EXPECT_EQ(root.environments, 1);
  EXPECT_EQ(root.services, &renderer.services());

  root.order.clear();
  ASSERT_TRUE(renderer.render_resilient(root, Size{80, 50}));
  EXPECT_EQ(root.order, "smad");

  root.order.clear();
  root.dirty = true;
  ASSERT_TRUE(renderer.layout(root, Size{80, 50}));
  EXPECT_EQ(root.order, "sbma");
  EXPECT_FALSE(root.dirty);
  EXPECT_EQ(root.dirty_asks, 6) << "asked before building and again after placing, each frame";
  EXPECT_EQ(root.environments, 1);
}

TEST(OffscreenFrame, PlacementThatStalesTheStructureRebuildsWithinTheFrame) {
  OffscreenRenderer renderer(Theme::light());
  ProbeWidget root;
  root.dirty_on_placements = 1;
  ASSERT_TRUE(renderer.render_resilient(root, Size{80, 50}));
  EXPECT_EQ(root.order, "sbmabmad");
  EXPECT_FALSE(root.dirty);

  // A widget that stales itself at every placement gets one extra pass, not a loop.
  root.order.clear();
  root.dirty_on_placements = 100;
  ASSERT_TRUE(renderer.render_resilient(root, Size{80, 50}));
  EXPECT_EQ(root.order, "smabmad");
  EXPECT_TRUE(root.dirty) << "left for the next frame";
}

TEST(OffscreenFrame, MeasuresWithTheViewportWidth) {
  OffscreenRenderer renderer(Theme::light(), 1.25);
  ProbeWidget root;
  ASSERT_TRUE(renderer.layout(root, Size{321, 200}));
  EXPECT_EQ(root.last_constraint.mode, Constraints::Mode::Definite);
  EXPECT_DOUBLE_EQ(root.last_constraint.width, 321);
  EXPECT_EQ(root.viewport, (Size{321, 200}));
  EXPECT_DOUBLE_EQ(renderer.text().text_scale(), 1.25);
}

TEST(OffscreenFrame, ScaleFactorMultipliesThePixels) {
  OffscreenRenderer renderer(Theme::light(), 1.0, 2.0);
  ProbeWidget root;
  auto frame = renderer.render_resilient(root, Size{50, 30});
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width, 100);
  EXPECT_EQ(frame->height, 60);
  EXPECT_EQ(root.bounds(), (Rect{0, 0, 50, 30}));  // layout stays logical
  EXPECT_EQ(pixel(*frame, 21, 21), argb(mark));    // logical (10, 10) is pixel (20, 20)
  EXPECT_NE(pixel(*frame, 19, 19), argb(mark));
}

TEST(OffscreenFrame, LayoutErrorsDrawNothing) {
  struct Case {
    const char* name;
    Size viewport;
    Size natural;
    const char* message_part;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"zero width", {0, 100}, {10, 10}, "no area"},
      {"negative height", {100, -5}, {10, 10}, "no area"},
      {"unbounded height", {100, 100}, {100, inf}, "not finite"},
      {"NaN width", {100, 100}, {nan, 10}, "not finite"},
  };
  for (const Case& c : cases) {
    OffscreenRenderer renderer(Theme::light());
    ProbeWidget root;
    root.natural = c.natural;
    auto frame = renderer.render_resilient(root, c.viewport);
    ASSERT_FALSE(frame) << c.name;
    EXPECT_NE(frame.error().message.find(c.message_part), std::string::npos) << c.name << ": " << frame.error().message;
    EXPECT_EQ(root.order.find('d'), std::string::npos) << c.name;
    EXPECT_EQ(root.order.find('a'), std::string::npos) << c.name;
  }
}

TEST(OffscreenFrame, PixelSizeRoundsUpAndRefusesHugeFrames) {
  auto px = detail::frame_pixel_size(Size{100.2, 50}, 1.5);
  ASSERT_TRUE(px);
  EXPECT_EQ(px->width, 151);
  EXPECT_EQ(px->height, 75);
  EXPECT_FALSE(detail::frame_pixel_size(Size{40000, 10}, 1.0));
  EXPECT_FALSE(detail::frame_pixel_size(Size{10, 10}, 0.0));
  EXPECT_FALSE(detail::frame_pixel_size(Size{0.0000001, 10}, 1.0));
}

TEST(OffscreenFrame, FrameSurfaceHandsOverItsPixels) {
  auto surface = detail::FrameSurface::create(16, 8);
  ASSERT_TRUE(surface);
  EXPECT_EQ(surface->width(), 16);
  EXPECT_GE(surface->stride(), 64);
  ASSERT_NE(surface->data(), nullptr);
  detail::FrameSurface moved = std::move(*surface);
  EXPECT_TRUE(surface->empty());
  Image image = moved.release();
  EXPECT_TRUE(moved.empty());
  EXPECT_EQ(image.width(), 16);
  EXPECT_EQ(image.height(), 8);
  EXPECT_FALSE(detail::FrameSurface::create(0, 8));
}

// ---- PNG ------------------------------------------------------------------------------------

struct ReadCursor {
  const std::vector<std::uint8_t>* bytes;
  std::size_t at = 0;
};

cairo_status_t read_png(void* closure, unsigned char* data, unsigned int length) {
  auto* cur = static_cast<ReadCursor*>(closure);
  if (cur->at + length > cur->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  std::copy_n(cur->bytes->data() + cur->at, length, data);
  cur->at += length;
  return CAIRO_STATUS_SUCCESS;
}

TEST(OffscreenPng, EncodedFrameDecodesToTheSamePixels) {
  OffscreenRenderer renderer(Theme::light());
  ProbeWidget root;
  auto frame = renderer.render_resilient(root, Size{64, 48});
  ASSERT_TRUE(frame);
  auto png = OffscreenRenderer::encode_png(*frame);
  ASSERT_TRUE(png) << png.error();
  ASSERT_GT(png->size(), 8u);
  EXPECT_EQ((*png)[0], 0x89);
  EXPECT_EQ((*png)[1], 'P');

  ReadCursor cursor{&*png};
  cairo_surface_t* decoded = cairo_image_surface_create_from_png_stream(read_png, &cursor);
  ASSERT_EQ(cairo_surface_status(decoded), CAIRO_STATUS_SUCCESS);
  const RenderedFrame back{Image::adopt(decoded), 64, 48};
  EXPECT_EQ(back.image.width(), 64);
  EXPECT_EQ(back.image.height(), 48);
  for (auto [x, y] : {std::pair{1, 1}, {32, 24}, {63, 47}, {10, 10}}) {
    EXPECT_EQ(pixel(back, x, y), pixel(*frame, x, y)) << x << "," << y;
  }
}

TEST(OffscreenPng, EmptyFrameIsAnError) {
  auto png = OffscreenRenderer::encode_png(RenderedFrame{});
  ASSERT_FALSE(png);
  EXPECT_NE(png.error().find("no image"), std::string::npos);
}

// ---- write_file_atomic ----------------------------------------------------------------------

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "vemo-ui-offscreen-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string read_all(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> names_in(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::ranges::sort(names);
  return names;
}

std::vector<std::uint8_t> bytes_of(std::string_view s) {
  return {s.begin(), s.end()};
}

TEST(OffscreenWrite, CreatesMissingParentFolders) {
  TempDir tmp;
  ASSERT_FALSE(tmp.path().empty());
  const fs::path target = tmp.path() / "shots" / "day" / "frame.png";
  ASSERT_TRUE(write_file_atomic(target, bytes_of("pixels")));
  EXPECT_EQ(read_all(target), "pixels");
  EXPECT_EQ(names_in(target.parent_path()), std::vector<std::string>{"frame.png"});
}

TEST(OffscreenWrite, ReplacesTheWholeFileAndLeavesNoTemporary) {
  TempDir tmp;
  const fs::path target = tmp.path() / "state.json";
  ASSERT_TRUE(write_file_atomic(target, bytes_of(std::string(4096, 'x'))));
  ASSERT_TRUE(write_file_atomic(target, bytes_of("{}")));
  EXPECT_EQ(read_all(target), "{}");
  EXPECT_EQ(fs::file_size(target), 2u);
  ASSERT_TRUE(write_file_atomic(target, {}));
  EXPECT_EQ(fs::file_size(target), 0u);
  EXPECT_EQ(names_in(tmp.path()), std::vector<std::string>{"state.json"});
}

TEST(OffscreenWrite, ReportsFailuresWithThePathAndTheReason) {
  TempDir tmp;
  const fs::path plain_file = tmp.path() / "x";
  ASSERT_TRUE(write_file_atomic(plain_file, bytes_of("a file, not a folder")));
  const fs::path taken_by_folder = tmp.path() / "folder";
  fs::create_directory(taken_by_folder);
  fs::create_directory(taken_by_folder / "inside");

  struct Case {
    const char* name;
    fs::path target;
    const char* reason;
  };
  const Case cases[] = {
      {"parent is a file", plain_file / "file", "Not a directory"},
      {"grandparent is a file", plain_file / "deeper" / "file", "Not a directory"},
      {"target is a non-empty folder", taken_by_folder, "rename"},
      {"no file name", tmp.path() / "", "not a file name"},
  };
  for (const Case& c : cases) {
    auto written = write_file_atomic(c.target, bytes_of("data"));
    ASSERT_FALSE(written) << c.name;
    EXPECT_NE(written.error().find(c.target.string()), std::string::npos) << c.name << ": " << written.error();
    EXPECT_NE(written.error().find(c.reason), std::string::npos) << c.name << ": " << written.error();
  }
  // The failed rename removed its temporary file; the folder and the file are untouched.
  EXPECT_EQ(names_in(tmp.path()), (std::vector<std::string>{"folder", "x"}));
  EXPECT_EQ(read_all(plain_file), "a file, not a folder");
  EXPECT_TRUE(fs::is_directory(taken_by_folder / "inside"));
}

}  // namespace
}  // namespace vemo_ui
