#include "model/sync_state.h"

#include "model/utf8.h"

namespace fe {

std::optional<SyncState> sync_state_from_attribute(std::string_view raw) {
  if (!is_valid_utf8(raw)) return std::nullopt;
  if (raw == "local") return SyncState::Local;
  if (raw == "projected") return SyncState::Projected;
  if (raw == "downloading") return SyncState::Downloading;
  return SyncState::Unknown;
}

std::string_view sync_state_name(SyncState state) noexcept {
  switch (state) {
    case SyncState::Local:
      return "Local";
    case SyncState::Projected:
      return "Projected";
    case SyncState::Downloading:
      return "Downloading";
    case SyncState::Unknown:
      break;
  }
  return "Unknown";
}

}  // namespace fe
