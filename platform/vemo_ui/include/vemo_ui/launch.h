#pragma once
// Launching an application: the command line, the launch configuration and the run loop.
//
// Toolkit options (besides the application's own): --shot PATH (render one still image and exit),
// --fixture NAME, --window-size WxH, --text-scale X, --automation (no window; the JSON line protocol
// on standard input), --automation-socket PATH (the same protocol on a Unix socket).

#include <array>
#include <cstdint>
#include <expected>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vemo_ui/persist.h"
#include "vemo_ui/theme.h"
#include "vemo_ui/widget.h"

namespace vemo_ui {

struct LaunchError {
  std::string message;
};

class LaunchArgs {
 public:
  // Parses argv against the declared value and flag options and the toolkit's own.
  static std::expected<LaunchArgs, LaunchError> parse(const std::vector<std::string>& argv,
                                                      const std::vector<std::string>& value_options,
                                                      const std::vector<std::string>& flag_options,
                                                      const std::vector<std::string>& fixtures);

  // Every process argument, program name first.
  const std::vector<std::string>& argv() const { return argv_; }
  const std::vector<std::string>& positional() const { return positional_; }
  // The text after a declared value option, or none.
  std::optional<std::string> value(std::string_view name) const;
  bool flag(std::string_view name) const;

  const std::optional<std::filesystem::path>& shot_path() const { return shot_path_; }
  const std::optional<std::string>& fixture() const { return fixture_; }
  const std::optional<std::pair<std::uint32_t, std::uint32_t>>& window_size() const { return window_size_; }
  double text_scale() const { return text_scale_; }
  bool automation() const { return automation_; }
  const std::optional<std::filesystem::path>& automation_socket() const { return automation_socket_; }

 private:
  std::vector<std::string> argv_;
  std::vector<std::string> positional_;
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<std::string> flags_;
  std::optional<std::filesystem::path> shot_path_;
  std::optional<std::string> fixture_;
  std::optional<std::pair<std::uint32_t, std::uint32_t>> window_size_;
  double text_scale_ = 1.0;
  bool automation_ = false;
  std::optional<std::filesystem::path> automation_socket_;
};

// One history target an application registers for the version-history mode.
struct HistoryTarget {
  std::string key;
  std::string label;
};

struct HistoryRegistration {
  std::string app_id;
  std::vector<HistoryTarget> targets;
};

enum class ShotOutcome : unsigned char { Written, NothingToRender };

struct LaunchConfig {
  std::string app_id;
  std::vector<std::string> value_options;
  std::vector<std::string> flag_options;
  std::vector<std::string> fixtures;
  HistoryRegistration history;
  std::function<std::expected<WidgetBox, LaunchError>(LaunchArgs&)> build_root;
  std::function<std::expected<ShotOutcome, LaunchError>(LaunchArgs&)> build_shot;
  std::function<std::pair<std::uint32_t, std::uint32_t>()> default_window_size;
  std::function<std::uint32_t()> window_setting;
  std::array<bool, 4> switches{};
  std::function<std::expected<persist::Document, std::string>(const persist::OpenArgs&)> open_persistence;
};

namespace launch {
// Runs the application until its window closes or automation input ends.
std::expected<void, LaunchError> run(LaunchConfig config, int argc, char** argv);
// The theme still images are drawn with.
Theme shot_theme(const LaunchArgs* args);
}  // namespace launch

}  // namespace vemo_ui
