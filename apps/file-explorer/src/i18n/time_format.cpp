#include <fmt/format.h>
#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/gregocal.h>
#include <unicode/simpletz.h>

#include <limits>
#include <memory>
#include <string>

#include "i18n/detail/civil_date.h"
#include "i18n/detail/icu_locale.h"
#include "i18n/formatting.h"
#include "i18n/i18n.h"

namespace fe {
namespace {

// Year, abbreviated month, day, hour in the locale's preferred cycle, minute.
constexpr char16_t kSkeleton[] = u"yMMMdjmm";

struct DateFormatterCache {
  std::string tag;
  bool attempted = false;
  std::unique_ptr<icu::DateFormat> formatter;
};

std::unique_ptr<icu::DateFormat> make_formatter(const Locale& locale) {
  const icu::Locale icu_locale = detail::to_icu_locale(locale);
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::DateFormat> formatter(
      icu::DateFormat::createInstanceForSkeleton(icu::UnicodeString(kSkeleton), icu_locale, status));
  if (U_FAILURE(status) || !formatter) return nullptr;
  // The wall time is handed over as if it were UTC, so the formatter must not shift it, and
  // dates before 1582 stay Gregorian rather than Julian.
  std::unique_ptr<icu::Calendar> calendar(
      icu::Calendar::createInstance(new icu::SimpleTimeZone(0, icu::UnicodeString(u"UTC")), icu_locale, status));
  if (U_FAILURE(status) || !calendar) return nullptr;
  if (calendar->getDynamicClassID() == icu::GregorianCalendar::getStaticClassID()) {
    static_cast<icu::GregorianCalendar*>(calendar.get())
        ->setGregorianChange(-std::numeric_limits<double>::max(), status);
    if (U_FAILURE(status)) return nullptr;
  }
  formatter->adoptCalendar(calendar.release());
  return formatter;
}

icu::DateFormat* date_formatter(const Locale& locale) {
  thread_local DateFormatterCache cache;
  std::string tag = locale.to_string();
  if (!cache.attempted || cache.tag != tag) {
    cache.tag = std::move(tag);
    cache.attempted = true;
    cache.formatter = make_formatter(locale);
  }
  return cache.formatter.get();
}

std::string fixed_pattern(const LocalDateTime& t) {
  const std::string year = t.year >= 0 && t.year <= 9999 ? fmt::format("{:04}", t.year) : fmt::format("{:+05}", t.year);
  return fmt::format("{}-{:02}-{:02} {:02}:{:02}", year, unsigned{t.month}, unsigned{t.day}, unsigned{t.hour},
                     unsigned{t.minute});
}

bool is_valid_date(const LocalDateTime& t) {
  return t.year >= detail::kMinYear && t.year <= detail::kMaxYear && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= detail::days_in_month(t.year, t.month) && t.minute < 60 && t.second <= 60;
}

}  // namespace

std::string format_local_time(const LocalDateTime& time, const Locale& locale) {
  if (time.hour >= 24 || !is_valid_date(time)) return fixed_pattern(time);
  icu::DateFormat* formatter = date_formatter(detail::formatting_locale(locale));
  if (!formatter) return fixed_pattern(time);

  const std::int64_t seconds = detail::days_from_civil(time.year, time.month, time.day) * 86400 +
                               std::int64_t{time.hour} * 3600 + std::int64_t{time.minute} * 60 + time.second;
  const UDate instant = static_cast<double>(seconds) * 1000.0 + static_cast<double>(time.nanosecond / 1000000);
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString text;
  formatter->format(instant, text, nullptr, status);
  if (U_FAILURE(status)) return fixed_pattern(time);
  std::string out;
  text.toUTF8String(out);
  return out;
}

std::string format_local_time(const LocalDateTime& time) {
  return format_local_time(time, current_locale());
}

std::string format_time_ms(std::int64_t ms) {
  // Days from 0001-01-01 (day 1) must fit a signed 32-bit count.
  constexpr std::int64_t kDaysBeforeEpoch = 719163;
  if (ms < 0 || ms / 86'400'000 + kDaysBeforeEpoch > std::numeric_limits<std::int32_t>::max()) {
    return tr("files-time-unknown");
  }
  const auto time = LocalDateTime::from_unix(ms / 1000, static_cast<std::uint32_t>(ms % 1000) * 1'000'000);
  if (!time) return tr("files-time-unknown");
  return format_local_time(*time);
}

std::string format_optional_time(const std::optional<LocalDateTime>& time) {
  return time ? format_local_time(*time) : "—";
}

}  // namespace fe
