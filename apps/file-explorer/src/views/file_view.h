#pragma once
// FileView: the entries of the shown folder as a list with column headers or as a grid of tiles.
//
// The root builds a new view on every layout pass, inside a Scrollable, from the explorer's state;
// the view keeps nothing that must outlive it. It reports what the user did by pushing commands and
// by filling two slots the root reads back: where the inline rename field goes, and which visible
// folder items are drop targets. Drawing and hit testing touch only the visible range.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "command/command.h"
#include "model/file_entry.h"
#include "model/sort_entries.h"
#include "vemo_ui/icons.h"
#include "vemo_ui/selection_model.h"
#include "vemo_ui/widget.h"
#include "views/file_view_geometry.h"
#include "views/thumbnails.h"

namespace fe {

// Written by draw: where the inline rename field sits (none when the renamed item is not drawn).
using RenameSlot = std::shared_ptr<std::optional<vemo_ui::Rect>>;

struct DropTarget {
  std::filesystem::path path;
  vemo_ui::Rect rect;
};
// Written by draw: the visible folder items. A null list means the root did not ask for them.
using DropTargets = std::shared_ptr<std::vector<DropTarget>>;

// What both constructors take.
struct FileViewInputs {
  vemo_ui::SelectionModel selection;  // a copy; the explorer's stays authoritative
  std::shared_ptr<const std::vector<FileEntry>> entries;
  int zoom_level = 0;
  double text_scale = 1.0;
  std::optional<std::size_t> renaming;
  RenameSlot rename_slot;
  DropTargets drop_targets;
  SharedCommandQueue commands;
  ThumbnailHandles thumbnails;
};

class FileView : public vemo_ui::Widget {
 public:
  static std::unique_ptr<FileView> list(FileViewInputs inputs, SortKey sort_key, bool sort_descending);
  static std::unique_ptr<FileView> grid(FileViewInputs inputs);

  std::string_view type_name() const override { return "FileView"; }
  std::string_view id() const override { return "file_view"; }

  void build_layout(vemo_ui::LayoutContext& ctx) override;
  vemo_ui::Size measure(vemo_ui::LayoutContext& ctx, const vemo_ui::Constraints& c) override;
  void apply_layout(vemo_ui::LayoutContext& ctx, const vemo_ui::Rect& bounds) override;
  void draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) override;
  vemo_ui::EventResult handle_event(const vemo_ui::Event& e, vemo_ui::EventContext& ctx) override;
  std::optional<vemo_ui::a11y::AccessNode> accessibility() const override;
  bool accessibility_covers_children() const override { return true; }
  bool is_focusable() const override { return true; }
  void set_focus(bool focused) override { focused_ = focused; }
  bool has_focus() const override { return focused_; }
  void identified_rects(std::vector<vemo_ui::IdentifiedRect>& out) const override;

  bool is_grid() const { return grid_; }
  double item_scale() const { return s_; }
  double text_scale() const { return t_; }
  std::size_t columns() const { return columns_; }
  std::size_t entry_count() const { return entries_->size(); }
  std::optional<std::size_t> hovered() const { return hovered_; }
  const vemo_ui::SelectionModel& selection() const { return selection_; }
  // The item's row (list) or tile (grid) in the current bounds.
  vemo_ui::Rect entry_rect(std::size_t index) const;
  // The item under a point, honouring the sticky header and the gaps between tiles.
  std::optional<std::size_t> hit_test(vemo_ui::Point p) const;
  // Items [first, last) the last visible region touches (all without one).
  ItemRange visible_range() const;
  ListGeometry list_geometry() const { return ListGeometry(bounds_, s_, t_); }
  GridGeometry grid_geometry() const { return GridGeometry(bounds_, s_, t_, label_line_height_); }

 private:
  FileView(FileViewInputs inputs, bool grid, SortKey sort_key, bool sort_descending);

  struct DragCandidate {
    std::filesystem::path path;
    vemo_ui::Point press;
    bool is_dir = false;
  };
  // What one drawn item shows that costs text shaping or path parsing, kept while the view lives
  // so that a steady frame recomputes nothing. Only drawn items get one.
  struct ItemTexts {
    double width = -1;      // the width the name was fitted to
    std::string name;       // fitted
    double name_width = 0;  // as drawn
    std::string size;
    std::string modified;
    vemo_ui::icons::Icon icon = vemo_ui::icons::Icon::File;
    std::uint8_t category = 0;  // thumbnail category ordinal
    std::string extension;      // type tile label
  };

  const FileEntry& entry(std::size_t i) const { return (*entries_)[i]; }
  std::string display_name(std::size_t i) const;
  const ItemTexts& texts_for(std::size_t i, double width, vemo_ui::TextRenderer& text, double font_size);
  void measure_fonts(vemo_ui::TextRenderer& text, const vemo_ui::Theme& theme);
  void draw_list(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const ItemRange& range);
  void draw_list_header(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx);
  void draw_type_tile(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const ItemTexts& texts, const vemo_ui::Rect& box);
  void draw_grid(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx, const ItemRange& range);
  void draw_highlight(vemo_ui::Painter& p, std::size_t i, const vemo_ui::Rect& r, double radius);
  void draw_badge(vemo_ui::Painter& p, const FileEntry& e, const vemo_ui::Rect& icon);
  void draw_focus_ring(vemo_ui::Painter& p);
  vemo_ui::EventResult handle_key(const vemo_ui::Event& e);
  void push(Command c);

  vemo_ui::SelectionModel selection_;
  std::shared_ptr<const std::vector<FileEntry>> entries_;
  double s_;
  double t_;
  std::optional<std::size_t> renaming_;
  RenameSlot rename_slot_;
  DropTargets drop_targets_;
  SharedCommandQueue commands_;
  ThumbnailHandles thumbnails_;
  bool grid_;
  SortKey sort_key_;
  bool sort_descending_;

  std::size_t columns_ = 1;
  double label_line_height_ = 0;  // grid label font, measured on "Mg"
  double name_text_height_ = 0;   // list name font, measured on "Ag"
  double header_text_height_ = 0;
  double text_field_padding_ = 8;
  std::optional<std::size_t> hovered_;
  std::optional<vemo_ui::Rect> visible_;
  std::optional<DragCandidate> drag_;
  vemo_ui::Point last_pointer_;
  bool focused_ = false;
  std::unordered_map<std::size_t, ItemTexts> texts_;
  std::vector<std::string> header_labels_;  // looked up at the first draw
};

}  // namespace fe
