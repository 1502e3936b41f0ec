#include <gtest/gtest.h>

#include <string>

#include "i18n/localizer.h"

namespace fe {
namespace {

constexpr std::string_view kEnglish =
    "files-back = Back\n"
    "files-name-exists = “{ $name }” already exists\n"
    "files-item-count = { $count } { $count ->\n"
    "    [one] item\n"
    "   *[other] items\n"
    "}\n"
    "files-moved-to-folder = Moved { $count } { $count ->\n"
    "    [one] item\n"
    "   *[other] items\n"
    "} to “{ $destination }”\n"
    "files-english-only = Only in English\n"
    "files-german-broken = English for { $name }\n"
    "files-both-need-name = Needs { $name }\n";

constexpr std::string_view kGerman =
    "files-back = Zurück\n"
    "files-name-exists = „{ $name }“ existiert bereits\n"
    "files-item-count = { $count } { $count ->\n"
    "    [one] Objekt\n"
    "   *[other] Objekte\n"
    "}\n"
    // A line that does not parse costs only this message.
    "files-moved-to-folder = { $count ->\n"
    "files-german-broken = Deutsch für { $nme }\n"
    "files-both-need-name = Braucht { $name }\n";

Locale locale(const char* tag) {
  return *parse_language_identifier(tag);
}

TEST(Localizer, LooksUpGermanThenEnglishThenTheId) {
  const Localizer de(locale("de-DE"), kEnglish, kGerman);
  struct Case {
    const char* name;
    const char* id;
    Args args;
    const char* expected;
  };
  const Case cases[] = {
      {"German text", "files-back", {}, "Zurück"},
      {"German plural", "files-item-count", {{"count", 1.0}}, "1 Objekt"},
      {"German argument", "files-name-exists", {{"name", std::string("Notizen")}}, "„Notizen“ existiert bereits"},
      {"missing in German", "files-english-only", {}, "Only in English"},
      {"broken in German",
       "files-moved-to-folder",
       {{"count", 2.0}, {"destination", std::string("Docs")}},
       "Moved 2 items to “Docs”"},
      {"German refers to an unknown argument", "files-german-broken", {{"name", std::string("x")}}, "English for x"},
      {"caller forgot the argument everywhere", "files-both-need-name", {}, "files-both-need-name"},
      {"unknown id", "files-no-such-message", {}, "files-no-such-message"},
  };
  for (const Case& c : cases) EXPECT_EQ(de.lookup(c.id, c.args), c.expected) << c.name;
}

TEST(Localizer, OtherLanguagesUseEnglishWithTheirOwnPluralRules) {
  const Localizer fr(locale("fr"), kEnglish, kGerman);
  EXPECT_EQ(fr.lookup("files-back", {}), "Back");
  // French counts 0 and 1 as "one".
  EXPECT_EQ(fr.lookup("files-item-count", {{"count", 0.0}}), "0 item");
  EXPECT_EQ(fr.lookup("files-item-count", {{"count", 1.0}}), "1 item");
  EXPECT_EQ(fr.lookup("files-item-count", {{"count", 2.0}}), "2 items");
  const Localizer en(Locale::en_us(), kEnglish, kGerman);
  EXPECT_EQ(en.lookup("files-item-count", {{"count", 0.0}}), "0 items");
  // German texts only for the language "de", whatever the region elsewhere.
  EXPECT_EQ(Localizer(locale("en-DE"), kEnglish, kGerman).lookup("files-back", {}), "Back");
  EXPECT_EQ(Localizer(locale("de-CH"), kEnglish, kGerman).lookup("files-back", {}), "Zurück");
}

TEST(Localizer, PseudoLocaleMarksTextsButNotArguments) {
  const Localizer qps(locale("qps"), kEnglish, kGerman);
  EXPECT_EQ(qps.lookup("files-back", {}), "[Báçk !!]");
  EXPECT_EQ(qps.lookup("files-name-exists", {{"name", std::string("Notes")}}), "[“Notes” álréády éxísts !!]");
  EXPECT_EQ(qps.lookup("files-item-count", {{"count", 3.0}}), "[3 ítéms !!]");
  // A missing message shows its id, marked too.
  EXPECT_EQ(qps.lookup("files-none", {}), "[fílés-ñóñé !!]");
}

TEST(Localizer, CompiledInCataloguesServeTheShippedTexts) {
  const Localizer en(Locale::en_us());
  EXPECT_EQ(en.lookup("files-time-unknown", {}), "unknown time");
  const Localizer de(locale("de-DE"));
  EXPECT_EQ(de.lookup("files-time-unknown", {}), "unbekannter Zeitpunkt");
}

TEST(PseudoLocalize, TransformTable) {
  struct Case {
    const char* name;
    const char* text;
    Args args;
    const char* expected;
  };
  const Case cases[] = {
      {"plain", "Back", {}, "[Báçk !!]"},
      {"every mapped letter", "ACEINOU aceinou", {}, "[ÁÇÉÍÑÓÚ áçéíñóú !!]"},
      {"others unchanged", "xyz BDF 123 ü—", {}, "[xyz BDF 123 ü— !!]"},
      {"empty", "", {}, "[ !!]"},
      {"argument protected", "“Notes” already exists", {{"name", std::string("Notes")}}, "[“Notes” álréády éxísts !!]"},
      {"every occurrence protected", "a Nina b Nina", {{"name", std::string("Nina")}}, "[á Nina b Nina !!]"},
      {"numbers not protected", "3 items", {{"count", 3.0}}, "[3 ítéms !!]"},
      {"empty string argument ignored", "Open", {{"name", std::string()}}, "[Ópéñ !!]"},
      {"two arguments",
       "Move Anne to Unit",
       {{"who", std::string("Anne")}, {"where", std::string("Unit")}},
       "[Móvé Anne tó Unit !!]"},
      {"argument absent from the text", "Done", {{"name", std::string("Other")}}, "[Dóñé !!]"},
  };
  for (const Case& c : cases) EXPECT_EQ(pseudo_localize(c.text, c.args), c.expected) << c.name;
}

}  // namespace
}  // namespace fe
