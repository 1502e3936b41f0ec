// Arbitrary command lines (NUL-separated arguments) and --size values.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "main/launch_config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  (void)fe::parse_shot_size(text);
  std::vector<std::string> argv = {"file-explorer"};
  std::string current;
  for (char c : text) {
    if (c == '\0') {
      argv.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  argv.push_back(current);
  auto config = fe::make_launch_config();
  auto args = vemo_ui::LaunchArgs::parse(argv, config.value_options, config.flag_options, config.fixtures);
  if (args) (void)fe::shot_size(*args);
  return 0;
}
