#include "files_app/payload_decoding.h"

#include <array>
#include <cstdint>

#include <nlohmann/json.hpp>

namespace fe {
namespace {

std::string type_name(const nlohmann::json& v) {
  return v.type_name();
}

}  // namespace

std::expected<std::string, std::string> decode_string_payload(std::string_view payload) {
  auto value = nlohmann::json::parse(payload, nullptr, false);
  if (value.is_discarded()) return std::unexpected("payload is not valid JSON");
  if (!value.is_string()) return std::unexpected("invalid type: expected a JSON string, found " + type_name(value));
  return value.get<std::string>();
}

std::expected<std::vector<std::string>, std::string> decode_string_array_payload(std::string_view payload) {
  auto value = nlohmann::json::parse(payload, nullptr, false);
  if (value.is_discarded()) return std::unexpected("payload is not valid JSON");
  if (!value.is_array()) return std::unexpected("invalid type: expected a JSON array, found " + type_name(value));
  std::vector<std::string> out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (!value[i].is_string()) {
      return std::unexpected("invalid type at element " + std::to_string(i) + ": expected a JSON string, found " +
                             type_name(value[i]));
    }
    out.push_back(value[i].get<std::string>());
  }
  return out;
}

std::optional<std::array<std::uint8_t, 16>> parse_uuid(std::string_view text) {
  // 8-4-4-4-12 hexadecimal digits.
  if (text.size() != 36) return std::nullopt;
  std::array<std::uint8_t, 16> out{};
  std::size_t byte = 0;
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (std::size_t i = 0; i < text.size();) {
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (text[i] != '-') return std::nullopt;
      ++i;
      continue;
    }
    int hi = nibble(text[i]), lo = nibble(text[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out[byte++] = static_cast<std::uint8_t>(hi << 4 | lo);
    i += 2;
  }
  return out;
}

}  // namespace fe
