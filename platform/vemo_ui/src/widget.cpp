#include "vemo_ui/widget.h"

#include <algorithm>

namespace vemo_ui {

std::vector<const Widget*> Widget::children() const {
  auto mutable_children = const_cast<Widget*>(this)->children_mut();
  return {mutable_children.begin(), mutable_children.end()};
}

void Widget::build_layout(LayoutContext& ctx) {
  for (Widget* child : children_mut()) child->build_layout(ctx);
}

Size Widget::measure(LayoutContext&, const Constraints& c) {
  return {c.width, 0};
}

void Widget::apply_layout(LayoutContext&, const Rect& bounds) {
  bounds_ = bounds;
}

void Widget::draw(Painter& p, DrawContext& ctx) {
  for (Widget* child : children_mut()) child->draw(p, ctx);
}

EventResult Widget::handle_event(const Event& e, EventContext& ctx) {
  for (Widget* child : children_mut()) {
    if (child->handle_event(e, ctx) == EventResult::Consumed) return EventResult::Consumed;
  }
  return EventResult::Ignored;
}

void Widget::identified_rects(std::vector<IdentifiedRect>& out) const {
  for (const Widget* child : children()) child->identified_rects(out);
}

vemo_actions::ControlAnswer Widget::invoke_control(const ControlRequest& request) {
  for (Widget* child : children_mut()) {
    auto answer = child->invoke_control(request);
    if (answer.result != vemo_actions::ControlResult::NotHandled) return answer;
  }
  return {};
}

bool Widget::needs_animation_frame(Clock::time_point now) const {
  auto kids = children();
  return std::ranges::any_of(kids, [now](const Widget* w) { return w->needs_animation_frame(now); });
}

std::optional<Clock::time_point> Widget::next_wake_deadline() const {
  std::optional<Clock::time_point> earliest;
  for (const Widget* child : children()) {
    if (auto d = child->next_wake_deadline(); d && (!earliest || *d < *earliest)) earliest = d;
  }
  return earliest;
}

bool Widget::take_structure_dirty() {
  bool dirty = false;
  for (Widget* child : children_mut()) dirty = child->take_structure_dirty() || dirty;
  return dirty;
}

Widget* find_widget(Widget& root, std::string_view id) {
  if (root.id() == id) return &root;
  for (Widget* child : root.children_mut()) {
    if (Widget* found = find_widget(*child, id)) return found;
  }
  return nullptr;
}

namespace {
void collect_nodes(const Widget& w, std::vector<a11y::AccessNode>& out) {
  if (auto node = w.accessibility()) {
    if (!w.accessibility_covers_children()) {
      for (const Widget* child : w.children()) collect_nodes(*child, node->children);
    }
    out.push_back(std::move(*node));
    return;
  }
  for (const Widget* child : w.children()) collect_nodes(*child, out);
}
}  // namespace

std::vector<a11y::AccessNode> access_nodes_of(const Widget& w) {
  std::vector<a11y::AccessNode> nodes;
  collect_nodes(w, nodes);
  return nodes;
}

a11y::AccessNode build_access_tree(const Widget& root) {
  std::vector<a11y::AccessNode> nodes;
  collect_nodes(root, nodes);
  if (nodes.size() == 1) return std::move(nodes.front());
  return a11y::AccessNode(a11y::Role::Group).with_children(std::move(nodes));
}

}  // namespace vemo_ui
