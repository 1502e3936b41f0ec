#include "i18n/detail/icu_locale.h"

#include <string>

namespace fe::detail {

icu::Locale to_icu_locale(const Locale& locale) {
  UErrorCode status = U_ZERO_ERROR;
  icu::Locale result = icu::Locale::forLanguageTag(locale.to_string(), status);
  if (U_FAILURE(status) || result.isBogus()) return icu::Locale::getRoot();
  return result;
}

Locale formatting_locale(const Locale& locale) {
  return locale.language == "qps" ? Locale::en_us() : locale;
}

}  // namespace fe::detail
