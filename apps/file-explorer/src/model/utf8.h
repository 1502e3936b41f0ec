#pragma once
// UTF-8 checks for file names: the kernel hands out raw bytes, the explorer shows text.

#include <string>
#include <string_view>

namespace fe {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool is_valid_utf8(std::string_view bytes) noexcept;

// `bytes` as UTF-8, each maximal ill-formed subsequence replaced by U+FFFD.
std::string utf8_lossy(std::string_view bytes);

// True when every byte is below 0x80.
bool is_ascii(std::string_view bytes) noexcept;

}  // namespace fe
