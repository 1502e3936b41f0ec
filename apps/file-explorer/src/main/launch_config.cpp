#include "main/launch_config.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "files_app/file_explorer_widget.h"
#include "i18n/i18n.h"
#include "main/persistence_opener.h"
#include "main/share_stdin.h"
#include "vemo_ui/offscreen.h"
#include "vemo_ui/sysdirs.h"

namespace fe {
namespace {

std::optional<std::uint32_t> parse_u32(std::string_view text) {
  std::uint32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::filesystem::path> user_home() {
  if (auto over = vemo_ui::sysdirs::user_home_override()) return over;
  return vemo_ui::sysdirs::platform_home();
}

std::optional<std::filesystem::path> explorer_config_folder() {
  if (auto config = vemo_ui::sysdirs::config_dir()) return *config / "vemo-files";
  return std::nullopt;
}

}  // namespace

std::optional<std::pair<std::uint32_t, std::uint32_t>> parse_shot_size(std::string_view text) {
  auto sep = text.find_first_of("xX");
  if (sep == std::string_view::npos) return std::nullopt;
  auto w = parse_u32(text.substr(0, sep));
  auto h = parse_u32(text.substr(sep + 1));
  if (!w || !h) return std::nullopt;
  return std::pair{*w, *h};
}

std::pair<std::uint32_t, std::uint32_t> shot_size(const vemo_ui::LaunchArgs& args) {
  if (auto value = args.value("--size")) {
    if (auto size = parse_shot_size(*value)) return *size;
  }
  return args.window_size().value_or(kDefaultShotSize);
}

std::expected<vemo_ui::WidgetBox, vemo_ui::LaunchError> build_root(vemo_ui::LaunchArgs& args) {
  // Only the first exact "--open-share-stdin" counts; what follows it is not scanned.
  std::optional<std::expected<std::string, std::string>> share;
  for (const auto& arg : args.argv()) {
    if (arg == "--open-share-stdin") {
      share = read_share_link(STDIN_FILENO);
      break;
    }
  }

  auto explorer = std::make_unique<FileExplorerWidget>(explorer_config_folder(), user_home());
  if (share) {
    // The received-share service client comes later; until then a readable link is not admitted.
    explorer->set_status(tr(share->has_value() ? "files-received-not-available" : share->error()));
    return explorer;
  }
  if (!args.positional().empty()) {
    const std::string& first = args.positional().front();
    if (first.empty()) return std::unexpected(vemo_ui::LaunchError{"cannot make an empty path absolute"});
    std::error_code ec;
    auto absolute = std::filesystem::absolute(first, ec);
    if (ec) return std::unexpected(vemo_ui::LaunchError{ec.message()});
    explorer->navigate_to(absolute);
  }
  return explorer;
}

std::expected<vemo_ui::ShotOutcome, vemo_ui::LaunchError> build_shot(vemo_ui::LaunchArgs& args) {
  if (!args.shot_path()) return vemo_ui::ShotOutcome::NothingToRender;
  const auto [width, height] = shot_size(args);

  FileExplorerWidget explorer(std::nullopt, vemo_ui::sysdirs::platform_home());
  if (auto path = args.value("--path")) explorer.navigate_to(*path);

  vemo_ui::OffscreenRenderer renderer(vemo_ui::launch::shot_theme(&args), args.text_scale());
  auto frame = renderer.render_resilient(explorer, {static_cast<double>(width), static_cast<double>(height)});
  if (!frame) return std::unexpected(vemo_ui::LaunchError{frame.error().message});
  auto png = vemo_ui::OffscreenRenderer::encode_png(*frame);
  if (!png) return std::unexpected(vemo_ui::LaunchError{png.error()});

  const std::filesystem::path& out = *args.shot_path();
  std::error_code ignored;
  if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path(), ignored);
  if (auto written = vemo_ui::write_file_atomic(out, *png); !written) {
    return std::unexpected(vemo_ui::LaunchError{"could not write the still image: " + written.error()});
  }
  std::printf("file-explorer: wrote shot to %s\n", out.c_str());
  std::fflush(stdout);
  return vemo_ui::ShotOutcome::Written;
}

vemo_ui::LaunchConfig make_launch_config() {
  vemo_ui::LaunchConfig config;
  config.app_id = std::string(kAppId);
  config.value_options = {"--size", "--path"};
  config.flag_options = {"--open-share-stdin"};
  config.fixtures = {"archive", "archive-menu", "context-menu", "dropmove",   "error",          "grid",      "history",
                     "loading", "menu",         "pindrag",      "places",     "remote-account", "rename",    "reorder",
                     "select",  "status",       "sync",         "thumbnails", "thumbnails-fs",  "undo-trash"};
  config.history = {std::string(kAppId), {{"selected-file", "Selected file"}}};
  config.build_root = build_root;
  config.build_shot = build_shot;
  config.default_window_size = [] { return std::pair<std::uint32_t, std::uint32_t>{1280, 800}; };
  config.window_setting = [] { return std::uint32_t{1}; };
  config.switches = {false, false, true, true};
  config.open_persistence = open_persistence;
  return config;
}

}  // namespace fe
