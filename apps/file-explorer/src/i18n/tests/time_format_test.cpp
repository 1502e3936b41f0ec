#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "i18n/detail/civil_date.h"
#include "i18n/i18n.h"

namespace fe {
namespace {

LocalDateTime wall(int year, unsigned month, unsigned day, unsigned hour, unsigned minute, std::int32_t offset = 0) {
  LocalDateTime t{};
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.utc_offset_seconds = offset;
  return t;
}

const Locale kGerman{"de", "", "DE", {}};

TEST(FormatLocalTime, LocalizedDateAndTime) {
  struct Case {
    const char* name;
    LocalDateTime time;
    Locale locale;
    const char* expected;
  };
  const Case cases[] = {
      {"English afternoon", wall(2024, 3, 5, 14, 7), Locale::en_us(), "Mar 5, 2024, 2:07\u202FPM"},
      {"English midnight", wall(1970, 1, 1, 0, 0), Locale::en_us(), "Jan 1, 1970, 12:00\u202FAM"},
      {"German", wall(2024, 3, 5, 14, 7), kGerman, "5. März 2024, 14:07"},
      {"offset does not shift the wall time", wall(2024, 3, 5, 14, 7, 3600), kGerman, "5. März 2024, 14:07"},
      {"pseudo-locale as English", wall(2024, 3, 5, 14, 7), Locale{"qps", "", "", {}}, "Mar 5, 2024, 2:07\u202FPM"},
      {"Gregorian before 1582", wall(1500, 3, 1, 9, 30), kGerman, "1. März 1500, 09:30"},
  };
  for (const Case& c : cases) EXPECT_EQ(format_local_time(c.time, c.locale), c.expected) << c.name;
}

TEST(FormatLocalTime, FixedPatternWhenNoFormatterApplies) {
  struct Case {
    const char* name;
    LocalDateTime time;
    const char* expected;
  };
  const Case cases[] = {
      {"hour 24", wall(2024, 3, 5, 24, 7), "2024-03-05 24:07"},
      {"month 13", wall(2024, 13, 5, 10, 0), "2024-13-05 10:00"},
      {"February 30", wall(2023, 2, 30, 10, 0), "2023-02-30 10:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(format_local_time(c.time, Locale::en_us()), c.expected) << c.name;
}

TEST(FormatTime, OutOfRangeInstantsAreUnknown) {
  const std::string unknown = tr("files-time-unknown");
  for (std::int64_t ms :
       {std::int64_t{-1}, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()}) {
    EXPECT_EQ(format_time_ms(ms), unknown) << ms;
  }
  EXPECT_NE(format_time_ms(0), unknown);
  EXPECT_EQ(format_optional_time(std::nullopt), "—");
}

// The fields of from_unix are the wall time: minus the offset they give back the instant, in
// whatever zone the test runs.
TEST(LocalDateTime, FromUnixGivesWallTimeAndOffset) {
  for (std::int64_t seconds : {std::int64_t{0}, std::int64_t{951'782'400} /* 2000-02-29 */, std::int64_t{1'709'647'620},
                               std::int64_t{-86'400 * 365}, std::int64_t{4'102'444'800}}) {
    const auto t = LocalDateTime::from_unix(seconds, 250'000'000);
    ASSERT_TRUE(t.has_value()) << seconds;
    const std::int64_t rebuilt = detail::days_from_civil(t->year, t->month, t->day) * 86400 +
                                 std::int64_t{t->hour} * 3600 + std::int64_t{t->minute} * 60 + t->second;
    EXPECT_EQ(rebuilt - t->utc_offset_seconds, seconds);
    EXPECT_EQ(t->nanosecond, 250'000'000u);
  }
  EXPECT_FALSE(LocalDateTime::from_unix(std::numeric_limits<std::int64_t>::max(), 0).has_value());
  EXPECT_FALSE(LocalDateTime::from_unix(std::numeric_limits<std::int64_t>::min(), 0).has_value());
}

TEST(LocalDateTime, AtOffsetShiftsTheWallTimeAndRefusesWhatNoZoneHas) {
  // 2024-03-05 14:07:00 UTC seen two hours east and five and a half west.
  const auto east = LocalDateTime::at_offset(1'709'647'620, 0, 7200);
  ASSERT_TRUE(east);
  EXPECT_EQ((std::array{east->day, east->hour, east->minute}), (std::array{5u, 16u, 7u}));
  const auto west = LocalDateTime::at_offset(1'709'647'620, 0, -19'800);
  ASSERT_TRUE(west);
  EXPECT_EQ((std::array{west->day, west->hour, west->minute}), (std::array{5u, 8u, 37u}));
  EXPECT_EQ(west->utc_offset_seconds, -19'800);
  EXPECT_FALSE(LocalDateTime::at_offset(std::numeric_limits<std::int64_t>::max(), 0, 0));
  EXPECT_FALSE(LocalDateTime::at_offset(0, 0, std::numeric_limits<std::int32_t>::max()));
}

TEST(CivilDate, RoundTripsAcrossEras) {
  for (std::int64_t day = -800'000; day <= 800'000; day += 997) {
    const detail::CivilDate d = detail::civil_from_days(day);
    ASSERT_EQ(detail::days_from_civil(d.year, d.month, d.day), day);
    ASSERT_LE(d.day, detail::days_in_month(d.year, d.month));
  }
}

}  // namespace
}  // namespace fe
