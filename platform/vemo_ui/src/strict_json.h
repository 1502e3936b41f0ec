#pragma once
// Strict JSON reading for outside input: duplicate object keys are refused (nlohmann keeps the last
// one silently), nothing throws.

#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

namespace vemo_ui::detail {

std::optional<nlohmann::json> parse_strict_json(std::string_view text);

}  // namespace vemo_ui::detail
