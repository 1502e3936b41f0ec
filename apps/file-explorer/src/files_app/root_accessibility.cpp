// The root's accessibility node: the activity group with its value and folder-state page, over the
// toolbar's and the navigation shell's nodes.

#include "files_app/file_explorer_widget.h"
#include "i18n/i18n.h"
#include "model/utf8.h"
#include "toolbar/file_toolbar.h"
#include "vemo_ui/widgets/context_menu.h"
#include "vemo_ui/widgets/nav_shell.h"
#include "vemo_ui/widgets/text_input.h"

namespace fe {

std::optional<vemo_ui::a11y::AccessNode> FileExplorerWidget::accessibility() const {
  using vemo_ui::a11y::AccessNode;
  using vemo_ui::a11y::Role;
  AccessNode node(Role::Group);
  const std::string path = utf8_lossy(state_.current_path.native());
  node.with_name(tr("files-a11y-activity"))
      .with_description(tr_args("files-a11y-current-folder", {{"path", path}}))
      .with_bounds(bounds_);
  node.states.busy = state_.loading;
  node.states.error = state_.load_error.has_value();
  if (state_.load_error) {
    node.value = tr_args("files-a11y-load-error", {{"error", *state_.load_error}});
  } else if (state_.loading) {
    node.value = tr_args("files-loading-folder", {{"path", path}});
  } else if (!state_.entry_list().empty()) {
    node.value = status_pill_text();
  } else {
    node.value = tr(current_is_trash() ? "files-empty-trash" : "files-empty-folder");
  }

  if (toolbar_) {
    for (auto& child : vemo_ui::access_nodes_of(*toolbar_)) node.children.push_back(std::move(child));
  }
  if (shell_) {
    // The folder-state page is described by the root itself.
    for (auto& child : vemo_ui::access_nodes_of(*shell_)) {
      if (child.id && *child.id == "files.folder_state") continue;
      node.children.push_back(std::move(child));
    }
  }
  if (state_.loading || state_.load_error) {
    if (auto texts = folder_state_texts()) {
      AccessNode page(Role::Group);
      page.with_name(texts->title).with_description(texts->detail);
      page.states.busy = state_.loading;
      page.states.error = !state_.loading;
      if (state_.load_error) {
        AccessNode retry(Role::Button);
        retry.with_name(tr("files-try-again")).with_id("files-retry-folder");
        retry.states.focusable = true;
        page.children.push_back(std::move(retry));
      }
      node.children.push_back(std::move(page));
    }
  }
  if (state_.renaming) {
    if (auto field = rename_field_->accessibility()) node.children.push_back(std::move(*field));
  }
  if (menu_ && menu_->is_open()) {
    if (auto menu = menu_->accessibility()) node.children.push_back(std::move(*menu));
  }
  return node;
}

}  // namespace fe
