// The explorer's launch rules that need no window: still-image sizes, the share link read from
// standard input, and the actor label of the persisted document.

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <map>
#include <thread>

#include <gtest/gtest.h>

#include "main/launch_config.h"
#include "main/persistence_opener.h"
#include "main/share_stdin.h"

namespace fe {
namespace {

struct SizeCase {
  const char* text;
  std::optional<std::pair<std::uint32_t, std::uint32_t>> size;
};

TEST(ShotSize, ParsesBothSeparatorsAndRejectsTheRest) {
  const SizeCase cases[] = {
      {"800x600", std::pair{800u, 600u}},
      {"800X600", std::pair{800u, 600u}},
      {"1x1", std::pair{1u, 1u}},
      {"4294967295x2", std::pair{4294967295u, 2u}},
      {"0x0", std::pair{0u, 0u}},
      {"800", std::nullopt},
      {"800x", std::nullopt},
      {"x600", std::nullopt},
      {"4294967296x2", std::nullopt},
      {"-1x2", std::nullopt},
      {"+1x2", std::nullopt},
      {" 1x2", std::nullopt},
      {"1x2x3", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(parse_shot_size(c.text), c.size) << c.text;
}

TEST(ShotSize, FallsBackToTheToolkitSizeThenTheDefault) {
  const std::vector<std::string> values = {"--size", "--path"};
  const std::vector<std::string> none;
  auto args = vemo_ui::LaunchArgs::parse({"fe", "--size", "800", "--window-size", "640x480"}, values, none, none);
  ASSERT_TRUE(args);
  EXPECT_EQ(shot_size(*args), (std::pair{640u, 480u}));
  auto plain = vemo_ui::LaunchArgs::parse({"fe", "--size", "800x"}, values, none, none);
  ASSERT_TRUE(plain);
  EXPECT_EQ(shot_size(*plain), kDefaultShotSize);
  auto given = vemo_ui::LaunchArgs::parse({"fe", "--size=320x200"}, values, none, none);
  ASSERT_TRUE(given);
  EXPECT_EQ(shot_size(*given), (std::pair{320u, 200u}));
}

// Feeds `bytes` through a pipe as standard input would.
std::expected<std::string, std::string> read_through_pipe(const std::string& bytes) {
  // The reader stops at its bound; the writer then meets a closed pipe, which must not end the test.
  std::signal(SIGPIPE, SIG_IGN);
  int fds[2];
  if (::pipe(fds) != 0) return std::unexpected("pipe");
  std::thread writer([&] {
    std::size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(fds[1], bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::close(fds[1]);
  });
  auto result = read_share_link(fds[0]);
  ::close(fds[0]);
  writer.join();
  return result;
}

TEST(ShareLink, ChecksBoundTextAndLineBreaks) {
  struct Case {
    const char* name;
    std::string input;
    std::expected<std::string, std::string> result;
  };
  const Case cases[] = {
      {"at the bound", std::string(16384, 'a'), std::string(16384, 'a')},
      {"one over", std::string(16385, 'a'), std::unexpected("files-received-link-too-large")},
      {"far over", std::string(100000, 'a'), std::unexpected("files-received-link-too-large")},
      {"crlf pairs stripped", "link\r\n\r\n", "link"},
      {"leading blank kept", " link\n", " link"},
      {"inner breaks kept", "a\nb\n", "a\nb"},
      {"trailing blank kept", "link \n", "link "},
      {"only breaks", "\r\n\n\r", std::unexpected("files-received-link-empty")},
      {"nothing", "", std::unexpected("files-received-link-empty")},
      {"not utf-8", "vemo://\xff", std::unexpected("files-received-link-invalid-text")},
      {"surrogate", "\xed\xa0\x80", std::unexpected("files-received-link-invalid-text")},
  };
  for (const auto& c : cases) EXPECT_EQ(read_through_pipe(c.input), c.result) << c.name;
}

TEST(ShareLink, ReadErrorIsReported) {
  int fd = ::open("/", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(read_share_link(fd), std::unexpected(std::string("files-received-link-read-failed")));
  ::close(fd);
}

class ActorLabel : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "fe-actor-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_F(ActorLabel, FollowsTheEnvironmentThenTheStoredIdentity) {
  auto doc = vemo_ui::persist::open({"vemo.file-explorer", folder_});
  ASSERT_TRUE(doc) << doc.error();
  const std::string stored = "files-" + doc->stored_actor_hex().substr(0, 12);
  using Env = std::map<std::string, std::string>;
  struct Case {
    const char* name;
    Env env;
    std::string label;
  };
  const Case cases[] = {
      {"nothing set", {}, stored},
      {"app id", {{"BRISK_APP_ID", "brisk.app"}, {"VEMO_USER_ID", "u"}}, "brisk.app"},
      {"empty app id", {{"BRISK_APP_ID", ""}, {"VEMO_USER_ID", "u"}}, "files-u"},
      {"non-utf-8 app id", {{"BRISK_APP_ID", "\xff"}, {"VEMO_USER_ID", "u"}}, "files-u"},
      {"user id", {{"VEMO_USER_ID", "alice"}}, "files-alice"},
      {"empty user id", {{"VEMO_USER_ID", ""}}, stored},
  };
  for (const auto& c : cases) {
    EnvLookup env = [&](const char* name) -> std::optional<std::string> {
      auto it = c.env.find(name);
      return it == c.env.end() ? std::nullopt : std::optional(it->second);
    };
    EXPECT_EQ(actor_label(*doc, env), c.label) << c.name;
  }
  EXPECT_TRUE(std::all_of(stored.begin() + 6, stored.end(), [](char ch) { return std::isxdigit(ch); }));
  EXPECT_EQ(stored.size(), 18u);
}

}  // namespace
}  // namespace fe
