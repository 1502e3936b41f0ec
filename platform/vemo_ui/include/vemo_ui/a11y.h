#pragma once
// Accessibility nodes. The toolkit assembles the widgets' nodes into one tree and exports it as JSON.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vemo_ui/geometry.h"

namespace vemo_ui::a11y {

enum class Role : unsigned char {
  Group,
  List,
  ListItem,
  Button,
  Link,
  Label,
  Heading,
  Paragraph,
  Dialog,
  TextField,
  Menu,
  MenuItem,
  ToggleButton,
};

// The role word as exported ("list item", "text field", …).
std::string_view role_name(Role role);

struct States {
  bool focused = false;
  bool focusable = false;
  bool selected = false;
  bool busy = false;
  bool error = false;
  bool modal = false;
};

struct AccessNode {
  Role role = Role::Group;
  std::optional<std::string> name;
  std::optional<std::string> description;
  std::optional<std::string> value;
  std::optional<Rect> bounds;
  std::optional<std::pair<int, int>> position;  // 1-based position in set, set size
  States states;
  std::optional<std::string> id;
  std::vector<AccessNode> children;

  explicit AccessNode(Role r = Role::Group) : role(r) {}
  AccessNode& with_name(std::string n) {
    name = std::move(n);
    return *this;
  }
  AccessNode& with_description(std::string d) {
    description = std::move(d);
    return *this;
  }
  AccessNode& with_optional_value(std::optional<std::string> v) {
    value = std::move(v);
    return *this;
  }
  AccessNode& with_bounds(const Rect& r) {
    bounds = r;
    return *this;
  }
  AccessNode& with_id(std::string i) {
    id = std::move(i);
    return *this;
  }
  AccessNode& with_position(int pos, int size) {
    position = {pos, size};
    return *this;
  }
  AccessNode& with_children(std::vector<AccessNode> c) {
    children = std::move(c);
    return *this;
  }

  // Compact JSON: role, then name, description, value, bounds, position, states, id, children when set.
  std::string to_json() const;
};

// Accessibility requests a widget may answer (perform_action).
enum class ActionRequest : unsigned char { Default, ContextMenu, Focus };

}  // namespace vemo_ui::a11y
