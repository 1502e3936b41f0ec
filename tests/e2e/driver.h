#pragma once
// Small steps of a test driving the explorer through its automation mode: keys, clicks, drags,
// and finding things in the accessibility tree and the identified rectangles.

#include <array>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "process.h"

namespace fe::e2e {

using Rect4 = std::array<double, 4>;

nlohmann::json snapshot(AutomationClient& c);
nlohmann::json a11y_tree(AutomationClient& c);
std::optional<std::string> status_message(AutomationClient& c);
std::string pill_text(AutomationClient& c);

// The rectangle reported under `id`, if any.
std::optional<Rect4> rect_of(AutomationClient& c, const std::string& id);
Rect4 centre_of_rect(const Rect4& r);

void press_key(AutomationClient& c, const std::string& key, std::vector<std::string> mods = {});
void type_text(AutomationClient& c, const std::string& text);
void pointer(AutomationClient& c, const std::string& event, double x, double y, const std::string& button = "primary");
// A press and a release at the same point.
void click(AutomationClient& c, double x, double y, const std::string& button = "primary");
// A press and a release at the same point with modifier keys held ("shift", "ctrl", …).
void modified_click(AutomationClient& c, double x, double y, const std::vector<std::string>& mods);
// A press at `from`, motion in `steps` even steps to `to`, and a release there.
void drag(AutomationClient& c, std::array<double, 2> from, std::array<double, 2> to, int steps = 4);

// Creates `folder` with the named subfolders and files; each file holds its own name.
void make_tree(const std::filesystem::path& folder, std::initializer_list<const char*> folders,
               std::initializer_list<const char*> files);

// The first node, depth first, that satisfies `pred`; null when none does.
nlohmann::json find_node(const nlohmann::json& tree, const std::function<bool(const nlohmann::json&)>& pred);
nlohmann::json node_with_id(const nlohmann::json& tree, const std::string& id);
nlohmann::json node_with_name(const nlohmann::json& tree, const std::string& role, const std::string& name);
// The names of a node's children.
std::vector<std::string> child_names(const nlohmann::json& node);
bool has_state(const nlohmann::json& node, const std::string& state);

}  // namespace fe::e2e
