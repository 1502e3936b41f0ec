#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "i18n/fluent_bundle.h"
#include "i18n/fluent_syntax.h"

namespace fe::fluent {
namespace {

Bundle make_bundle(const Locale& locale, std::string_view source) {
  Bundle bundle(locale);
  bundle.add_resource(parse(source));
  return bundle;
}

constexpr std::string_view kPlural =
    "count = { $count ->\n"
    "    [one] one\n"
    "   *[other] other\n"
    "}\n";

TEST(FluentBundle, NumbersArePlainDecimalDigits) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {{0, "0"},
                        {1500, "1500"},
                        {2.5, "2.5"},
                        {-3, "-3"},
                        {0.1, "0.1"},
                        {1e15, "1000000000000000"},
                        {123456789.25, "123456789.25"},
                        {-0.0, "0"}};
  const Bundle bundle = make_bundle(Locale::en_us(), "n = { $n }");
  for (const Case& c : cases) EXPECT_EQ(bundle.format_message("n", {{"n", c.value}}), c.expected) << c.value;
}

TEST(FluentBundle, PluralCategoriesFollowTheBundleLocale) {
  struct Case {
    const char* locale;
    double count;
    const char* expected;
  };
  const Case cases[] = {
      {"en-US", 0, "other"}, {"en-US", 1, "one"}, {"en-US", 2, "other"}, {"en-US", 1.5, "other"},
      {"fr", 0, "one"},      {"fr", 1, "one"},    {"fr", 1.5, "one"},    {"fr", 2, "other"},
      {"de-DE", 0, "other"}, {"de-DE", 1, "one"}, {"ja", 1, "other"},
  };
  for (const Case& c : cases) {
    const Bundle bundle = make_bundle(*parse_language_identifier(c.locale), kPlural);
    EXPECT_EQ(bundle.format_message("count", {{"count", c.count}}), c.expected) << c.locale << " " << c.count;
  }
}

TEST(FluentBundle, ExactNumericKeyAndStringSelectors) {
  const Bundle bundle = make_bundle(Locale::en_us(),
                                    "n = { $n ->\n"
                                    "    [0] none\n"
                                    "    [one] one\n"
                                    "   *[other] { $n }\n"
                                    "}\n"
                                    "kind = { $kind ->\n"
                                    "    [folder] Folder\n"
                                    "   *[other] File\n"
                                    "}\n");
  EXPECT_EQ(bundle.format_message("n", {{"n", 0.0}}), "none");
  EXPECT_EQ(bundle.format_message("n", {{"n", 1.0}}), "one");
  EXPECT_EQ(bundle.format_message("n", {{"n", 7.0}}), "7");
  EXPECT_EQ(bundle.format_message("kind", {{"kind", std::string("folder")}}), "Folder");
  EXPECT_EQ(bundle.format_message("kind", {{"kind", std::string("one")}}), "File");
}

TEST(FluentBundle, FormattingErrorsAreReportedAndStillYieldText) {
  const Bundle bundle = make_bundle(Locale::en_us(),
                                    "greet = Hello { $name }\n"
                                    "ref = See { greet }\n"
                                    "dangling = See { nowhere }\n"
                                    "count = { $count ->\n"
                                    "    [one] one\n"
                                    "   *[other] other\n"
                                    "}\n"
                                    "loop-a = { loop-b }\n"
                                    "loop-b = { loop-a }\n");
  struct Case {
    const char* id;
    Args args;
    const char* text;
    std::vector<FormatError> errors;
  };
  const Case cases[] = {
      {"greet", {}, "Hello {$name}", {{FormatError::Kind::UnknownArgument, "name"}}},
      {"greet", {{"other", std::string("x")}}, "Hello {$name}", {{FormatError::Kind::UnknownArgument, "name"}}},
      {"ref", {{"name", std::string("Ada")}}, "See Hello Ada", {}},
      {"dangling", {}, "See {nowhere}", {{FormatError::Kind::UnknownMessage, "nowhere"}}},
      {"count", {}, "other", {{FormatError::Kind::BadSelector, "count"}}},
  };
  for (const Case& c : cases) {
    std::vector<FormatError> errors;
    const Pattern* pattern = bundle.message_value(c.id);
    ASSERT_NE(pattern, nullptr) << c.id;
    EXPECT_EQ(bundle.format_pattern(*pattern, c.args, errors), c.text) << c.id;
    EXPECT_EQ(errors, c.errors) << c.id;
    EXPECT_EQ(bundle.format_message(c.id, c.args).has_value(), c.errors.empty()) << c.id;
  }
  EXPECT_EQ(bundle.format_message("loop-a", {}), std::nullopt);
  EXPECT_EQ(bundle.format_message("absent", {}), std::nullopt);
}

// Each message names the next one four times, so the text of level-0 grows fourfold per level.
std::string fan_out_chain(int levels) {
  std::string source;
  for (int i = 0; i < levels; ++i) {
    const std::string next = fmt::format("{{ level-{} }}", i + 1);
    source += fmt::format("level-{} = {}{}{}{}\n", i, next, next, next, next);
  }
  source += fmt::format("level-{} = x\n", levels);
  return source;
}

TEST(FluentBundle, ExpansionOfRepeatedReferencesIsBounded) {
  struct Case {
    const char* name;
    std::string source;
    bool formats;
  };
  const Case cases[] = {
      {"fan-out within the bound", fan_out_chain(4), true},
      {"fan-out past the bound", fan_out_chain(9), false},
  };
  for (const Case& c : cases) {
    const Bundle bundle = make_bundle(Locale::en_us(), c.source);
    const Pattern* pattern = bundle.message_value("level-0");
    ASSERT_NE(pattern, nullptr) << c.name;
    std::vector<FormatError> errors;
    const std::string text = bundle.format_pattern(*pattern, {}, errors);
    EXPECT_EQ(bundle.format_message("level-0", {}).has_value(), c.formats) << c.name;
    if (c.formats) {
      EXPECT_EQ(text, std::string(256, 'x')) << c.name;
      EXPECT_TRUE(errors.empty()) << c.name;
    } else {
      EXPECT_LT(text.size(), 100000u) << c.name;
      EXPECT_TRUE(std::any_of(errors.begin(), errors.end(), [](const FormatError& e) {
        return e.kind == FormatError::Kind::TooManyReferences;
      })) << c.name;
    }
  }
}

TEST(FluentBundle, FirstDefinitionOfAnIdWins) {
  Bundle bundle(Locale::en_us());
  EXPECT_EQ(bundle.add_resource(parse("a = first\nb = B\n")), 0u);
  EXPECT_EQ(bundle.add_resource(parse("a = second\n")), 1u);
  EXPECT_EQ(bundle.format_message("a", {}), "first");
  EXPECT_EQ(bundle.size(), 2u);
}

TEST(FluentBundle, NoDirectionalIsolationMarks) {
  const Bundle bundle = make_bundle(Locale::en_us(), "a = “{ $name }” ({ $n })");
  EXPECT_EQ(bundle.format_message("a", {{"name", std::string("x")}, {"n", 3.0}}), "“x” (3)");
}

}  // namespace
}  // namespace fe::fluent
