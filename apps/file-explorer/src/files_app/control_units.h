#pragma once
// What the explorer's own controls mean: each control queues a ControlInvocation whose unit names
// the request; the explorer maps it to a command.

#include <optional>

#include "command/command.h"
#include "vemo_actions/control.h"

namespace fe {

// Unit of the load-error page's retry button ("files.retry").
inline constexpr char kRefreshUnit[] = "refresh";

std::optional<Command> command_for_control(const vemo_actions::ControlInvocation& invocation);

}  // namespace fe
