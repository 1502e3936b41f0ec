#pragma once
// The SDL window backend. Only this backend includes SDL.

#include <expected>
#include <string>

#include "../automation.h"
#include "../runtime.h"

namespace vemo_ui::detail {

struct WindowOptions {
  std::string title;
  int width = 1280;
  int height = 800;
  RequestQueue* automation = nullptr;  // requests from an automation socket, if one is served
};

// Opens the window and runs until it closes (or an automation client asks to quit). Fails with a
// clear text when no display can be opened.
std::expected<void, std::string> run_window(Widget& root, const Theme& theme, Services& services, double text_scale,
                                            const WindowOptions& options);

}  // namespace vemo_ui::detail
