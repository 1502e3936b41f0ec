#include "vemo_ui/diag.h"

#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <string>

namespace vemo_ui::diag {

void write_line(std::string_view line) {
  // One line per call: embedded line breaks would split a diagnostic in the reader's log.
  std::string out;
  out.reserve(line.size() + 1);
  for (char c : line) out.push_back(c == '\n' || c == '\r' ? ' ' : c);
  out.push_back('\n');

  static std::mutex mutex;
  std::lock_guard lock(mutex);
  std::string_view rest = out;
  while (!rest.empty()) {
    const ssize_t n = ::write(STDERR_FILENO, rest.data(), rest.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // nowhere left to report it
    }
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace vemo_ui::diag
