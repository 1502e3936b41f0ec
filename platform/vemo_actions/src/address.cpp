#include "vemo_actions/address.h"

#include <sodium.h>

#include <nlohmann/json.hpp>

namespace vemo_actions::door {

namespace {

constexpr std::string_view kPrefix = "door:";
// Addresses live in search results and index records; anything longer is not one of ours.
constexpr std::size_t kMaxAddressChars = 64 * 1024;
constexpr int kVariant = sodium_base64_VARIANT_URLSAFE_NO_PADDING;

bool is_json_text(const std::string& text) {
  return nlohmann::json::accept(text);
}

}  // namespace

std::string ActionAddress::encode(const action::EncodedAction& action) {
  const nlohmann::json triple =
      nlohmann::json::array({static_cast<unsigned>(action.kind), action.action_id, action.payload});
  const std::string bytes = triple.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  std::string b64(sodium_base64_ENCODED_LEN(bytes.size(), kVariant), '\0');
  sodium_bin2base64(b64.data(), b64.size(), reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                    kVariant);
  b64.resize(std::char_traits<char>::length(b64.c_str()));
  std::string out(kPrefix);
  out += b64;
  return out;
}

std::optional<action::EncodedAction> ActionAddress::decode(std::string_view text) {
  if (text.size() > kMaxAddressChars || !text.starts_with(kPrefix)) return std::nullopt;
  const std::string_view b64 = text.substr(kPrefix.size());
  if (b64.empty()) return std::nullopt;

  std::string bytes(b64.size(), '\0');  // decoded data is never longer than its base64 text
  std::size_t len = 0;
  const char* end = nullptr;
  if (sodium_base642bin(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), b64.data(), b64.size(),
                        /*ignore=*/nullptr, &len, &end, kVariant) != 0 ||
      end != b64.data() + b64.size()) {
    return std::nullopt;
  }
  bytes.resize(len);

  const nlohmann::json triple = nlohmann::json::parse(bytes, nullptr, /*allow_exceptions=*/false);
  if (!triple.is_array() || triple.size() != 3) return std::nullopt;
  const nlohmann::json& kind = triple[0];
  if (!kind.is_number_integer()) return std::nullopt;  // also false for 1.0
  const auto kind_value = kind.get<std::int64_t>();
  if (kind_value < 0 || kind_value > static_cast<std::int64_t>(ExecutionKind::View)) return std::nullopt;
  if (!triple[1].is_string() || !triple[2].is_string()) return std::nullopt;

  action::EncodedAction out;
  out.kind = static_cast<ExecutionKind>(kind_value);
  out.action_id = triple[1].get<std::string>();
  out.payload = triple[2].get<std::string>();
  if (out.action_id.empty() || !is_json_text(out.payload)) return std::nullopt;
  return out;
}

}  // namespace vemo_actions::door
