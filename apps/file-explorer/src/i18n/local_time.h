#pragma once

#include <cstdint>
#include <optional>

namespace fe {

// A wall-clock date and time in some zone, with that zone's offset from UTC at the instant.
// Kept to 16 bytes because every listed file entry carries one.
struct LocalDateTime {
  int year;
  unsigned month : 4;   // 1..12
  unsigned day : 5;     // 1..31
  unsigned hour : 5;    // 0..23 (24 and above only in leap-second style values)
  unsigned minute : 6;  // 0..59
  unsigned second : 6;  // 0..60
  std::uint32_t nanosecond;
  std::int32_t utc_offset_seconds;

  // The local wall time of a Unix instant, using the process time zone (localtime_r) for the
  // offset. nullopt when the date lies outside the supported calendar range.
  static std::optional<LocalDateTime> from_unix(std::int64_t seconds, std::uint32_t nanos);
  // The same with the zone's offset already known (callers that convert many nearby instants look
  // it up once).
  static std::optional<LocalDateTime> at_offset(std::int64_t seconds, std::uint32_t nanos, std::int32_t offset);

  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

static_assert(sizeof(LocalDateTime) <= 16);

}  // namespace fe
