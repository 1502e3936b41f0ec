#include "views/entry_description.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "i18n/formatting.h"
#include "i18n/i18n.h"

namespace fe {
namespace {

std::string_view transfer_part(const AvailabilityProjection& a) {
  if (a.transfer.last_error) return "files-a11y-transfer-failed";
  switch (a.transfer.phase) {
    case TransferPhase::Queued:
      return "files-a11y-transfer-queued";
    case TransferPhase::Downloading:
      return "files-a11y-downloading";
    case TransferPhase::Uploading:
      return "files-a11y-uploading";
    case TransferPhase::Verifying:
      return "files-a11y-verifying";
    case TransferPhase::Idle:
      break;
  }
  switch (a.residency.state) {
    case ResidencyState::NotResident:
      return "files-a11y-online-only";
    case ResidencyState::Partial:
      return "files-a11y-partly-offline";
    case ResidencyState::Resident:
      break;
  }
  return "files-a11y-available-offline";
}

}  // namespace

bool has_open_conflict(const FileEntry& entry) {
  const HistoryProjection* h = entry.history();
  return h &&
         std::ranges::any_of(h->conflicts, [](const FileConflictV1& c) { return c.status == ConflictStatus::Open; });
}

std::string entry_description(const FileEntry& entry) {
  std::vector<std::string> parts;
  if (entry.is_dir) {
    parts.push_back(tr("files-a11y-folder"));
  } else {
    parts.push_back(tr_args("files-a11y-file", {{"size", format_entry_size(false, entry.size)}}));
  }
  if (const AvailabilityProjection* a = entry.availability()) {
    parts.push_back(tr(transfer_part(*a)));
    if (a->policy == StoragePolicy::Pinned) {
      parts.push_back(tr(a->policy_inherited ? "files-a11y-kept-offline-parent" : "files-a11y-kept-offline"));
    }
    if (!a->replicas.known) {
      parts.push_back(tr("files-a11y-replica-unknown"));
    } else {
      parts.push_back(
          tr(a->replicas.durable > 0 ? "files-a11y-durably-replicated" : "files-a11y-not-durably-replicated"));
    }
  } else if (entry.sync) {
    switch (*entry.sync) {
      case SyncState::Local:
        parts.push_back(tr("files-a11y-available-offline"));
        break;
      case SyncState::Projected:
        parts.push_back(tr("files-a11y-online-only"));
        break;
      case SyncState::Downloading:
        parts.push_back(tr("files-a11y-downloading"));
        break;
      case SyncState::Unknown:
        break;
    }
  }
  if (const ShareProjection* share = entry.share()) {
    const auto active = std::ranges::count_if(
        share->grants, [](const ShareGrantProjection& g) { return g.status == GrantStatus::Active; });
    parts.push_back(tr_args("files-a11y-shared-recipients", {{"count", static_cast<double>(active)}}));
  }
  if (has_open_conflict(entry)) parts.push_back(tr("files-a11y-version-conflict"));
  std::string out;
  for (const std::string& part : parts) {
    if (!out.empty()) out += ". ";
    out += part;
  }
  return out;
}

}  // namespace fe
