// Frame time of text-heavy content: a 1280 × 800 file list of 24 rows × 4 columns with icons and
// highlights, painted through Painter and TextRenderer. The budget is 8 ms per frame.
//
//   BM_ListFrameWarm     every text already shaped (the usual redraw); argument: scale factor
//   BM_ListFrameChurn    a share of the texts (argument, percent) is new in every frame: 10 % as
//                        when scrolling or sizes change, 100 % for shaping everything every frame
//   BM_OffscreenFrame    the whole offscreen path: sync, layout, a fresh surface, draw

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <array>
#include <string>
#include <vector>

#include "vemo_ui/icons.h"
#include "vemo_ui/offscreen.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"
#include "vemo_ui/theme.h"

namespace {

using namespace vemo_ui;

constexpr int frame_w = 1280;
constexpr int frame_h = 800;
constexpr int row_count = 24;
constexpr int column_count = 4;
constexpr double header_h = 30;
constexpr double row_h = 32;

struct Row {
  std::array<std::string, column_count> cells;
  icons::Icon icon = icons::Icon::File;
  bool is_dir = false;
};

const char* const stems[] = {
    "Quarterly budget final version", "holiday photos", "main",          "Notes from the meeting", "invoice",
    "Screenshot from Tuesday",        "thesis draft",   "archive backup"};
const char* const exts[] = {"ods", "jpg", "cpp", "md", "pdf", "png", "docx", "tar.gz"};

// The cell texts of row `i`; a new `generation` gives new texts in every cell.
Row make_row(int i, unsigned generation) {
  Row r;
  r.is_dir = i % 7 == 0;
  const std::string ext = exts[i % 8];
  const std::string number = std::to_string(i + generation * 97);
  r.cells[0] = r.is_dir ? "Projects " + number : std::string(stems[i % 8]) + " " + number + "." + ext;
  r.cells[1] = r.is_dir ? "—" : std::to_string((i * 37 + generation) % 999 + 1) + "." + std::to_string(i % 10) + " MB";
  r.cells[2] = std::to_string(1 + (i + generation) % 28) + " Mar 2026, " + std::to_string(8 + i % 12) + ":" +
               std::to_string(10 + (i * 7 + generation) % 50);
  r.cells[3] = r.is_dir ? "Folder" : ext + " document";
  r.icon = icons::icon_for_path(r.cells[0], r.is_dir);
  return r;
}

std::vector<Row> make_rows() {
  std::vector<Row> rows;
  for (int i = 0; i < row_count; ++i) rows.push_back(make_row(i, 0));
  return rows;
}

// Replaces `percent` of the cells (cycling through the grid) with texts never shown before.
void churn(std::vector<Row>& rows, unsigned& generation, int percent) {
  ++generation;
  constexpr int cells = row_count * column_count;
  const int changed = cells * percent / 100;
  for (int k = 0; k < changed; ++k) {
    const int cell = static_cast<int>((generation * changed + k) % cells);
    const int row = cell / column_count;
    rows[row].cells[cell % column_count] = make_row(row, generation).cells[cell % column_count];
  }
}

// A file list as the file view paints it: header band, highlights, icons, four text columns.
void paint_list(Painter& p, TextRenderer& text, const std::vector<Row>& rows, double width) {
  const Theme& theme = p.theme();
  const double col_x[column_count] = {10, width - 10 - 158 - 10 - 96 - 10 - 140, width - 10 - 158 - 10 - 140,
                                      width - 10 - 140};
  p.fill_rect(Rect{0, 0, width, header_h}, theme.surface);
  const char* const headers[] = {"Name", "Size", "Modified", "Kind"};
  for (int c = 0; c < column_count; ++c) {
    text.draw_text(p, headers[c], {col_x[c], 8}, theme.font_small, theme.text_secondary);
  }
  draw_separator(p, 10, width - 10, header_h - 0.5);
  const double line_h = text.measure("Ag", theme.font_body).height;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    const double top = header_h + row_h * static_cast<double>(i);
    const bool selected = i % 5 == 1;
    const bool hovered = i == 7;
    if (selected || hovered) {
      chrome::shell::paint_selection(p, Rect{8, top + 2, width - 8, top + row_h - 2}, 8,
                                     chrome::shell::selection_tier(theme, selected, hovered));
    }
    icons::draw_icon(p, row.icon, Rect::from_size(col_x[0] + 4, top + (row_h - 18) / 2, 18, 18),
                     row.is_dir ? theme.accent : theme.text_secondary, 1.5);
    const double text_y = top + (row_h - line_h) / 2;
    text.draw_text(p, row.cells[0], {col_x[0] + 34, text_y}, theme.font_body, theme.text_primary);
    for (int c = 1; c < column_count; ++c) {
      text.draw_text(p, row.cells[c], {col_x[c], text_y}, theme.font_body, theme.text_secondary);
    }
  }
}

// A frame surface reused between frames, as the window reuses its streaming surface.
struct Target {
  explicit Target(double scale)
      : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(frame_w * scale),
                                           static_cast<int>(frame_h * scale))),
        scale(scale) {}
  ~Target() { cairo_surface_destroy(surface); }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  void frame(const Theme& theme, TextRenderer& text, const std::vector<Row>& rows) {
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    {
      Painter p(cr, theme);
      p.fill_rect(Rect{0, 0, frame_w, frame_h}, theme.window);
      paint_list(p, text, rows, frame_w);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
  }

  cairo_surface_t* surface;
  double scale;
};

void BM_ListFrameWarm(benchmark::State& state) {
  const Theme theme = Theme::light();
  TextRenderer text;
  const auto rows = make_rows();
  Target target(static_cast<double>(state.range(0)));
  target.frame(theme, text, rows);  // shapes every text once
  for (auto _ : state) {
    target.frame(theme, text, rows);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(target.surface));
  }
  const auto stats = text.cache_stats();
  state.counters["cache_hit_rate"] = double(stats.hits) / double(stats.hits + stats.misses);
}
BENCHMARK(BM_ListFrameWarm)->Arg(1)->Arg(2)->ArgName("scale")->Unit(benchmark::kMillisecond);

void BM_ListFrameChurn(benchmark::State& state) {
  const Theme theme = Theme::light();
  TextRenderer text;
  auto rows = make_rows();
  unsigned generation = 0;
  Target target(1);
  target.frame(theme, text, rows);
  for (auto _ : state) {
    churn(rows, generation, static_cast<int>(state.range(0)));
    target.frame(theme, text, rows);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(target.surface));
  }
  const auto stats = text.cache_stats();
  state.counters["cache_hit_rate"] = double(stats.hits) / double(stats.hits + stats.misses);
}
BENCHMARK(BM_ListFrameChurn)->Arg(10)->Arg(100)->ArgName("percent")->Unit(benchmark::kMillisecond);

class ListWidget : public Widget {
 public:
  explicit ListWidget(TextRenderer& text) : text_(text), rows_(make_rows()) {}
  std::string_view type_name() const override { return "BenchList"; }
  Size measure(LayoutContext&, const Constraints& c) override {
    return {c.width, header_h + row_h * static_cast<double>(rows_.size())};
  }
  void draw(Painter& p, DrawContext&) override { paint_list(p, text_, rows_, bounds_.width()); }

 private:
  TextRenderer& text_;
  std::vector<Row> rows_;
};

void BM_OffscreenFrame(benchmark::State& state) {
  OffscreenRenderer renderer(Theme::light());
  ListWidget root(renderer.text());
  if (!renderer.render_resilient(root, Size{frame_w, frame_h})) {
    state.SkipWithError("the first frame failed");
    return;
  }
  for (auto _ : state) {
    auto frame = renderer.render_resilient(root, Size{frame_w, frame_h});
    benchmark::DoNotOptimize(frame);
  }
}
BENCHMARK(BM_OffscreenFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
