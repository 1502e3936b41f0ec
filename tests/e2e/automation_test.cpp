// The automation protocol itself: every request answers, bad input never stops the program.

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "process.h"

namespace fe::e2e {
namespace {

using nlohmann::json;

TEST(Automation, BadLinesAnswerErrorsAndTheProgramCarriesOn) {
  TempHome home;
  AutomationClient client(home);
  const std::string bad_lines[] = {
      "not json",
      "[1,2]",
      R"({"op":42})",
      R"({"op":"fly"})",
      R"({"op":"snapshot","extra":1})",
      R"({"op":"snapshot","op":"quit"})",
      R"({"op":"key","key":"NoSuchKey"})",
      R"({"op":"key","key":"a","mods":["hyper"]})",
      R"({"op":"pointer","event":"move","x":"1","y":2})",
      R"({"op":"pointer","event":"wiggle","x":1,"y":2})",
      R"({"op":"wait","ms":-1})",
      R"({"op":"invoke","kind":7000,"action":"files.refresh"})",
      R"({"op":"invoke","kind":1,"action":"files.refresh","request":"xyz"})",
      R"({"op":"poll"})",
      R"({"op":"shot"})",
      "{\"op\":\"text\",\"text\":\"\xff\xfe\"}",
  };
  for (const auto& line : bad_lines) {
    auto answer = json::parse(client.request_raw(line), nullptr, false);
    ASSERT_TRUE(answer.is_object()) << line;
    EXPECT_EQ(answer["ok"], false) << line;
    EXPECT_TRUE(answer["error"].is_string()) << line;
  }
  EXPECT_EQ(client.request({{"op", "status"}})["ok"], true);
  EXPECT_EQ(client.finish(), 0);
}

TEST(Automation, OverlongLineIsRefused) {
  TempHome home;
  AutomationClient client(home);
  auto answer = json::parse(client.request_raw(std::string(2 << 20, 'x')), nullptr, false);
  EXPECT_EQ(answer["ok"], false);
  EXPECT_EQ(client.request({{"op", "status"}})["ok"], true);
}

TEST(Automation, EveryRequestOfTheProtocolAnswers) {
  TempHome home;
  AutomationClient client(home);
  EXPECT_EQ(client.request({{"op", "snapshot"}})["ok"], true);
  auto status = client.request({{"op", "status"}});
  EXPECT_EQ(status["ok"], true);
  EXPECT_TRUE(status["pill"].is_string());
  auto tree = client.request({{"op", "a11y"}});
  EXPECT_TRUE(tree["tree"]["role"].is_string());
  EXPECT_TRUE(client.request({{"op", "rects"}})["rects"].is_object());
  EXPECT_TRUE(client.request({{"op", "resources"}})["resources"].is_array());
  auto invoked = client.request({{"op", "invoke"},
                                 {"kind", 1},
                                 {"action", "files.no-such-action"},
                                 {"payload", nullptr},
                                 {"request", "00112233445566778899aabbccddeeff"}});
  EXPECT_EQ(invoked["outcome"], "not_handled");
  auto polled = client.request({{"op", "poll"}, {"request", "00112233445566778899aabbccddeeff"}});
  EXPECT_EQ(polled["completed"], false);
  EXPECT_EQ(client.request({{"op", "key"}, {"key", "a"}, {"mods", {"ctrl"}}})["ok"], true);
  EXPECT_EQ(client.request({{"op", "key"}, {"key", "F5"}})["ok"], true);
  EXPECT_EQ(client.request({{"op", "text"}, {"text", "ä"}})["ok"], true);
  EXPECT_EQ(client.request({{"op", "pointer"}, {"event", "move"}, {"x", 10}, {"y", 20}})["ok"], true);
  EXPECT_EQ(
      client.request({{"op", "pointer"}, {"event", "press"}, {"x", 10}, {"y", 20}, {"button", "secondary"}})["ok"],
      true);
  EXPECT_EQ(client.request({{"op", "wait"}, {"ms", 5}})["ok"], true);
  const auto shot = home.home() / "out" / "shot.png";
  EXPECT_EQ(client.request({{"op", "shot"}, {"path", shot.string()}})["ok"], true);
  EXPECT_TRUE(std::filesystem::exists(shot));
  EXPECT_EQ(client.request({{"op", "quit"}})["ok"], true);
  EXPECT_EQ(client.finish(), 0);
}

TEST(Automation, EndOfInputEndsTheProgram) {
  TempHome home;
  auto r = run_program({"--automation"}, home, "{\"op\":\"status\"}\n");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  auto answer = json::parse(r.out, nullptr, false);
  EXPECT_EQ(answer["ok"], true) << r.out;
}

TEST(Automation, SocketServesTheProtocolWithPrivateMode) {
  TempHome home;
  const auto socket_path = home.home() / "automation.sock";
  AutomationClient process(home, {"--automation-socket", socket_path.string()});
  SocketClient client(socket_path);
  ASSERT_TRUE(client.connected());
  struct stat info {};
  ASSERT_EQ(::stat(socket_path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(client.request({{"op", "status"}})["ok"], true);
  EXPECT_EQ(client.request({{"op", "quit"}})["ok"], true);
  EXPECT_EQ(process.finish(), 0);
  EXPECT_FALSE(std::filesystem::exists(socket_path)) << "the socket is removed at exit";
}

TEST(Automation, SocketNeverReplacesAnExistingFile) {
  TempHome home;
  const auto socket_path = home.home() / "taken";
  std::ofstream(socket_path) << "keep me";
  auto r = run_program({"--automation", "--automation-socket", socket_path.string()}, home);
  EXPECT_NE(r.exit_code, 0);
  std::ifstream in(socket_path);
  std::string content((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(content, "keep me");
}

}  // namespace
}  // namespace fe::e2e
