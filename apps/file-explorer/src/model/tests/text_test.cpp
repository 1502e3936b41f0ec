#include <gtest/gtest.h>

#include "model/case_fold.h"
#include "model/media_type.h"
#include "model/utf8.h"

namespace fe {
namespace {

TEST(Utf8, ValidityAndLossyConversion) {
  struct Case {
    const char* label;
    std::string bytes;
    bool valid;
    std::string lossy;
  };
  const Case cases[] = {
      {"ascii", "plain-name.txt", true, "plain-name.txt"},
      {"long ascii beyond one word", "abcdefghijklmnopqrstuvwxyz0123", true, "abcdefghijklmnopqrstuvwxyz0123"},
      {"two-byte", "caf\xC3\xA9", true, "caf\xC3\xA9"},
      {"four-byte", "\xF0\x9F\x98\x80", true, "\xF0\x9F\x98\x80"},
      {"lone continuation", "a\x80z", false, "a\xEF\xBF\xBDz"},
      {"overlong slash", "\xC0\xAF", false, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"surrogate", "\xED\xA0\x80", false, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"truncated three-byte is one replacement", "x\xE2\x82", false, "x\xEF\xBF\xBD"},
      {"invalid after eight ascii bytes", "abcdefgh\xFF", false, "abcdefgh\xEF\xBF\xBD"},
      {"latin-1 name", "M\xFCller.txt", false, "M\xEF\xBF\xBDller.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(is_valid_utf8(c.bytes), c.valid) << c.label;
    EXPECT_EQ(utf8_lossy(c.bytes), c.lossy) << c.label;
    EXPECT_TRUE(is_valid_utf8(utf8_lossy(c.bytes))) << c.label;
  }
}

TEST(CaseFold, LowerCasesFullUnicode) {
  struct Case {
    std::string text, lowered;
  };
  const Case cases[] = {
      {"ReadMe.TXT", "readme.txt"},
      {"\xC3\x84PFEL", "\xC3\xA4pfel"},          // Äpfel
      {"\xCE\xA3\xCE\xA9", "\xCF\x83\xCF\x89"},  // ΣΩ → σω (final sigma only in context)
      {"\xC4\xB0stanbul", "i\xCC\x87stanbul"},   // İ grows into i + combining dot
      {"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", "\xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"},
      {"bad\xFFName", "bad\xEF\xBF\xBDname"},
  };
  for (const Case& c : cases) EXPECT_EQ(lower_case(c.text), c.lowered) << c.text;
}

TEST(CaseFold, PrefixIgnoringCase) {
  struct Case {
    std::string text, prefix;
    bool match;
  };
  const Case cases[] = {
      {"Documents", "do", true}, {"downloads", "DO", true},          {"Desktop", "do", false},
      {"do", "document", false}, {"\xC3\x84rger", "\xC3\xA4", true}, {"anything", "", true},
  };
  for (const Case& c : cases) EXPECT_EQ(starts_with_ignoring_case(c.text, c.prefix), c.match) << c.text;
}

TEST(MediaType, ExtensionRule) {
  struct Case {
    std::string name, ext;
  };
  const Case cases[] = {{"notes.txt", "txt"}, {".bashrc", ""},      {"archive.tar.gz", "gz"},
                        {"trailing.", ""},    {"no_extension", ""}, {".hidden.png", "png"}};
  for (const Case& c : cases) EXPECT_EQ(name_extension(c.name), c.ext) << c.name;
}

TEST(MediaType, GuessesByExtensionWithFallback) {
  struct Case {
    std::string name, type;
  };
  const Case cases[] = {
      {"notes.txt", "text/plain"},
      {"photo.PNG", "image/png"},
      {"report.pdf", "application/pdf"},
      {"Makefile", "application/octet-stream"},  // no extension: no guess by full name
      {"data.zz-no-such-type", "application/octet-stream"},
  };
  MediaTypeGuesser guesser;
  for (const Case& c : cases) {
    EXPECT_EQ(guess_media_type(c.name).text(), c.type) << c.name;
    EXPECT_EQ(guesser.guess(c.name).text(), c.type) << c.name;
    EXPECT_EQ(guesser.guess(c.name).text(), c.type) << c.name << " (cached)";
  }
}

TEST(MediaType, InternedTextsCompareAndOrder) {
  const MediaType a = "text/plain";
  const MediaType b(std::string("text/") + "plain");
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.text().data(), b.text().data());  // one copy per process
  EXPECT_EQ(MediaType().text(), "application/octet-stream");
  EXPECT_LT(MediaType("image/png"), MediaType("text/plain"));
  EXPECT_LT(MediaType("Text/plain"), MediaType("text/plain"));  // byte-wise, case-sensitive
}

}  // namespace
}  // namespace fe
