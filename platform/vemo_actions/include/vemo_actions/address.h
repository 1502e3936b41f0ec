#pragma once
// Action addresses: an action encoded as one text so that search results and indexes can point
// back to it ("door:" + base64url of kind, action id and payload).

#include <optional>
#include <string>

#include "vemo_actions/action.h"

namespace vemo_actions {

namespace action {
struct EncodedAction {
  ExecutionKind kind = ExecutionKind::View;
  std::string action_id;
  std::string payload;  // JSON text
  friend bool operator==(const EncodedAction&, const EncodedAction&) = default;
};
}  // namespace action

namespace door {
class ActionAddress {
 public:
  static std::string encode(const action::EncodedAction& action);
  static std::optional<action::EncodedAction> decode(std::string_view text);
};
}  // namespace door

}  // namespace vemo_actions
