#include "views/file_view.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "vemo_ui/painter.h"
#include "vemo_ui/services.h"
#include "vemo_ui/text.h"

namespace fe {
namespace {

const bool kEnglish = [] {
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  return true;
}();

using vemo_ui::Event;
using vemo_ui::Point;
using vemo_ui::Rect;

std::shared_ptr<const std::vector<FileEntry>> make_entries(std::size_t n, bool folders_every_other = false) {
  auto v = std::make_shared<std::vector<FileEntry>>();
  for (std::size_t i = 0; i < n; ++i) {
    FileEntry e;
    e.name = "item-" + std::to_string(i) + ".txt";
    e.path = CompactPath::join("/tmp/folder", e.name);
    e.size = 100 * i;
    e.is_dir = folders_every_other && i % 2 == 0;
    v->push_back(std::move(e));
  }
  return v;
}

// One view with everything a frame needs: a text renderer, theme, queue and slots.
struct Harness {
  vemo_ui::TextRenderer text{1.0};
  vemo_ui::Theme theme = vemo_ui::Theme::light();
  vemo_ui::Services services;
  SharedCommandQueue queue = std::make_shared<CommandQueue>();
  RenameSlot rename = std::make_shared<std::optional<Rect>>();
  DropTargets drops = std::make_shared<std::vector<DropTarget>>();
  std::unique_ptr<FileView> view;

  FileViewInputs inputs(std::shared_ptr<const std::vector<FileEntry>> entries,
                        std::optional<vemo_ui::SelectionModel> sel = std::nullopt) {
    if (!sel) sel = vemo_ui::SelectionModel(entries->size());
    return FileViewInputs{std::move(*sel), std::move(entries), 0, 1.0, std::nullopt, rename, drops, queue, {}};
  }

  void layout(const Rect& bounds) {
    vemo_ui::LayoutContext ctx{text, theme, services, 1.0, 1.0, {bounds.width(), bounds.height()}};
    view->build_layout(ctx);
    view->measure(ctx, {vemo_ui::Constraints::Mode::Definite, bounds.width()});
    view->apply_layout(ctx, bounds);
  }

  // Draws into a white ARGB surface of the given size and returns it (caller destroys).
  cairo_surface_t* draw(int w, int h, std::optional<Rect> visible) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    {
      vemo_ui::Painter painter(cr, theme);
      vemo_ui::DrawContext ctx{text, theme, services, vemo_ui::Clock::now(), visible};
      view->draw(painter, ctx);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
  }

  vemo_ui::EventResult send(const Event& e, std::optional<std::string>* focus = nullptr) {
    vemo_ui::EventContext ctx{text, theme, services, vemo_ui::Clock::now(), std::nullopt};
    auto r = view->handle_event(e, ctx);
    if (focus) *focus = ctx.focus_request;
    return r;
  }

  std::vector<Command> drain() {
    std::vector<Command> out;
    while (auto c = queue->take()) out.push_back(std::move(*c));
    return out;
  }
};

// Counts pixels inside `r` darker than a light grey (text, icons).
int dark_pixels(cairo_surface_t* s, const Rect& r) {
  const int stride = cairo_image_surface_get_stride(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  int n = 0;
  for (int y = static_cast<int>(r.y0); y < static_cast<int>(r.y1); ++y) {
    for (int x = static_cast<int>(r.x0); x < static_cast<int>(r.x1); ++x) {
      const unsigned char* px = data + y * stride + 4 * x;
      if (px[0] < 160 && px[1] < 160 && px[2] < 160) ++n;
    }
  }
  return n;
}

TEST(FileView, PressAndMoveStartsADragOnlyPastSixPixels) {
  Harness h;
  h.view = FileView::list(h.inputs(make_entries(10)), SortKey::Name, false);
  h.layout({0, 0, 600, 500});
  const Point press{100, 30 + 34 * 2 + 10};
  std::optional<std::string> focus;
  EXPECT_EQ(h.send(Event::pointer(Event::Type::PointerPress, press), &focus), vemo_ui::EventResult::Consumed);
  EXPECT_EQ(focus, "file_view");
  auto cmds = h.drain();
  ASSERT_EQ(cmds.size(), 2u);
  const auto* click = std::get_if<cmd::ClickEntry>(&cmds[0]);
  ASSERT_TRUE(click);
  EXPECT_EQ(click->index, 2u);
  EXPECT_FALSE(click->toggle);
  const auto* arm = std::get_if<cmd::ArmDrag>(&cmds[1]);
  ASSERT_TRUE(arm);
  EXPECT_EQ(arm->path, std::filesystem::path("/tmp/folder/item-2.txt"));
  EXPECT_EQ(arm->press, press);
  EXPECT_TRUE(h.view->selection().is_selected(2));

  h.send(Event::pointer(Event::Type::PointerMove, {press.x + 3, press.y + 4}));  // 5 px
  EXPECT_TRUE(h.drain().empty());
  h.send(Event::pointer(Event::Type::PointerMove, {press.x + 7, press.y}));  // 7 px
  cmds = h.drain();
  ASSERT_EQ(cmds.size(), 1u);
  const auto* start = std::get_if<cmd::StartDrag>(&cmds[0]);
  ASSERT_TRUE(start && start->candidate);
  EXPECT_EQ(start->candidate->path, std::filesystem::path("/tmp/folder/item-2.txt"));
  // Disarmed: a further move starts nothing.
  h.send(Event::pointer(Event::Type::PointerMove, {press.x + 30, press.y}));
  EXPECT_TRUE(h.drain().empty());
}

TEST(FileView, ReleaseDisarmsAndModifiersNeverArm) {
  Harness h;
  h.view = FileView::list(h.inputs(make_entries(10)), SortKey::Name, false);
  h.layout({0, 0, 600, 500});
  const Point press{100, 30 + 10};
  h.send(Event::pointer(Event::Type::PointerPress, press));
  h.send(Event::pointer(Event::Type::PointerRelease, press));
  h.drain();
  h.send(Event::pointer(Event::Type::PointerMove, {press.x + 50, press.y}));
  EXPECT_TRUE(h.drain().empty());

  vemo_ui::Modifiers ctrl;
  ctrl.ctrl = true;
  h.send(Event::pointer(Event::Type::PointerPress, {100, 30 + 34 * 3 + 5}, vemo_ui::PointerButton::Primary, ctrl));
  auto cmds = h.drain();
  ASSERT_EQ(cmds.size(), 1u);
  const auto* click = std::get_if<cmd::ClickEntry>(&cmds[0]);
  ASSERT_TRUE(click);
  EXPECT_TRUE(click->toggle);
  EXPECT_FALSE(click->range);
  EXPECT_TRUE(h.view->selection().is_selected(0));
  EXPECT_TRUE(h.view->selection().is_selected(3));
  h.send(Event::pointer(Event::Type::PointerMove, {300, 300}));
  EXPECT_TRUE(h.drain().empty());
  // Toggling again deselects.
  h.send(Event::pointer(Event::Type::PointerPress, {100, 30 + 34 * 3 + 5}, vemo_ui::PointerButton::Primary, ctrl));
  EXPECT_FALSE(h.view->selection().is_selected(3));
}

TEST(FileView, PressOnEmptySpaceIsLeftToTheRoot) {
  Harness h;
  h.view = FileView::list(h.inputs(make_entries(3)), SortKey::Name, false);
  h.layout({0, 0, 600, 500});
  EXPECT_EQ(h.send(Event::pointer(Event::Type::PointerPress, {100, 400})), vemo_ui::EventResult::Ignored);
  EXPECT_TRUE(h.drain().empty());
}

TEST(FileView, HeaderPressesSortByTheShownColumn) {
  Harness h;
  h.view = FileView::list(h.inputs(make_entries(3)), SortKey::Name, false);
  h.layout({0, 0, 600, 500});
  const ListGeometry g = h.view->list_geometry();
  struct Case {
    double x;
    std::optional<int> column;
  };
  const Case cases[] = {
      {g.name_column().x0 + 5, 1}, {g.size_column().x0 + 5, 2}, {g.modified_column().x0 + 5, 3}, {3, std::nullopt}};
  for (const Case& c : cases) {
    const auto r = h.send(Event::pointer(Event::Type::PointerPress, {c.x, 15}));
    auto cmds = h.drain();
    if (!c.column) {
      EXPECT_EQ(r, vemo_ui::EventResult::Ignored);
      EXPECT_TRUE(cmds.empty());
      continue;
    }
    EXPECT_EQ(r, vemo_ui::EventResult::Consumed);
    ASSERT_EQ(cmds.size(), 1u);
    const auto* sort = std::get_if<cmd::SortByColumn>(&cmds[0]);
    ASSERT_TRUE(sort);
    EXPECT_EQ(sort->column, *c.column);
  }
}

TEST(FileView, SecondaryPressSelectsForTheContextMenu) {
  Harness h;
  vemo_ui::SelectionModel sel(5);
  sel.select_only(1);
  sel.toggle(2);
  h.view = FileView::list(h.inputs(make_entries(5), sel), SortKey::Name, false);
  h.layout({0, 0, 600, 500});
  struct Case {
    double y;
    std::optional<std::size_t> index;
    std::vector<std::size_t> selected_after;
  };
  const Case cases[] = {{30 + 34 * 2 + 5, 2, {1, 2}}, {30 + 34 * 4 + 5, 4, {4}}, {400, std::nullopt, {4}}};
  for (const Case& c : cases) {
    std::optional<std::string> focus;
    h.send(Event::pointer(Event::Type::PointerPress, {50, c.y}, vemo_ui::PointerButton::Secondary), &focus);
    EXPECT_EQ(focus, "file_view");
    auto cmds = h.drain();
    ASSERT_EQ(cmds.size(), 1u);
    const auto* menu = std::get_if<cmd::SelectForContextMenu>(&cmds[0]);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->index, c.index);
    EXPECT_EQ(h.view->selection().selected(), c.selected_after);
  }
}

TEST(FileView, GridArrowKeysMoveByColumns) {
  Harness h;
  vemo_ui::SelectionModel sel(10);
  sel.move_to(9, false);
  h.view = FileView::grid(h.inputs(make_entries(10), sel));
  h.layout({0, 0, 600, 800});
  ASSERT_EQ(h.view->columns(), 4u);
  // Unfocused: keys are the root's.
  EXPECT_EQ(h.send(Event::key_press(vemo_ui::Key::Down)), vemo_ui::EventResult::Ignored);
  h.view->set_focus(true);
  struct Case {
    vemo_ui::Key key;
    std::size_t from, want;
  };
  const Case cases[] = {{vemo_ui::Key::Down, 9, 9}, {vemo_ui::Key::Up, 9, 5},  {vemo_ui::Key::Right, 9, 9},
                        {vemo_ui::Key::Left, 9, 8}, {vemo_ui::Key::Up, 2, 0},  {vemo_ui::Key::Down, 2, 6},
                        {vemo_ui::Key::Left, 0, 0}, {vemo_ui::Key::Down, 7, 9}};
  for (const Case& c : cases) {
    vemo_ui::SelectionModel s(10);
    s.move_to(c.from, false);
    h.view = FileView::grid(h.inputs(make_entries(10), s));
    h.layout({0, 0, 600, 800});
    h.view->set_focus(true);
    EXPECT_EQ(h.send(Event::key_press(c.key)), vemo_ui::EventResult::Consumed);
    auto cmds = h.drain();
    ASSERT_EQ(cmds.size(), 1u);
    const auto* move = std::get_if<cmd::MoveSelection>(&cmds[0]);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->target, c.want) << "from " << c.from;
    EXPECT_FALSE(move->extend);
  }
  // List mode leaves arrows to the root.
  h.view = FileView::list(h.inputs(make_entries(10)), SortKey::Name, false);
  h.layout({0, 0, 600, 800});
  h.view->set_focus(true);
  EXPECT_EQ(h.send(Event::key_press(vemo_ui::Key::Down)), vemo_ui::EventResult::Ignored);
}

TEST(FileView, RenamedItemDrawsNoNameAndFillsTheSlot) {
  ASSERT_TRUE(kEnglish);
  for (bool grid : {false, true}) {
    Harness h;
    auto in = h.inputs(make_entries(4));
    const Rect bounds{0, 0, 600, 600};
    h.view = grid ? FileView::grid(in) : FileView::list(in, SortKey::Name, false);
    h.layout(bounds);
    cairo_surface_t* plain = h.draw(600, 600, bounds);
    EXPECT_FALSE(h.rename->has_value());
    in.renaming = 1;
    h.view = grid ? FileView::grid(in) : FileView::list(in, SortKey::Name, false);
    h.layout(bounds);
    cairo_surface_t* renaming = h.draw(600, 600, bounds);
    ASSERT_TRUE(h.rename->has_value()) << grid;
    const Rect slot = **h.rename;
    if (grid) {
      const Rect tile = h.view->entry_rect(1);
      EXPECT_DOUBLE_EQ(slot.x0, tile.x0 + 6);
      EXPECT_DOUBLE_EQ(slot.x1, tile.x1 - 6);
      EXPECT_DOUBLE_EQ(slot.y0, h.view->grid_geometry().label_top(tile) - 4);
    } else {
      const ListGeometry g = h.view->list_geometry();
      const Rect row = g.row_rect(1);
      EXPECT_EQ(slot,
                (Rect{g.name_text_x() - h.theme.text_field_padding, row.y0 + 2, g.name_column().x1 - 4, row.y1 - 2}));
    }
    // The name's area is ink in the plain frame and empty while renaming.
    const Rect name_area =
        grid ? Rect{slot.x0, slot.y0 + 4, slot.x1, slot.y1 - 6} : Rect{slot.x0 + 8, slot.y0, slot.x0 + 60, slot.y1};
    EXPECT_GT(dark_pixels(plain, name_area), 10) << grid;
    EXPECT_EQ(dark_pixels(renaming, name_area), 0) << grid;
    cairo_surface_destroy(plain);
    cairo_surface_destroy(renaming);
  }
}

TEST(FileView, DropTargetsAreTheFoldersInTheVisibleRange) {
  Harness h;
  h.view = FileView::list(h.inputs(make_entries(200, true)), SortKey::Name, false);
  // Scrolled by 1000 px: the view's top is 1000 px above the viewport.
  const Rect bounds{0, -1000, 600, -1000 + 30 + 34 * 200 + 6};
  h.layout(bounds);
  cairo_surface_destroy(h.draw(600, 400, Rect{0, 0, 600, 400}));
  const ItemRange range = h.view->visible_range();
  EXPECT_EQ(range, (ItemRange{27, 42}));
  std::vector<std::string> names;
  for (const DropTarget& t : *h.drops) {
    names.push_back(t.path.filename().string());
    const std::size_t i = std::stoul(t.path.filename().string().substr(5));
    EXPECT_EQ(t.rect, h.view->entry_rect(i));
  }
  const std::vector<std::string> want = {"item-28.txt", "item-30.txt", "item-32.txt", "item-34.txt",
                                         "item-36.txt", "item-38.txt", "item-40.txt"};
  EXPECT_EQ(names, want);
  // Not asked for: nothing is written.
  Harness h2;
  auto in = h2.inputs(make_entries(10, true));
  in.drop_targets = nullptr;
  h2.view = FileView::list(in, SortKey::Name, false);
  h2.layout({0, 0, 600, 400});
  cairo_surface_destroy(h2.draw(600, 400, std::nullopt));
  EXPECT_TRUE(h2.drops->empty());
}

TEST(FileView, AccessibilityNodeAndRects) {
  ASSERT_TRUE(kEnglish);
  Harness h;
  vemo_ui::SelectionModel sel(3);
  sel.select_only(1);
  auto entries = std::make_shared<std::vector<FileEntry>>(*make_entries(3, true));
  (*entries)[1].size = 2048;
  h.view = FileView::list(h.inputs(entries, sel), SortKey::Name, false);
  h.layout({0, -20, 600, 400});
  cairo_surface_destroy(h.draw(600, 300, Rect{0, 0, 600, 300}));
  h.view->set_focus(true);
  const auto node = h.view->accessibility();
  ASSERT_TRUE(node);
  EXPECT_EQ(node->role, vemo_ui::a11y::Role::List);
  EXPECT_EQ(node->name, "Files");
  EXPECT_EQ(node->bounds, (Rect{0, 0, 600, 300}));
  EXPECT_TRUE(node->states.focusable);
  EXPECT_TRUE(node->states.focused);
  EXPECT_EQ(node->value, "item-1.txt");
  EXPECT_EQ(node->position, (std::pair<int, int>{2, 3}));
  ASSERT_EQ(node->children.size(), 3u);
  const auto& item = node->children[1];
  EXPECT_EQ(item.role, vemo_ui::a11y::Role::ListItem);
  EXPECT_EQ(item.name, "item-1.txt");
  EXPECT_EQ(item.description, "File, 2\u00a0kB");
  EXPECT_TRUE(item.states.selected);
  EXPECT_FALSE(node->children[0].states.selected);
  EXPECT_EQ(node->children[0].description, "Folder");
  EXPECT_EQ(item.position, (std::pair<int, int>{2, 3}));
  EXPECT_EQ(item.bounds, h.view->entry_rect(1));

  std::vector<vemo_ui::IdentifiedRect> rects;
  h.view->identified_rects(rects);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[2].id, "file_row:item-2.txt");
  EXPECT_EQ(rects[2].rect, (Rect{0, -20 + 30 + 68, 600, -20 + 30 + 102}));
}

TEST(FileView, MeasureFollowsTheConstraint) {
  Harness h;
  h.view = FileView::grid(h.inputs(make_entries(10)));
  vemo_ui::LayoutContext ctx{h.text, h.theme, h.services, 1.0, 1.0, {800, 600}};
  h.view->build_layout(ctx);
  const auto definite = h.view->measure(ctx, {vemo_ui::Constraints::Mode::Definite, 600});
  EXPECT_EQ(definite.width, 600);
  EXPECT_EQ(h.view->columns(), 4u);
  EXPECT_DOUBLE_EQ(definite.height, 10 + 3 * 120);
  const auto min = h.view->measure(ctx, {vemo_ui::Constraints::Mode::MinContent, 600});
  EXPECT_DOUBLE_EQ(min.width, 132);
  EXPECT_EQ(h.view->columns(), 1u);
  h.view = FileView::list(h.inputs(make_entries(10)), SortKey::Name, false);
  const auto list = h.view->measure(ctx, {vemo_ui::Constraints::Mode::Available, 700});
  EXPECT_DOUBLE_EQ(list.width, 700);
  EXPECT_DOUBLE_EQ(list.height, 30 + 340 + 6);
}

TEST(FileView, HoverIsTheItemUnderThePointer) {
  Harness h;
  h.view = FileView::grid(h.inputs(make_entries(10)));
  h.layout({0, 0, 600, 800});
  h.send(Event::pointer(Event::Type::PointerMove, {10 + 128 + 5, 15}));
  EXPECT_EQ(h.view->hovered(), 1u);
  h.send(Event::pointer(Event::Type::PointerMove, {10 + 112 + 4, 15}));
  EXPECT_EQ(h.view->hovered(), std::nullopt);
}

}  // namespace
}  // namespace fe
