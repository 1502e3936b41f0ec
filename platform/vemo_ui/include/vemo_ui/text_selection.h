#pragma once
#include <string>

namespace vemo_ui {
class Services;
namespace text_selection {
// Puts text on the desktop clipboard; answers whether the platform took it.
bool clipboard_copy(Services& services, const std::string& text);
}  // namespace text_selection
}  // namespace vemo_ui
