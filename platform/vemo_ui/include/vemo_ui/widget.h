#pragma once
// The Widget interface the toolkit drives, and the contexts it passes.
//
// Run loop order, once per frame: events → (the root drains its own command queue) → sync →
// build_layout when take_structure_dirty answers true → measure + apply_layout → draw → present.
// Children are owned by their parent; the toolkit never keeps a widget pointer across frames.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vemo_actions/action.h"
#include "vemo_actions/control.h"
#include "vemo_actions/resource.h"
#include "vemo_ui/a11y.h"
#include "vemo_ui/event.h"
#include "vemo_ui/geometry.h"
#include "vemo_ui/theme.h"

namespace vemo_ui {

class Painter;
class TextRenderer;
class Services;

using Clock = std::chrono::steady_clock;

// Layout pass: text measuring, theme and the window's scales.
struct LayoutContext {
  TextRenderer& text;
  const Theme& theme;
  Services& services;
  double text_scale = 1.0;
  double scale_factor = 1.0;
  Size viewport;  // the window's logical size
};

// A width constraint for measuring; height is always the widget's natural height.
struct Constraints {
  enum class Mode : unsigned char { Definite, Available, MinContent };
  Mode mode = Mode::Available;
  double width = 0;
};

struct DrawContext {
  TextRenderer& text;
  const Theme& theme;
  Services& services;
  Clock::time_point now;
  std::optional<Rect> visible;  // the part of the widget the toolkit reports as visible
};

struct EventContext {
  TextRenderer& text;
  const Theme& theme;
  Services& services;
  Clock::time_point now;
  // Ask for keyboard focus for the widget with this id; applied after the event.
  std::optional<std::string> focus_request;
  void request_focus(std::string widget_id) { focus_request = std::move(widget_id); }
};

struct SyncContext {
  Services& services;
  Clock::time_point now;
};

enum class EventResult : unsigned char { Ignored, Consumed };

struct IdentifiedRect {
  std::string id;
  Rect rect;
};

struct ControlRequest {
  std::string control_id;
  std::string option;
};

class Widget {
 public:
  virtual ~Widget() = default;

  virtual std::string_view type_name() const = 0;
  virtual std::string_view id() const { return {}; }
  const Rect& bounds() const { return bounds_; }

  // Children in child order. The const form walks the same list.
  virtual std::vector<Widget*> children_mut() { return {}; }
  std::vector<const Widget*> children() const;

  virtual void set_interaction_environment(Services&) {}
  virtual void sync(SyncContext&) {}
  // Called when the structure is rebuilt; the default forwards to the children.
  virtual void build_layout(LayoutContext& ctx);
  // Natural size for the constraint; the default takes the width offered and no height.
  virtual Size measure(LayoutContext& ctx, const Constraints& c);
  // Stores the bounds; containers override to place their children.
  virtual void apply_layout(LayoutContext& ctx, const Rect& bounds);
  // The default draws the children.
  virtual void draw(Painter& p, DrawContext& ctx);
  // The default offers the event to the children in order until one consumes it.
  virtual EventResult handle_event(const Event& e, EventContext& ctx);

  // Accessibility: this widget's node, or none to let the children's nodes stand in its place.
  virtual std::optional<a11y::AccessNode> accessibility() const { return std::nullopt; }
  // True when this widget's node already holds the nodes of its subtree (the toolkit then does
  // not add the children's nodes again).
  virtual bool accessibility_covers_children() const { return false; }
  virtual bool perform_action(a11y::ActionRequest) { return false; }

  virtual bool is_focusable() const { return false; }
  virtual void set_focus(bool) {}
  virtual bool has_focus() const { return false; }
  virtual bool wants_pointer_capture() const { return false; }

  // Rectangles reported under fixed identifiers ("file_row:NAME", "files.back", …).
  virtual void identified_rects(std::vector<IdentifiedRect>& out) const;

  // Controls: offered a control invocation by id; the default offers it to the children.
  virtual vemo_actions::ControlAnswer invoke_control(const ControlRequest& request);
  virtual std::optional<vemo_actions::ControlInvocation> take_control_invocation() { return std::nullopt; }
  virtual std::vector<std::pair<std::string, vemo_actions::ActionBinding>> control_action_bindings() const {
    return {};
  }

  // Root-level slots.
  virtual bool needs_idle_sync() const { return false; }
  virtual std::vector<vemo_actions::resource::Resource> resources() { return {}; }
  virtual vemo_actions::InvocationResult invoke_resource_operation_v2(const vemo_actions::Invocation&) {
    return vemo_actions::InvocationResult::not_handled();
  }
  virtual std::optional<vemo_actions::Completion> poll_completion(const vemo_actions::RequestId&) {
    return std::nullopt;
  }
  virtual std::optional<std::string> observer_snapshot() { return std::nullopt; }
  // Status texts for the automation `status` request: the held message and the pill's text.
  virtual std::optional<std::string> status_message() const { return std::nullopt; }
  virtual std::string status_pill_text() const { return {}; }
  virtual bool needs_animation_frame(Clock::time_point now) const;
  virtual std::optional<Clock::time_point> next_wake_deadline() const;
  virtual bool take_structure_dirty();

 protected:
  Rect bounds_;
};

using WidgetBox = std::unique_ptr<Widget>;

// Finds a widget by id in the subtree (depth first).
Widget* find_widget(Widget& root, std::string_view id);

// The accessibility tree of a subtree, assembled from the widgets' nodes.
a11y::AccessNode build_access_tree(const Widget& root);
// The nodes a subtree contributes to its parent's node (one, or its children's when it has none).
std::vector<a11y::AccessNode> access_nodes_of(const Widget& w);

}  // namespace vemo_ui
