#include "vemo_actions/action.h"

#include <sodium.h>

#include <cstdlib>

namespace vemo_actions {

namespace {

// libsodium must be initialised once before its random source is used; repeated calls are cheap.
void ensure_sodium() {
  static const bool ready = sodium_init() >= 0;
  if (!ready) std::abort();  // no usable random source: identities would repeat
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string request_id_to_hex(const RequestId& id) {
  std::string out(id.size() * 2 + 1, '\0');
  sodium_bin2hex(out.data(), out.size(), id.data(), id.size());
  out.pop_back();  // the terminating NUL libsodium writes
  return out;
}

std::optional<RequestId> request_id_from_hex(std::string_view hex) {
  RequestId id{};
  if (hex.size() != id.size() * 2) return std::nullopt;
  for (std::size_t i = 0; i < id.size(); ++i) {
    const int hi = hex_digit(hex[2 * i]);
    const int lo = hex_digit(hex[2 * i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    id[i] = static_cast<std::uint8_t>(hi << 4 | lo);
  }
  return id;
}

RequestId random_request_id() {
  ensure_sodium();
  RequestId id{};
  randombytes_buf(id.data(), id.size());
  return id;
}

std::string_view outcome_name(Outcome o) {
  switch (o) {
    case Outcome::Completed:
      return "completed";
    case Outcome::Pending:
      return "pending";
    case Outcome::Failed:
      return "failed";
    case Outcome::Refused:
      return "refused";
    case Outcome::NotHandled:
      return "not_handled";
  }
  return "not_handled";
}

}  // namespace vemo_actions
