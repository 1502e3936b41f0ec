#include <unicode/numberformatter.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "i18n/detail/icu_locale.h"
#include "i18n/formatting.h"

namespace fe {
namespace {

// The decimal formatter of the thread's last formatting locale; creating one costs far more
// than a format call, so it is kept.
struct NumberFormatterCache {
  std::string tag;
  bool attempted = false;
  std::optional<icu::number::LocalizedNumberFormatter> formatter;
};

const icu::number::LocalizedNumberFormatter* number_formatter(const Locale& locale) {
  thread_local NumberFormatterCache cache;
  std::string tag = locale.to_string();
  if (!cache.attempted || cache.tag != tag) {
    cache.tag = std::move(tag);
    cache.attempted = true;
    cache.formatter.reset();
    UErrorCode status = U_ZERO_ERROR;
    icu::number::LocalizedNumberFormatter formatter =
        icu::number::NumberFormatter::withLocale(detail::to_icu_locale(locale));
    if (!formatter.copyErrorTo(status) && U_SUCCESS(status)) cache.formatter.emplace(std::move(formatter));
  }
  return cache.formatter ? &*cache.formatter : nullptr;
}

// `decimal` is a plain decimal number such as "1.5" or "1000".
std::string localized_decimal(const std::string& decimal, const Locale& locale) {
  const auto* formatter = number_formatter(locale);
  if (!formatter) return decimal;
  UErrorCode status = U_ZERO_ERROR;
  const icu::number::FormattedNumber formatted =
      formatter->formatDecimal(icu::StringPiece(decimal.data(), static_cast<int32_t>(decimal.size())), status);
  if (U_FAILURE(status)) return decimal;
  const icu::UnicodeString text = formatted.toString(status);
  if (U_FAILURE(status)) return decimal;
  std::string out;
  text.toUTF8String(out);
  return out;
}

}  // namespace

std::string format_size(std::uint64_t bytes, const Locale& locale) {
  static constexpr std::array<const char*, 7> kUnits = {"B", "kB", "MB", "GB", "TB", "PB", "EB"};
  std::size_t unit = 0;
  std::uint64_t divisor = 1;
  while (unit + 1 < kUnits.size() && bytes / 1000 >= divisor) {
    divisor *= 1000;
    ++unit;
  }

  std::string decimal;
  if (unit == 0) {
    decimal = std::to_string(bytes);
  } else {
    // Rounds half up to tenths; 128 bits because bytes × 10 overflows 64 bits near the top.
    using u128 = unsigned __int128;
    const auto tenths = static_cast<std::uint64_t>((static_cast<u128>(bytes) * 10 + divisor / 2) / divisor);
    decimal = std::to_string(tenths / 10);
    if (tenths % 10 != 0) decimal += '.' + std::to_string(tenths % 10);
  }
  // A no-break space keeps the number and its unit on one line.
  return localized_decimal(decimal, detail::formatting_locale(locale)) + "\u00A0" + kUnits[unit];
}

std::string format_size(std::uint64_t bytes) {
  return format_size(bytes, current_locale());
}

std::string format_entry_size(bool is_dir, std::uint64_t size) {
  return is_dir ? "—" : format_size(size);
}

}  // namespace fe
