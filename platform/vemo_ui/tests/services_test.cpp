// The thin service pieces: diagnostics on standard error, clipboard and drag hooks, the recording
// document opener used by end-to-end tests.

#include <fcntl.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.h"
#include "vemo_ui/diag.h"
#include "vemo_ui/dnd.h"
#include "vemo_ui/host.h"
#include "vemo_ui/services.h"
#include "vemo_ui/text_selection.h"

namespace vemo_ui {
namespace {

namespace fs = std::filesystem;
using vemo_ui::testing::read_file;
using vemo_ui::testing::ScopedEnv;
using vemo_ui::testing::TempDir;

// Points standard error at a file for one scope.
class CaptureStderr {
 public:
  explicit CaptureStderr(const fs::path& file) {
    ::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    ::dup2(fd, STDERR_FILENO);
    ::close(fd);
  }
  ~CaptureStderr() {
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
  }

 private:
  int saved_;
};

TEST(Diag, WritesWholeLinesEvenFromManyThreads) {
  TempDir tmp;
  {
    CaptureStderr capture(tmp / "err");
    diag::write_line("file-explorer: actor files-0123");
    diag::write_line("broken\nin two\r\nlines");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
      threads.emplace_back([t] {
        for (int i = 0; i < 200; ++i) diag::write_line(std::string(100, static_cast<char>('a' + t)));
      });
    }
    for (auto& th : threads) th.join();
  }
  const std::string text = *read_file(tmp / "err");
  ASSERT_TRUE(text.starts_with("file-explorer: actor files-0123\nbroken in two  lines\n")) << text.substr(0, 80);
  std::size_t lines = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t eol = text.find('\n', start);
    ASSERT_NE(eol, std::string::npos);
    const std::string line = text.substr(start, eol - start);
    if (lines >= 2) {
      ASSERT_EQ(line.size(), 100u);
      EXPECT_EQ(line.find_first_not_of(line[0]), std::string::npos) << "interleaved: " << line;
    }
    ++lines;
    start = eol + 1;
  }
  EXPECT_EQ(lines, 2u + 4 * 200);
}

TEST(ServiceHooks, AnswerFalseWithoutABackend) {
  Services services;
  EXPECT_FALSE(text_selection::clipboard_copy(services, "x"));
  EXPECT_FALSE(dnd::start_file_drag(services, {"/tmp/a"}));
}

TEST(ServiceHooks, ForwardToTheBackend) {
  Services services;
  std::string copied;
  std::vector<fs::path> dragged;
  bool accept = true;
  services.set_clipboard_text = [&](const std::string& t) {
    copied = t;
    return accept;
  };
  services.start_file_drag = [&](const std::vector<fs::path>& p) {
    dragged = p;
    return accept;
  };
  EXPECT_TRUE(text_selection::clipboard_copy(services, "/home/u/a.txt"));
  EXPECT_EQ(copied, "/home/u/a.txt");
  EXPECT_TRUE(dnd::start_file_drag(services, {"/a", "/b"}));
  EXPECT_EQ(dragged, (std::vector<fs::path>{"/a", "/b"}));
  EXPECT_FALSE(dnd::start_file_drag(services, {}));  // nothing to drag is never offered
  accept = false;
  EXPECT_FALSE(text_selection::clipboard_copy(services, "y"));
}

// host::current() is chosen once per process, so this is the only test that may ask for it.
TEST(Host, RecorderAppendsOpenedPaths) {
  TempDir tmp;
  const fs::path log = tmp / "opened.log";
  vemo_ui::testing::write_file(log, "earlier run\n");
  ScopedEnv env("VEMO_HOST_OPEN_LOG", log.string());
  host::Host& host = host::current();
  ASSERT_TRUE(host.open_document("/home/u/a b.txt").has_value());
  ASSERT_TRUE(host.open_document("/home/u/c.pdf").has_value());
  EXPECT_EQ(read_file(log), "earlier run\n/home/u/a b.txt\n/home/u/c.pdf\n");
  EXPECT_EQ(&host::current(), &host);

  fs::remove(log);
  fs::create_directory(log);  // the log cannot be written: the error comes back as text
  const auto failed = host.open_document("/x");
  ASSERT_FALSE(failed.has_value());
  EXPECT_NE(failed.error().find("cannot record the opened file"), std::string::npos) << failed.error();
}

}  // namespace
}  // namespace vemo_ui
