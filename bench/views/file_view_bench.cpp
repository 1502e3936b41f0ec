// Frame time of the file view in a 1280 × 800 viewport, scrolled to the middle of the folder, for a
// folder of 100 entries and one of 100,000, in list and grid mode. A frame draws only the visible
// range, so both folder sizes should cost the same; the budget is 8 ms a frame and at most 1.5 ×
// the 100-entry frame. After the Google Benchmark runs, main() times both sizes in this process and
// prints the ratio.
//
//   BM_ListFrame/N   list mode, N entries
//   BM_GridFrame/N   grid mode, N entries
//   BM_AccessibilityNode/N, BM_IdentifiedRects/N   the whole-folder queries (not per frame)

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "vemo_ui/painter.h"
#include "vemo_ui/services.h"
#include "vemo_ui/text.h"
#include "views/file_view.h"

namespace {

using vemo_ui::Rect;

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

const char* const kStems[] = {"Quarterly budget final version",
                              "holiday photos",
                              "main",
                              "Notes from the meeting",
                              "invoice",
                              "a rather long file name that will certainly need an ellipsis",
                              "IMG_2041",
                              "report",
                              "Übersicht der Ergebnisse",
                              "todo"};
const char* const kExtensions[] = {".ods", ".png", ".cpp", ".txt", ".pdf", ".docx", ".jpg", ".zip", ".md", ""};

std::shared_ptr<const std::vector<fe::FileEntry>> make_entries(std::size_t n) {
  auto v = std::make_shared<std::vector<fe::FileEntry>>();
  v->reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    fe::FileEntry e;
    e.is_dir = i % 7 == 0;
    e.name = std::string(kStems[i % std::size(kStems)]) + " " + std::to_string(i) +
             (e.is_dir ? "" : kExtensions[(i / 3) % std::size(kExtensions)]);
    e.path = fe::CompactPath::join("/home/user/Documents", e.name);
    e.size = 1000 * (i % 5000) + 17;
    e.modified = fe::LocalDateTime::from_unix(1700000000 + static_cast<std::int64_t>(i) * 60, 0);
    if (i % 11 == 0) e.sync = fe::SyncState::Local;
    v->push_back(std::move(e));
  }
  return v;
}

// One view laid out as a Scrollable lays out its child: shifted up by the scroll offset, with the
// viewport as the visible region.
struct Frame {
  vemo_ui::TextRenderer text{1.0};
  vemo_ui::Theme theme = vemo_ui::Theme::light();
  vemo_ui::Services services;
  std::unique_ptr<fe::FileView> view;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cairo_t* cr = cairo_create(surface);
  Rect viewport{0, 0, kWidth, kHeight};

  Frame(std::size_t count, bool grid) {
    vemo_ui::SelectionModel selection(count);
    selection.select_only(count / 2);
    fe::FileViewInputs in{std::move(selection),
                          make_entries(count),
                          0,
                          1.0,
                          std::nullopt,
                          std::make_shared<std::optional<Rect>>(),
                          std::make_shared<std::vector<fe::DropTarget>>(),
                          std::make_shared<fe::CommandQueue>(),
                          {}};
    view = grid ? fe::FileView::grid(std::move(in)) : fe::FileView::list(std::move(in), fe::SortKey::Name, false);
    vemo_ui::LayoutContext ctx{text, theme, services, 1.0, 1.0, {kWidth, kHeight}};
    view->build_layout(ctx);
    const double height = view->measure(ctx, {vemo_ui::Constraints::Mode::Definite, kWidth}).height;
    const double offset = std::clamp(height / 2 - kHeight / 2, 0.0, std::max(height - kHeight, 0.0));
    view->apply_layout(ctx, {0, -offset, kWidth, height - offset});
    view->set_focus(true);
  }
  ~Frame() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }

  void draw() {
    cairo_save(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_rectangle(cr, 0, 0, kWidth, kHeight);
    cairo_clip(cr);
    vemo_ui::Painter painter(cr, theme);
    vemo_ui::DrawContext ctx{text, theme, services, vemo_ui::Clock::now(), viewport};
    view->draw(painter, ctx);
    cairo_restore(cr);
    cairo_surface_flush(surface);
  }
};

void run(benchmark::State& state, bool grid) {
  Frame frame(static_cast<std::size_t>(state.range(0)), grid);
  frame.draw();  // shape the texts once, as the first frame after a layout does
  for (auto _ : state) frame.draw();
  state.counters["visible"] = static_cast<double>(frame.view->visible_range().last - frame.view->visible_range().first);
}

void BM_ListFrame(benchmark::State& state) {
  run(state, false);
}
void BM_GridFrame(benchmark::State& state) {
  run(state, true);
}
BENCHMARK(BM_ListFrame)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFrame)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

// Not per frame: the accessibility tree and the identified rectangles list every entry.
void BM_AccessibilityNode(benchmark::State& state) {
  Frame frame(static_cast<std::size_t>(state.range(0)), false);
  for (auto _ : state) benchmark::DoNotOptimize(frame.view->accessibility());
}
void BM_IdentifiedRects(benchmark::State& state) {
  Frame frame(static_cast<std::size_t>(state.range(0)), true);
  for (auto _ : state) {
    std::vector<vemo_ui::IdentifiedRect> rects;
    frame.view->identified_rects(rects);
    benchmark::DoNotOptimize(rects.data());
  }
}
BENCHMARK(BM_AccessibilityNode)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IdentifiedRects)->Arg(100000)->Unit(benchmark::kMillisecond);

// Median frame time in milliseconds.
double median_frame_ms(std::size_t count, bool grid) {
  Frame frame(count, grid);
  frame.draw();
  std::vector<double> times;
  for (int i = 0; i < 120; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    frame.draw();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (bool grid : {false, true}) {
    const double small = median_frame_ms(100, grid);
    const double large = median_frame_ms(100000, grid);
    std::printf("%s frame: 100 entries %.3f ms, 100,000 entries %.3f ms, ratio %.2f (budget 8 ms, ratio 1.5)\n",
                grid ? "grid" : "list", small, large, large / small);
  }
  return 0;
}
