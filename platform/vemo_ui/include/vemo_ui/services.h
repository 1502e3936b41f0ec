#pragma once
// Toolkit services reachable from every context: persisted view state, clipboard, file drags and
// text input. Backends fill the hooks they support; the others answer "not available".

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vemo_ui {

namespace persist {
class Document;
}

class Services {
 public:
  // The persisted state document (view state such as zoom and scroll offsets); may be absent.
  persist::Document* state() const { return state_; }
  void set_state(persist::Document* doc) { state_ = doc; }

  // Clipboard text of the desktop.
  std::function<bool(const std::string&)> set_clipboard_text;
  std::function<std::optional<std::string>()> clipboard_text;
  // Offer paths as a file drag to other applications; answers whether the platform accepted.
  std::function<bool(const std::vector<std::filesystem::path>&)> start_file_drag;
  // Turn the platform's text input (input method) on or off for a focused text field.
  std::function<void(bool)> set_text_input_active;

 private:
  persist::Document* state_ = nullptr;
};

}  // namespace vemo_ui
