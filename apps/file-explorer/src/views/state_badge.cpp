#include "views/state_badge.h"

namespace fe {

using vemo_ui::icons::Icon;

std::optional<StateBadge> state_badge(const FileEntry& entry) {
  if (const AvailabilityProjection* a = entry.availability()) {
    if (a->transfer.last_error) return StateBadge{Icon::Error, BadgeColor::Accent};
    switch (a->transfer.phase) {
      case TransferPhase::Queued:
      case TransferPhase::Verifying:
        return StateBadge{Icon::Pending, BadgeColor::Accent};
      case TransferPhase::Downloading:
        return StateBadge{Icon::Download, BadgeColor::Accent};
      case TransferPhase::Uploading:
        return StateBadge{Icon::Upload, BadgeColor::Accent};
      case TransferPhase::Idle:
        break;
    }
    switch (a->residency.state) {
      case ResidencyState::NotResident:
        return StateBadge{Icon::Cloud, BadgeColor::Secondary};
      case ResidencyState::Partial:
        return StateBadge{Icon::Download, BadgeColor::Secondary};
      case ResidencyState::Resident:
        break;
    }
    if (a->policy == StoragePolicy::Pinned) return StateBadge{Icon::Pin, BadgeColor::Accent};
    if (a->replicas.known && a->replicas.durable > 0) return StateBadge{Icon::Replicated, BadgeColor::Secondary};
    // A known lack of durable copies deserves attention; an unknown one does not.
    return StateBadge{Icon::Unreplicated, a->replicas.known ? BadgeColor::Accent : BadgeColor::Secondary};
  }
  if (entry.sync) {
    switch (*entry.sync) {
      case SyncState::Local:
        return StateBadge{Icon::Local, BadgeColor::Secondary};
      case SyncState::Projected:
        return StateBadge{Icon::Cloud, BadgeColor::Secondary};
      case SyncState::Downloading:
        return StateBadge{Icon::Download, BadgeColor::Accent};
      case SyncState::Unknown:
        break;
    }
  }
  return std::nullopt;
}

}  // namespace fe
