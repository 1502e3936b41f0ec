#include "vemo_ui/a11y.h"

#include <gtest/gtest.h>

namespace vemo_ui::a11y {
namespace {

TEST(RoleName, ExportedWords) {
  const std::pair<Role, std::string_view> cases[] = {
      {Role::Group, "group"},
      {Role::List, "list"},
      {Role::ListItem, "list item"},
      {Role::Button, "button"},
      {Role::Link, "link"},
      {Role::Label, "label"},
      {Role::Heading, "heading"},
      {Role::Paragraph, "paragraph"},
      {Role::Dialog, "dialog"},
      {Role::TextField, "text field"},
      {Role::Menu, "menu"},
      {Role::MenuItem, "menu item"},
      {Role::ToggleButton, "toggle button"},
  };
  for (const auto& [role, word] : cases) EXPECT_EQ(role_name(role), word);
}

TEST(AccessNodeJson, BareNodeHasOnlyItsRole) {
  EXPECT_EQ(AccessNode(Role::List).to_json(), R"({"role":"list"})");
}

TEST(AccessNodeJson, AllFieldsInOrder) {
  AccessNode node(Role::ListItem);
  node.with_name("a.txt")
      .with_description("Text document")
      .with_optional_value("12 bytes")
      .with_bounds(Rect{1, 2.5, 30, 40})
      .with_position(3, 7)
      .with_id("file_row:a.txt");
  node.states.selected = true;
  node.states.focusable = true;
  EXPECT_EQ(node.to_json(), R"({"role":"list item","name":"a.txt","description":"Text document","value":"12 bytes",)"
                            R"("bounds":[1.0,2.5,30.0,40.0],"position":[3,7],"states":["focusable","selected"],)"
                            R"("id":"file_row:a.txt"})");
}

TEST(AccessNodeJson, StatesKeepTheirFixedOrder) {
  AccessNode node(Role::Dialog);
  node.states = {true, true, true, true, true, true};
  EXPECT_EQ(node.to_json(), R"({"role":"dialog","states":["focused","focusable","selected","busy","error","modal"]})");
}

TEST(AccessNodeJson, ChildrenNestAndEmptyValueIsKept) {
  AccessNode child(Role::Button);
  child.with_name("Back").with_optional_value(std::nullopt);
  AccessNode field(Role::TextField);
  field.with_optional_value("");  // an empty field still has a value
  AccessNode root(Role::Group);
  root.with_children({child, field});
  EXPECT_EQ(root.to_json(),
            R"({"role":"group","children":[{"role":"button","name":"Back"},{"role":"text field","value":""}]})");
}

TEST(AccessNodeJson, TextIsEscapedAndInvalidUtf8Replaced) {
  AccessNode node(Role::Label);
  node.with_name("say \"hi\"\n\xff");
  EXPECT_EQ(node.to_json(), "{\"role\":\"label\",\"name\":\"say \\\"hi\\\"\\n\xEF\xBF\xBD\"}");
}

}  // namespace
}  // namespace vemo_ui::a11y
