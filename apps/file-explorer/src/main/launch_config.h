#pragma once
// The launch configuration of the explorer: identifier, options, fixtures and the three callbacks.

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "vemo_ui/launch.h"

namespace fe {

inline constexpr std::string_view kAppId = "vemo.file-explorer";

// Still images default to this size when neither --size nor the toolkit gives one.
inline constexpr std::pair<std::uint32_t, std::uint32_t> kDefaultShotSize{1200, 720};

vemo_ui::LaunchConfig make_launch_config();

// "WxH" with a lower- or upper-case x, both sides unsigned 32-bit decimals; none when malformed.
std::optional<std::pair<std::uint32_t, std::uint32_t>> parse_shot_size(std::string_view text);

// The still image's size: --size when it parses, else the toolkit's window size, else 1200 × 720.
std::pair<std::uint32_t, std::uint32_t> shot_size(const vemo_ui::LaunchArgs& args);

// Builds the root widget for a normal launch.
std::expected<vemo_ui::WidgetBox, vemo_ui::LaunchError> build_root(vemo_ui::LaunchArgs& args);

// Renders one still image to the --shot path and prints where it went.
std::expected<vemo_ui::ShotOutcome, vemo_ui::LaunchError> build_shot(vemo_ui::LaunchArgs& args);

}  // namespace fe
