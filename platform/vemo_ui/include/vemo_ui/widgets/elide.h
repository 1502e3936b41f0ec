#pragma once
// Fitting one line of text into a width by cutting its end behind "…", on character boundaries.

#include <string>
#include <string_view>

#include "vemo_ui/text.h"

namespace vemo_ui {

// `text` itself when it fits into `max_width`, else its longest prefix (whole UTF-8 characters)
// followed by "…" that fits; "…" alone when nothing else fits.
std::string elide_end(TextRenderer& renderer, std::string_view text, double font_size, double max_width,
                      FontWeight weight = FontWeight::Regular);

// Byte offsets of UTF-8 character boundaries. A lead byte starts a character; continuation bytes
// (10xxxxxx) never do, so a cursor kept on these offsets never splits a character.
std::size_t utf8_next(std::string_view text, std::size_t offset);
std::size_t utf8_prev(std::string_view text, std::size_t offset);

}  // namespace vemo_ui
