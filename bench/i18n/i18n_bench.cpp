// Message lookup and size formatting run for every visible row and status line; each must stay
// well below 5 µs per call once the thread's bundles and formatters exist.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "i18n/i18n.h"
#include "i18n/localizer.h"

namespace {

const fe::Args kTwoArgs = {{"count", 3.0}, {"destination", std::string("Documents")}};

void BM_TrArgsTwoArguments(benchmark::State& state) {
  // A lookup that silently fell back to the id would measure the wrong path.
  if (fe::tr_args("files-moved-to-folder", kTwoArgs) == "files-moved-to-folder") {
    state.SkipWithError("files-moved-to-folder is not in the catalogue");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(fe::tr_args("files-moved-to-folder", kTwoArgs));
}
BENCHMARK(BM_TrArgsTwoArguments);

// The German path: primary bundle first, with the compiled-in catalogues.
void BM_LocalizerGermanTwoArguments(benchmark::State& state) {
  const fe::Localizer de(fe::Locale{"de", "", "DE", {}});
  for (auto _ : state) benchmark::DoNotOptimize(de.lookup("files-moved-to-folder", kTwoArgs));
}
BENCHMARK(BM_LocalizerGermanTwoArguments);

void BM_TrNoArguments(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(fe::tr("files-back"));
}
BENCHMARK(BM_TrNoArguments);

void BM_FormatSize(benchmark::State& state) {
  std::uint64_t bytes = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(fe::format_size(bytes));
    bytes = bytes * 7 + 1234567;  // vary the unit and the rounding
  }
}
BENCHMARK(BM_FormatSize);

void BM_FormatTimeMs(benchmark::State& state) {
  std::int64_t ms = 1'709'647'620'000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(fe::format_time_ms(ms));
    ms += 61'000;
  }
}
BENCHMARK(BM_FormatTimeMs);

// Paid once per thread on its first lookup: parsing both catalogues and building the bundles.
void BM_BuildGermanLocalizer(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(fe::Localizer(fe::Locale{"de", "", "DE", {}}));
}
BENCHMARK(BM_BuildGermanLocalizer)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
