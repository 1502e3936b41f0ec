// The process locale is resolved once, from the real environment. These tests run this test
// program again as a child with a chosen environment; the child answers a list of queries from
// a static initialiser and exits before any test runs.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "i18n/i18n.h"

namespace fe {
namespace {

constexpr const char* kProbeVariable = "FE_I18N_PROBE";

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// One query per line, fields separated by tabs:
//   locale | tr ID | args ID NAME n:NUMBER|s:TEXT ... | size BYTES | time MS
std::string answer(const std::string& query) {
  const std::vector<std::string> f = split(query, '\t');
  if (f[0] == "locale") return current_locale().to_string();
  if (f[0] == "tr" && f.size() == 2) return tr(f[1]);
  if (f[0] == "size" && f.size() == 2) return format_size(std::stoull(f[1]));
  if (f[0] == "time" && f.size() == 2) return format_time_ms(std::stoll(f[1]));
  if (f[0] == "args" && f.size() >= 2 && f.size() % 2 == 0) {
    Args args;
    for (std::size_t i = 2; i + 1 < f.size(); i += 2) {
      const std::string& v = f[i + 1];
      if (v.starts_with("n:")) {
        args.emplace_back(f[i], std::stod(v.substr(2)));
      } else {
        args.emplace_back(f[i], v.substr(2));
      }
    }
    return tr_args(f[1], args);
  }
  return "<bad query>";
}

bool answer_probe_if_asked() {
  const char* queries = std::getenv(kProbeVariable);
  if (!queries) return false;
  std::string out;
  for (const std::string& query : split(queries, '\n')) {
    out += answer(query);
    out += '\0';
  }
  for (std::size_t done = 0; done < out.size();) {
    const ssize_t n = ::write(STDOUT_FILENO, out.data() + done, out.size() - done);
    if (n <= 0) ::_exit(3);
    done += static_cast<std::size_t>(n);
  }
  ::_exit(0);
}

[[maybe_unused]] const bool kProbeAnswered = answer_probe_if_asked();

struct ProbeRun {
  int exit_status = -1;
  std::vector<std::string> answers;
};

// Runs this program with exactly `env` (plus the sanitizer settings of the parent) and the queries.
ProbeRun run_probe(std::vector<std::string> env, const std::vector<std::string>& queries) {
  std::string joined;
  for (const std::string& q : queries) joined += (joined.empty() ? "" : "\n") + q;
  env.push_back(std::string(kProbeVariable) + "=" + joined);
  for (const char* pass : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
    if (const char* v = std::getenv(pass)) env.push_back(std::string(pass) + "=" + v);
  }
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  int fds[2];
  if (::pipe(fds) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(fds[1], STDOUT_FILENO);
    ::close(fds[0]);
    ::close(fds[1]);
    char self[] = "/proc/self/exe";
    char* argv[] = {self, nullptr};
    ::execve(self, argv, envp.data());
    ::_exit(127);
  }
  ::close(fds[1]);
  std::string out;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
  ::close(fds[0]);
  ProbeRun run;
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.exit_status = WEXITSTATUS(status);
  if (!out.empty() && out.back() == '\0') out.pop_back();
  run.answers = split(out, '\0');
  return run;
}

struct ProbeCase {
  const char* name;
  std::vector<std::string> env;
  std::vector<std::string> queries;
  std::vector<std::string> expected;
};

void PrintTo(const ProbeCase& c, std::ostream* os) {
  *os << c.name;
}

class ProcessLocale : public testing::TestWithParam<ProbeCase> {};

TEST_P(ProcessLocale, AnswersInTheResolvedLocale) {
  const ProbeCase& c = GetParam();
  const ProbeRun run = run_probe(c.env, c.queries);
  ASSERT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.answers, c.expected);
}

const ProbeCase kProbeCases[] = {
    {"GermanFromLang",
     {"LANG=de_DE.UTF-8", "TZ=UTC"},
     {"locale", "tr\tfiles-time-unknown", "time\t-1", "size\t1536000", "time\t0"},
     {"de-DE", "unbekannter Zeitpunkt", "unbekannter Zeitpunkt", "1,5\u00A0MB", "1. Jan. 1970, 00:00"}},
    {"CWinsOverGermanLang",
     {"LC_ALL=C.UTF-8", "LANG=de_DE.UTF-8", "TZ=UTC"},
     {"locale", "tr\tfiles-time-unknown", "size\t1536000"},
     {"en-US", "unknown time", "1.5\u00A0MB"}},
    {"FirstLanguageEntryOnly",
     {"LANGUAGE=fr:de", "LANG=de_DE.UTF-8", "TZ=UTC"},
     {"locale", "tr\tfiles-time-unknown", "args\tfiles-item-count\tcount\tn:0", "args\tfiles-item-count\tcount\tn:2"},
     {"fr", "unknown time", "0 item", "2 items"}},
    {"EmptyLcAllSkipped",
     {"LC_ALL=", "LANG=de", "TZ=UTC"},
     {"locale", "tr\tfiles-time-unknown"},
     {"de", "unbekannter Zeitpunkt"}},
    {"GarbageSkipped", {"LC_ALL=!!", "TZ=UTC"}, {"locale", "tr\tfiles-time-unknown"}, {"en-US", "unknown time"}},
    {"EnglishEpochInUtc",
     {"LANG=en_US.UTF-8", "TZ=UTC"},
     {"time\t0", "time\t-1", "size\t999999"},
     {"Jan 1, 1970, 12:00\u202FAM", "unknown time", "1,000\u00A0kB"}},
    {"EpochInZoneOneHourEast", {"LANG=en_US.UTF-8", "TZ=CET-1"}, {"time\t0"}, {"Jan 1, 1970, 1:00\u202FAM"}},
    {"EnglishMessages",
     {"LANG=en_US.UTF-8", "TZ=UTC"},
     {"tr\tfiles-no-such-id", "args\tfiles-undo-trash-restored\tcount\tn:3",
      "args\tfiles-undo-trash-restored\tcount\tn:1", "args\tfiles-drag-items\tcount\tn:1",
      "args\tfiles-name-exists\tname\ts:Notes", "args\tfiles-moved-to-folder\tcount\tn:1500\tdestination\ts:Docs"},
     {"files-no-such-id", "Restored 3 items", "Restored 1 item", "1 items", "“Notes” already exists",
      "Moved 1500 items to “Docs”"}},
    {"GermanMissingArgumentFallsBack",
     {"LANG=de_DE.UTF-8", "TZ=UTC"},
     // Without the argument neither catalogue can format the message: the id is shown.
     {"args\tfiles-name-exists\tother\ts:x"},
     {"files-name-exists"}},
    {"PseudoLocale",
     {"LANG=qps", "TZ=UTC"},
     {"locale", "tr\tfiles-back", "args\tfiles-name-exists\tname\ts:Notes", "size\t1536000"},
     {"qps", "[Báçk !!]", "[“Notes” álréády éxísts !!]", "1.5\u00A0MB"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProcessLocale, testing::ValuesIn(kProbeCases),
                         [](const testing::TestParamInfo<ProbeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fe
