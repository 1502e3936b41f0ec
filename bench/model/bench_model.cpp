// Folder listing against plain system-call loops over the same 100,000-entry folder, the heap held
// per entry, and path completion over that folder. The folders are made once per run in /tmp and
// removed at the end; ratios are printed after the table.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "model/list_folder.h"
#include "model/sort_entries.h"
#include "places/typed_path.h"

// ---- Live heap bytes, counted at operator new/delete ----------------------------------------------

namespace {
std::atomic<long long> g_live_bytes{0};
}

// Replacing the global allocation functions with malloc/free is the point here.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  g_live_bytes.fetch_add(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
  return p;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  g_live_bytes.fetch_sub(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
  std::free(p);
}
void operator delete[](void* p) noexcept {
  operator delete(p);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace {

constexpr int kEntries = 100000;

struct BenchFolders {
  std::string plain;      // 100,000 empty files, 20-character names
  std::string workspace;  // the same, each with a sync state and a content hash
};

BenchFolders g_folders;

std::string make_folder(const char* tag) {
  std::string pattern = std::string("/tmp/fe-bench-model-") + tag + "-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  return pattern;
}

// 20 characters, spread like real names rather than a sorted counter.
std::string entry_name(int i) {
  std::uint64_t h = static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ULL;
  h ^= h >> 29;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%c%015llx.txt", 'a' + static_cast<int>(h % 26),
                static_cast<unsigned long long>(h >> 4) & 0xFFFFFFFFFFFFFULL);
  return std::string(buffer, 20);
}

void fill_folder(const std::string& folder, bool with_attributes) {
  const int dir_fd = ::open(folder.c_str(), O_DIRECTORY | O_RDONLY | O_CLOEXEC);
  const std::string hash(32, '\x5a');
  for (int i = 0; i < kEntries; ++i) {
    const std::string name = entry_name(i);
    const int fd = ::openat(dir_fd, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) {
      std::perror("openat");
      std::exit(1);
    }
    if (with_attributes) {
      ::fsetxattr(fd, "user.vemo.sync", "local", 5, 0);
      ::fsetxattr(fd, "user.vemo.content-hash", hash.data(), hash.size(), 0);
    }
    ::close(fd);
  }
  ::close(dir_fd);
}

// ---- Baselines: the system calls alone, in plain C style --------------------------------------------

void BM_C_ReaddirFstatat(benchmark::State& state, const std::string* folder) {
  for (auto _ : state) {
    DIR* d = ::opendir(folder->c_str());
    std::uint64_t total = 0;
    long count = 0;
    while (struct dirent* e = ::readdir(d)) {
      struct stat st;
      if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) total += st.st_size + st.st_mtim.tv_sec;
      ++count;
    }
    ::closedir(d);
    benchmark::DoNotOptimize(total);
    benchmark::DoNotOptimize(count);
  }
}

void BM_C_ReaddirFstatatXattr(benchmark::State& state, const std::string* folder) {
  for (auto _ : state) {
    DIR* d = ::opendir(folder->c_str());
    std::uint64_t total = 0;
    char path[4096];
    char names[1024];
    char value[64];
    while (struct dirent* e = ::readdir(d)) {
      struct stat st;
      if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) total += st.st_size;
      std::snprintf(path, sizeof path, "%s/%s", folder->c_str(), e->d_name);
      const ssize_t n = ::llistxattr(path, names, sizeof names);
      for (ssize_t pos = 0; pos < n;) {
        const char* name = names + pos;
        const ssize_t len = static_cast<ssize_t>(std::strlen(name));
        if (std::strcmp(name, "user.vemo.sync") == 0 || std::strcmp(name, "user.vemo.record-id") == 0) {
          total += static_cast<std::uint64_t>(::lgetxattr(path, name, value, 17));
        } else if (std::strcmp(name, "user.vemo.content-hash") == 0) {
          total += static_cast<std::uint64_t>(::lgetxattr(path, name, value, 33));
        }
        pos += len + 1;
      }
    }
    ::closedir(d);
    benchmark::DoNotOptimize(total);
  }
}

// ---- The model ----------------------------------------------------------------------------------------

void BM_ListFilterSort(benchmark::State& state, const std::string* folder, bool read_collaborative) {
  std::size_t count = 0;
  for (auto _ : state) {
    auto entries = fe::list_folder(*folder, read_collaborative);
    fe::remove_hidden_entries(*entries);
    fe::sort_entries(*entries, fe::SortKey::Name, fe::SortOrder::Ascending);
    count = entries->size();
    benchmark::DoNotOptimize(entries->data());
  }
  state.counters["entries"] = static_cast<double>(count);
}

void BM_SortOnly(benchmark::State& state) {
  auto listed = fe::list_folder(g_folders.plain, false);
  for (auto _ : state) {
    state.PauseTiming();
    auto entries = *listed;
    state.ResumeTiming();
    fe::sort_entries(entries, fe::SortKey::Name, fe::SortOrder::Ascending);
    benchmark::DoNotOptimize(entries.data());
  }
}

void BM_HeapPerEntry(benchmark::State& state) {
  double per_entry = 0, per_entry_mallinfo = 0, fs_path_per_entry = 0;
  for (auto _ : state) {
    const long long before = g_live_bytes.load();
    const auto info_before = ::mallinfo2();
    auto entries = fe::list_folder(g_folders.plain, false);
    const auto info_after = ::mallinfo2();
    const long long after = g_live_bytes.load();
    per_entry = static_cast<double>(after - before) / static_cast<double>(entries->size());
    per_entry_mallinfo = static_cast<double>(static_cast<long long>(info_after.uordblks + info_after.hblkhd) -
                                             static_cast<long long>(info_before.uordblks + info_before.hblkhd)) /
                         static_cast<double>(entries->size());

    // What the same paths would hold as std::filesystem::path values.
    const long long fs_before = g_live_bytes.load();
    std::vector<std::filesystem::path> paths;
    paths.reserve(entries->size());
    for (const auto& e : *entries) paths.emplace_back(e.path.native());
    fs_path_per_entry = static_cast<double>(g_live_bytes.load() - fs_before) / static_cast<double>(paths.size());
    benchmark::DoNotOptimize(paths.data());
  }
  state.counters["heap_bytes_per_entry"] = per_entry;
  state.counters["mallinfo_bytes_per_entry"] = per_entry_mallinfo;
  state.counters["sizeof_FileEntry"] = sizeof(fe::FileEntry);
  state.counters["fs_path_bytes_per_entry"] = fs_path_per_entry;
}

void BM_PathCompletions(benchmark::State& state, const char* prefix) {
  const std::string text = g_folders.plain + "/" + prefix;
  std::size_t count = 0;
  for (auto _ : state) {
    auto completions = fe::path_completions(text, std::nullopt);
    count = completions.size();
    benchmark::DoNotOptimize(completions.data());
  }
  state.counters["offered"] = static_cast<double>(count);
}

// Two ways of reaching an item's attributes without following links: the absolute path with the l*
// calls, or an O_PATH descriptor opened relative to the folder and reached through /proc/self/fd.
void BM_Xattr_AbsolutePath(benchmark::State& state) {
  std::vector<std::string> names;
  for (int i = 0; i < kEntries; ++i) names.push_back(g_folders.workspace + "/" + entry_name(i));
  char list[1024];
  for (auto _ : state) {
    long total = 0;
    for (const auto& path : names) total += ::llistxattr(path.c_str(), list, sizeof list);
    benchmark::DoNotOptimize(total);
  }
}

void BM_Xattr_ProcFd(benchmark::State& state) {
  std::vector<std::string> names;
  for (int i = 0; i < kEntries; ++i) names.push_back(entry_name(i));
  const int dir_fd = ::open(g_folders.workspace.c_str(), O_DIRECTORY | O_RDONLY | O_CLOEXEC);
  char list[1024];
  char proc[64];
  for (auto _ : state) {
    long total = 0;
    for (const auto& name : names) {
      const int fd = ::openat(dir_fd, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
      std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd);
      total += ::listxattr(proc, list, sizeof list);
      ::close(fd);
    }
    benchmark::DoNotOptimize(total);
  }
  ::close(dir_fd);
}

// Keeps the real time of each run by name, for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      times[run.benchmark_name()] = run.GetAdjustedRealTime();
      cpu_times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
  std::map<std::string, double> cpu_times;
};

void print_ratio(const RatioReporter& r, const char* label, const std::string& ours, const std::string& base,
                 double target) {
  const auto a = r.times.find(ours);
  const auto b = r.times.find(base);
  if (a == r.times.end() || b == r.times.end()) return;
  // CPU time is shown beside wall time: on a shared machine the wall clock also counts other work.
  const double cpu = r.cpu_times.at(ours) / r.cpu_times.at(base);
  std::printf("%-54s wall %5.2fx  cpu %5.2fx  (target <= %.1fx)\n", label, a->second / b->second, cpu, target);
}

}  // namespace

int main(int argc, char** argv) {
  g_folders.plain = make_folder("plain");
  g_folders.workspace = make_folder("ws");
  fill_folder(g_folders.plain, false);
  fill_folder(g_folders.workspace, true);

  benchmark::RegisterBenchmark("C/readdir+fstatat", BM_C_ReaddirFstatat, &g_folders.plain)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(1.5);
  benchmark::RegisterBenchmark("model/list+filter+sort", BM_ListFilterSort, &g_folders.plain, false)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(1.5);
  benchmark::RegisterBenchmark("C/readdir+fstatat+xattr", BM_C_ReaddirFstatatXattr, &g_folders.workspace)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(1.5);
  benchmark::RegisterBenchmark("model/list+filter+sort/workspace", BM_ListFilterSort, &g_folders.workspace, true)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(1.5);
  benchmark::RegisterBenchmark("model/sort-only", BM_SortOnly)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("model/heap-per-entry", BM_HeapPerEntry)->Unit(benchmark::kMillisecond)->Iterations(1);
  benchmark::RegisterBenchmark("places/path_completions/all", BM_PathCompletions, "")->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("places/path_completions/prefix-a", BM_PathCompletions, "a")
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("xattr/llistxattr-absolute-path", BM_Xattr_AbsolutePath)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("xattr/O_PATH+proc-fd", BM_Xattr_ProcFd)->Unit(benchmark::kMillisecond);

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n");
  print_ratio(reporter, "list+filter+sort vs readdir+fstatat", "model/list+filter+sort/min_time:1.500",
              "C/readdir+fstatat/min_time:1.500", 1.3);
  print_ratio(reporter, "workspace list+filter+sort vs readdir+fstatat+xattr",
              "model/list+filter+sort/workspace/min_time:1.500", "C/readdir+fstatat+xattr/min_time:1.500", 1.3);
  print_ratio(reporter, "O_PATH+/proc/self/fd vs absolute path (llistxattr)", "xattr/O_PATH+proc-fd",
              "xattr/llistxattr-absolute-path", 1.0);
  benchmark::Shutdown();

  std::error_code ec;
  std::filesystem::remove_all(g_folders.plain, ec);
  std::filesystem::remove_all(g_folders.workspace, ec);
  return 0;
}
