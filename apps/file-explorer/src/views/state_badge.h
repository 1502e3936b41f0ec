#pragma once
// The small badge at an item icon's corner that tells where its content lives and what its
// transfer is doing.

#include <optional>

#include "model/file_entry.h"
#include "vemo_ui/icons.h"

namespace fe {

enum class BadgeColor : unsigned char { Accent, Secondary };

struct StateBadge {
  vemo_ui::icons::Icon glyph;
  BadgeColor color;
  friend bool operator==(const StateBadge&, const StateBadge&) = default;
};

// From the availability record when there is one, else from the sync state; none otherwise.
std::optional<StateBadge> state_badge(const FileEntry& entry);

}  // namespace fe
