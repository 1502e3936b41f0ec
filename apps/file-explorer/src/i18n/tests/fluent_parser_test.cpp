#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/fluent_bundle.h"
#include "i18n/fluent_syntax.h"

namespace fe::fluent {
namespace {

std::vector<std::string> ids(const Resource& resource) {
  std::vector<std::string> out;
  for (const Message& m : resource.messages) out.push_back(m.id);
  return out;
}

// Formats message `id` of `source` with English plural rules.
std::string render(std::string_view source, std::string_view id, const Args& args = {}) {
  Bundle bundle(Locale::en_us());
  bundle.add_resource(parse(source));
  return bundle.format_message(id, args).value_or("<missing>");
}

TEST(FluentParser, ReadsMessagesAndSkipsComments) {
  const Resource r = parse(
      "# File comment\n"
      "### Resource comment\n"
      "\n"
      "first = One\n"
      "## Group\n"
      "second = Two { $count } things\n"
      "#\n"
      "third=Three\n");
  EXPECT_TRUE(r.errors.empty());
  EXPECT_EQ(ids(r), (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_EQ(render("a = Hello { $name }!", "a", {{"name", std::string("Ada")}}), "Hello Ada!");
}

TEST(FluentParser, TrimsSurroundingBlanksOfInlinePatterns) {
  EXPECT_EQ(render("a =    spaced out   \n", "a"), "spaced out");
  // Inner runs of spaces are part of the text.
  EXPECT_EQ(render("a = { $base }  ·  { $count } selected\n", "a", {{"base", std::string("x")}, {"count", 2.0}}),
            "x  ·  2 selected");
}

TEST(FluentParser, SelectExpressionWithVariantsOnTheirOwnLines) {
  const char* source =
      "files-item-count = { $count } { $count ->\n"
      "    [one] item\n"
      "   *[other] items\n"
      "}\n"
      "after = still here\n";
  const Resource r = parse(source);
  ASSERT_TRUE(r.errors.empty()) << r.errors[0].what;
  EXPECT_EQ(ids(r), (std::vector<std::string>{"files-item-count", "after"}));
  EXPECT_EQ(render(source, "files-item-count", {{"count", 1.0}}), "1 item");
  EXPECT_EQ(render(source, "files-item-count", {{"count", 5.0}}), "5 items");
  EXPECT_EQ(render(source, "after"), "still here");
}

TEST(FluentParser, TextAfterAClosedSelectContinuesTheMessage) {
  const char* source =
      "moved = Moved { $count } { $count ->\n"
      "    [one] item\n"
      "   *[other] items\n"
      "} to “{ $destination }”\n";
  EXPECT_EQ(render(source, "moved", {{"count", 1.0}, {"destination", std::string("Docs")}}), "Moved 1 item to “Docs”");
}

TEST(FluentParser, BlockFormPatternStartsOnTheNextLine) {
  const char* source =
      "files-archive-extracted =\n"
      "    { $count ->\n"
      "        [one] Extracted 1 file\n"
      "       *[other] Extracted { $count } files\n"
      "    }\n"
      "next = Next\n";
  const Resource r = parse(source);
  ASSERT_TRUE(r.errors.empty()) << r.errors[0].what;
  EXPECT_EQ(render(source, "files-archive-extracted", {{"count", 1.0}}), "Extracted 1 file");
  EXPECT_EQ(render(source, "files-archive-extracted", {{"count", 4.0}}), "Extracted 4 files");
  EXPECT_EQ(render(source, "next"), "Next");
}

TEST(FluentParser, MultilineTextLosesCommonIndentation) {
  struct Case {
    const char* name;
    const char* source;
    const char* expected;
  };
  const Case cases[] = {
      {"block", "a =\n    first\n    second\n", "first\nsecond"},
      {"deeper second line", "a =\n    first\n      second\n", "first\n  second"},
      {"inline then continuation", "a = first\n  second\n", "first\nsecond"},
      {"blank line kept", "a =\n    first\n\n    second\n", "first\n\nsecond"},
      {"trailing blank lines dropped", "a = text\n\n\n", "text"},
      {"crlf line ends", "a =\r\n    first\r\n    second\r\n", "first\nsecond"},
  };
  for (const Case& c : cases) EXPECT_EQ(render(c.source, "a"), c.expected) << c.name;
}

TEST(FluentParser, ABrokenMessageLosesOnlyItself) {
  struct Case {
    const char* name;
    const char* source;
    std::size_t error_line;
  };
  const Case cases[] = {
      {"unclosed placeable", "a = A\nb = { $x\nc = C\n", 2},
      {"unbalanced closing brace", "a = A\nb = x } y\nc = C\n", 2},
      {"missing equals sign", "a = A\nb value\nc = C\n", 2},
      {"no value", "a = A\nb =\nc = C\n", 2},
      {"inline variants", "a = A\nb = { $n -> [one] x *[other] y }\nc = C\n", 2},
      {"no default variant", "a = A\nb = { $n ->\n    [one] x\n    [other] y\n}\nc = C\n", 2},
      {"two default variants", "a = A\nb = { $n ->\n   *[one] x\n   *[other] y\n}\nc = C\n", 2},
      {"select not closed", "a = A\nb = { $n ->\n    [one] x\n   *[other] y\nc = C\n", 2},
      {"function call", "a = A\nb = { NUMBER($n) }\nc = C\n", 2},
      {"term", "a = A\n-term = T\nc = C\n", 2},
      {"malformed comment", "a = A\n#comment\nc = C\n", 2},
      {"line starting with a digit", "a = A\n1b = x\nc = C\n", 2},
      {"unterminated string", "a = A\nb = { \"open }\nc = C\n", 2},
  };
  for (const Case& c : cases) {
    const Resource r = parse(c.source);
    EXPECT_EQ(ids(r), (std::vector<std::string>{"a", "c"})) << c.name;
    ASSERT_EQ(r.errors.size(), 1u) << c.name;
    EXPECT_EQ(r.errors[0].line, c.error_line) << c.name;
    EXPECT_EQ(render(c.source, "c"), "C") << c.name;
  }
}

TEST(FluentParser, IndentedJunkAfterAMessageKeepsTheMessage) {
  const Resource r = parse("a = A\n    .attribute = x\nb = B\n");
  EXPECT_EQ(ids(r), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(r.errors.size(), 1u);
}

TEST(FluentParser, LiteralsAndEscapes) {
  EXPECT_EQ(render("a = { \"{\" }braces{ \"}\" }", "a"), "{braces}");
  EXPECT_EQ(render("a = { \"caf\\u00E9 \\\"q\\\" \\\\\" }", "a"), "café \"q\" \\");
  EXPECT_EQ(render("a = { \"\\U01F600\" }", "a"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(render("a = { 42 } and { -1.5 }", "a"), "42 and -1.5");
  EXPECT_FALSE(parse("a = { \"\\q\" }").errors.empty());
  EXPECT_FALSE(parse("a = { \"\\u12\" }").errors.empty());
}

TEST(FluentParser, DeeplyNestedSelectsAreRefusedNotOverflowed) {
  std::string source = "a = ";
  for (int i = 0; i < 5000; ++i) source += "{ $n ->\n *[other] ";
  const Resource r = parse(source);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.errors.size(), 1u);
}

}  // namespace
}  // namespace fe::fluent
