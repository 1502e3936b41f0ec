#include "driver.h"

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

namespace fe::e2e {

using nlohmann::json;

json snapshot(AutomationClient& c) {
  return c.request({{"op", "snapshot"}})["snapshot"];
}

json a11y_tree(AutomationClient& c) {
  return c.request({{"op", "a11y"}})["tree"];
}

std::optional<std::string> status_message(AutomationClient& c) {
  auto answer = c.request({{"op", "status"}});
  if (!answer["status"].is_string()) return std::nullopt;
  return answer["status"].get<std::string>();
}

std::string pill_text(AutomationClient& c) {
  return c.request({{"op", "status"}})["pill"].get<std::string>();
}

std::optional<Rect4> rect_of(AutomationClient& c, const std::string& id) {
  auto rects = c.request({{"op", "rects"}})["rects"];
  if (!rects.contains(id)) return std::nullopt;
  return rects[id].get<Rect4>();
}

Rect4 centre_of_rect(const Rect4& r) {
  return {(r[0] + r[2]) / 2, (r[1] + r[3]) / 2, 0, 0};
}

void press_key(AutomationClient& c, const std::string& key, std::vector<std::string> mods) {
  auto answer = c.request({{"op", "key"}, {"key", key}, {"mods", mods}});
  EXPECT_EQ(answer["ok"], true) << key << ": " << answer.dump();
}

void type_text(AutomationClient& c, const std::string& text) {
  auto answer = c.request({{"op", "text"}, {"text", text}});
  EXPECT_EQ(answer["ok"], true) << answer.dump();
}

void pointer(AutomationClient& c, const std::string& event, double x, double y, const std::string& button) {
  auto answer = c.request({{"op", "pointer"}, {"event", event}, {"x", x}, {"y", y}, {"button", button}});
  EXPECT_EQ(answer["ok"], true) << answer.dump();
}

void click(AutomationClient& c, double x, double y, const std::string& button) {
  pointer(c, "press", x, y, button);
  pointer(c, "release", x, y, button);
}

void modified_click(AutomationClient& c, double x, double y, const std::vector<std::string>& mods) {
  for (const char* event : {"press", "release"}) {
    auto answer = c.request({{"op", "pointer"}, {"event", event}, {"x", x}, {"y", y}, {"mods", mods}});
    EXPECT_EQ(answer["ok"], true) << answer.dump();
  }
}

void drag(AutomationClient& c, std::array<double, 2> from, std::array<double, 2> to, int steps) {
  pointer(c, "move", from[0], from[1]);
  pointer(c, "press", from[0], from[1]);
  for (int i = 1; i <= steps; ++i) {
    const double f = double(i) / steps;
    pointer(c, "move", from[0] + (to[0] - from[0]) * f, from[1] + (to[1] - from[1]) * f);
  }
  pointer(c, "release", to[0], to[1]);
}

void make_tree(const std::filesystem::path& folder, std::initializer_list<const char*> folders,
               std::initializer_list<const char*> files) {
  std::filesystem::create_directories(folder);
  for (const char* name : folders) std::filesystem::create_directories(folder / name);
  for (const char* name : files) std::ofstream(folder / name) << name;
}

json find_node(const json& tree, const std::function<bool(const json&)>& pred) {
  if (pred(tree)) return tree;
  if (tree.contains("children")) {
    for (const auto& child : tree["children"]) {
      if (auto found = find_node(child, pred); !found.is_null()) return found;
    }
  }
  return nullptr;
}

json node_with_id(const json& tree, const std::string& id) {
  return find_node(tree, [&](const json& n) { return n.value("id", "") == id; });
}

json node_with_name(const json& tree, const std::string& role, const std::string& name) {
  return find_node(tree, [&](const json& n) { return n.value("role", "") == role && n.value("name", "") == name; });
}

std::vector<std::string> child_names(const json& node) {
  std::vector<std::string> out;
  if (node.is_object() && node.contains("children")) {
    for (const auto& child : node["children"]) out.push_back(child.value("name", ""));
  }
  return out;
}

bool has_state(const json& node, const std::string& state) {
  if (!node.is_object() || !node.contains("states")) return false;
  const auto& states = node["states"];
  return std::find(states.begin(), states.end(), state) != states.end();
}

}  // namespace fe::e2e
