#pragma once
// What the toolbar's controls queue. Every toolbar button and the view-mode toggle pushes a
// ControlInvocation{control id, unit, option} on the explorer's control queue; the explorer maps
// the unit to its request:
//
//   control id              unit                    request
//   files.back              "back"                  GoBack
//   files.forward           "forward"               GoForward
//   files.up                "up"                    GoUp
//   files.view-mode         "view-mode:list"/":grid" SetViewMode (option "list" / "grid")
//   files.sort_menu         "sort-menu"             the root opens the sort menu below the button
//   files.view_menu         "view-menu"             OpenMenu (the view-options menu below the button)
//   files.archive.extract   "extract"               Extract
//
// The same path serves a pointer click, a key press on the focused control and an automation
// "vemo.ui.control.invoke" with the control id.

#include <optional>

#include "command/command.h"
#include "vemo_actions/control.h"

namespace fe {

inline constexpr char kBackUnit[] = "back";
inline constexpr char kForwardUnit[] = "forward";
inline constexpr char kUpUnit[] = "up";
inline constexpr char kViewModeUnit[] = "view-mode";
inline constexpr char kSortMenuUnit[] = "sort-menu";
inline constexpr char kViewMenuUnit[] = "view-menu";
inline constexpr char kExtractUnit[] = "extract";

inline constexpr char kViewModeList[] = "list";
inline constexpr char kViewModeGrid[] = "grid";

// The command a toolbar invocation stands for; none for the sort menu (the root opens it at the
// button) and for units that are not the toolbar's.
std::optional<Command> toolbar_command_for(const vemo_actions::ControlInvocation& invocation);

}  // namespace fe
