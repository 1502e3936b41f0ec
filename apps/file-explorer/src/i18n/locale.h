#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fe {

// A BCP 47 language identifier split into its subtags (language lower case, script title case,
// region upper case, variants lower case).
struct Locale {
  std::string language;
  std::string script;
  std::string region;
  std::vector<std::string> variants;

  // The hyphenated text form, e.g. "de-DE" or "sr-Latn-RS-1901".
  std::string to_string() const;

  friend bool operator==(const Locale&, const Locale&) = default;

  static Locale en_us();
};

// Parses one language identifier ("de-DE", "fr", "sr-Latn-RS") through ICU. Extensions and
// private-use parts are refused, as is anything ICU cannot parse completely.
std::optional<Locale> parse_language_identifier(std::string_view text);

// Reads one environment variable; nullopt when it is unset.
using EnvReader = std::function<std::optional<std::string>(const char* name)>;

// Decides the locale from LC_ALL, LANGUAGE and LANG as read through `read_env`.
Locale resolve_locale_from(const EnvReader& read_env);

// The process locale, resolved from the real environment on first use and fixed afterwards.
Locale current_locale();

}  // namespace fe
