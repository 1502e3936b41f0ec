// The process helpers on real children, files and sockets.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include <gtest/gtest.h>

#include "process_support/child_process.h"
#include "process_support/environment.h"
#include "process_support/line_socket.h"
#include "process_support/run_to_end.h"
#include "process_support/temp_folder.h"

namespace fe::process_support {
namespace {

using namespace std::chrono_literals;

std::optional<std::string> value_of(const std::vector<std::string>& env, const std::string& name) {
  for (const auto& entry : env) {
    if (entry.starts_with(name + "=")) return entry.substr(name.size() + 1);
  }
  return std::nullopt;
}

TEST(ChildEnvironment, DropsLocaleAndDisplayKeepsTheRestAndSetsOnTop) {
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  ::setenv("DISPLAY", ":99", 1);
  ::setenv("FE_SUPPORT_KEPT", "yes", 1);
  ::setenv("HOME", "/somewhere/else", 1);
  auto variables = home_variables("/tmp/h");
  variables.erase("LANG");  // a caller leaving the locale unset gets none from here either
  variables["DISPLAY"] = ":7";
  const auto env = child_environment(variables);
  const struct {
    const char* name;
    std::optional<std::string> value;
  } cases[] = {
      {"LC_ALL", std::nullopt},     {"LANG", std::nullopt}, {"DISPLAY", ":7"},
      {"FE_SUPPORT_KEPT", "yes"},   {"HOME", "/tmp/h"},     {"XDG_STATE_HOME", "/tmp/h/.local/state"},
      {"VEMO_WORKSPACE_ROOTS", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(value_of(env, c.name), c.value) << c.name;
  EXPECT_EQ(std::ranges::count_if(env, [](const std::string& e) { return e.starts_with("HOME="); }), 1);
}

TEST(RunToEnd, FeedsInputAndCollectsBothOutputsAndStatus) {
  ::setenv("FE_SUPPORT_WORD", "inherited", 1);
  auto r = run_to_end({"/bin/sh", "-c", "cat; echo \"$FE_SUPPORT_WORD\" >&2; exit 3"}, {"FE_SUPPORT_WORD=given"},
                      std::string(200000, 'x'), 30s);
  ASSERT_TRUE(r) << r.error();
  EXPECT_EQ(r->exit_code, 3);
  EXPECT_FALSE(r->timed_out);
  EXPECT_EQ(r->out, std::string(200000, 'x'));
  EXPECT_EQ(r->err, "given\n") << "the child gets exactly the environment given";
}

TEST(RunToEnd, KillsAChildThatOutlivesTheTimeout) {
  auto r = run_to_end({"/bin/sh", "-c", "exec sleep 60"}, {}, {}, 100ms);
  ASSERT_TRUE(r) << r.error();
  EXPECT_TRUE(r->timed_out);
  EXPECT_EQ(r->exit_code, -1);
}

TEST(RunToEnd, AMissingProgramIsAnError) {
  auto r = run_to_end({"/nonexistent/program"}, {}, {}, 1s);
  ASSERT_FALSE(r);
  EXPECT_NE(r.error().find("cannot start /nonexistent/program"), std::string::npos) << r.error();
}

TEST(ChildProcess, WritesLogsToNewFilesAndNeverOverAnExistingOne) {
  TempFolder dir("fe-support-");
  ASSERT_TRUE(dir.ok());
  const auto out = dir.path() / "out", taken = dir.path() / "taken";
  {
    ChildProcess child({"/bin/sh", "-c", "echo hello"}, {}, {.stdout_file = out});
    ASSERT_TRUE(child.started()) << child.error();
    EXPECT_EQ(child.wait(30s, 1ms), 0);
  }
  std::ifstream in(out);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "hello\n");

  std::ofstream(taken) << "kept";
  ChildProcess child({"/bin/sh", "-c", "echo over"}, {}, {.stderr_file = taken});
  EXPECT_FALSE(child.started());
  EXPECT_NE(child.error().find("cannot create " + taken.string()), std::string::npos) << child.error();
  std::ifstream kept(taken);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept");
}

TEST(TempFolder, IsRemovedWithItsContents) {
  std::filesystem::path made;
  {
    TempFolder dir("fe-support-");
    ASSERT_TRUE(dir.ok());
    made = dir.path();
    std::filesystem::create_directories(made / "a/b");
    std::ofstream(made / "a/b/f") << "x";
  }
  EXPECT_FALSE(std::filesystem::exists(made));
}

TEST(LineSocket, KeepsWhatFollowsALineAndHandsOverACutLine) {
  TempFolder dir("fe-support-");
  ASSERT_TRUE(dir.ok());
  const auto path = dir.path() / "s.sock";
  int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
  ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::listen(server, 1), 0);
  // Two replies in one write, then a third cut short by the end of the connection.
  std::thread peer([server] {
    int c = ::accept(server, nullptr, nullptr);
    char buf[64];
    (void)!::read(c, buf, sizeof buf);
    const std::string replies = "one\ntwo\npart";
    (void)!::write(c, replies.data(), replies.size());
    ::close(c);
  });
  LineSocket line(path, 5s, 10ms);
  EXPECT_TRUE(line.connected());
  if (!line.connected()) ::shutdown(server, SHUT_RDWR);  // lets the peer's accept return
  EXPECT_EQ(line.request("hi"), "one");
  auto second = line.read_line();
  EXPECT_TRUE(second.complete);
  EXPECT_EQ(second.text, "two");
  auto cut = line.read_line();
  EXPECT_FALSE(cut.complete);
  EXPECT_EQ(cut.text, "part");
  peer.join();
  ::close(server);
}

}  // namespace
}  // namespace fe::process_support
