#include <charconv>
#include <cmath>

#include <fmt/format.h>

#include "vemo_ui/launch.h"

namespace vemo_ui {
namespace {

// Splits "WxH" (either case of x) into two positive 32-bit numbers.
std::optional<std::pair<std::uint32_t, std::uint32_t>> parse_window_size(std::string_view text) {
  auto sep = text.find_first_of("xX");
  if (sep == std::string_view::npos) return std::nullopt;
  auto parse = [](std::string_view part) -> std::optional<std::uint32_t> {
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (ec != std::errc{} || end != part.data() + part.size() || value == 0) return std::nullopt;
    return value;
  };
  auto w = parse(text.substr(0, sep));
  auto h = parse(text.substr(sep + 1));
  if (!w || !h) return std::nullopt;
  return std::pair{*w, *h};
}

std::optional<double> parse_scale(std::string_view text) {
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  if (value < 0.5 || value > 4.0) return std::nullopt;
  return value;
}

bool contains(const std::vector<std::string>& list, std::string_view item) {
  return std::ranges::find(list, item) != list.end();
}

}  // namespace

std::expected<LaunchArgs, LaunchError> LaunchArgs::parse(const std::vector<std::string>& argv,
                                                         const std::vector<std::string>& value_options,
                                                         const std::vector<std::string>& flag_options,
                                                         const std::vector<std::string>& fixtures) {
  LaunchArgs args;
  args.argv_ = argv;
  static const std::vector<std::string> toolkit_values = {"--shot", "--fixture", "--window-size", "--text-scale",
                                                          "--automation-socket"};
  bool options_done = false;
  for (std::size_t i = 1; i < argv.size(); ++i) {
    std::string_view arg = argv[i];
    if (options_done || arg.size() < 2 || !arg.starts_with("--")) {
      args.positional_.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    std::string name(arg);
    std::optional<std::string> inline_value;
    if (auto eq = arg.find('='); eq != std::string_view::npos) {
      name = std::string(arg.substr(0, eq));
      inline_value = std::string(arg.substr(eq + 1));
    }
    const bool is_value = contains(value_options, name) || contains(toolkit_values, name);
    const bool is_flag = contains(flag_options, name) || name == "--automation";
    if (!is_value && !is_flag) return std::unexpected(LaunchError{fmt::format("unknown option {}", name)});
    if (is_flag) {
      if (inline_value) return std::unexpected(LaunchError{fmt::format("option {} takes no value", name)});
      if (name == "--automation") args.automation_ = true;
      args.flags_.push_back(name);
      continue;
    }
    std::string value;
    if (inline_value) {
      value = *inline_value;
    } else if (i + 1 < argv.size()) {
      value = argv[++i];
    } else {
      return std::unexpected(LaunchError{fmt::format("option {} needs a value", name)});
    }
    if (name == "--shot") {
      if (value.empty()) return std::unexpected(LaunchError{"option --shot needs a file path"});
      args.shot_path_ = std::filesystem::path(value);
    } else if (name == "--fixture") {
      if (!contains(fixtures, value)) return std::unexpected(LaunchError{fmt::format("unknown fixture {}", value)});
      args.fixture_ = value;
    } else if (name == "--window-size") {
      auto size = parse_window_size(value);
      if (!size) return std::unexpected(LaunchError{fmt::format("invalid window size {} (expected WxH)", value)});
      args.window_size_ = size;
    } else if (name == "--text-scale") {
      auto scale = parse_scale(value);
      if (!scale) return std::unexpected(LaunchError{fmt::format("invalid text scale {} (0.5 to 4)", value)});
      args.text_scale_ = *scale;
    } else if (name == "--automation-socket") {
      if (value.empty()) return std::unexpected(LaunchError{"option --automation-socket needs a path"});
      args.automation_socket_ = std::filesystem::path(value);
    } else {
      args.values_.emplace_back(name, std::move(value));
    }
  }
  return args;
}

std::optional<std::string> LaunchArgs::value(std::string_view name) const {
  // A repeated option keeps its last value, as command lines usually do.
  for (auto it = values_.rbegin(); it != values_.rend(); ++it) {
    if (it->first == name) return it->second;
  }
  return std::nullopt;
}

bool LaunchArgs::flag(std::string_view name) const {
  return contains(flags_, name);
}

}  // namespace vemo_ui
