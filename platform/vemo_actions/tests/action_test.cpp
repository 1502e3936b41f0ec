#include "vemo_actions/action.h"

#include <gtest/gtest.h>

#include "vemo_actions/control.h"

namespace vemo_actions {
namespace {

TEST(RequestId, HexRoundTrip) {
  RequestId id{};
  for (std::size_t i = 0; i < id.size(); ++i) id[i] = static_cast<std::uint8_t>(i * 17 + 3);
  const std::string hex = request_id_to_hex(id);
  EXPECT_EQ(hex, "031425364758697a8b9cadbecfe0f102");
  EXPECT_EQ(request_id_from_hex(hex), id);
}

TEST(RequestId, UpperCaseHexIsAccepted) {
  const auto id = request_id_from_hex("FFEEDDCCBBAA99887766554433221100");
  ASSERT_TRUE(id.has_value());
  EXPECT_EQ((*id)[0], 0xff);
  EXPECT_EQ((*id)[15], 0x00);
}

TEST(RequestId, RejectsBadHex) {
  struct Case {
    const char* name;
    std::string_view text;
  };
  const Case cases[] = {
      {"empty", ""},
      {"31 digits", "0123456789abcdef0123456789abcde"},
      {"33 digits", "0123456789abcdef0123456789abcdef0"},
      {"letter g", "0123456789abcdef0123456789abcdeg"},
      {"blank", "0123456789abcdef 123456789abcdef"},
      {"dashes", "01234567-89ab-cdef-0123-456789ab"},
      {"prefix 0x", "0x23456789abcdef0123456789abcdef"},
      {"embedded nul", std::string_view("0123456789abcdef\0"
                                        "123456789abcdef",
                                        32)},
  };
  for (const Case& c : cases) EXPECT_FALSE(request_id_from_hex(c.text).has_value()) << c.name;
}

TEST(RequestId, RandomIdsDiffer) {
  // Two identical 128-bit draws would mean the random source is not used at all.
  EXPECT_NE(random_request_id(), random_request_id());
}

TEST(OutcomeName, WireWords) {
  EXPECT_EQ(outcome_name(Outcome::Completed), "completed");
  EXPECT_EQ(outcome_name(Outcome::Pending), "pending");
  EXPECT_EQ(outcome_name(Outcome::Failed), "failed");
  EXPECT_EQ(outcome_name(Outcome::Refused), "refused");
  EXPECT_EQ(outcome_name(Outcome::NotHandled), "not_handled");
}

TEST(ActionBinding, UnitForOption) {
  const ActionBinding binding("view-mode");
  EXPECT_EQ(binding.unit_for(), "view-mode");
  EXPECT_EQ(binding.unit_for("grid"), "view-mode:grid");
  EXPECT_EQ(ActionBinding().unit_for("x"), ":x");
}

TEST(ControlQueue, FirstInFirstOut) {
  ControlQueue q;
  q.push({"files.retry", "retry", ""});
  q.push({"files.view-mode", "view-mode", "grid"});
  EXPECT_EQ(q.take()->control_id, "files.retry");
  EXPECT_EQ(q.take()->option, "grid");
  EXPECT_FALSE(q.take().has_value());
}

}  // namespace
}  // namespace vemo_actions
