#pragma once
// Decoding action payloads: a bare JSON string or a positional array, never an object. Errors are
// the decoder's messages, returned to the caller as they are.

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fe {

std::expected<std::string, std::string> decode_string_payload(std::string_view payload);
std::expected<std::vector<std::string>, std::string> decode_string_array_payload(std::string_view payload);

// A collaborative record id in its hyphenated text form; none when malformed.
std::optional<std::array<std::uint8_t, 16>> parse_uuid(std::string_view text);

}  // namespace fe
