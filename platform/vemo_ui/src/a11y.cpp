#include "vemo_ui/a11y.h"

#include <nlohmann/json.hpp>

namespace vemo_ui::a11y {

namespace {

using Json = nlohmann::ordered_json;

Json node_to_json(const AccessNode& node) {
  Json out = Json::object();
  out["role"] = role_name(node.role);
  if (node.name) out["name"] = *node.name;
  if (node.description) out["description"] = *node.description;
  if (node.value) out["value"] = *node.value;
  if (node.bounds) {
    const Rect& r = *node.bounds;
    out["bounds"] = Json::array({r.x0, r.y0, r.x1, r.y1});
  }
  if (node.position) out["position"] = Json::array({node.position->first, node.position->second});

  const States& s = node.states;
  Json states = Json::array();
  if (s.focused) states.push_back("focused");
  if (s.focusable) states.push_back("focusable");
  if (s.selected) states.push_back("selected");
  if (s.busy) states.push_back("busy");
  if (s.error) states.push_back("error");
  if (s.modal) states.push_back("modal");
  if (!states.empty()) out["states"] = std::move(states);

  if (node.id) out["id"] = *node.id;
  if (!node.children.empty()) {
    Json children = Json::array();
    for (const AccessNode& child : node.children) children.push_back(node_to_json(child));
    out["children"] = std::move(children);
  }
  return out;
}

}  // namespace

std::string_view role_name(Role role) {
  switch (role) {
    case Role::Group:
      return "group";
    case Role::List:
      return "list";
    case Role::ListItem:
      return "list item";
    case Role::Button:
      return "button";
    case Role::Link:
      return "link";
    case Role::Label:
      return "label";
    case Role::Heading:
      return "heading";
    case Role::Paragraph:
      return "paragraph";
    case Role::Dialog:
      return "dialog";
    case Role::TextField:
      return "text field";
    case Role::Menu:
      return "menu";
    case Role::MenuItem:
      return "menu item";
    case Role::ToggleButton:
      return "toggle button";
  }
  return "group";
}

std::string AccessNode::to_json() const {
  // File names need not be UTF-8; a replacement character beats losing the whole tree.
  return node_to_json(*this).dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace vemo_ui::a11y
