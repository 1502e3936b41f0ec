#include <gtest/gtest.h>

#include <map>
#include <string>

#include "i18n/locale.h"

namespace fe {
namespace {

struct EnvCase {
  const char* name;
  std::map<std::string, std::string> env;
  const char* expected;
};

Locale resolve(const std::map<std::string, std::string>& env) {
  return resolve_locale_from([&](const char* name) -> std::optional<std::string> {
    const auto it = env.find(name);
    if (it == env.end()) return std::nullopt;
    return it->second;
  });
}

TEST(LocaleResolution, EnvironmentCases) {
  const EnvCase cases[] = {
      {"nothing set", {}, "en-US"},
      {"LANG with codeset", {{"LANG", "de_DE.UTF-8"}}, "de-DE"},
      {"C wins over a later German LANG", {{"LC_ALL", "C.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, "en-US"},
      {"POSIX stops the search", {{"LANGUAGE", "POSIX"}, {"LANG", "de_DE"}}, "en-US"},
      {"lower-case c is not C", {{"LC_ALL", "c"}, {"LANG", "de"}}, "de"},
      {"only the first LANGUAGE entry", {{"LANGUAGE", "fr:de"}, {"LANG", "de_DE.UTF-8"}}, "fr"},
      {"empty LC_ALL skipped", {{"LC_ALL", ""}, {"LANG", "de_DE.UTF-8"}}, "de-DE"},
      {"blank LC_ALL skipped", {{"LC_ALL", "  \t "}, {"LANGUAGE", "de_AT"}}, "de-AT"},
      {"garbage skipped", {{"LC_ALL", "!!"}}, "en-US"},
      {"garbage then LANG", {{"LC_ALL", "!!"}, {"LANG", "de_CH.UTF-8"}}, "de-CH"},
      {"invalid UTF-8 skipped", {{"LC_ALL", "de\xff"}, {"LANG", "fr_FR"}}, "fr-FR"},
      {"empty first entry skips the variable", {{"LANGUAGE", ":de"}}, "en-US"},
      {"modifier dropped", {{"LANG", "sr_RS@latin"}}, "sr-RS"},
      {"surrounding blanks trimmed", {{"LANG", "  de_DE.UTF-8  "}}, "de-DE"},
      {"script and region", {{"LANG", "zh_Hans_CN.UTF-8"}}, "zh-Hans-CN"},
      {"extension refused", {{"LANG", "de-DE-u-co-phonebk"}}, "en-US"},
      {"LC_MESSAGES not consulted", {{"LC_MESSAGES", "de_DE.UTF-8"}}, "en-US"},
      {"pseudo-locale", {{"LANG", "qps"}}, "qps"},
  };
  for (const EnvCase& c : cases) EXPECT_EQ(resolve(c.env).to_string(), c.expected) << c.name;
}

TEST(LocaleResolution, SubtagsAreSplitAndNormalised) {
  struct Case {
    const char* text;
    Locale expected;
  };
  const Case cases[] = {
      {"de-DE", {"de", "", "DE", {}}},
      {"DE-de", {"de", "", "DE", {}}},
      {"sr-latn-rs-1901-rozaj", {"sr", "Latn", "RS", {"1901", "rozaj"}}},
      {"en-US-POSIX", {"en", "", "US", {"posix"}}},
      {"fr", {"fr", "", "", {}}},
  };
  for (const Case& c : cases) {
    const auto parsed = parse_language_identifier(c.text);
    ASSERT_TRUE(parsed.has_value()) << c.text;
    EXPECT_EQ(*parsed, c.expected) << c.text;
  }
  EXPECT_EQ(parse_language_identifier("sr-latn-rs-1901-rozaj")->to_string(), "sr-Latn-RS-1901-rozaj");
  for (const char* bad : {"", "!!", "de--DE", "en-", "abcdefghi", "x-private", "de_DE"}) {
    EXPECT_FALSE(parse_language_identifier(bad).has_value()) << bad;
  }
}

TEST(LocaleResolution, LocalesDifferingInAnySubtagAreDifferent) {
  const Locale base{"de", "", "DE", {}};
  EXPECT_NE(base, (Locale{"de", "", "AT", {}}));
  EXPECT_NE(base, (Locale{"de", "Latn", "DE", {}}));
  EXPECT_NE(base, (Locale{"de", "", "DE", {"1901"}}));
  EXPECT_EQ(base, *parse_language_identifier("de-DE"));
}

}  // namespace
}  // namespace fe
