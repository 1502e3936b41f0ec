#include "files_app/control_units.h"

#include "toolbar/toolbar_controls.h"

namespace fe {

std::optional<Command> command_for_control(const vemo_actions::ControlInvocation& invocation) {
  const std::string_view unit = invocation.unit;
  if (unit == kRefreshUnit) return cmd::Refresh{};
  if (unit == kBackUnit) return cmd::GoBack{};
  if (unit == kForwardUnit) return cmd::GoForward{};
  if (unit == kUpUnit) return cmd::GoUp{};
  if (unit.starts_with(kViewModeUnit)) {
    const bool grid = invocation.option == kViewModeGrid || unit.ends_with(kViewModeGrid);
    return cmd::SetViewMode{grid ? ViewMode::Grid : ViewMode::List};
  }
  if (unit == kViewMenuUnit) return cmd::OpenMenu{};
  if (unit == kExtractUnit) return cmd::Extract{};
  return std::nullopt;
}

}  // namespace fe
