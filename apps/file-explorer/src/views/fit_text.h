#pragma once
// Fitting one line of text into a width with an ellipsis in the middle. The end of a name (its
// extension) is kept twice as long as its start, because that is the part that tells files apart.

#include <functional>
#include <string>
#include <string_view>

namespace fe {

// The width of a text as drawn.
using MeasureText = std::function<double(std::string_view)>;

// Empty for a width that is not positive; the text itself when it fits; otherwise, for k = n − 1
// down to 0 (n characters), the first of head + "…" + tail that fits, with tail = ceil(2k / 3) and
// head = k − tail characters; "…" when none fits. Characters are code points of the UTF-8 text.
// The measure is taken to grow with the number of characters (true of real text).
std::string fit_text(std::string_view text, double width, const MeasureText& measure);

}  // namespace fe
