#include "vemo_ui/launch.h"

#include <gtest/gtest.h>

namespace vemo_ui {
namespace {

const std::vector<std::string> kValues = {"--size", "--path"};
const std::vector<std::string> kFlags = {"--open-share-stdin"};
const std::vector<std::string> kFixtures = {"grid", "select"};

std::expected<LaunchArgs, LaunchError> parse(std::vector<std::string> argv) {
  argv.insert(argv.begin(), "prog");
  return LaunchArgs::parse(argv, kValues, kFlags, kFixtures);
}

TEST(LaunchArgs, SplitsPositionalValuesFlagsAndToolkitOptions) {
  auto args = parse({"/tmp", "--size", "10x20", "--open-share-stdin", "--shot=/x.png", "--fixture", "grid",
                     "--window-size", "300X200", "--text-scale", "1.5", "--automation", "second"});
  ASSERT_TRUE(args) << args.error().message;
  EXPECT_EQ(args->positional(), (std::vector<std::string>{"/tmp", "second"}));
  EXPECT_EQ(args->value("--size"), "10x20");
  EXPECT_EQ(args->value("--path"), std::nullopt);
  EXPECT_TRUE(args->flag("--open-share-stdin"));
  EXPECT_EQ(args->shot_path(), std::filesystem::path("/x.png"));
  EXPECT_EQ(args->fixture(), "grid");
  EXPECT_EQ(args->window_size(), (std::pair<std::uint32_t, std::uint32_t>{300, 200}));
  EXPECT_DOUBLE_EQ(args->text_scale(), 1.5);
  EXPECT_TRUE(args->automation());
  EXPECT_EQ(args->argv().front(), "prog");
}

TEST(LaunchArgs, AfterDoubleDashEverythingIsPositional) {
  auto args = parse({"--", "--size", "-"});
  ASSERT_TRUE(args);
  EXPECT_EQ(args->positional(), (std::vector<std::string>{"--size", "-"}));
  EXPECT_EQ(args->value("--size"), std::nullopt);
}

TEST(LaunchArgs, RepeatedValueKeepsTheLast) {
  auto args = parse({"--path", "/a", "--path", "/b"});
  ASSERT_TRUE(args);
  EXPECT_EQ(args->value("--path"), "/b");
}

TEST(LaunchArgs, RefusesMalformedOptions) {
  const std::vector<std::vector<std::string>> bad = {
      {"--unknown"},
      {"--size"},
      {"--open-share-stdin=1"},
      {"--fixture", "nope"},
      {"--window-size", "0x5"},
      {"--window-size", "5"},
      {"--text-scale", "0.1"},
      {"--text-scale", "nan"},
      {"--text-scale", "2x"},
      {"--shot", ""},
      {"--automation-socket="},
  };
  for (const auto& argv : bad) {
    auto args = parse(argv);
    EXPECT_FALSE(args) << argv.front();
    if (!args) {
      EXPECT_FALSE(args.error().message.empty());
    }
  }
}

}  // namespace
}  // namespace vemo_ui
