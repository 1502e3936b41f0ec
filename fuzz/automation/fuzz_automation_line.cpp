// Feeds arbitrary bytes to the automation protocol as one request line.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "automation.h"
#include "runtime.h"
#include "vemo_ui/services.h"

namespace {

class Root : public vemo_ui::Widget {
 public:
  std::string_view type_name() const override { return "FuzzRoot"; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  // Requests that sleep or write files are left out: they are bounded, but slow or noisy here.
  if (line.find("wait") != std::string_view::npos || line.find("shot") != std::string_view::npos) return 0;
  static Root root;
  static vemo_ui::Services services;
  static vemo_ui::detail::Runtime runtime(root, vemo_ui::Theme::light(), services, 1.0, 1.0);
  static vemo_ui::detail::AutomationSession session(runtime);
  runtime.set_viewport({320, 200});
  auto answer = session.handle_line(line);
  if (answer.json.empty()) __builtin_trap();
  return 0;
}
