// The real window under a virtual X server: its size reaches the explorer, its frames are what a shot
// writes, and a resize from outside is followed.

#include <cairo.h>

#include <array>
#include <thread>

#include <gtest/gtest.h>

#include "process.h"

namespace fe::e2e {
namespace {

using nlohmann::json;

std::optional<std::pair<int, int>> png_pixels(const std::filesystem::path& file) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
  std::optional<std::pair<int, int>> size;
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
    size = std::pair{cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)};
  }
  cairo_surface_destroy(s);
  return size;
}

json root_rect(int width, int height) {
  return json::array({0, 0, width, height});
}

// The screen is larger than any window here, so that nothing is clipped to it.
constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1000;

class Window : public testing::Test {
 protected:
  void SetUp() override {
    if (!find_on_path("Xvfb")) {
      GTEST_SKIP() << "Xvfb is not on PATH: the real-window tests need it (scripts/install-deps.sh installs it)";
    }
    display_.emplace(kScreenWidth, kScreenHeight);
    ASSERT_TRUE(display_->ok()) << display_->error();
    home_.env()["DISPLAY"] = display_->name();
    home_.env()["SDL_VIDEODRIVER"] = "x11";
    // A real window brings in the desktop bus and the GL stack, which keep allocations for the
    // life of the process; in sanitizer builds only their leak report is turned off here.
    home_.env()["ASAN_OPTIONS"] = "detect_leaks=0:abort_on_error=1";
    socket_ = home_.home() / "window.sock";
  }

  // Starts the windowed explorer serving automation on the socket.
  void start(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--automation-socket", socket_.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    program_.emplace(args, home_);
    client_.emplace(socket_);
    ASSERT_TRUE(client_->connected()) << "the window never served its socket\nstderr:\n" << program_->err();
  }

  // The answer when it is a JSON object, else a null that fails the test.
  json request(const json& req) {
    json answer = client_->request(req);
    if (answer.is_object()) return answer;
    ADD_FAILURE() << "no answer to " << req.dump() << "\nstderr:\n" << program_->err();
    return json::object();
  }

  json snapshot_rect() {
    json answer = request({{"op", "snapshot"}});
    EXPECT_EQ(answer.value("ok", false), true) << answer.dump();
    if (!answer.contains("snapshot") || !answer["snapshot"].is_object()) return {};
    return answer["snapshot"].value("root_rect", json());
  }

  void expect_shot_of(int width, int height, const std::string& name) {
    const auto shot = home_.home() / (name + ".png");
    json answer = request({{"op", "shot"}, {"path", shot.string()}});
    ASSERT_EQ(answer.value("ok", false), true) << answer.dump();
    auto size = png_pixels(shot);
    ASSERT_TRUE(size) << "no PNG at " << shot;
    EXPECT_EQ(size->first, width);
    EXPECT_EQ(size->second, height);
  }

  void quit_and_expect_success() {
    EXPECT_EQ(request({{"op", "quit"}}).value("ok", false), true);
    std::string err = program_->err();
    EXPECT_EQ(program_->wait(), 0) << err;
    EXPECT_FALSE(std::filesystem::exists(socket_)) << "the socket is removed at exit";
  }

  TempHome home_;
  std::optional<VirtualDisplay> display_;
  std::filesystem::path socket_;
  std::optional<BackgroundProgram> program_;
  std::optional<SocketClient> client_;
};

struct SizeCase {
  const char* name;
  std::vector<std::string> args;
  int width;
  int height;
};

class WindowSize : public Window, public testing::WithParamInterface<SizeCase> {};

TEST_P(WindowSize, RootRectAndShotAreTheWindow) {
  start(GetParam().args);
  if (HasFatalFailure()) return;
  EXPECT_EQ(snapshot_rect(), root_rect(GetParam().width, GetParam().height));
  expect_shot_of(GetParam().width, GetParam().height, "window");
  quit_and_expect_success();
}

INSTANTIATE_TEST_SUITE_P(Window, WindowSize,
                         testing::Values(SizeCase{"Default", {}, 1280, 800},
                                         SizeCase{"Chosen", {"--window-size", "900x600"}, 900, 600}),
                         [](const auto& info) { return std::string(info.param.name); });

// The chrome of a real window at the widths around the toolbar's compact limit and at a large text
// scale: every control lies inside the window, none overlaps another, and the breadcrumbs stay
// inside their bar.
struct ChromeCase {
  const char* name;
  std::vector<std::string> args;
  int width;
  int height;
  bool compact;
};

class WindowChrome : public Window, public testing::WithParamInterface<ChromeCase> {};

bool overlap(const std::array<double, 4>& a, const std::array<double, 4>& b) {
  return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
}

void collect_breadcrumb_bounds(const json& node, std::vector<std::array<double, 4>>& out) {
  if (node.value("name", "") == "Breadcrumbs" && node.contains("children")) {
    for (const auto& child : node["children"]) {
      if (child.contains("bounds")) out.push_back(child["bounds"].get<std::array<double, 4>>());
    }
    return;
  }
  if (node.contains("children")) {
    for (const auto& child : node["children"]) collect_breadcrumb_bounds(child, out);
  }
}

TEST_P(WindowChrome, ControlsFitWithoutOverlapping) {
  const ChromeCase& c = GetParam();
  start(c.args);
  if (HasFatalFailure()) return;
  ASSERT_EQ(snapshot_rect(), root_rect(c.width, c.height));
  const json rects = request({{"op", "rects"}}).value("rects", json::object());
  std::vector<std::pair<std::string, std::array<double, 4>>> chrome;
  for (const char* id : {"files.back", "files.forward", "files.up", "path_bar", "files.view-mode", "files.sort_menu",
                         "files.view_menu", "nav.sidebar_toggle"}) {
    if (rects.contains(id)) chrome.emplace_back(id, rects[id].get<std::array<double, 4>>());
  }
  EXPECT_EQ(rects.contains("files.forward"), !c.compact) << c.name;
  EXPECT_EQ(rects.contains("files.view-mode"), !c.compact) << c.name;
  for (std::size_t i = 0; i < chrome.size(); ++i) {
    const auto& [id, r] = chrome[i];
    EXPECT_TRUE(r[0] >= 0 && r[1] >= 0 && r[2] <= c.width && r[3] <= c.height) << c.name << " " << id;
    for (std::size_t j = i + 1; j < chrome.size(); ++j) {
      EXPECT_FALSE(overlap(r, chrome[j].second)) << c.name << ": " << id << " overlaps " << chrome[j].first;
    }
  }
  ASSERT_TRUE(rects.contains("path_bar"));
  const auto bar = rects["path_bar"].get<std::array<double, 4>>();
  std::vector<std::array<double, 4>> crumbs;
  collect_breadcrumb_bounds(request({{"op", "a11y"}}).value("tree", json::object()), crumbs);
  EXPECT_FALSE(crumbs.empty()) << c.name;
  for (const auto& r : crumbs) {
    EXPECT_TRUE(r[0] >= bar[0] && r[2] <= bar[2] && r[1] >= bar[1] && r[3] <= bar[3])
        << c.name << " a breadcrumb " << json(r).dump();
  }
  expect_shot_of(c.width, c.height, c.name);
  quit_and_expect_success();
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowChrome,
    testing::Values(ChromeCase{"Width700", {"--window-size", "700x560"}, 700, 560, true},
                    ChromeCase{"Width800", {"--window-size", "800x600"}, 800, 600, false},
                    ChromeCase{"TextScale15", {"--window-size", "1280x800", "--text-scale", "1.5"}, 1280, 800, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Window, FollowsAResizeFromOutside) {
  start({"--window-size", "900x600"});
  if (HasFatalFailure()) return;
  ASSERT_EQ(snapshot_rect(), root_rect(900, 600));
  if (!find_on_path("xdotool")) {
    quit_and_expect_success();
    GTEST_SKIP() << "xdotool is not on PATH: the resize from outside is not checked (scripts/install-deps.sh)";
  }

  // xdotool is given the display only; the window is the one carrying our child's process id.
  std::vector<std::string> env = {"DISPLAY=" + display_->name(), "PATH=/usr/local/bin:/usr/bin:/bin"};
  auto found = run_tool({"xdotool", "search", "--sync", "--pid", std::to_string(program_->pid())}, env,
                        std::chrono::seconds(15));
  ASSERT_EQ(found.exit_code, 0) << "no window found for the program: " << found.err;
  const std::string window = found.out.substr(0, found.out.find('\n'));
  ASSERT_FALSE(window.empty());
  auto resized = run_tool({"xdotool", "windowsize", window, "1000", "700"}, env);
  ASSERT_EQ(resized.exit_code, 0) << resized.err;

  // The configure event reaches the program on its own time; wait for it, bounded.
  json rect;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  do {
    rect = snapshot_rect();
    if (rect == root_rect(1000, 700)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
  EXPECT_EQ(rect, root_rect(1000, 700));
  expect_shot_of(1000, 700, "resized");
  quit_and_expect_success();
}

}  // namespace
}  // namespace fe::e2e
