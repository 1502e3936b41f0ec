#include "vemo_actions/resource.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace vemo_actions::resource {
namespace {

using nlohmann::json;

TEST(ResourcesToJson, EmptyListIsEmptyArray) {
  EXPECT_EQ(resources_to_json({}), "[]");
}

TEST(ResourcesToJson, AvailableActionCarriesNullsForCodeMessageAndInput) {
  const std::vector<Resource> list{
      Resource("files.place:/home/u", "files.place", "Home")
          .with_action(ActionSpec("open", "Open", ExecutionKind::View, "files.open", R"("/home/u")"))};
  const json parsed = json::parse(resources_to_json(list));
  const json expected = json::parse(R"([{"id":"files.place:/home/u","kind":"files.place","label":"Home",
    "actions":[{"name":"open","label":"Open","kind":"view","action":"files.open","payload":"\"/home/u\"",
                "input":null,"available":true,"code":null,"message":null,"destructive":false}]}])");
  EXPECT_EQ(parsed, expected);
}

TEST(ResourcesToJson, KeysKeepTheirPublishedOrder) {
  const std::vector<Resource> list{
      Resource("r", "k", "l").with_action(ActionSpec("n", "L", ExecutionKind::Query, "a", "[]"))};
  EXPECT_EQ(resources_to_json(list),
            R"([{"id":"r","kind":"k","label":"l","actions":[{"name":"n","label":"L","kind":"query","action":"a",)"
            R"("payload":"[]","input":null,"available":true,"code":null,"message":null,"destructive":false}]}])");
}

TEST(ResourcesToJson, UnavailableDestructiveActionWithInput) {
  const std::vector<Resource> list{
      Resource("files.folder:/tmp/x", "files.folder", "x")
          .with_action(ActionSpec("new-folder", "New folder", ExecutionKind::Effect, "files.new-folder", R"("")")
                           .with_input(derive_input("Folder name", "New Folder"))
                           .with_contract(Contract::unavailable("location_unavailable",
                                                                "The current location cannot contain a new folder")))
          .with_action(ActionSpec("empty-trash", "files-menu-empty-trash", ExecutionKind::Effect,
                                  "files.folder-command", R"("empty-trash")")
                           .destructive())};
  const json parsed = json::parse(resources_to_json(list));
  ASSERT_EQ(parsed.size(), 1u);
  const json& actions = parsed[0]["actions"];
  ASSERT_EQ(actions.size(), 2u);

  const json& nf = actions[0];
  EXPECT_EQ(nf["kind"], "effect");
  EXPECT_EQ(nf["available"], false);
  EXPECT_EQ(nf["code"], "location_unavailable");
  EXPECT_EQ(nf["message"], "The current location cannot contain a new folder");
  EXPECT_EQ(nf["input"], json::parse(R"({"fields":[{"name":"text","label":"Folder name","default":"New Folder"}]})"));
  EXPECT_EQ(nf["destructive"], false);

  const json& et = actions[1];
  EXPECT_EQ(et["destructive"], true);
  EXPECT_EQ(et["payload"], R"("empty-trash")");
  EXPECT_EQ(et["available"], true);
}

TEST(ResourcesToJson, PayloadStaysTheExactPublishedText) {
  // A payload is sent back byte for byte, so it must not be re-serialised (spacing, key order, escapes).
  const std::string payload = R"([ "rename",  "/tmp/a\u00e9" ])";
  const std::vector<Resource> list{
      Resource("r", "k", "l")
          .with_action(ActionSpec("rename", "Rename", ExecutionKind::Effect, "files.rename", payload))};
  const json parsed = json::parse(resources_to_json(list));
  EXPECT_EQ(parsed[0]["actions"][0]["payload"].get<std::string>(), payload);
}

TEST(ResourcesToJson, InvalidUtf8LabelIsReplacedNotFatal) {
  const std::vector<Resource> list{Resource("files.entry:/tmp/\xff", "files.entry", "\xff")};
  const json parsed = json::parse(resources_to_json(list));
  EXPECT_EQ(parsed[0]["label"], "\xEF\xBF\xBD");
  EXPECT_TRUE(parsed[0]["actions"].empty());
}

}  // namespace
}  // namespace vemo_actions::resource
