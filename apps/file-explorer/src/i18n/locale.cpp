#include "i18n/locale.h"

#include <unicode/locid.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <mutex>

namespace fe {
namespace {

std::string lower(std::string s) {
  std::ranges::transform(s, s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool is_valid_utf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not Unicode text.
    static constexpr std::uint32_t kMinForLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinForLength[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

std::string_view trim(std::string_view s) {
  constexpr std::string_view kSpace = " \t\n\r\f\v";
  const std::size_t first = s.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  const std::size_t last = s.find_last_not_of(kSpace);
  return s.substr(first, last - first + 1);
}

}  // namespace

std::string Locale::to_string() const {
  std::string text = language.empty() ? "und" : language;
  for (const std::string* part : {&script, &region}) {
    if (!part->empty()) text += '-' + *part;
  }
  for (const std::string& variant : variants) text += '-' + variant;
  return text;
}

Locale Locale::en_us() {
  return Locale{"en", "", "US", {}};
}

std::optional<Locale> parse_language_identifier(std::string_view text) {
  if (text.empty()) return std::nullopt;
  // A one-character subtag opens an extension or private-use part, which a language identifier
  // does not have ("de-u-co-phonebk", "x-private").
  std::size_t start = 0;
  for (;;) {
    const std::size_t dash = text.find('-', start);
    const std::size_t end = dash == std::string_view::npos ? text.size() : dash;
    if (end - start == 1) return std::nullopt;
    if (dash == std::string_view::npos) break;
    start = dash + 1;
  }
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale parsed = icu::Locale::forLanguageTag(icu::StringPiece(text.data(), text.size()), status);
  if (U_FAILURE(status) || parsed.isBogus()) return std::nullopt;

  Locale locale;
  locale.language = parsed.getLanguage();
  locale.script = parsed.getScript();
  locale.region = parsed.getCountry();
  std::string_view variants = parsed.getVariant();
  while (!variants.empty()) {
    const std::size_t sep = variants.find('_');
    locale.variants.push_back(lower(std::string(variants.substr(0, sep))));
    if (sep == std::string_view::npos) break;
    variants.remove_prefix(sep + 1);
  }
  if (locale.language == "und") locale.language.clear();
  return locale;
}

Locale resolve_locale_from(const EnvReader& read_env) {
  for (const char* name : {"LC_ALL", "LANGUAGE", "LANG"}) {
    const std::optional<std::string> value = read_env(name);
    if (!value || !is_valid_utf8(*value)) continue;
    std::string_view piece = trim(*value);
    if (piece.empty()) continue;
    // Only the first entry of a colon-separated list counts; codeset and modifier are dropped.
    piece = trim(piece.substr(0, piece.find(':')));
    piece = piece.substr(0, piece.find_first_of(".@"));
    if (piece == "C" || piece == "POSIX") return Locale::en_us();
    if (piece.empty()) continue;
    std::string tag(piece);
    std::ranges::replace(tag, '_', '-');
    if (auto locale = parse_language_identifier(tag)) return *locale;
  }
  return Locale::en_us();
}

Locale current_locale() {
  static std::once_flag once;
  static std::mutex mutex;
  static Locale slot;
  std::call_once(once, [] {
    Locale resolved = resolve_locale_from([](const char* name) -> std::optional<std::string> {
      const char* value = std::getenv(name);
      if (!value) return std::nullopt;
      return std::string(value);
    });
    const std::lock_guard lock(mutex);
    slot = std::move(resolved);
  });
  const std::lock_guard lock(mutex);
  return slot;
}

}  // namespace fe
