#include "strict_json.h"

#include <set>
#include <string>
#include <vector>

namespace vemo_ui::detail {

std::optional<nlohmann::json> parse_strict_json(std::string_view text) {
  std::vector<std::set<std::string>> keys_by_depth;
  bool duplicate = false;
  auto callback = [&](int /*depth*/, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
    using Event = nlohmann::json::parse_event_t;
    switch (event) {
      case Event::object_start:
        keys_by_depth.emplace_back();
        break;
      case Event::object_end:
        if (!keys_by_depth.empty()) keys_by_depth.pop_back();
        break;
      case Event::key:
        if (!keys_by_depth.empty() && !keys_by_depth.back().insert(parsed.get<std::string>()).second) {
          duplicate = true;
        }
        break;
      default:
        break;
    }
    return true;
  };
  nlohmann::json value = nlohmann::json::parse(text.begin(), text.end(), callback, /*allow_exceptions=*/false);
  if (value.is_discarded() || duplicate) return std::nullopt;
  return value;
}

}  // namespace vemo_ui::detail
