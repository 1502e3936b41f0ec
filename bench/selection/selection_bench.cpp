// The selection model on a folder of 100,000 entries: the operations a click, Shift+End or
// Primary+A runs, and reading the selection back.

#include <benchmark/benchmark.h>

#include "vemo_ui/selection_model.h"

namespace {

constexpr std::size_t kEntries = 100'000;

void BM_RangeClickAcrossFolder(benchmark::State& state) {
  vemo_ui::SelectionModel m(kEntries);
  m.apply_click(0, false, false);
  for (auto _ : state) {
    m.apply_click(kEntries - 1, false, true);
    benchmark::DoNotOptimize(m.selected_count());
  }
}
BENCHMARK(BM_RangeClickAcrossFolder);

void BM_PlainClickAfterSelectAll(benchmark::State& state) {
  vemo_ui::SelectionModel m(kEntries);
  for (auto _ : state) {
    m.select_all();
    m.apply_click(kEntries / 2, false, false);
    benchmark::DoNotOptimize(m.selected_count());
  }
}
BENCHMARK(BM_PlainClickAfterSelectAll);

void BM_SelectedIndices(benchmark::State& state) {
  vemo_ui::SelectionModel m(kEntries);
  for (std::size_t i = 0; i < kEntries; i += static_cast<std::size_t>(state.range(0))) m.toggle(i);
  for (auto _ : state) benchmark::DoNotOptimize(m.selected());
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kEntries));
}
BENCHMARK(BM_SelectedIndices)->Arg(1)->Arg(100);

void BM_IsSelectedScan(benchmark::State& state) {
  vemo_ui::SelectionModel m(kEntries);
  m.apply_click(10, false, false);
  m.apply_click(5000, false, true);
  for (auto _ : state) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < kEntries; ++i) n += m.is_selected(i);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_IsSelectedScan);

}  // namespace

BENCHMARK_MAIN();
