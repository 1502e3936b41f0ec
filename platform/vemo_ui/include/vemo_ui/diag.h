#pragma once
// Diagnostic lines for people reading standard error (never standard output).

#include <string_view>

namespace vemo_ui::diag {
void write_line(std::string_view line);
}
