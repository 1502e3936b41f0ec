#pragma once
// What the places sidebar keeps across layout rebuilds: keyboard focus, the pending click, the
// reorder drag and the favourites themselves. Shared between the explorer and each new sidebar.

#include <cstddef>
#include <memory>
#include <optional>

#include "favorites/favorites.h"
#include "vemo_ui/geometry.h"

namespace fe {

// Dragging a favourite row to a new slot.
//
//   Idle ──press on a favourite──▶ Pressed ──moves ≥ 5 px──▶ Dragging
//     ▲                               │                          │
//     └────────release (opens it)─────┘      release (reorders)──┘
struct ReorderDrag {
  enum class Phase : unsigned char { Idle, Pressed, Dragging };
  static constexpr double kStartDistance = 5.0;

  std::size_t from = 0;
  vemo_ui::Point press;
  double grab_offset = 0;  // pointer y minus the pressed row's top at press time
  vemo_ui::Point current;
  std::size_t target = 0;
  Phase phase = Phase::Idle;
};

struct SidebarListGeometry {
  bool valid = false;
  double rows_top = 0;
  double row_height = 0;
  double gap = 0;
  double left = 0;
  double right = 0;
  std::size_t row_count = 0;
};

struct SidebarState {
  explicit SidebarState(FavouritesStore store) : favourites(std::move(store)) {}

  std::optional<std::size_t> pending_click;
  SidebarListGeometry list;
  std::optional<std::size_t> focused_row;
  FavouritesStore favourites;
  ReorderDrag drag;
  bool keyboard_active = false;
};

using SharedSidebarState = std::shared_ptr<SidebarState>;

}  // namespace fe
