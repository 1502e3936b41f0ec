#pragma once
// Reading a received share link from standard input at launch (--open-share-stdin).

#include <cstddef>
#include <expected>
#include <string>

namespace fe {

// The longest link accepted, in bytes.
inline constexpr std::size_t kMaxShareLinkBytes = 16384;

// Reads the descriptor to its end through a limit of one byte more than the bound, checks the
// text and strips trailing carriage returns and line feeds. The error is a message id.
std::expected<std::string, std::string> read_share_link(int fd);

}  // namespace fe
