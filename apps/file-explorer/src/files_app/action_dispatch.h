#pragma once
// The receiving end of published actions: the invocation gate (busy refusal, background starts,
// outcomes) and the dispatcher, a pure routing step from (kind, action id, payload) to an effect.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "vemo_actions/action.h"

namespace fe {

class FileExplorerWidget;

struct Handled {};
struct NotHandled {};
struct DispatchError {
  std::string text;
};
using DispatchResult = std::variant<Handled, NotHandled, DispatchError>;

DispatchResult dispatch_action(FileExplorerWidget& explorer, std::uint8_t kind, std::string_view action_id,
                               std::string_view payload);

vemo_actions::InvocationResult invoke_gate(FileExplorerWidget& explorer, const vemo_actions::Invocation& inv);

}  // namespace fe
