// Checks the layout of both message catalogues and their messages against the list that the
// explorer looks up: every id once, with exactly its arguments, and the same structure in German
// as in English.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalogue_check.h"

namespace fe::catalogue_check {
namespace {

TEST(CatalogueLayout, OpeningCommentLinesAreExact) {
  const std::vector<std::string> english_header = {
      "# Files — source locale (en-US).",
      "# Collaboration, availability, history and received-share surfaces are the",
      "# first migrated tranche. Variables are data, never preformatted Fluent source.",
  };
  const std::vector<std::string> german_header = {
      "# Dateien — deutsche Übersetzung (de-DE).",
      "# Variablen und Auswahlzweige müssen strukturell mit en-US.ftl übereinstimmen.",
  };
  EXPECT_EQ(english().header, english_header);
  EXPECT_EQ(german().header, german_header);
}

TEST(CatalogueLayout, TimeUnknownIsTheOnlyMessageBeforeTheFirstGroup) {
  struct Case {
    const char* name;
    const Catalogue& catalogue;
    const char* text;
  };
  const Case cases[] = {{"en-US", english(), "unknown time"}, {"de-DE", german(), "unbekannter Zeitpunkt"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_FALSE(c.catalogue.entries.empty());
    const Entry& first = c.catalogue.entries.front();
    EXPECT_EQ(first.id, "files-time-unknown");
    EXPECT_EQ(first.group, 0);
    EXPECT_EQ(pattern_source(first), c.text);
    const auto ungrouped = std::count_if(c.catalogue.entries.begin(), c.catalogue.entries.end(),
                                         [](const Entry& e) { return e.group == 0; });
    EXPECT_EQ(ungrouped, 1);
  }
}

TEST(CatalogueLayout, NoLineIsLeftOutsideAMessageOrComment) {
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(c.catalogue.stray_lines.empty()) << "first stray line " << c.catalogue.stray_lines.front();
  }
}

TEST(CatalogueLayout, EnglishGroupsAppearInOrder) {
  EXPECT_EQ(english().groups, english_groups());
}

TEST(CatalogueLayout, GermanHasTheSameGroupsUnderGermanTitles) {
  ASSERT_EQ(german().groups.size(), english_groups().size());
  const std::set<std::string> titles(german().groups.begin(), german().groups.end());
  EXPECT_EQ(titles.size(), german().groups.size()) << "group titles repeat";
  std::size_t untranslated = 0;
  for (std::size_t g = 0; g < english_groups().size(); ++g) untranslated += german().groups[g] == english_groups()[g];
  EXPECT_EQ(untranslated, 0u);
}

TEST(CatalogueLayout, EveryMessageSitsInItsGroup) {
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    for (const ExpectedMessage& want : expected_messages()) {
      const Entry* entry = find_entry(c.catalogue, want.id);
      if (entry == nullptr) continue;  // reported by the presence test
      EXPECT_EQ(entry->group, want.group) << want.id << " at line " << entry->line;
    }
  }
}

TEST(CatalogueLayout, ArchiveExtractedUsesTheBlockForm) {
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    const Entry* entry = find_entry(c.catalogue, "files-archive-extracted");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->lines.front(), "files-archive-extracted =");
    ASSERT_GE(entry->lines.size(), 5u);
    for (std::size_t i = 1; i < entry->lines.size(); ++i)
      EXPECT_GE(indent_of(entry->lines[i]), 4u) << "line " << entry->line + i << " is not indented";
    EXPECT_EQ(entry->lines[1], "    { $count ->");
    EXPECT_EQ(entry->lines.back(), "    }");
  }
}

// ---------------------------------------------------------------------------------------------
// Ids and arguments
// ---------------------------------------------------------------------------------------------

TEST(CatalogueMessages, EveryListedIdOccursExactlyOnce) {
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    std::map<std::string, int> occurrences;
    for (const Entry& entry : c.catalogue.entries) ++occurrences[entry.id];
    for (const ExpectedMessage& want : expected_messages()) EXPECT_EQ(occurrences[want.id], 1) << want.id;
  }
}

TEST(CatalogueMessages, NoIdOutsideTheKnownList) {
  std::set<std::string> known;
  for (const ExpectedMessage& want : expected_messages()) known.insert(want.id);
  EXPECT_EQ(known.size(), expected_messages().size()) << "the table lists an id twice";
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    for (const Entry& entry : c.catalogue.entries)
      EXPECT_TRUE(known.contains(entry.id)) << entry.id << " at line " << entry.line;
  }
}

TEST(CatalogueMessages, EachMessageUsesExactlyItsArguments) {
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    for (const ExpectedMessage& want : expected_messages()) {
      const Entry* entry = find_entry(c.catalogue, want.id);
      if (entry == nullptr) continue;
      const std::set<std::string> expected(want.args.begin(), want.args.end());
      EXPECT_EQ(join(arguments_of(*entry)), join(expected)) << want.id;
    }
  }
}

TEST(CatalogueMessages, GermanMatchesEnglishIdsArgumentsAndSelectors) {
  std::set<std::string> english_ids;
  std::set<std::string> german_ids;
  for (const Entry& entry : english().entries) english_ids.insert(entry.id);
  for (const Entry& entry : german().entries) german_ids.insert(entry.id);
  EXPECT_EQ(english_ids, german_ids);
  for (const Entry& en : english().entries) {
    const Entry* de = find_entry(german(), en.id);
    if (de == nullptr) continue;
    EXPECT_EQ(join(arguments_of(*de)), join(arguments_of(en))) << en.id;
    EXPECT_EQ(select_signature(*de), select_signature(en)) << en.id;
  }
}

TEST(CatalogueMessages, PluralSelectsAreWhereCountsNeedThem) {
  const std::map<std::string, std::string> expected = {
      {"files-keeping-offline", "count:one,*other"},
      {"files-using-automatic", "count:one,*other"},
      {"files-retrying-transfers", "count:one,*other"},
      {"files-freeing-local-space", "count:one,*other"},
      {"files-destructive-eviction-summary", "count:one,*other"},
      {"files-destructive-eviction-started", "count:one,*other"},
      {"files-permanent-delete-title", "count:one,*other"},
      {"files-permanent-delete-summary", "count:one,*other"},
      {"files-empty-trash-summary", "count:one,*other"},
      {"files-property-sharing", "count:one,*other"},
      {"files-property-history", "versions:one,*other;conflicts:one,*other"},
      {"files-replica-counts", "durable:one,*other"},
      {"files-sharing-summary", "count:one,*other"},
      {"files-a11y-shared-recipients", "count:one,*other"},
      {"files-item-count", "count:one,*other"},
      {"files-permanently-deleted", "count:one,*other"},
      {"files-moved-to-trash", "count:one,*other"},
      {"files-restored", "count:one,*other"},
      {"files-undo-trash-restored", "count:one,*other"},
      {"files-copied", "count:one,*other"},
      {"files-cut", "count:one,*other"},
      {"files-moved-to-folder", "count:one,*other"},
      {"files-pasted", "count:one,*other"},
      {"files-archive-extracted", "count:one,*other"},
      {"files-share-choice-bounded-uses", "count:one,*other"},
      {"files-nearby-destination-count", "count:one,*other"},
  };
  std::map<std::string, std::string> actual;
  for (const Entry& entry : english().entries)
    if (const std::string signature = select_signature(entry); !signature.empty()) actual[entry.id] = signature;
  EXPECT_EQ(actual, expected);
  // Quoted texts that must stay without a selector, whatever the count.
  for (const char* id : {"files-drag-items", "files-selected-count", "files-pasted-with-failures",
                         "files-moved-with-failures", "files-archive-extracted-partial", "files-emptied-trash"})
    EXPECT_FALSE(actual.contains(id)) << id;
}

TEST(CatalogueMessages, SelectsFollowTheCatalogueLayout) {
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    for (const Entry& entry : c.catalogue.entries) {
      for (const Select& select : selects_of(entry)) {
        EXPECT_TRUE(numeric_selectors().contains(select.selector)) << entry.id << " selects on " << select.selector;
        EXPECT_EQ(select.keys, (std::vector<std::string>{"one", "*other"})) << entry.id;
        EXPECT_TRUE(select.layout_ok) << entry.id << " at line " << entry.line;
      }
    }
  }
}

}  // namespace
}  // namespace fe::catalogue_check
