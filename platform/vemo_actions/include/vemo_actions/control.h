#pragma once
// Control invocations: a control of a widget (a button, a toggle option) pressed by the user or by
// automation. Controls push them on a shared queue that the owning widget drains in order.

#include <deque>
#include <memory>
#include <optional>
#include <string>

namespace vemo_actions {

// What a control is bound to: a unit name the owner maps to its own request.
class ActionBinding {
 public:
  ActionBinding() = default;
  explicit ActionBinding(std::string unit) : unit_(std::move(unit)) {}
  // The bound unit for a control option ("" for a plain button press).
  std::string unit_for(std::string_view option = {}) const;
  const std::string& unit() const { return unit_; }

 private:
  std::string unit_;
};

struct ControlInvocation {
  std::string control_id;  // e.g. "files.retry"
  std::string unit;        // from the control's ActionBinding
  std::string option;      // toggle option or menu choice, empty for plain presses
};

// A single-thread shared FIFO of control invocations.
class ControlQueue {
 public:
  void push(ControlInvocation inv) { items_.push_back(std::move(inv)); }
  std::optional<ControlInvocation> take() {
    if (items_.empty()) return std::nullopt;
    ControlInvocation front = std::move(items_.front());
    items_.pop_front();
    return front;
  }
  bool empty() const { return items_.empty(); }

 private:
  std::deque<ControlInvocation> items_;
};

using SharedControlQueue = std::shared_ptr<ControlQueue>;

// Result of offering a control invocation to a widget.
enum class ControlResult : unsigned char { NotHandled, Handled, Error };

struct ControlAnswer {
  ControlResult result = ControlResult::NotHandled;
  std::string error;
};

}  // namespace vemo_actions
