#include "i18n/local_time.h"

#include <ctime>

#include "i18n/detail/civil_date.h"

namespace fe {

namespace {

// One day of slack on each side leaves room for any zone offset.
constexpr std::int64_t kMinSeconds = (detail::days_from_civil(detail::kMinYear, 1, 1) + 1) * 86400;
constexpr std::int64_t kMaxSeconds = detail::days_from_civil(detail::kMaxYear, 12, 31) * 86400;
// Real zones stay within a day of UTC; a larger offset is not one.
constexpr std::int32_t kMaxOffset = 86400;

}  // namespace

std::optional<LocalDateTime> LocalDateTime::from_unix(std::int64_t seconds, std::uint32_t nanos) {
  if (seconds < kMinSeconds || seconds > kMaxSeconds) return std::nullopt;

  std::int32_t offset = 0;
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  if (localtime_r(&t, &tm)) offset = static_cast<std::int32_t>(tm.tm_gmtoff);
  return at_offset(seconds, nanos, offset);
}

std::optional<LocalDateTime> LocalDateTime::at_offset(std::int64_t seconds, std::uint32_t nanos, std::int32_t offset) {
  if (seconds < kMinSeconds || seconds > kMaxSeconds || offset < -kMaxOffset || offset > kMaxOffset) {
    return std::nullopt;
  }
  const std::int64_t wall = seconds + offset;
  std::int64_t days = wall / 86400;
  std::int64_t of_day = wall % 86400;
  if (of_day < 0) {
    of_day += 86400;
    --days;
  }
  const detail::CivilDate date = detail::civil_from_days(days);
  if (date.year < detail::kMinYear || date.year > detail::kMaxYear) return std::nullopt;

  LocalDateTime result{};
  result.year = static_cast<int>(date.year);
  result.month = date.month;
  result.day = date.day;
  result.hour = static_cast<unsigned>(of_day / 3600);
  result.minute = static_cast<unsigned>(of_day / 60 % 60);
  result.second = static_cast<unsigned>(of_day % 60);
  result.nanosecond = nanos;
  result.utc_offset_seconds = offset;
  return result;
}

}  // namespace fe
