#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "i18n/fluent_bundle.h"
#include "i18n/locale.h"
#include "i18n/message_args.h"

namespace fe {

// The bundles one thread formats messages with: German first when the language is "de", then
// English. Both use the locale's own plural rules.
class Localizer {
 public:
  // From the catalogues compiled into the program.
  explicit Localizer(const Locale& locale);
  // From the given catalogue sources; broken messages and duplicate ids are dropped silently.
  Localizer(const Locale& locale, std::string_view english_source, std::string_view german_source);

  const Locale& locale() const { return locale_; }

  // The text of `id`: German, else English, else the id itself; marked for the "qps" locale.
  std::string lookup(std::string_view id, const Args& args) const;

 private:
  Locale locale_;
  std::optional<fluent::Bundle> primary_;
  fluent::Bundle fallback_;
};

// Marks a text visibly: accents vowels and a few consonants, wraps it in "[" … " !!]". The
// values of string arguments are kept unchanged where they appear.
std::string pseudo_localize(std::string_view text, const Args& args);

}  // namespace fe
