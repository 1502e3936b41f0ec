#include "vemo_actions/address.h"

#include <gtest/gtest.h>

namespace vemo_actions {
namespace {

using action::EncodedAction;
using door::ActionAddress;

TEST(ActionAddress, RoundTrip) {
  const EncodedAction cases[] = {
      {ExecutionKind::View, "files.reveal-record", R"("6f1c2a9e-0b7d-4c3e-9a51-2d8f4e6b7c10")"},
      {ExecutionKind::Effect, "files.entry-command", R"(["trash","/home/u/a b.txt"])"},
      {ExecutionKind::Query, "files.x", "[]"},
      {ExecutionKind::View, "files.open", "\"/tmp/gr\xC3\xBC\xC3\x9F\""},
  };
  for (const EncodedAction& a : cases) {
    const std::string text = ActionAddress::encode(a);
    ASSERT_TRUE(text.starts_with("door:")) << text;
    // Fits in URLs and file names: base64url without padding.
    EXPECT_EQ(text.find_first_of("+/="), std::string::npos) << text;
    EXPECT_EQ(ActionAddress::decode(text), a) << text;
  }
}

TEST(ActionAddress, EncodesKindIdAndPayloadAsJsonTriple) {
  // base64url("[2,\"a\",\"1\"]")
  EXPECT_EQ(ActionAddress::encode({ExecutionKind::View, "a", "1"}), "door:WzIsImEiLCIxIl0");
  EXPECT_EQ(ActionAddress::decode("door:WzIsImEiLCIxIl0"), (EncodedAction{ExecutionKind::View, "a", "1"}));
}

TEST(ActionAddress, RejectsTamperedText) {
  const std::string good = ActionAddress::encode({ExecutionKind::View, "files.reveal-record", R"("abc")"});
  std::string flipped = good;
  flipped[5] = flipped[5] == 'A' ? 'B' : 'A';  // the opening bracket

  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"empty", ""},
      {"prefix only", "door:"},
      {"wrong prefix", "Door:" + good.substr(5)},
      {"no prefix", good.substr(5)},
      {"flipped character", flipped},
      {"truncated", good.substr(0, good.size() - 3)},
      {"trailing blank", good + " "},
      {"padding", good + "="},
      {"standard alphabet", "door:WzIsImEiLCIxIl0+"},
      {"not json", "door:bm90IGpzb24"},                // "not json"
      {"object", "door:eyJhIjoxfQ"},                   // {"a":1}
      {"two elements", "door:WzIsImEiXQ"},             // [2,"a"]
      {"four elements", "door:WzIsImEiLCIxIiwxXQ"},    // [2,"a","1",1]
      {"kind out of range", "door:WzMsImEiLCIxIl0"},   // [3,"a","1"]
      {"negative kind", "door:Wy0xLCJhIiwiMSJd"},      // [-1,"a","1"]
      {"fractional kind", "door:WzEuMCwiYSIsIjEiXQ"},  // [1.0,"a","1"]
      {"kind as text", "door:WyIyIiwiYSIsIjEiXQ"},     // ["2","a","1"]
      {"payload not text", "door:WzIsImEiLDFd"},       // [2,"a",1]
      {"payload not json", "door:WzIsImEiLCJ7Il0"},    // [2,"a","{"]
      {"empty action id", "door:WzIsIiIsIjEiXQ"},      // [2,"","1"]
      {"oversize", "door:" + std::string(70000, 'A')},
  };
  for (const Case& c : cases) EXPECT_FALSE(ActionAddress::decode(c.text).has_value()) << c.name;
}

}  // namespace
}  // namespace vemo_actions
