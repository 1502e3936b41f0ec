#pragma once
// The path bar (id "path_bar"): one clickable breadcrumb per folder of the current path, or, while
// the location is edited, the path field "files.path_input" with completions.
//
//   breadcrumbs ──Enter on the last segment / press beside the chips / begin_editing()──▶ editing
//   editing ──submit──▶ OpenPath(resolved text) ──▶ breadcrumbs
//   editing ──Escape──▶ breadcrumbs (no command)
//
// Losing focus does not end editing. A press on a chip queues NavigateTo; "…" does nothing.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "breadcrumb_bar/breadcrumb_segments.h"
#include "breadcrumb_bar/chip_layout.h"
#include "command/command.h"
#include "vemo_ui/widget.h"
#include "vemo_ui/widgets/autocomplete.h"

namespace fe {

class PathBar : public vemo_ui::Widget {
 public:
  static constexpr char kId[] = "path_bar";
  static constexpr char kInputId[] = "files.path_input";
  static constexpr double kHeight = 34;
  static constexpr double kFontSize = 13;  // before text scaling

  explicit PathBar(SharedCommandQueue commands);
  // The field's completion source refers back to this bar.
  PathBar(const PathBar&) = delete;
  PathBar& operator=(const PathBar&) = delete;

  // From the root at every build. While editing only the stored paths change.
  void refresh(const std::filesystem::path& current, const std::optional<std::filesystem::path>& home,
               std::vector<std::filesystem::path> roots);

  // Shows the field with the current path in display form ("~", "~/rest" or the full path).
  void begin_editing();
  // Closes the field, clears its text and shows the breadcrumbs again.
  void end_editing();
  bool is_editing() const { return editing_; }

  const std::vector<BreadcrumbSegment>& segments() const { return segments_; }
  const std::vector<BreadcrumbChip>& chips() const { return chips_; }
  std::optional<std::size_t> hovered_chip() const { return hovered_; }
  std::optional<std::size_t> focused_segment() const { return focused_segment_; }
  const vemo_ui::Autocomplete& field() const { return field_; }
  vemo_ui::Autocomplete& field() { return field_; }

  std::string_view type_name() const override { return "PathBar"; }
  std::string_view id() const override { return kId; }
  std::vector<vemo_ui::Widget*> children_mut() override;
  void build_layout(vemo_ui::LayoutContext&) override {}
  void sync(vemo_ui::SyncContext& ctx) override { field_.sync(ctx); }
  vemo_ui::Size measure(vemo_ui::LayoutContext& ctx, const vemo_ui::Constraints& c) override;
  void apply_layout(vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& bounds) override;
  void draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) override;
  // The completion list, drawn by the owner after everything else in its row.
  void draw_overlay(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx);
  vemo_ui::EventResult handle_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) override;
  // The breadcrumbs group; while editing none, so the field's own node stands in.
  std::optional<vemo_ui::a11y::AccessNode> accessibility() const override;
  bool accessibility_covers_children() const override { return !editing_; }
  bool perform_action(vemo_ui::a11y::ActionRequest request) override;
  bool is_focusable() const override { return !editing_; }
  void set_focus(bool focused) override;
  bool has_focus() const override { return focused_; }
  bool wants_pointer_capture() const override { return editing_ && field_.wants_pointer_capture(); }
  void identified_rects(std::vector<vemo_ui::IdentifiedRect>& out) const override;

 private:
  void rebuild_segments();
  void lay_out_chips(vemo_ui::TextRenderer& text);
  vemo_ui::EventResult handle_breadcrumb_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx);
  vemo_ui::EventResult handle_editing_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx);
  // Enter on a segment: open it, or edit when it is the current folder.
  void activate_segment(std::size_t index);
  std::size_t effective_focus() const;

  SharedCommandQueue commands_;
  vemo_ui::Autocomplete field_;
  std::filesystem::path current_;
  std::optional<std::filesystem::path> home_;
  std::vector<std::filesystem::path> roots_;
  std::filesystem::path path_before_editing_;
  std::vector<BreadcrumbSegment> segments_;
  std::vector<BreadcrumbChip> chips_;
  std::optional<std::size_t> hovered_;
  std::optional<std::size_t> focused_segment_;
  bool focused_ = false;
  bool editing_ = false;
  bool edit_request_ = false;
};

}  // namespace fe
