#pragma once

// ICU conversions shared by the formatting sources; never include from a public header.

#include <unicode/locid.h>

#include "i18n/locale.h"

namespace fe::detail {

// Converts through the text form; the root locale when ICU refuses it.
icu::Locale to_icu_locale(const Locale& locale);

// Numbers and dates of the pseudo-locale are written as in en-US.
Locale formatting_locale(const Locale& locale);

}  // namespace fe::detail
