#include "model/local_time_cache.h"

#include <gtest/gtest.h>

#include <ctime>

#include "model/tests/temp_dir.h"

namespace fe {
namespace {

// The cached conversion must give exactly what the zone lookup gives, also across transitions.
TEST(LocalTimeCache, MatchesTheZoneLookupAcrossTransitions) {
  struct Case {
    const char* zone;
    std::int64_t transition;  // a UTC instant near a change of offset
  };
  const Case cases[] = {
      {"Europe/Berlin", 1616893200},        // 2021-03-28 01:00 UTC, +1 h → +2 h
      {"Europe/Berlin", 1635642000},        // 2021-10-31 01:00 UTC, back
      {"Australia/Lord_Howe", 1617467400},  // 2021-04-03 15:00 UTC, half-hour shift
      {"UTC", 0},
      {"America/Los_Angeles", -1000000000},  // before 1970
  };
  for (const Case& c : cases) {
    testing::ScopedEnv tz("TZ", c.zone);
    ::tzset();
    LocalTimeCache cache;
    for (std::int64_t t = c.transition - 7200; t <= c.transition + 7200; t += 37) {
      const auto expected = LocalDateTime::from_unix(t, 123);
      ASSERT_EQ(cache.convert(t, 123), expected) << c.zone << " at " << t;
    }
  }
  ::tzset();
}

TEST(LocalTimeCache, OutOfRangeIsAbsent) {
  LocalTimeCache cache;
  EXPECT_EQ(cache.convert(INT64_MAX / 2, 0), std::nullopt);
  EXPECT_EQ(cache.convert(INT64_MIN / 2, 0), std::nullopt);
}

}  // namespace
}  // namespace fe
