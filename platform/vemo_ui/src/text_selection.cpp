#include "vemo_ui/text_selection.h"

#include "vemo_ui/services.h"

namespace vemo_ui::text_selection {

bool clipboard_copy(Services& services, const std::string& text) {
  if (!services.set_clipboard_text) return false;  // this backend has no clipboard
  return services.set_clipboard_text(text);
}

}  // namespace vemo_ui::text_selection
