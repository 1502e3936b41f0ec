// The process entry: logging first, then the toolkit runs the explorer until its window closes.

#include <cstdio>
#include <cstdlib>

#include <spdlog/sinks/stdout_color_sinks.h>
#include <spdlog/spdlog.h>

#include "main/launch_config.h"

int main(int argc, char** argv) {
  // Standard output belongs to still-image reports and the automation protocol; logs go to stderr.
  spdlog::set_default_logger(spdlog::stderr_color_mt("file-explorer"));

  auto result = vemo_ui::launch::run(fe::make_launch_config(), argc, argv);
  if (!result) {
    std::fprintf(stderr, "Error: %s\n", result.error().message.c_str());
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
