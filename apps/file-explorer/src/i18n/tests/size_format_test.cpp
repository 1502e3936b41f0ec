#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "i18n/formatting.h"

namespace fe {
namespace {

// U+00A0 between number and unit.
std::string sized(const char* number, const char* unit) {
  return std::string(number) + "\u00A0" + unit;
}

TEST(FormatSize, EnglishUnitsAndRounding) {
  struct Case {
    std::uint64_t bytes;
    std::string expected;
  };
  const Case cases[] = {
      {0, sized("0", "B")},
      {999, sized("999", "B")},
      {1000, sized("1", "kB")},
      {1049, sized("1", "kB")},
      {1050, sized("1.1", "kB")},
      {1536, sized("1.5", "kB")},
      {1'500'000, sized("1.5", "MB")},
      {999'999, sized("1,000", "kB")},
      {12'000'000, sized("12", "MB")},
      {1'000'000'000, sized("1", "GB")},
      {1'000'000'000'000, sized("1", "TB")},
      {1'000'000'000'000'000, sized("1", "PB")},
      {1'000'000'000'000'000'000, sized("1", "EB")},
      {std::numeric_limits<std::uint64_t>::max(), sized("18.4", "EB")},
  };
  for (const Case& c : cases) EXPECT_EQ(format_size(c.bytes, Locale::en_us()), c.expected) << c.bytes;
}

TEST(FormatSize, LocaleDecimalSeparators) {
  const Locale de{"de", "", "DE", {}};
  EXPECT_EQ(format_size(1'536'000, de), sized("1,5", "MB"));
  EXPECT_EQ(format_size(999'999, de), sized("1.000", "kB"));
  EXPECT_EQ(format_size(532, de), sized("532", "B"));
  // The pseudo-locale writes numbers as en-US does.
  EXPECT_EQ(format_size(1'536'000, Locale{"qps", "", "", {}}), sized("1.5", "MB"));
  // Switching locales on one thread does not keep the previous formatter.
  EXPECT_EQ(format_size(1'536'000, Locale::en_us()), sized("1.5", "MB"));
}

TEST(FormatSize, FoldersShowADash) {
  EXPECT_EQ(format_entry_size(true, 4096), "—");
  EXPECT_EQ(format_entry_size(false, 4096), format_size(4096));
}

}  // namespace
}  // namespace fe
