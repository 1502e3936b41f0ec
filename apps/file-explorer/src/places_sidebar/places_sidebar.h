#pragma once
// The places sidebar: favourites, then the fixed system places (workspaces, Root, Trash). Rebuilt
// with every layout; what must survive lives in SidebarState.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "command/command.h"
#include "places_sidebar/sidebar_state.h"
#include "vemo_ui/icons.h"
#include "vemo_ui/widget.h"

namespace fe {

struct SystemPlace {
  std::string label;
  vemo_ui::icons::Icon icon;
  std::filesystem::path path;
};

// Workspace roots, then Root, then Trash when its folder is known.
std::vector<SystemPlace> system_places(const std::vector<std::filesystem::path>& workspace_roots,
                                       const std::optional<std::filesystem::path>& trash);

vemo_ui::icons::Icon favourite_icon(FavouriteKind kind);

class PlacesSidebar : public vemo_ui::Widget {
 public:
  PlacesSidebar(std::filesystem::path current_path, std::vector<SystemPlace> places, SharedSidebarState state,
                SharedCommandQueue commands);

  std::string_view type_name() const override { return "PlacesSidebar"; }
  std::string_view id() const override { return "places_sidebar"; }

  void build_layout(vemo_ui::LayoutContext& ctx) override;
  vemo_ui::Size measure(vemo_ui::LayoutContext& ctx, const vemo_ui::Constraints& c) override;
  void apply_layout(vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& bounds) override;
  void draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) override;
  vemo_ui::EventResult handle_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) override;
  bool is_focusable() const override { return true; }
  void set_focus(bool focused) override;
  bool has_focus() const override { return state_->keyboard_active; }
  bool wants_pointer_capture() const override;
  std::optional<vemo_ui::a11y::AccessNode> accessibility() const override;
  bool perform_action(vemo_ui::a11y::ActionRequest request) override;

  // Demonstration scenes: press favourite `from` and move the pointer to row `to`.
  bool stage_reorder(std::size_t from, std::size_t to);

  // Geometry (logical pixels).
  std::size_t row_count() const;
  double favourites_first_row_top() const;
  double system_header_top() const;
  vemo_ui::Rect favourite_row_rect(std::size_t i) const;
  vemo_ui::Rect system_row_rect(std::size_t j) const;
  std::optional<std::size_t> favourite_at(vemo_ui::Point p) const;
  std::optional<std::size_t> system_at(vemo_ui::Point p) const;

 private:
  std::size_t favourite_count() const { return state_->favourites.items().size(); }
  const std::filesystem::path& row_path(std::size_t row) const;
  std::string row_label(std::size_t row) const;
  std::optional<std::size_t> current_row() const;
  // The row keyboard and accessibility act on: focused, else current, else 0.
  std::optional<std::size_t> active_row() const;
  void focus_row(std::size_t row);
  void update_reorder(vemo_ui::Point pointer);
  void draw_header(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const std::string& title, double top) const;
  void draw_row(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const vemo_ui::Rect& r, vemo_ui::icons::Icon icon,
                const std::string& label, bool current, bool hovered, bool floating) const;

  std::optional<std::size_t> favourite_hover_;
  std::optional<std::size_t> system_hover_;
  std::filesystem::path current_path_;
  std::vector<SystemPlace> places_;
  SharedSidebarState state_;
  SharedCommandQueue commands_;
  double t_ = 1.0;
  vemo_ui::Point last_pointer_;
};

}  // namespace fe
