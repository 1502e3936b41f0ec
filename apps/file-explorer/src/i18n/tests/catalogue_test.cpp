// Checks both message catalogues against the list of messages the explorer looks up: every id
// once, with exactly its arguments, the same structure in German as in English, the file layout
// and the quoted English texts. The scanner here is deliberately independent of the Fluent
// parser, so a parser bug cannot hide a catalogue mistake (the last tests then run the parser).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/catalogues.h"
#include "i18n/fluent_bundle.h"
#include "i18n/fluent_syntax.h"
#include "i18n/locale.h"

namespace fe {
namespace {

// ---------------------------------------------------------------------------------------------
// The messages, by group of the English file, with their arguments.
// ---------------------------------------------------------------------------------------------

struct MessageSpec {
  int group;  // 0 = before the first group comment
  const char* id;
  std::vector<std::string> args;
  bool listed;  // false: carried because a surface looks it up, beyond the required list
};

const std::vector<MessageSpec>& message_specs() {
  static const std::vector<MessageSpec> specs = {
      // ungrouped
      {0, "files-time-unknown", {}, true},
      // Keyboard shortcuts
      {1, "files-shortcuts-title", {}, true},
      {1, "files-shortcuts-summary", {}, true},
      {1, "files-shortcuts-primary", {}, true},
      {1, "files-shortcuts-navigate", {}, true},
      {1, "files-shortcuts-grid", {}, true},
      {1, "files-shortcuts-open", {}, true},
      {1, "files-shortcuts-location", {}, true},
      {1, "files-shortcuts-new-folder", {}, true},
      {1, "files-shortcuts-edit", {}, true},
      {1, "files-shortcuts-hidden", {}, true},
      {1, "files-shortcuts-size", {}, true},
      {1, "files-shortcuts-context", {}, true},
      {1, "files-shortcuts-close", {}, true},
      // Availability actions and status
      {2, "files-keep-offline", {}, true},
      {2, "files-use-automatic-storage", {}, true},
      {2, "files-pinned-by-parent", {}, true},
      {2, "files-retry-download", {}, true},
      {2, "files-free-local-space", {}, true},
      {2, "files-no-pin-needed", {}, true},
      {2, "files-no-direct-pin", {}, true},
      {2, "files-keeping-offline", {"count"}, true},
      {2, "files-using-automatic", {"count"}, true},
      {2, "files-offline-policy-failed", {"errors"}, true},
      {2, "files-no-retryable-transfer", {}, true},
      {2, "files-retrying-transfers", {"count"}, true},
      {2, "files-retry-failed", {"errors"}, true},
      {2, "files-no-local-space-releasable", {}, true},
      {2, "files-freeing-local-space", {"count"}, true},
      {2, "files-free-local-space-failed", {"errors"}, true},
      {2, "files-eviction-needs-confirmation", {}, true},
      {2, "files-destructive-eviction-title", {}, true},
      {2, "files-destructive-eviction-summary", {"count"}, true},
      {2, "files-destructive-eviction-no-replica", {}, true},
      {2, "files-destructive-eviction-loss", {}, true},
      {2, "files-destructive-eviction-protected", {}, true},
      {2, "files-destructive-eviction-confirm", {}, true},
      {2, "files-destructive-eviction-started", {"count"}, true},
      {2, "files-permanent-delete-title", {"count"}, true},
      {2, "files-permanent-delete-summary", {"count"}, true},
      {2, "files-permanent-delete-loss", {}, true},
      {2, "files-permanent-delete-confirm", {}, true},
      {2, "files-empty-trash-title", {}, true},
      {2, "files-empty-trash-summary", {"count"}, true},
      {2, "files-empty-trash-confirm", {}, true},
      // Properties and availability sheet
      {3, "files-property-collaborative-record", {"record"}, true},
      {3, "files-property-content", {"hash"}, true},
      {3, "files-residency-metadata-only", {}, true},
      {3, "files-residency-partly-local", {"bytes"}, true},
      {3, "files-residency-local", {"bytes"}, true},
      {3, "files-property-on-device", {"state"}, true},
      {3, "files-property-sharing", {"count"}, true},
      {3, "files-property-history", {"versions", "conflicts"}, true},
      {3, "files-properties-collab-summary", {}, true},
      {3, "files-availability-title", {"name"}, true},
      {3, "files-availability-title-short", {}, true},
      {3, "files-not-stored", {}, true},
      {3, "files-partly-stored", {"bytes"}, true},
      {3, "files-stored", {"bytes"}, true},
      {3, "files-kept-offline-parent", {}, true},
      {3, "files-kept-offline", {}, true},
      {3, "files-automatic-storage", {}, true},
      {3, "files-replica-unverified", {}, true},
      {3, "files-replica-counts", {"reachable", "durable"}, true},
      {3, "files-transfer-state", {"state"}, true},
      // Sharing
      {4, "files-search-collaborative-records", {}, true},
      {4, "files-search-record-provenance", {"path", "record"}, true},
      {4, "files-copy-one-time-link", {}, true},
      {4, "files-share-composer-named", {"person", "permission", "expiry"}, true},
      {4, "files-share-composer-link", {"permission", "expiry", "uses"}, true},
      {4, "files-share-choice-view", {}, true},
      {4, "files-share-choice-edit", {}, true},
      {4, "files-share-choice-day", {}, false},
      {4, "files-share-choice-week", {}, false},
      {4, "files-share-choice-month", {}, false},
      {4, "files-share-choice-never", {}, false},
      {4, "files-share-choice-one-use", {}, true},
      {4, "files-share-choice-bounded-uses", {"count"}, true},
      {4, "files-share-creating", {}, true},
      {4, "files-share-invalid-options", {}, true},
      {4, "files-share-link-needs-expiry", {}, true},
      {4, "files-share-invalid-uses", {}, true},
      {4, "files-share-recipient-unreachable", {}, true},
      {4, "files-sharing-access", {}, true},
      {4, "files-share-with", {"person"}, true},
      {4, "files-revoke-subject", {"subject"}, true},
      {4, "files-shared-link", {}, true},
      {4, "files-share-link-pending", {}, true},
      {4, "files-share-change-pending", {}, true},
      {4, "files-select-collaborative-file", {}, true},
      {4, "files-select-shared-file", {}, true},
      {4, "files-sharing-unavailable", {}, true},
      {4, "files-creating-one-use-link", {}, true},
      {4, "files-share-with-progress", {"person"}, true},
      {4, "files-revoking-access", {}, true},
      {4, "files-not-shared", {}, true},
      {4, "files-anyone-link", {}, true},
      {4, "files-can-view", {}, true},
      {4, "files-can-edit", {}, true},
      {4, "files-grant-active", {}, false},
      {4, "files-grant-expired", {}, false},
      {4, "files-grant-revoked", {}, false},
      {4, "files-grant-exhausted", {}, false},
      {4, "files-no-expiry", {}, true},
      {4, "files-expires", {"time"}, true},
      {4, "files-share-grant-line", {"subject", "permission", "status", "expiry"}, true},
      {4, "files-sharing-title", {"name"}, true},
      {4, "files-certified-devices", {"person", "devices"}, true},
      {4, "files-certified-device-detail", {"device", "fingerprint", "capabilities", "issued", "expiry"}, true},
      {4, "files-device-cap-own", {}, true},
      {4, "files-device-cap-admit", {}, true},
      {4, "files-device-cap-host", {}, true},
      {4, "files-device-cap-read-all", {}, true},
      {4, "files-device-cap-member", {}, true},
      {4, "files-sharing-summary", {"count"}, true},
      {4, "files-link-copied", {}, true},
      {4, "files-share-created", {"person"}, true},
      {4, "files-share-created-pending", {"person"}, true},
      {4, "files-share-created-delivered", {"person"}, true},
      {4, "files-access-revoked", {}, true},
      {4, "files-share-inactive", {}, true},
      // History and conflict resolution
      {5, "files-version-history", {}, true},
      {5, "files-restore-previous", {}, true},
      {5, "files-resolve-keep-current", {"conflict"}, true},
      {5, "files-resolve-use-other", {"conflict", "device"}, true},
      {5, "files-conflict-resolved", {}, true},
      {5, "files-strategy-keep-both", {}, true},
      {5, "files-history-change-pending", {}, true},
      {5, "files-select-file-with-history", {}, true},
      {5, "files-keeping-current", {}, true},
      {5, "files-applying-other", {}, true},
      {5, "files-merging-versions", {}, true},
      {5, "files-merge-review-menu", {}, true},
      {5, "files-merge-review-title", {"name"}, true},
      {5, "files-merge-review-checking", {}, true},
      {5, "files-merge-review-checking-detail", {}, true},
      {5, "files-merge-review-safe", {}, true},
      {5, "files-merge-review-needs-review", {}, true},
      {5, "files-merge-review-unavailable", {}, true},
      {5, "files-merge-review-no-apply", {}, true},
      {5, "files-merge-review-incoming", {"device"}, true},
      {5, "files-merge-review-undo", {}, true},
      {5, "files-merge-apply-safe", {}, true},
      {5, "files-merge-apply-safe-detail", {}, true},
      {5, "files-conflict-resolved-signed", {}, true},
      {5, "files-history-change-saved", {}, true},
      {5, "files-history-action-created", {}, true},
      {5, "files-history-action-edited", {}, true},
      {5, "files-history-action-renamed", {}, true},
      {5, "files-history-action-moved", {}, true},
      {5, "files-history-action-deleted", {}, true},
      {5, "files-history-action-conflict-resolved", {}, true},
      {5, "files-history-action-restored", {}, true},
      {5, "files-history-action-changed", {}, true},
      // Accessible collaborative state
      {6, "files-a11y-transfer-failed", {}, true},
      {6, "files-a11y-transfer-queued", {}, true},
      {6, "files-a11y-downloading", {}, true},
      {6, "files-a11y-uploading", {}, true},
      {6, "files-a11y-verifying", {}, true},
      {6, "files-a11y-online-only", {}, true},
      {6, "files-a11y-partly-offline", {}, true},
      {6, "files-a11y-available-offline", {}, true},
      {6, "files-a11y-kept-offline-parent", {}, true},
      {6, "files-a11y-kept-offline", {}, true},
      {6, "files-a11y-replica-unknown", {}, true},
      {6, "files-a11y-durably-replicated", {}, true},
      {6, "files-a11y-not-durably-replicated", {}, true},
      {6, "files-a11y-shared-recipients", {"count"}, true},
      {6, "files-a11y-version-conflict", {}, true},
      // Service and received-share errors/status
      {7, "files-conflict-encode-failed", {}, true},
      {7, "files-conflict-request-too-large", {}, true},
      {7, "files-conflict-resolve-failed", {"error"}, true},
      {7, "files-share-wrong-response", {}, true},
      {7, "files-share-runtime-failed", {"error"}, true},
      {7, "files-share-unavailable-error", {"error"}, true},
      {7, "files-share-encode-failed", {"error"}, true},
      {7, "files-share-request-too-large", {}, true},
      {7, "files-share-request-failed", {"error"}, true},
      {7, "files-share-no-response", {"error"}, true},
      {7, "files-share-response-too-large", {}, true},
      {7, "files-share-response-truncated", {"error"}, true},
      {7, "files-share-response-invalid", {"error"}, true},
      {7, "files-share-refused", {"code"}, true},
      {7, "files-received-refused", {"code"}, true},
      {7, "files-received-wrong-response", {}, true},
      {7, "files-received-runtime-failed", {"error"}, true},
      {7, "files-received-encode-failed", {}, true},
      {7, "files-received-request-too-large", {}, true},
      {7, "files-received-unavailable", {}, true},
      {7, "files-received-no-response", {}, true},
      {7, "files-received-response-too-large", {}, true},
      {7, "files-received-response-truncated", {}, true},
      {7, "files-received-response-invalid", {}, true},
      {7, "files-received-not-available", {}, true},
      {7, "files-received-fd-clone-failed", {}, true},
      {7, "files-received-fd-invalid", {}, true},
      {7, "files-received-file", {}, true},
      {7, "files-received-mount-starting", {}, true},
      {7, "files-received-admitted", {}, true},
      {7, "files-received-link-read-failed", {}, true},
      {7, "files-received-link-too-large", {}, true},
      {7, "files-received-link-invalid-text", {}, true},
      {7, "files-received-link-empty", {}, true},
      // Application chrome and navigation
      {8, "files-back", {}, true},
      {8, "files-forward", {}, true},
      {8, "files-up", {}, true},
      {8, "files-view-list", {}, true},
      {8, "files-view-grid", {}, true},
      {8, "files-sort-by", {}, true},
      {8, "files-view-options", {}, true},
      {8, "files-path-placeholder", {}, true},
      {8, "files-place-home", {}, true},
      {8, "files-place-favourites", {}, true},
      {8, "files-place-system", {}, true},
      {8, "files-place-root", {}, true},
      {8, "files-place-trash", {}, true},
      {8, "files-place-workspace", {}, true},
      // List, empty/error state and accessibility
      {9, "files-column-name", {}, true},
      {9, "files-column-size", {}, true},
      {9, "files-column-modified", {}, true},
      {9, "files-try-again", {}, true},
      {9, "files-loading", {}, true},
      {9, "files-loading-folder", {"path"}, true},
      {9, "files-loading-title", {}, true},
      {9, "files-loading-detail", {"path"}, true},
      {9, "files-directory-read-failed", {"error"}, true},
      {9, "files-load-error-title", {}, true},
      {9, "files-load-error-detail", {"error", "path"}, true},
      {9, "files-a11y-load-error", {"error"}, true},
      {9, "files-a11y-panel-details", {"title", "summary", "details"}, true},
      {9, "files-a11y-dialog-close", {"summary"}, true},
      {9, "files-a11y-activity", {}, true},
      {9, "files-a11y-current-folder", {"path"}, true},
      {9, "files-a11y-places", {}, true},
      {9, "files-a11y-favourite", {}, true},
      {9, "files-a11y-system-location", {}, true},
      {9, "files-a11y-place-description", {"section", "path"}, true},
      {9, "files-a11y-breadcrumbs", {}, true},
      {9, "files-a11y-current-breadcrumb", {"path"}, true},
      {9, "files-a11y-open-folder", {"path"}, true},
      {9, "files-empty-trash", {}, true},
      {9, "files-empty-folder", {}, true},
      {9, "files-item-count", {"count"}, true},
      {9, "files-selected-count", {"base", "count"}, true},
      {9, "files-a11y-list", {}, true},
      {9, "files-a11y-folder", {}, true},
      {9, "files-a11y-file", {"size"}, true},
      {9, "files-new-name-placeholder", {}, true},
      // Properties
      {10, "files-property-type", {"type"}, true},
      {10, "files-property-location", {"location"}, true},
      {10, "files-property-size", {"size"}, true},
      {10, "files-property-modified", {"time"}, true},
      {10, "files-property-dimensions", {"width", "height"}, true},
      {10, "files-property-duration", {"duration"}, true},
      {10, "files-property-pages", {"count"}, true},
      {10, "files-property-codec", {"codec"}, true},
      {10, "files-property-container", {"container"}, true},
      {10, "files-property-unknown", {}, true},
      {10, "files-properties-title", {"name"}, true},
      {10, "files-properties-summary", {}, true},
      // Ordinary operation results
      {11, "files-new-folder-default-name", {}, true},
      {11, "files-created-folder", {}, true},
      {11, "files-new-folder-failed", {"error"}, true},
      {11, "files-permanently-deleted", {"count"}, true},
      {11, "files-delete-failed", {"error"}, true},
      {11, "files-moved-to-trash", {"count"}, true},
      {11, "files-restored", {"count"}, true},
      {11, "files-undo-move-trash", {}, true},
      {11, "files-undo-trash-restored", {"count"}, true},
      {11, "files-undo-trash-unavailable", {}, true},
      {11, "files-undo-trash-failed", {"error"}, true},
      {11, "files-restore-failed", {"error"}, true},
      {11, "files-trash-already-empty", {}, true},
      {11, "files-emptied-trash", {"count"}, true},
      {11, "files-empty-trash-failed", {"error"}, true},
      {11, "files-copied", {"count"}, true},
      {11, "files-cut", {"count"}, true},
      {11, "files-created-file", {}, true},
      {11, "files-new-file-failed", {"error"}, true},
      {11, "files-added-favourite", {}, true},
      {11, "files-removed-favourite", {}, true},
      {11, "files-moved-with-failures", {"moved", "destination", "failed"}, true},
      {11, "files-moved-to-folder", {"count", "destination"}, true},
      {11, "files-nothing-to-move", {}, true},
      {11, "files-pasted", {"count"}, true},
      {11, "files-pasted-with-failures", {"count", "failed"}, true},
      {11, "files-renamed", {}, true},
      {11, "files-rename-failed", {"error"}, true},
      // Context, view and sort menus
      {12, "files-menu-open", {}, true},
      {12, "files-action-reveal", {}, true},
      {12, "files-menu-restore", {}, true},
      {12, "files-menu-delete-permanently", {}, true},
      {12, "files-menu-empty-trash", {}, true},
      {12, "files-menu-rename", {}, true},
      {12, "files-action-rename-prompt", {}, true},
      {12, "files-menu-cut", {}, true},
      {12, "files-menu-copy", {}, true},
      {12, "files-menu-properties", {}, true},
      {12, "files-menu-paste", {}, true},
      {12, "files-menu-new-folder", {}, true},
      {12, "files-menu-new-file", {}, true},
      {12, "files-menu-move-trash", {}, true},
      {12, "files-menu-add-favourite", {}, true},
      {12, "files-menu-remove-favourite", {}, true},
      {12, "files-menu-hide-hidden", {}, true},
      {12, "files-menu-show-hidden", {}, true},
      {12, "files-menu-sort-name", {}, true},
      {12, "files-menu-sort-size", {}, true},
      {12, "files-menu-sort-type", {}, true},
      {12, "files-menu-sort-date", {}, true},
      {12, "files-menu-open-terminal", {}, true},
      {12, "files-sort-name", {}, true},
      {12, "files-sort-size", {}, true},
      {12, "files-sort-type", {}, true},
      {12, "files-sort-date", {}, true},
      {12, "files-sort-ascending", {}, true},
      {12, "files-sort-descending", {}, true},
      {12, "files-new-from-template", {"name"}, true},
      {12, "files-drag-items", {"count"}, true},
      // Archives
      {13, "files-archive-extract", {}, true},
      {13, "files-archive-extract-here", {}, true},
      {13, "files-archive-compress", {}, true},
      {13, "files-archive-select-compress", {}, true},
      {13, "files-archive-read-only", {}, true},
      {13, "files-archive-open-after-extract", {}, true},
      {13, "files-archive-select", {}, true},
      {13, "files-archive-extracted", {"count"}, true},
      {13, "files-archive-extracted-partial", {"count", "failures"}, true},
      {13, "files-archive-extract-failed", {"error"}, true},
      {13, "files-archive-created", {"name"}, true},
      {13, "files-archive-create-failed", {"error"}, true},
      // File-operation validation
      {14, "files-folder-name-empty", {}, true},
      {14, "files-name-empty", {}, true},
      {14, "files-name-slash", {}, true},
      {14, "files-name-invalid", {}, false},
      {14, "files-no-parent", {}, true},
      {14, "files-name-exists", {"name"}, true},
      {14, "files-destination-inspect-failed", {"path", "error"}, true},
      {14, "files-destination-names-exhausted", {"name", "path"}, true},
      {14, "files-source-no-name", {}, true},
      {14, "files-menu-send-nearby", {}, true},
      {14, "files-action-send-nearby-device", {"device"}, true},
      {14, "files-nearby-send-to-device", {"device"}, true},
      {14, "files-nearby-select-one", {}, true},
      {14, "files-nearby-loading-devices", {}, true},
      {14, "files-nearby-no-devices", {}, true},
      {14, "files-nearby-choose-device", {}, true},
      {14, "files-nearby-queueing", {}, true},
      {14, "files-nearby-accepted", {}, true},
      {14, "files-nearby-declined", {}, true},
      {14, "files-nearby-cancelled", {}, true},
      {14, "files-nearby-retrying", {}, true},
      {14, "files-nearby-accept", {}, true},
      {14, "files-nearby-retry", {}, true},
      {14, "files-nearby-consent-detail", {}, true},
      {14, "files-nearby-retry-detail", {}, true},
      {14, "files-nearby-offer-title", {"device"}, true},
      {14, "files-nearby-offer-summary", {"name"}, true},
      {14, "files-nearby-offer-size", {"bytes"}, true},
      {14, "files-nearby-failed-title", {}, true},
      {14, "files-nearby-failed-device", {"device"}, true},
      {14, "files-nearby-choose-destination", {}, true},
      {14, "files-nearby-no-destinations", {}, true},
      {14, "files-nearby-destination-count", {"count"}, true},
      {14, "files-nearby-save-to-destination", {"destination"}, true},
      {14, "files-nearby-save-and-remember", {"destination"}, true},
  };
  return specs;
}

const std::vector<std::string> kEnglishGroups = {
    "Keyboard shortcuts",
    "Availability actions and status",
    "Properties and availability sheet",
    "Sharing",
    "History and conflict resolution",
    "Accessible collaborative state",
    "Service and received-share errors/status",
    "Application chrome and navigation",
    "List, empty/error state and accessibility",
    "Properties",
    "Ordinary operation results",
    "Context, view and sort menus",
    "Archives",
    "File-operation validation",
};

// Plural selection only ever looks at these numeric arguments.
const std::set<std::string> kNumericSelectors = {"count", "durable", "heads", "versions", "conflicts"};

// ---------------------------------------------------------------------------------------------
// A minimal line scanner for the catalogue layout: `files-… =` at the start of a line opens a
// message, indented lines (and a closing brace at the start of a line) continue it, `##` opens a
// group, `#` is a comment and a blank line ends whatever was open.
// ---------------------------------------------------------------------------------------------

struct Entry {
  std::string id;
  std::size_t line = 0;  // 1-based
  int group = 0;
  std::vector<std::string> lines;  // the id line first, then the continuation lines
};

struct Catalogue {
  std::vector<std::string> header;  // the comment lines that open the file
  std::vector<std::string> groups;  // titles of the `##` comments, in order
  std::vector<Entry> entries;
  std::vector<std::size_t> stray_lines;  // lines that belong to nothing
};

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string catalogue_path(std::string_view file) {
  return std::string(FE_SOURCE_DIR) + "/apps/file-explorer/i18n/" + std::string(file);
}

bool is_id_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// The id of a line of the form `files-[a-z0-9-]+ =`, else empty.
std::string message_id_of(std::string_view line) {
  if (!line.starts_with("files-")) return {};
  std::size_t end = 0;
  while (end < line.size() && is_id_char(line[end])) ++end;
  const std::string_view rest = line.substr(end);
  if (rest != " =" && !rest.starts_with(" = ")) return {};
  return std::string(line.substr(0, end));
}

Catalogue scan(std::string_view text) {
  Catalogue catalogue;
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      if (start < text.size()) lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }

  std::size_t i = 0;
  while (i < lines.size() && lines[i].starts_with("#") && !lines[i].starts_with("##")) {
    catalogue.header.push_back(lines[i]);
    ++i;
  }
  Entry* open = nullptr;
  for (; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) {
      open = nullptr;
    } else if (line.starts_with("## ")) {
      catalogue.groups.push_back(line.substr(3));
      open = nullptr;
    } else if (line.starts_with("#")) {
      open = nullptr;
    } else if (const std::string id = message_id_of(line); !id.empty()) {
      catalogue.entries.push_back(Entry{id, i + 1, static_cast<int>(catalogue.groups.size()), {line}});
      open = &catalogue.entries.back();
    } else if (open != nullptr && (line.starts_with(" ") || line.starts_with("}"))) {
      open->lines.push_back(line);
    } else {
      catalogue.stray_lines.push_back(i + 1);
    }
  }
  return catalogue;
}

const Catalogue& english() {
  static const Catalogue catalogue = scan(read_file(catalogue_path("en-US.ftl")));
  return catalogue;
}

const Catalogue& german() {
  static const Catalogue catalogue = scan(read_file(catalogue_path("de-DE.ftl")));
  return catalogue;
}

struct NamedCatalogue {
  const char* name;
  const Catalogue& catalogue;
};

std::vector<NamedCatalogue> both() {
  return {{"en-US", english()}, {"de-DE", german()}};
}

const Entry* find_entry(const Catalogue& catalogue, std::string_view id) {
  for (const Entry& entry : catalogue.entries)
    if (entry.id == id) return &entry;
  return nullptr;
}

// The pattern source: the text after `= ` and the continuation lines, joined by line breaks.
std::string pattern_source(const Entry& entry) {
  const std::string& first = entry.lines.front();
  const std::size_t eq = first.find(" =");
  std::string text = first.size() > eq + 3 ? first.substr(eq + 3) : std::string();
  for (std::size_t i = 1; i < entry.lines.size(); ++i) text += "\n" + entry.lines[i];
  return text;
}

// The pattern on one line, each line break and the indentation after it turned into one blank:
// the form in which multi-line selects are written in prose.
std::string one_line(const Entry& entry) {
  const std::string source = pattern_source(entry);
  std::string out;
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (source[i] == '\n') {
      while (i + 1 < source.size() && source[i + 1] == ' ') ++i;
      out += ' ';
    } else {
      out += source[i];
    }
  }
  const std::size_t first = out.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : out.substr(first);
}

std::set<std::string> arguments_of(const Entry& entry) {
  std::set<std::string> names;
  const std::string source = pattern_source(entry);
  for (std::size_t at = source.find('$'); at != std::string::npos; at = source.find('$', at + 1)) {
    std::size_t end = at + 1;
    while (end < source.size() && is_id_char(source[end])) ++end;
    names.insert(source.substr(at + 1, end - at - 1));
  }
  return names;
}

std::size_t indent_of(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string_view::npos ? line.size() : first;
}

// One select expression as written: the selector, its variant keys ("*" marks the default) and
// whether its lines follow the catalogue layout (variant brackets four columns right of the line
// that opens the select, the default's asterisk just before its bracket, the closing brace on its
// own line at the opener's indentation).
struct Select {
  std::string selector;
  std::vector<std::string> keys;
  bool layout_ok = true;
};

std::vector<Select> selects_of(const Entry& entry) {
  std::vector<Select> selects;
  for (std::size_t i = 0; i < entry.lines.size(); ++i) {
    const std::string& line = entry.lines[i];
    if (!line.ends_with(" ->")) continue;
    const std::size_t dollar = line.rfind("{ $");
    if (dollar == std::string::npos) continue;
    Select select;
    select.selector = line.substr(dollar + 3, line.size() - 3 - (dollar + 3));
    const std::size_t opener_indent = i == 0 ? 0 : indent_of(line);
    std::size_t j = i + 1;
    for (; j < entry.lines.size(); ++j) {
      const std::string& variant = entry.lines[j];
      const std::size_t indent = indent_of(variant);
      if (variant.compare(indent, 1, "}") == 0) {
        if (indent != opener_indent) select.layout_ok = false;
        break;
      }
      const bool is_default = variant.compare(indent, 1, "*") == 0;
      const std::size_t bracket = is_default ? indent + 1 : indent;
      const std::size_t close = variant.find("] ", bracket);
      if (bracket != opener_indent + 4 || variant.compare(bracket, 1, "[") != 0 || close == std::string::npos) {
        select.layout_ok = false;
        select.keys.push_back("?" + variant);
        continue;
      }
      select.keys.push_back((is_default ? "*" : "") + variant.substr(bracket + 1, close - bracket - 1));
    }
    if (j == entry.lines.size()) select.layout_ok = false;  // never closed
    selects.push_back(select);
    i = j - 1;  // the closing line may open the next select: "}, { $conflicts } open { $conflicts ->"
  }
  return selects;
}

// "count:one,*other;durable:one,*other" — comparable between the two languages.
std::string select_signature(const Entry& entry) {
  std::string signature;
  for (const Select& select : selects_of(entry)) {
    if (!signature.empty()) signature += ';';
    signature += select.selector + ':';
    for (std::size_t k = 0; k < select.keys.size(); ++k) signature += (k ? "," : "") + select.keys[k];
  }
  return signature;
}

std::string join(const std::set<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name;
  return out;
}

// ---------------------------------------------------------------------------------------------
// Layout of the files
// ---------------------------------------------------------------------------------------------

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
  EXPECT_EQ(english().groups, kEnglishGroups);
}

TEST(CatalogueLayout, GermanHasTheSameGroupsUnderGermanTitles) {
  ASSERT_EQ(german().groups.size(), kEnglishGroups.size());
  const std::set<std::string> titles(german().groups.begin(), german().groups.end());
  EXPECT_EQ(titles.size(), german().groups.size()) << "group titles repeat";
  // "Archive" and "Eigenschaften" happen to be short; every other title must not stay English.
  std::size_t untranslated = 0;
  for (std::size_t g = 0; g < kEnglishGroups.size(); ++g) untranslated += german().groups[g] == kEnglishGroups[g];
  EXPECT_EQ(untranslated, 0u);
}

TEST(CatalogueLayout, EveryMessageSitsInItsGroup) {
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    for (const MessageSpec& spec : message_specs()) {
      const Entry* entry = find_entry(c.catalogue, spec.id);
      if (entry == nullptr) continue;  // reported by the presence test
      EXPECT_EQ(entry->group, spec.group) << spec.id << " at line " << entry->line;
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
    for (const MessageSpec& spec : message_specs()) EXPECT_EQ(occurrences[spec.id], 1) << spec.id;
  }
}

TEST(CatalogueMessages, NoIdOutsideTheKnownList) {
  std::set<std::string> known;
  for (const MessageSpec& spec : message_specs()) known.insert(spec.id);
  EXPECT_EQ(known.size(), message_specs().size()) << "the table lists an id twice";
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    for (const Entry& entry : c.catalogue.entries)
      EXPECT_TRUE(known.contains(entry.id)) << entry.id << " at line " << entry.line;
  }
}

TEST(CatalogueMessages, EachMessageUsesExactlyItsArguments) {
  for (const NamedCatalogue& c : both()) {
    SCOPED_TRACE(c.name);
    for (const MessageSpec& spec : message_specs()) {
      const Entry* entry = find_entry(c.catalogue, spec.id);
      if (entry == nullptr) continue;
      const std::set<std::string> expected(spec.args.begin(), spec.args.end());
      EXPECT_EQ(join(arguments_of(*entry)), join(expected)) << spec.id;
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
        EXPECT_TRUE(kNumericSelectors.contains(select.selector)) << entry.id << " selects on " << select.selector;
        EXPECT_EQ(select.keys, (std::vector<std::string>{"one", "*other"})) << entry.id;
        EXPECT_TRUE(select.layout_ok) << entry.id << " at line " << entry.line;
      }
    }
  }
}

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
}  // namespace fe
