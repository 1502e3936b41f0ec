#include "model/case_fold.h"

#include <unicode/ustring.h>
#include <unicode/utypes.h>

#include <vector>

#include "model/utf8.h"

namespace fe {
namespace {

char ascii_lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Full lower-casing of non-ASCII text through ICU: UTF-8 → UTF-16 → lower → UTF-8.
void append_lower_icu(std::string_view utf8, std::string& out) {
  const std::string valid = is_valid_utf8(utf8) ? std::string() : utf8_lossy(utf8);
  const std::string_view text = valid.empty() ? utf8 : std::string_view(valid);

  UErrorCode status = U_ZERO_ERROR;
  int32_t utf16_len = 0;
  u_strFromUTF8(nullptr, 0, &utf16_len, text.data(), static_cast<int32_t>(text.size()), &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
    out.append(text);
    return;
  }
  std::vector<UChar> source(static_cast<std::size_t>(utf16_len) + 1);
  status = U_ZERO_ERROR;
  u_strFromUTF8(source.data(), utf16_len + 1, nullptr, text.data(), static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) {
    out.append(text);
    return;
  }

  // Lower-casing may grow the text (e.g. U+0130 becomes two code units); retry once with the size asked.
  std::vector<UChar> lowered(source.size() + 8);
  status = U_ZERO_ERROR;
  int32_t lowered_len =
      u_strToLower(lowered.data(), static_cast<int32_t>(lowered.size()), source.data(), utf16_len, "", &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    lowered.resize(static_cast<std::size_t>(lowered_len) + 1);
    status = U_ZERO_ERROR;
    lowered_len =
        u_strToLower(lowered.data(), static_cast<int32_t>(lowered.size()), source.data(), utf16_len, "", &status);
  }
  if (U_FAILURE(status)) {
    out.append(text);
    return;
  }

  int32_t utf8_len = 0;
  status = U_ZERO_ERROR;
  u_strToUTF8(nullptr, 0, &utf8_len, lowered.data(), lowered_len, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
    out.append(text);
    return;
  }
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(utf8_len));
  status = U_ZERO_ERROR;
  u_strToUTF8(out.data() + start, utf8_len, nullptr, lowered.data(), lowered_len, &status);
  if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
    out.resize(start);
    out.append(text);
  }
}

}  // namespace

void append_lower_case(std::string_view utf8, std::string& out) {
  if (is_ascii(utf8)) {
    const std::size_t start = out.size();
    out.append(utf8);
    for (std::size_t i = start; i < out.size(); ++i) out[i] = ascii_lower(out[i]);
    return;
  }
  append_lower_icu(utf8, out);
}

std::string lower_case(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  append_lower_case(utf8, out);
  return out;
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
  if (is_ascii(prefix) && is_ascii(text)) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
      if (ascii_lower(text[i]) != ascii_lower(prefix[i])) return false;
    }
    return true;
  }
  return lower_case(text).starts_with(lower_case(prefix));
}

}  // namespace fe
