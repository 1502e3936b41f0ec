// The program as a person meets it, whole process from spawn to exit, on a folder of 200 files:
//
//   BM_ShotProcess             `file-explorer --shot` of the folder at 1280x800; budget 0.5 s a run
//   BM_AutomationSnapshotQuit  `--automation` start, one `snapshot`, `quit`
//   BM_WindowIdleCpu           the real window under a private Xvfb: the time to the first answered
//                              `snapshot` is the iteration time; after 1 s (or 5 s) to settle, the
//                              CPU the idle window uses over 3 s is the counter idle_cpu_pct
//                              (percent of one core; it should be near zero). Under Xvfb, SDL's
//                              renderer is Mesa's software GL, so every presented frame costs more
//                              than on a real display.
//
// Each run is timed by hand (wall clock around spawn and wait), so the numbers include the dynamic
// loader, font set-up and the first frame.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "process_support/child_process.h"
#include "process_support/environment.h"
#include "process_support/line_socket.h"
#include "process_support/temp_folder.h"
#include "process_support/virtual_display.h"

namespace {

namespace ps = fe::process_support;
using ps::ChildProcess;
using Clock = std::chrono::steady_clock;

constexpr int kFolderFiles = 200;
constexpr double kShotBudgetSeconds = 0.5;
// Short naps: the time to notice the exit is part of what the launch benchmarks measure.
constexpr auto kExitPoll = std::chrono::microseconds(200);

// The program measured: <build>/bin/file-explorer.
std::filesystem::path program_path() {
  return std::filesystem::path(FE_BINARY_DIR) / "bin" / "file-explorer";
}

// The environment of a child: this process's, with HOME and the XDG folders moved into `home`, the
// English locale, no display unless `extra` names one, and `extra` on top.
std::vector<std::string> child_environment(const std::filesystem::path& home,
                                           const std::map<std::string, std::string>& extra = {}) {
  auto variables = ps::home_variables(home);
  for (const auto& [k, v] : extra) variables[k] = v;
  return ps::child_environment(variables);
}

// One temporary home for all runs, with the folder the explorer shows.
struct Fixture {
  ps::TempFolder home{"fe-bench-"};
  std::filesystem::path folder;
  bool ok = false;

  Fixture() {
    if (!home.ok()) return;
    std::error_code ec;
    for (const char* sub : {".config", ".local/state", ".local/share", ".cache", "shots"}) {
      std::filesystem::create_directories(home.path() / sub, ec);
    }
    folder = home.path() / "Documents";
    std::filesystem::create_directories(folder, ec);
    const char* const stems[] = {"Quarterly report", "holiday", "main", "notes", "invoice", "draft", "backup"};
    const char* const exts[] = {"txt", "md", "cpp", "pdf", "ods", "csv", "json", "log"};
    for (int i = 0; i < kFolderFiles && !ec; ++i) {
      const std::string name = std::string(stems[i % 7]) + " " + std::to_string(i) + "." + exts[i % 8];
      std::ofstream out(folder / name);
      out << std::string(static_cast<std::size_t>(100 + i * 37 % 4000), 'x');
      if (!out) return;
    }
    ok = !ec;
  }
};

const Fixture& fixture() {
  static const Fixture f;
  return f;
}

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

bool ready(benchmark::State& state) {
  if (!fixture().ok) {
    state.SkipWithError("cannot set up the temporary home and folder");
    return false;
  }
  if (!std::filesystem::exists(program_path())) {
    state.SkipWithError("file-explorer is not built");
    return false;
  }
  return true;
}

void BM_ShotProcess(benchmark::State& state) {
  if (!ready(state)) return;
  const auto& f = fixture();
  const auto env = child_environment(f.home.path());
  double worst = 0, cpu = 0;
  int over_budget = 0;
  int run = 0;
  for (auto _ : state) {
    const auto shot = f.home.path() / "shots" / ("shot-" + std::to_string(run++) + ".png");
    const auto start = Clock::now();
    ChildProcess child(
        {program_path().string(), "--shot", shot.string(), "--size", "1280x800", "--path", f.folder.string()}, env,
        {.pipe_stdout = true});
    const std::string out = child.read_all(std::chrono::seconds(30));
    const int code = child.wait(std::chrono::seconds(30), kExitPoll);
    const double elapsed = seconds_since(start);
    state.SetIterationTime(elapsed);
    if (code != 0 || out.find("file-explorer: wrote shot to") == std::string::npos) {
      state.SkipWithError(("the shot failed: " + child.error() + out).c_str());
      break;
    }
    worst = std::max(worst, elapsed);
    cpu += std::chrono::duration<double>(child.cpu_used()).count();
    if (elapsed > kShotBudgetSeconds) ++over_budget;
    std::error_code ec;
    std::filesystem::remove(shot, ec);
  }
  state.counters["worst_ms"] = worst * 1e3;
  state.counters["over_0.5s"] = over_budget;
  state.counters["child_cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ShotProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_AutomationSnapshotQuit(benchmark::State& state) {
  if (!ready(state)) return;
  const auto& f = fixture();
  const auto env = child_environment(f.home.path());
  double worst = 0, cpu = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    ChildProcess child({program_path().string(), "--automation", f.folder.string()}, env,
                       {.pipe_stdin = true, .pipe_stdout = true});
    child.write_and_close("{\"op\":\"snapshot\"}\n{\"op\":\"quit\"}\n");
    const std::string out = child.read_all(std::chrono::seconds(30));
    const int code = child.wait(std::chrono::seconds(30), kExitPoll);
    const double elapsed = seconds_since(start);
    state.SetIterationTime(elapsed);
    const auto snapshot_end = out.find('\n');
    const bool answered = snapshot_end != std::string::npos && out.starts_with("{\"ok\":true,\"snapshot\":{") &&
                          out.find("{\"ok\":true}", snapshot_end) == snapshot_end + 1;
    if (code != 0 || !answered) {
      state.SkipWithError(("the automation run failed: " + child.error() + out.substr(0, 200)).c_str());
      break;
    }
    worst = std::max(worst, elapsed);
    cpu += std::chrono::duration<double>(child.cpu_used()).count();
  }
  state.counters["worst_ms"] = worst * 1e3;
  state.counters["child_cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_AutomationSnapshotQuit)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_WindowIdleCpu(benchmark::State& state) {
  if (!ps::find_on_path("Xvfb")) {
    state.SkipWithError("Xvfb is not installed (scripts/install-deps.sh installs it)");
    return;
  }
  if (!ready(state)) return;
  const auto& f = fixture();
  ps::VirtualDisplay display(1280, 800);
  if (!display.ok()) {
    state.SkipWithError(display.error().c_str());
    return;
  }
  const auto socket = f.home.path() / "idle.sock";
  const auto env = child_environment(f.home.path(), {{"DISPLAY", display.name()}, {"SDL_VIDEODRIVER", "x11"}});
  double idle_pct = 0, idle_ms = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    ChildProcess child({program_path().string(), "--automation-socket", socket.string(), f.folder.string()}, env, {});
    ps::LineSocket line(socket, std::chrono::seconds(20), std::chrono::milliseconds(10));
    const std::string first = line.request("{\"op\":\"snapshot\"}");
    state.SetIterationTime(seconds_since(start));
    if (first.rfind("{\"ok\":true", 0) != 0) {
      state.SkipWithError(("the window did not answer a snapshot: " + child.error() + first).c_str());
      break;
    }
    std::this_thread::sleep_for(std::chrono::seconds(state.range(0)));
    const auto before = ps::cpu_time(child.pid());
    const auto idle_start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const auto after = ps::cpu_time(child.pid());
    const double idle_wall = seconds_since(idle_start);
    if (!before || !after || !child.running()) {
      state.SkipWithError("the window ended while idle");
      break;
    }
    const double used = std::chrono::duration<double>(*after - *before).count();
    idle_ms = used * 1e3;
    idle_pct = used / idle_wall * 100.0;
    line.request("{\"op\":\"quit\"}");
    if (child.wait(std::chrono::seconds(20), kExitPoll) != 0) {
      state.SkipWithError("the window did not quit with status 0");
      break;
    }
  }
  state.counters["idle_cpu_pct"] = idle_pct;
  state.counters["idle_cpu_ms_in_3s"] = idle_ms;
}
BENCHMARK(BM_WindowIdleCpu)
    ->ArgName("settle_s")
    ->Arg(1)
    ->Arg(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
