#include "files_app/control_units.h"

namespace fe {

std::optional<Command> command_for_control(const vemo_actions::ControlInvocation& invocation) {
  const std::string& unit = invocation.unit;
  if (unit == kRefreshUnit) return cmd::Refresh{};
  return std::nullopt;
}

}  // namespace fe
