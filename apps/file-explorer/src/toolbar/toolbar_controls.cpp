#include "toolbar/toolbar_controls.h"

#include <string_view>

namespace fe {

std::optional<Command> toolbar_command_for(const vemo_actions::ControlInvocation& invocation) {
  const std::string_view unit = invocation.unit;
  if (unit == kBackUnit) return cmd::GoBack{};
  if (unit == kForwardUnit) return cmd::GoForward{};
  if (unit == kUpUnit) return cmd::GoUp{};
  if (unit == kExtractUnit) return cmd::Extract{};
  if (unit == kViewMenuUnit) return cmd::OpenMenu{};
  const vemo_actions::ActionBinding view_mode(kViewModeUnit);
  if (unit == view_mode.unit_for(kViewModeList)) return cmd::SetViewMode{ViewMode::List};
  if (unit == view_mode.unit_for(kViewModeGrid)) return cmd::SetViewMode{ViewMode::Grid};
  return std::nullopt;
}

}  // namespace fe
