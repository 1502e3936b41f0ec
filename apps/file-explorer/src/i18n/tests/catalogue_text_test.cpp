// Checks the texts of both message catalogues: typographic characters, the quoted English texts,
// and that the Fluent engine parses and formats every message.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "catalogue_check.h"
#include "i18n/catalogues.h"
#include "i18n/fluent_bundle.h"
#include "i18n/fluent_syntax.h"
#include "i18n/locale.h"

namespace fe::catalogue_check {
namespace {

// ---------------------------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------------------------

TEST(CatalogueTexts, PlaceablesOnlyReferenceArguments) {
  // The subset has no terms, functions, literals or message references: every placeable opens
  // with a variable.
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    for (const Entry& entry : c.catalogue.entries) {
      const std::string source = pattern_source(entry);
      for (std::size_t at = source.find('{'); at != std::string::npos; at = source.find('{', at + 1))
        EXPECT_EQ(source.compare(at, 3, "{ $"), 0) << entry.id << ": " << source.substr(at, 12);
      for (std::size_t i = 1; i < entry.lines.size(); ++i)
        EXPECT_NE(entry.lines[i][indent_of(entry.lines[i])], '.') << entry.id << " has an attribute";
    }
  }
}

TEST(CatalogueTexts, TypographicCharactersInsteadOfAsciiSubstitutes) {
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    for (const Entry& entry : c.catalogue.entries) {
      const std::string source = pattern_source(entry);
      EXPECT_EQ(source.find("..."), std::string::npos) << entry.id << " uses ... for …";
      EXPECT_EQ(source.find('"'), std::string::npos) << entry.id << " uses straight double quotes";
      EXPECT_EQ(source.find(" - "), std::string::npos) << entry.id << " uses a hyphen for a dash";
      // The one straight apostrophe is the quoted English "Name cannot contain '/'".
      if (!(c.name == std::string_view("en-US") && entry.id == "files-name-slash")) {
        EXPECT_EQ(source.find('\''), std::string::npos) << entry.id << " uses a straight apostrophe";
      }
      EXPECT_EQ(source.find('\t'), std::string::npos) << entry.id;
      EXPECT_FALSE(source.ends_with(" ")) << entry.id << " ends with a blank";
    }
  }
}

TEST(CatalogueTexts, QuotedEnglishTextsAreExact) {
  struct Case {
    const char* id;
    const char* text;
  };
  const Case cases[] = {
      {"files-time-unknown", "unknown time"},
      {"files-selected-count", "{ $base }  ·  { $count } selected"},
      {"files-menu-new-file", "New File  ›"},
      {"files-drag-items", "{ $count } items"},
      {"files-name-exists", "“{ $name }” already exists"},
      {"files-moved-with-failures", "Moved { $moved } to “{ $destination }” ({ $failed } failed)"},
      {"files-pasted-with-failures", "Pasted { $count } ({ $failed } failed)"},
      {"files-destination-names-exhausted",
       "Too many files named “{ $name }” in “{ $path }”. Choose another name or folder."},
      {"files-archive-extracted-partial", "Extracted { $count } files; { $failures }"},
      {"files-load-error-detail", "{ $error } · { $path }"},
      {"files-a11y-file", "File, { $size }"},
      {"files-a11y-panel-details", "{ $title }. { $summary }. { $details }. Press Escape to close"},
      {"files-a11y-dialog-close", "{ $summary }. Press Escape to close"},
      {"files-property-dimensions", "Dimensions: { $width } × { $height } px"},
      {"files-property-content", "Content: { $hash }…"},
      {"files-share-invalid-uses", "Share links require a use limit from 1 to 1,000"},
      {"files-merge-review-checking-detail",
       "Vemo is comparing both changes with their shared base. Nothing is changed while this runs."},
      // Keyboard-shortcut reference.
      {"files-shortcuts-title", "Keyboard shortcuts"},
      {"files-shortcuts-summary", "Files controls that work with the current desktop keyboard convention"},
      {"files-shortcuts-primary", "Primary modifier: Ctrl on most desktops, Command on macOS"},
      {"files-shortcuts-navigate", "Move selection: ↑ / ↓ · select a range: Shift + ↑ / ↓"},
      {"files-shortcuts-grid", "Grid navigation: ← / → move across; ↑ / ↓ move by visual row"},
      {"files-shortcuts-open", "Open selected: Enter · rename: F2 · move to Trash: Delete"},
      {"files-shortcuts-location", "Edit location: Primary + L · refresh: F5"},
      {"files-shortcuts-new-folder", "New folder: Primary + Shift + N"},
      {"files-shortcuts-edit", "Copy, cut, paste, undo Trash, select all: Primary + C / X / V / Z / A"},
      {"files-shortcuts-hidden", "Show or hide hidden files: Primary + H"},
      {"files-shortcuts-size", "Change item size: Primary + + / − · reset size: Primary + 0"},
      {"files-shortcuts-context", "Context menu: Menu key or right-click"},
      {"files-shortcuts-close", "Show this reference: ? or F1 · close sheets and menus: Escape"},
      // Folder listing, states and chrome.
      {"files-directory-read-failed", "Could not open this folder: { $error }"},
      {"files-archive-read-only", "Archives are read-only until extracted"},
      {"files-load-error-title", "Couldn’t open this folder"},
      {"files-loading-title", "Opening folder"},
      {"files-try-again", "Try Again"},
      {"files-empty-trash", "Trash is empty"},
      {"files-empty-folder", "This folder is empty"},
      {"files-path-placeholder", "Type a path, e.g. ~/Documents"},
      {"files-back", "Back"},
      {"files-forward", "Forward"},
      {"files-up", "Up one folder"},
      {"files-view-list", "List"},
      {"files-view-grid", "Grid"},
      {"files-sort-by", "Sort by"},
      {"files-view-options", "View options"},
      {"files-archive-extract", "Extract archive…"},
      {"files-place-home", "Home"},
      {"files-place-root", "Root"},
      {"files-place-trash", "Trash"},
      {"files-place-workspace", "Workspace"},
      {"files-column-name", "Name"},
      {"files-column-size", "Size"},
      {"files-column-modified", "Modified"},
      {"files-new-name-placeholder", "New name"},
      {"files-search-collaborative-records", "Collaborative files"},
      {"files-search-record-provenance", "{ $path } · record { $record }"},
      // Accessible names.
      {"files-a11y-activity", "Files activity"},
      {"files-a11y-current-folder", "Current folder: { $path }"},
      {"files-a11y-load-error", "Could not load folder: { $error }. Try Again is available"},
      {"files-loading-folder", "Loading { $path }"},
      {"files-a11y-list", "Files"},
      {"files-a11y-folder", "Folder"},
      {"files-a11y-places", "Places"},
      {"files-a11y-favourite", "Favourite"},
      {"files-a11y-system-location", "System location"},
      {"files-a11y-place-description", "{ $section }, { $path }"},
      {"files-a11y-breadcrumbs", "Breadcrumbs"},
      {"files-a11y-current-breadcrumb", "Current folder, { $path }. Press Enter to edit the path"},
      {"files-a11y-open-folder", "Open { $path }"},
      {"files-a11y-version-conflict", "Has a version conflict"},
      {"files-a11y-available-offline", "Available offline"},
      {"files-a11y-replica-unknown", "Replica status unknown"},
      // Menus and sheet buttons.
      {"files-menu-open", "Open"},
      {"files-menu-rename", "Rename"},
      {"files-menu-cut", "Cut"},
      {"files-menu-copy", "Copy"},
      {"files-menu-paste", "Paste"},
      {"files-menu-properties", "Properties…"},
      {"files-menu-new-folder", "New Folder"},
      {"files-menu-move-trash", "Move to Trash"},
      {"files-menu-restore", "Restore"},
      {"files-menu-delete-permanently", "Delete Permanently"},
      {"files-menu-empty-trash", "Empty Trash"},
      {"files-menu-send-nearby", "Send to Nearby Device…"},
      {"files-menu-add-favourite", "Add to Favourites"},
      {"files-menu-remove-favourite", "Remove from Favourites"},
      {"files-menu-show-hidden", "Show Hidden Files"},
      {"files-menu-hide-hidden", "Hide Hidden Files"},
      {"files-menu-sort-name", "Sort by Name"},
      {"files-menu-sort-size", "Sort by Size"},
      {"files-menu-sort-type", "Sort by Type"},
      {"files-menu-sort-date", "Sort by Date"},
      {"files-menu-open-terminal", "Open Terminal Here"},
      {"files-sort-name", "Name"},
      {"files-sort-size", "Size"},
      {"files-sort-type", "Type"},
      {"files-sort-date", "Date"},
      {"files-sort-ascending", "Ascending"},
      {"files-sort-descending", "Descending"},
      {"files-new-from-template", "New { $name }"},
      {"files-undo-move-trash", "Undo Move to Trash"},
      {"files-archive-extract-here", "Extract here"},
      {"files-archive-compress", "Compress to ZIP"},
      {"files-keep-offline", "Keep Offline"},
      {"files-use-automatic-storage", "Use Automatic Storage"},
      {"files-pinned-by-parent", "Pinned by Parent Folder"},
      {"files-free-local-space", "Free Local Space"},
      {"files-retry-download", "Retry Download"},
      {"files-copy-one-time-link", "Copy One-Time Share Link"},
      {"files-sharing-access", "Sharing & Access…"},
      {"files-shared-link", "shared link"},
      {"files-version-history", "Version History…"},
      {"files-restore-previous", "Restore Previous Version"},
      {"files-merge-review-menu", "Review merge"},
      {"files-action-reveal", "Reveal in Files"},
      {"files-destructive-eviction-confirm", "Remove Local Copy Anyway"},
      {"files-permanent-delete-confirm", "Delete Permanently"},
      {"files-empty-trash-confirm", "Empty Trash"},
      {"files-merge-apply-safe", "Apply safe merge"},
      {"files-nearby-choose-destination", "Choose where to save"},
      {"files-nearby-retry", "Retry"},
      {"files-destructive-eviction-loss",
       "If no source remains, the current file contents may become permanently unavailable."},
      {"files-permanent-delete-loss", "This cannot be undone."},
      {"files-nearby-consent-detail", "Nothing is saved until you accept this exact transfer."},
      // Operation results.
      {"files-added-favourite", "Added to Favourites"},
      {"files-removed-favourite", "Removed from Favourites"},
      {"files-name-empty", "Name cannot be empty"},
      {"files-name-slash", "Name cannot contain '/'"},
      {"files-name-invalid", "Enter a valid file or folder name"},
      {"files-folder-name-empty", "Folder name cannot be empty"},
      {"files-no-parent", "No parent directory"},
      {"files-destination-inspect-failed", "Cannot check “{ $path }”: { $error }"},
      {"files-source-no-name", "Source has no file name"},
      {"files-delete-failed", "Delete failed: { $error }"},
      {"files-undo-trash-unavailable", "Undo is no longer available because Trash changed"},
      {"files-undo-trash-failed", "Could not restore the trashed items: { $error }"},
      {"files-emptied-trash", "Emptied Trash ({ $count })"},
      {"files-created-folder", "Created folder"},
      {"files-new-folder-failed", "New folder failed: { $error }"},
      {"files-created-file", "Created file"},
      {"files-new-file-failed", "New file failed: { $error }"},
      {"files-renamed", "Renamed"},
      {"files-rename-failed", "Rename failed: { $error }"},
      {"files-archive-open-after-extract", "Extract this archive to open or edit files inside it"},
      {"files-new-folder-default-name", "New Folder"},
      {"files-nothing-to-move", "Nothing to move"},
      // Received shares.
      {"files-received-link-read-failed", "Could not read the shared-file link"},
      {"files-received-link-too-large", "Shared-file link exceeds its bound"},
      {"files-received-link-invalid-text", "Shared-file link is not valid text"},
      {"files-received-link-empty", "Shared-file link is empty"},
      {"files-received-admitted", "Shared file admitted"},
      {"files-received-file", "Received shared file"},
      {"files-received-mount-starting", "Shared file admitted; mount is starting"},
  };
  for (const Case& c : cases) {
    const Entry* entry = find_entry(english(), c.id);
    ASSERT_NE(entry, nullptr) << c.id;
    EXPECT_EQ(pattern_source(*entry), c.text) << c.id;
  }
}

TEST(CatalogueTexts, EnglishPluralPatternsAreExact) {
  struct Case {
    const char* id;
    const char* text;  // the select written on one line
  };
  const Case cases[] = {
      {"files-keeping-offline", "Keeping { $count } { $count -> [one] item *[other] items } offline"},
      {"files-using-automatic", "Using automatic storage for { $count } { $count -> [one] item *[other] items }"},
      {"files-retrying-transfers", "Retrying { $count } { $count -> [one] transfer *[other] transfers }…"},
      {"files-freeing-local-space", "Freeing local space for { $count } { $count -> [one] item *[other] items }…"},
      {"files-destructive-eviction-summary",
       "Safety checks could not prove that { $count } selected { $count -> [one] item has *[other] items have } "
       "another fresh, durable copy."},
      {"files-destructive-eviction-started",
       "Destructive local removal started for { $count } { $count -> [one] item *[other] items }."},
      {"files-permanent-delete-title", "Permanently delete { $count } { $count -> [one] item *[other] items }?"},
      {"files-permanent-delete-summary",
       "The selected { $count } { $count -> [one] item will *[other] items will } be removed from Trash."},
      {"files-empty-trash-summary",
       "{ $count -> [one] 1 item will be removed from Trash. *[other] All { $count } items will be removed from "
       "Trash. }"},
      {"files-property-sharing", "Sharing: { $count } active { $count -> [one] grant *[other] grants }"},
      {"files-property-history",
       "History: { $versions } { $versions -> [one] version *[other] versions }, { $conflicts } open "
       "{ $conflicts -> [one] conflict *[other] conflicts }"},
      {"files-replica-counts",
       "{ $reachable } reachable, { $durable } durable { $durable -> [one] replica *[other] replicas }"},
      {"files-sharing-summary",
       "{ $count } active { $count -> [one] grant *[other] grants }; copied bytes cannot be recalled"},
      {"files-a11y-shared-recipients", "Shared with { $count } { $count -> [one] recipient *[other] recipients }"},
      {"files-item-count", "{ $count } { $count -> [one] item *[other] items }"},
      {"files-permanently-deleted", "Permanently deleted { $count } { $count -> [one] item *[other] items }"},
      {"files-moved-to-trash", "Moved { $count } { $count -> [one] item *[other] items } to Trash"},
      {"files-restored", "Restored { $count } { $count -> [one] item *[other] items }"},
      {"files-undo-trash-restored", "Restored { $count -> [one] 1 item *[other] { $count } items }"},
      {"files-copied", "Copied { $count } { $count -> [one] item *[other] items }"},
      {"files-cut", "Cut { $count } { $count -> [one] item *[other] items }"},
      {"files-moved-to-folder", "Moved { $count } { $count -> [one] item *[other] items } to “{ $destination }”"},
      {"files-pasted", "Pasted { $count } { $count -> [one] item *[other] items }"},
      {"files-archive-extracted", "{ $count -> [one] Extracted 1 file *[other] Extracted { $count } files }"},
  };
  for (const Case& c : cases) {
    const Entry* entry = find_entry(english(), c.id);
    ASSERT_NE(entry, nullptr) << c.id;
    EXPECT_EQ(one_line(*entry), c.text) << c.id;
  }
}

// ---------------------------------------------------------------------------------------------
// The same catalogues through the Fluent engine
// ---------------------------------------------------------------------------------------------

TEST(CatalogueEngine, CompiledCataloguesAreTheFiles) {
  EXPECT_EQ(catalogues::english_source(), read_file(catalogue_path("en-US.ftl")));
  EXPECT_EQ(catalogues::german_source(), read_file(catalogue_path("de-DE.ftl")));
}

// Arguments for every name a message may use: numbers where plural rules or counts apply.
Args sample_args(const std::set<std::string>& names, double count) {
  const std::set<std::string> numeric = {"count",     "durable", "heads",  "versions",
                                         "conflicts", "moved",   "failed", "reachable"};
  Args args;
  for (const std::string& name : names) {
    if (numeric.contains(name))
      args.emplace_back(name, count);
    else
      args.emplace_back(name, std::string("‹") + name + "›");
  }
  return args;
}

TEST(CatalogueEngine, EveryMessageParsesAndFormatsWithItsArguments) {
  struct Case {
    const char* name;
    std::string_view source;
    const Catalogue& scanned;
    Locale locale;
  };
  const Case cases[] = {
      {"en-US", catalogues::english_source(), english(), Locale::en_us()},
      {"de-DE", catalogues::german_source(), german(), Locale{"de", "", "DE", {}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fluent::Resource resource = fluent::parse(c.source);
    for (const fluent::SyntaxError& error : resource.errors)
      ADD_FAILURE() << "line " << error.line << ": " << error.what;
    EXPECT_EQ(resource.messages.size(), c.scanned.entries.size());
    fluent::Bundle bundle(c.locale);
    EXPECT_EQ(bundle.add_resource(std::move(resource)), 0u) << "duplicate ids";
    for (const Entry& entry : c.scanned.entries) {
      for (const double count : {0.0, 1.0, 5.0}) {
        const std::optional<std::string> text =
            bundle.format_message(entry.id, sample_args(arguments_of(entry), count));
        ASSERT_TRUE(text.has_value()) << entry.id << " with " << count;
        EXPECT_FALSE(text->empty()) << entry.id;
        EXPECT_EQ(text->find("{"), std::string::npos) << entry.id << ": " << *text;
      }
    }
  }
}

TEST(CatalogueEngine, EnglishPluralsReadNaturally) {
  struct Case {
    const char* id;
    Args args;
    const char* expected;
  };
  const Case cases[] = {
      {"files-undo-trash-restored", {{"count", 1.0}}, "Restored 1 item"},
      {"files-undo-trash-restored", {{"count", 3.0}}, "Restored 3 items"},
      {"files-drag-items", {{"count", 1.0}}, "1 items"},
      {"files-a11y-shared-recipients", {{"count", 0.0}}, "Shared with 0 recipients"},
      {"files-property-history", {{"versions", 1.0}, {"conflicts", 2.0}}, "History: 1 version, 2 open conflicts"},
      {"files-replica-counts", {{"reachable", 3.0}, {"durable", 1.0}}, "3 reachable, 1 durable replica"},
      {"files-archive-extracted", {{"count", 1.0}}, "Extracted 1 file"},
      {"files-archive-extracted", {{"count", 12.0}}, "Extracted 12 files"},
      {"files-empty-trash-summary", {{"count", 1.0}}, "1 item will be removed from Trash."},
      {"files-empty-trash-summary", {{"count", 4.0}}, "All 4 items will be removed from Trash."},
      {"files-retrying-transfers", {{"count", 2.0}}, "Retrying 2 transfers…"},
      {"files-selected-count", {{"base", std::string("12 items")}, {"count", 2.0}}, "12 items  ·  2 selected"},
      {"files-moved-to-folder", {{"count", 1.0}, {"destination", std::string("Docs")}}, "Moved 1 item to “Docs”"},
  };
  fluent::Bundle bundle(Locale::en_us());
  bundle.add_resource(fluent::parse(catalogues::english_source()));
  for (const Case& c : cases) EXPECT_EQ(bundle.format_message(c.id, c.args), c.expected) << c.id;
}

TEST(CatalogueEngine, GermanPluralsFollowGermanRules) {
  struct Case {
    const char* id;
    Args args;
    const char* expected;
  };
  const Case cases[] = {
      {"files-time-unknown", {}, "unbekannter Zeitpunkt"},
      {"files-moved-to-trash", {{"count", 1.0}}, "1 Objekt in den Papierkorb verschoben"},
      {"files-moved-to-trash", {{"count", 2.0}}, "2 Objekte in den Papierkorb verschoben"},
      {"files-undo-trash-restored", {{"count", 1.0}}, "1 Objekt wiederhergestellt"},
      {"files-archive-extracted", {{"count", 3.0}}, "3 Dateien entpackt"},
  };
  fluent::Bundle bundle(Locale{"de", "", "DE", {}});
  bundle.add_resource(fluent::parse(catalogues::german_source()));
  for (const Case& c : cases) EXPECT_EQ(bundle.format_message(c.id, c.args), c.expected) << c.id;
}
}  // namespace
}  // namespace fe::catalogue_check
