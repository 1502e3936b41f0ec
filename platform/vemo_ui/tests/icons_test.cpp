// The vector icon set: every role draws inside its box, roles look different, and file names map
// to the right item roles.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "canvas.h"
#include "vemo_ui/icons.h"

namespace vemo_ui::icons {
namespace {

using vemo_ui::testing::Canvas;

std::vector<Icon> all_icons() {
  std::vector<Icon> out;
  for (int i = 0; i <= static_cast<int>(Icon::Local); ++i) out.push_back(static_cast<Icon>(i));
  return out;
}

TEST(IconsDraw, EveryIconInksOnlyInsideItsBox) {
  struct Case {
    const char* name;
    Rect box;
    double stroke;
  };
  const Case cases[] = {
      {"list size", Rect::from_size(20, 20, 18, 18), 1.5},
      {"badge size", Rect::from_size(20, 20, 9, 9), 1.5},
      {"grid size", Rect::from_size(4, 4, 56, 56), 2.85},
      {"wide box centres a square", Rect::from_size(2, 20, 60, 24), 1.5},
  };
  for (const Case& c : cases) {
    for (Icon icon : all_icons()) {
      Canvas canvas(64, 64);
      draw_icon(canvas.painter(), icon, c.box, Color::rgb(0x202020), c.stroke);
      const double side = std::min(c.box.width(), c.box.height());
      const Point mid = c.box.center();
      const Rect square{mid.x - side / 2, mid.y - side / 2, mid.x + side / 2, mid.y + side / 2};
      const auto ink = canvas.ink(square);
      EXPECT_GT(ink.inside, side) << c.name << " icon " << static_cast<int>(icon);
      EXPECT_EQ(ink.outside, 0) << c.name << " icon " << static_cast<int>(icon);
    }
  }
}

TEST(IconsDraw, RolesAreDistinguishable) {
  // The Documents place and the text file share one drawing on purpose.
  std::map<std::vector<int>, Icon> seen;
  for (Icon icon : all_icons()) {
    if (icon == Icon::Documents) continue;
    Canvas canvas(24, 24);
    draw_icon(canvas.painter(), icon, Rect{0, 0, 24, 24}, Color::rgb(0), 1.5);
    std::vector<int> alphas;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) alphas.push_back(canvas.alpha(x, y) / 32);
    }
    const auto [it, inserted] = seen.emplace(alphas, icon);
    EXPECT_TRUE(inserted) << "icon " << static_cast<int>(icon) << " looks like " << static_cast<int>(it->second);
  }
}

TEST(IconsDraw, StrokeWidthAndColourAreTheCallers) {
  Canvas thin(48, 48);
  Canvas thick(48, 48);
  draw_icon(thin.painter(), Icon::Close, Rect{0, 0, 48, 48}, Color::rgb(0x0000FF), 1);
  draw_icon(thick.painter(), Icon::Close, Rect{0, 0, 48, 48}, Color::rgb(0x0000FF), 4);
  auto coverage = [](Canvas& c) {
    double sum = 0;
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 48; ++x) sum += c.alpha(x, y) / 255.0;
    }
    return sum;
  };
  // Four times the width paints about four times the area (less where the strokes cross).
  EXPECT_GT(coverage(thick), 3 * coverage(thin));
  const auto centre = thick.at(24, 24);
  EXPECT_EQ(centre.a, 255);
  EXPECT_EQ(centre.b, 255);
  EXPECT_EQ(centre.r, 0);
}

TEST(IconsDraw, DegenerateRequestsDrawNothing) {
  struct Case {
    const char* name;
    Rect box;
    Color color;
    double stroke;
  };
  const Case cases[] = {
      {"empty box", Rect{10, 10, 10, 30}, Color::rgb(0), 1.5},
      {"transparent", Rect{0, 0, 24, 24}, Color::rgb(0, 0), 1.5},
      {"no stroke", Rect{0, 0, 24, 24}, Color::rgb(0), 0},
  };
  for (const Case& c : cases) {
    Canvas canvas(32, 32);
    draw_icon(canvas.painter(), Icon::Folder, c.box, c.color, c.stroke);
    EXPECT_EQ(canvas.ink(Rect{0, 0, 32, 32}).inside, 0) << c.name;
  }
}

TEST(IconsForPath, FolderFlagAndExtensionChooseTheRole) {
  struct Case {
    const char* path;
    bool is_dir;
    Icon expected;
  };
  const Case cases[] = {
      {"photos", true, Icon::Folder},
      {"archive.zip", true, Icon::Folder},
      {"holiday.JPG", false, Icon::FileImage},
      {"shot.png", false, Icon::FileImage},
      {"clip.mkv", false, Icon::FileVideo},
      {"song.flac", false, Icon::FileAudio},
      {"backup.tar.gz", false, Icon::FileArchive},
      {"bundle.7z", false, Icon::FileArchive},
      {"main.cpp", false, Icon::FileCode},
      {"script.py", false, Icon::FileCode},
      {"letter.docx", false, Icon::FileDocument},
      {"budget.ods", false, Icon::FileSpreadsheet},
      {"table.csv", false, Icon::FileSpreadsheet},
      {"deck.pptx", false, Icon::FilePresentation},
      {"manual.PDF", false, Icon::FilePdf},
      {"Inter.woff2", false, Icon::FileFont},
      {"settings.toml", false, Icon::FileConfig},
      {"compose.yaml", false, Icon::FileConfig},
      {"novel.epub", false, Icon::FileBook},
      {"notes.md", false, Icon::FileText},
      {"todo.txt", false, Icon::FileText},
      {"/home/user/dir.with.dots/picture.webp", false, Icon::FileImage},
      {"README", false, Icon::File},
      {".bashrc", false, Icon::File},
      {"trailing.", false, Icon::File},
      {"data.xyz", false, Icon::File},
      {"", false, Icon::File},
  };
  for (const Case& c : cases) EXPECT_EQ(icon_for_path(c.path, c.is_dir), c.expected) << c.path;
}

}  // namespace
}  // namespace vemo_ui::icons
