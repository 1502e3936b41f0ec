#pragma once
// Published actions: resources with action descriptions, invocations and their outcomes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vemo_actions {

// Execution kind of an action; the byte values are part of the invocation format.
enum class ExecutionKind : std::uint8_t { Query = 0, Effect = 1, View = 2 };

// 16 opaque bytes chosen by the caller, echoed when a pending action completes.
using RequestId = std::array<std::uint8_t, 16>;

std::string request_id_to_hex(const RequestId& id);
std::optional<RequestId> request_id_from_hex(std::string_view hex);
RequestId random_request_id();

// The framework's own action id for pressing a control of a widget.
inline constexpr std::string_view kControlInvokeAction = "vemo.ui.control.invoke";

struct Invocation {
  std::uint8_t kind = 0;  // ExecutionKind byte; other values are possible and routed as view
  std::string action;
  std::string payload;  // JSON text
  RequestId request{};
};

enum class Outcome : std::uint8_t { Completed, Pending, Failed, Refused, NotHandled };
std::string_view outcome_name(Outcome o);

struct InvocationResult {
  Outcome outcome = Outcome::NotHandled;
  std::string error;  // for Failed and Refused

  static InvocationResult completed() { return {Outcome::Completed, {}}; }
  static InvocationResult pending() { return {Outcome::Pending, {}}; }
  static InvocationResult not_handled() { return {Outcome::NotHandled, {}}; }
  static InvocationResult failed(std::string e) { return {Outcome::Failed, std::move(e)}; }
  static InvocationResult refused(std::string e) { return {Outcome::Refused, std::move(e)}; }
};

// Completion of a pending action, reported under its request identity.
struct Completion {
  RequestId request{};
  bool ok = true;
  std::string error;
};

}  // namespace vemo_actions
