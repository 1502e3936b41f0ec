#include "i18n/plural_rules.h"

#include <unicode/plurrule.h>
#include <unicode/unistr.h>

#include "i18n/detail/icu_locale.h"

namespace fe::fluent {

struct PluralRules::Impl {
  std::unique_ptr<icu::PluralRules> rules;
};

PluralRules::PluralRules(const Locale& locale) : impl_(std::make_unique<Impl>()) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::PluralRules> rules(icu::PluralRules::forLocale(detail::to_icu_locale(locale), status));
  if (U_SUCCESS(status)) impl_->rules = std::move(rules);
}

PluralRules::~PluralRules() = default;

std::string_view PluralRules::category(double n) const {
  if (!impl_->rules) return "other";
  const icu::UnicodeString keyword = impl_->rules->select(n);
  // Map onto static strings so callers need not own the answer.
  struct Keyword {
    const char16_t* utf16;
    std::string_view name;
  };
  static constexpr Keyword kKeywords[] = {
      {u"zero", "zero"}, {u"one", "one"}, {u"two", "two"}, {u"few", "few"}, {u"many", "many"}};
  for (const Keyword& k : kKeywords) {
    if (keyword.compare(k.utf16, static_cast<int32_t>(k.name.size())) == 0) return k.name;
  }
  return "other";
}

}  // namespace fe::fluent
