#include "model/local_time_cache.h"

#include "i18n/detail/civil_date.h"

namespace fe {

std::optional<LocalDateTime> LocalTimeCache::convert(std::int64_t seconds, std::uint32_t nanos) {
  const std::int64_t bucket = seconds >= 0 ? seconds / kBucketSeconds : (seconds + 1) / kBucketSeconds - 1;
  if (bucket != bucket_) {
    bucket_ = bucket;
    // Zone transitions are hours or more apart: equal offsets at both ends mean one offset between.
    const auto start = LocalDateTime::from_unix(bucket * kBucketSeconds, 0);
    const auto end = LocalDateTime::from_unix(bucket * kBucketSeconds + kBucketSeconds - 1, 0);
    uniform_ = start && end && start->utc_offset_seconds == end->utc_offset_seconds;
    if (uniform_) offset_ = start->utc_offset_seconds;
  }
  if (!uniform_) return LocalDateTime::from_unix(seconds, nanos);

  const std::int64_t wall = seconds + offset_;
  std::int64_t days = wall / 86400;
  std::int64_t of_day = wall % 86400;
  if (of_day < 0) {
    of_day += 86400;
    --days;
  }
  const detail::CivilDate date = detail::civil_from_days(days);
  LocalDateTime result{};
  result.year = static_cast<int>(date.year);
  result.month = date.month;
  result.day = date.day;
  result.hour = static_cast<unsigned>(of_day / 3600);
  result.minute = static_cast<unsigned>(of_day / 60 % 60);
  result.second = static_cast<unsigned>(of_day % 60);
  result.nanosecond = nanos;
  result.utc_offset_seconds = offset_;
  return result;
}

}  // namespace fe
