#pragma once
// Modification times of a whole folder converted to local time. The zone lookup behind
// LocalDateTime::from_unix costs more than the rest of an entry, and the items of one folder mostly
// share a few quarter hours, so the zone offset is looked up once per quarter hour.

#include <cstdint>
#include <optional>

#include "i18n/local_time.h"

namespace fe {

class LocalTimeCache {
 public:
  // The same value as LocalDateTime::from_unix(seconds, nanos).
  std::optional<LocalDateTime> convert(std::int64_t seconds, std::uint32_t nanos);

 private:
  static constexpr std::int64_t kBucketSeconds = 900;
  std::int64_t bucket_ = INT64_MIN;
  bool uniform_ = false;  // one offset from the bucket's start to its end
  std::int32_t offset_ = 0;
};

}  // namespace fe
