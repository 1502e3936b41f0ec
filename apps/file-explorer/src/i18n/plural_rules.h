#pragma once

#include <memory>
#include <string_view>

#include "i18n/locale.h"

namespace fe::fluent {

// CLDR cardinal plural rules of one locale, from ICU.
class PluralRules {
 public:
  // Rules of `locale`; when ICU has none, every number is "other".
  explicit PluralRules(const Locale& locale);
  ~PluralRules();
  PluralRules(const PluralRules&) = delete;
  PluralRules& operator=(const PluralRules&) = delete;

  // "zero", "one", "two", "few", "many" or "other".
  std::string_view category(double n) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace fe::fluent
