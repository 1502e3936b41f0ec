#include "model/local_time_cache.h"

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
  return LocalDateTime::at_offset(seconds, nanos, offset_);
}

}  // namespace fe
