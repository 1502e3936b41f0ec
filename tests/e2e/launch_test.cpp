// Launch rules, still images and the persisted document's actor label, through the real program.

#include <cairo.h>

#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "process.h"

namespace fe::e2e {
namespace {

struct PngSize {
  int width = 0;
  int height = 0;
};

std::optional<PngSize> png_size(const std::filesystem::path& file) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return std::nullopt;
  }
  PngSize size{cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)};
  cairo_surface_destroy(s);
  return size;
}

TEST(Launch, EmptyFolderArgumentFailsTheLaunch) {
  TempHome home;
  auto r = run_program({"--automation", ""}, home);
  EXPECT_NE(r.exit_code, 0);
  EXPECT_NE(r.err.find("cannot make an empty path absolute"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
}

TEST(Launch, UnknownOptionFailsWithItsName) {
  TempHome home;
  auto r = run_program({"--no-such-option"}, home);
  EXPECT_NE(r.exit_code, 0);
  EXPECT_NE(r.err.find("--no-such-option"), std::string::npos) << r.err;
}

TEST(Launch, WithoutADisplayTheWindowFailsAndNamesTheHeadlessModes) {
  TempHome home;
  home.env()["SDL_VIDEODRIVER"] = "x11";
  auto r = run_program({}, home, {}, std::chrono::seconds(20));
  EXPECT_NE(r.exit_code, 0);
  EXPECT_NE(r.err.find("--shot"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--automation"), std::string::npos) << r.err;
}

struct ShotCase {
  const char* name;
  std::vector<std::string> args;
  int width;
  int height;
};

class ShotSize : public testing::TestWithParam<ShotCase> {};

TEST_P(ShotSize, WritesThePngAtTheChosenSize) {
  TempHome home;
  const auto out = home.home() / "shots" / "deep" / "frame.png";
  std::vector<std::string> args = {"--shot", out.string()};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  auto r = run_program(args, home);
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out, "file-explorer: wrote shot to " + out.string() + "\n");
  auto size = png_size(out);
  ASSERT_TRUE(size) << "no PNG at " << out;
  EXPECT_EQ(size->width, GetParam().width);
  EXPECT_EQ(size->height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Launch, ShotSize,
    testing::Values(ShotCase{"LowerX", {"--size", "800x600"}, 800, 600},
                    ShotCase{"UpperX", {"--size", "800X600"}, 800, 600},
                    ShotCase{"SingleNumberFallsBack", {"--size", "800"}, 1200, 720},
                    ShotCase{"NothingAfterSeparator", {"--size", "800x"}, 1200, 720}, ShotCase{"NoSize", {}, 1200, 720},
                    ShotCase{"ToolkitSizeIsTheFallback", {"--size", "oops", "--window-size", "640x480"}, 640, 480},
                    ShotCase{"SizeBeatsToolkitSize", {"--size", "320x200", "--window-size", "640x480"}, 320, 200}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Launch, ShotThatCannotBeWrittenFails) {
  TempHome home;
  const auto blocker = home.home() / "not-a-folder";
  std::ofstream(blocker) << "x";
  auto r = run_program({"--shot", (blocker / "frame.png").string()}, home);
  EXPECT_NE(r.exit_code, 0);
  EXPECT_EQ(r.out.find("wrote shot"), std::string::npos);
  EXPECT_FALSE(r.err.empty());
}

// The actor label line written to standard error at start.
std::string actor_line(const std::string& err) {
  std::smatch m;
  static const std::regex line("file-explorer: persisted document actor (\\S+)");
  return std::regex_search(err, m, line) ? m[1].str() : std::string();
}

std::string label_of_run(TempHome& home) {
  AutomationClient client(home);
  EXPECT_EQ(client.request({{"op", "quit"}})["ok"], true);
  EXPECT_EQ(client.finish(), 0) << client.stderr_text();
  return actor_line(client.stderr_text());
}

TEST(Persistence, ActorLabelIsStableAcrossRuns) {
  TempHome home;
  const std::string first = label_of_run(home);
  EXPECT_TRUE(std::regex_match(first, std::regex("files-[0-9a-f]{12}"))) << first;
  EXPECT_EQ(label_of_run(home), first);
}

TEST(Persistence, EnvironmentChoosesTheLabel) {
  TempHome home;
  home.env()["VEMO_USER_ID"] = "alice";
  EXPECT_EQ(label_of_run(home), "files-alice");
  home.env()["BRISK_APP_ID"] = "brisk.assistant";
  EXPECT_EQ(label_of_run(home), "brisk.assistant");
  home.env()["BRISK_APP_ID"] = "";
  EXPECT_EQ(label_of_run(home), "files-alice");
}

TEST(Persistence, CorruptDocumentIsSetAsideAndReplaced) {
  TempHome home;
  const std::string before = label_of_run(home);
  const auto doc = home.state() / "vemo.file-explorer" / "state.json";
  ASSERT_TRUE(std::filesystem::exists(doc));
  std::ofstream(doc, std::ios::trunc) << "{ not json";
  const std::string after = label_of_run(home);
  EXPECT_TRUE(std::regex_match(after, std::regex("files-[0-9a-f]{12}"))) << after;
  EXPECT_NE(after, before);
  EXPECT_TRUE(std::filesystem::exists(doc.string() + ".corrupt-1"));
  EXPECT_EQ(label_of_run(home), after);
}

}  // namespace
}  // namespace fe::e2e
