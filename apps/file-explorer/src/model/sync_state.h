#pragma once
// The sync state that the workspace records for a file in "user.vemo.sync".

#include <cstdint>
#include <optional>
#include <string_view>

namespace fe {

enum class SyncState : std::uint8_t { Local, Projected, Downloading, Unknown };

// "local", "projected", "downloading" map to their states; any other valid UTF-8 text is Unknown;
// invalid UTF-8 is no state at all.
std::optional<SyncState> sync_state_from_attribute(std::string_view raw);

// "Local", "Projected", "Downloading", "Unknown".
std::string_view sync_state_name(SyncState state) noexcept;

}  // namespace fe
