#pragma once
// Lower-casing for name ordering and prefix matching: full Unicode lower-casing (root locale),
// with a fast path for ASCII names.

#include <string>
#include <string_view>

namespace fe {

// The lower-cased form of UTF-8 text. Invalid UTF-8 is lower-cased after lossy conversion.
std::string lower_case(std::string_view utf8);

// Appends the lower-cased form of `utf8` to `out` (lets callers pack many keys into one buffer).
void append_lower_case(std::string_view utf8, std::string& out);

// True when lower_case(text) begins with lower_case(prefix).
bool starts_with_ignoring_case(std::string_view text, std::string_view prefix);

}  // namespace fe
