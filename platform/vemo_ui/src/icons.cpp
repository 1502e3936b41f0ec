// The toolkit's icon set. Every icon is drawn on a 24 × 24 design grid, kept inside 2 … 22 so that
// a stroke of ordinary width stays inside the box, in one outline style: round caps and joins,
// corner radius about 1.5 grid units, solid fills only for small dots.
//
// Sections: item icons (documents and their marks), places, chrome, state badges, the dispatcher,
// and the mapping from file names to item roles.

#include "vemo_ui/icons.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>

#include "vemo_ui/painter.h"

namespace vemo_ui::icons {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double deg = pi / 180;

// Builds paths in grid units and strokes them in box units: the path is made under the grid
// transformation, the stroke width is applied after it is undone, so every icon gets the
// caller's stroke width whatever its size.
class Pen {
 public:
  Pen(cairo_t* cr, const Rect& box, Color color, double stroke_width) : cr_(cr), color_(color), width_(stroke_width) {
    const double side = std::min(box.width(), box.height());
    scale_ = side / 24.0;
    ox_ = box.x0 + (box.width() - side) / 2;
    oy_ = box.y0 + (box.height() - side) / 2;
    cairo_save(cr_);
    cairo_new_path(cr_);
  }
  ~Pen() {
    cairo_new_path(cr_);
    cairo_restore(cr_);
  }
  Pen(const Pen&) = delete;
  Pen& operator=(const Pen&) = delete;

  Pen& move(double x, double y) {
    cairo_move_to(cr_, X(x), Y(y));
    return *this;
  }
  Pen& line(double x, double y) {
    cairo_line_to(cr_, X(x), Y(y));
    return *this;
  }
  Pen& close() {
    cairo_close_path(cr_);
    return *this;
  }
  // A circular arc in grid units; angles in degrees, clockwise on screen from the +x axis.
  Pen& arc(double cx, double cy, double r, double from_deg, double to_deg) {
    cairo_arc(cr_, X(cx), Y(cy), r * scale_, from_deg * deg, to_deg * deg);
    return *this;
  }
  Pen& arc_back(double cx, double cy, double r, double from_deg, double to_deg) {
    cairo_arc_negative(cr_, X(cx), Y(cy), r * scale_, from_deg * deg, to_deg * deg);
    return *this;
  }
  Pen& circle(double cx, double cy, double r) {
    cairo_new_sub_path(cr_);
    return arc(cx, cy, r, 0, 360).close();
  }
  Pen& rounded(double x0, double y0, double x1, double y1, double r) {
    r = std::min({r, (x1 - x0) / 2, (y1 - y0) / 2});
    cairo_new_sub_path(cr_);
    arc(x1 - r, y0 + r, r, -90, 0);
    arc(x1 - r, y1 - r, r, 0, 90);
    arc(x0 + r, y1 - r, r, 90, 180);
    arc(x0 + r, y0 + r, r, 180, 270);
    return close();
  }
  Pen& segment(double x0, double y0, double x1, double y1) { return move(x0, y0).line(x1, y1); }
  Pen& polyline(std::initializer_list<std::array<double, 2>> pts) {
    bool first = true;
    for (const auto& pt : pts) {
      if (first) {
        move(pt[0], pt[1]);
      } else {
        line(pt[0], pt[1]);
      }
      first = false;
    }
    return *this;
  }

  // Strokes (and forgets) the path built so far.
  void stroke() {
    cairo_set_source_rgba(cr_, color_.r, color_.g, color_.b, color_.a);
    cairo_set_line_width(cr_, width_);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr_);
  }
  // A solid dot; its radius grows with the stroke so that dots match the lines beside them.
  void dot(double cx, double cy, double r) {
    cairo_new_path(cr_);
    cairo_arc(cr_, X(cx), Y(cy), std::max(r * scale_, width_ * 0.75), 0, 2 * pi);
    cairo_set_source_rgba(cr_, color_.r, color_.g, color_.b, color_.a);
    cairo_fill(cr_);
  }

 private:
  double X(double x) const { return ox_ + x * scale_; }
  double Y(double y) const { return oy_ + y * scale_; }

  cairo_t* cr_;
  Color color_;
  double width_;
  double scale_ = 1;
  double ox_ = 0;
  double oy_ = 0;
};

// ---- Items -----------------------------------------------------------------------------------

// A sheet with a folded top-right corner; the marks of the file kinds sit in 8 … 16 × 11 … 18.
void sheet(Pen& p) {
  p.move(14, 3).line(6.5, 3).arc_back(6.5, 4.5, 1.5, 270, 180).line(5, 19.5);
  p.arc_back(6.5, 19.5, 1.5, 180, 90).line(17.5, 21).arc_back(17.5, 19.5, 1.5, 90, 0).line(19, 8).close();
  p.polyline({{14, 3}, {14, 8}, {19, 8}});
  p.stroke();
}

void folder(Pen& p) {
  p.move(3, 17.5).line(3, 6.5).arc(4.5, 6.5, 1.5, 180, 270).line(9, 5).line(11, 7.5).line(19.5, 7.5);
  p.arc(19.5, 9, 1.5, 270, 360).line(21, 17.5).arc(19.5, 17.5, 1.5, 0, 90).line(4.5, 19);
  p.arc(4.5, 17.5, 1.5, 90, 180).close();
  p.segment(3, 10.5, 21, 10.5);
  p.stroke();
}

void text_lines(Pen& p) {
  p.segment(8, 12, 16, 12).segment(8, 15, 16, 15).segment(8, 18, 13, 18);
  p.stroke();
}

void image_mark(Pen& p) {
  p.polyline({{8, 18}, {11, 14.5}, {13, 16.5}, {14.2, 15.3}, {16, 18}}).close();
  p.circle(14.5, 11.8, 1.1);
  p.stroke();
}

void video_mark(Pen& p) {
  p.polyline({{10, 11.5}, {15.5, 15}, {10, 18.5}}).close();
  p.stroke();
}

void audio_mark(Pen& p) {
  p.circle(10, 17, 1.6);
  p.polyline({{11.6, 17}, {11.6, 11}, {15.5, 12.2}});
  p.stroke();
}

void archive_mark(Pen& p) {
  // Zipper teeth down the middle, then the pull.
  for (double y : {5.0, 8.0}) p.segment(10.5, y, 12, y).segment(12, y + 1.5, 13.5, y + 1.5);
  p.rounded(10.5, 12.5, 13.5, 17.5, 1);
  p.segment(10.5, 15, 13.5, 15);
  p.stroke();
}

void code_mark(Pen& p) {
  p.polyline({{10.5, 12}, {8, 15}, {10.5, 18}});
  p.polyline({{13.5, 12}, {16, 15}, {13.5, 18}});
  p.stroke();
}

void document_mark(Pen& p) {
  p.rounded(8, 11, 12, 13.5, 0.6);
  p.segment(8, 16, 16, 16).segment(8, 18.5, 14, 18.5);
  p.stroke();
}

void spreadsheet_mark(Pen& p) {
  p.rounded(8, 11, 16, 18.5, 1);
  p.segment(8, 14.75, 16, 14.75).segment(11.5, 11, 11.5, 18.5);
  p.stroke();
}

void presentation_mark(Pen& p) {
  p.rounded(7.5, 11, 16.5, 16.5, 1);
  p.segment(12, 16.5, 12, 18.5).segment(10, 18.5, 14, 18.5);
  p.stroke();
}

void pdf_mark(Pen& p) {
  p.rounded(7, 12, 17, 17.5, 1);
  p.segment(9.5, 13.8, 9.5, 15.7).segment(12, 13.8, 12, 15.7).segment(14.5, 13.8, 14.5, 15.7);
  p.stroke();
}

void font_mark(Pen& p) {
  p.polyline({{8.8, 18.5}, {12, 11}, {15.2, 18.5}});
  p.segment(10.1, 15.7, 13.9, 15.7);
  p.stroke();
}

void config_mark(Pen& p) {
  p.segment(8, 13, 16, 13).segment(8, 17, 16, 17);
  p.stroke();
  p.dot(10.5, 13, 1.3);
  p.dot(13.5, 17, 1.3);
}

void book(Pen& p) {
  p.rounded(5, 3, 19, 21, 1.5);
  p.segment(8.5, 3, 8.5, 21);
  p.segment(11.5, 8, 16, 8).segment(11.5, 11, 16, 11);
  p.stroke();
}

// ---- Places ----------------------------------------------------------------------------------

void home(Pen& p) {
  p.polyline({{3.5, 11}, {12, 3.5}, {20.5, 11}});
  p.polyline({{6, 9}, {6, 20}, {18, 20}, {18, 9}});
  p.polyline({{10, 20}, {10, 15}, {14, 15}, {14, 20}});
  p.stroke();
}

void desktop(Pen& p) {
  p.rounded(3, 4, 21, 16, 2);
  p.segment(12, 16, 12, 20).segment(8, 20, 16, 20);
  p.stroke();
}

void downloads(Pen& p) {
  p.segment(12, 3.5, 12, 14.5).polyline({{7.5, 10}, {12, 14.5}, {16.5, 10}});
  p.polyline({{4, 15}, {4, 18.5}}).arc_back(5.5, 18.5, 1.5, 180, 90).line(18.5, 20);
  p.arc_back(18.5, 18.5, 1.5, 90, 0).line(20, 15);
  p.stroke();
}

void pictures(Pen& p) {
  p.rounded(3, 4.5, 21, 19.5, 2);
  p.circle(8.5, 9.5, 1.8);
  p.polyline({{3.5, 17.5}, {9, 12.5}, {13, 16}, {15.5, 13.5}, {20.5, 18}});
  p.stroke();
}

void music(Pen& p) {
  p.circle(7.5, 17.5, 2.5).circle(17.5, 15.5, 2.5);
  p.polyline({{10, 17.5}, {10, 6}, {20, 4}, {20, 15.5}});
  p.segment(10, 9.5, 20, 7.5);
  p.stroke();
}

void videos(Pen& p) {
  p.rounded(3, 6, 15.5, 18, 2);
  p.polyline({{15.5, 10.5}, {21, 7.5}, {21, 16.5}, {15.5, 13.5}});
  p.stroke();
}

void workspace(Pen& p) {
  // Stacked layers: a shared space holds several people's work.
  p.polyline({{12, 3}, {21, 7.5}, {12, 12}, {3, 7.5}}).close();
  p.polyline({{3, 12}, {12, 16.5}, {21, 12}});
  p.polyline({{3, 16.5}, {12, 21}, {21, 16.5}});
  p.stroke();
}

void root(Pen& p) {
  p.rounded(3, 13, 21, 20, 2);
  p.polyline({{3.6, 13.4}, {6.5, 5}, {17.5, 5}, {20.4, 13.4}});
  p.segment(6.5, 16.5, 11, 16.5);
  p.stroke();
  p.dot(17, 16.5, 1);
}

void trash(Pen& p) {
  p.segment(4, 6.5, 20, 6.5);
  p.polyline({{9.5, 6.5}, {9.5, 4}, {14.5, 4}, {14.5, 6.5}});
  p.polyline({{6, 6.5}, {6.9, 19}}).arc_back(8.4, 19, 1.5, 180, 90).line(15.6, 20.5);
  p.arc_back(15.6, 19, 1.5, 90, 0).line(18, 6.5);
  p.segment(10, 10, 10, 17).segment(14, 10, 14, 17);
  p.stroke();
}

// ---- Chrome ----------------------------------------------------------------------------------

void back(Pen& p) {
  p.segment(19, 12, 5, 12).polyline({{11, 6}, {5, 12}, {11, 18}}).stroke();
}
void forward(Pen& p) {
  p.segment(5, 12, 19, 12).polyline({{13, 6}, {19, 12}, {13, 18}}).stroke();
}
void up(Pen& p) {
  p.segment(12, 19, 12, 5).polyline({{6, 11}, {12, 5}, {18, 11}}).stroke();
}

void list(Pen& p) {
  for (double y : {6.0, 12.0, 18.0}) p.segment(9, y, 20, y);
  p.stroke();
  for (double y : {6.0, 12.0, 18.0}) p.dot(5, y, 1.1);
}

void grid(Pen& p) {
  p.rounded(4, 4, 10.5, 10.5, 1.5).rounded(13.5, 4, 20, 10.5, 1.5);
  p.rounded(4, 13.5, 10.5, 20, 1.5).rounded(13.5, 13.5, 20, 20, 1.5);
  p.stroke();
}

void sort(Pen& p) {
  p.segment(8, 19, 8, 5).polyline({{4.5, 8.5}, {8, 5}, {11.5, 8.5}});
  p.segment(16, 5, 16, 19).polyline({{12.5, 15.5}, {16, 19}, {19.5, 15.5}});
  p.stroke();
}

void view_options(Pen& p) {
  // Three sliders; each line breaks around its knob.
  struct Slider {
    double y, knob;
  };
  for (const Slider s : {Slider{6, 15}, Slider{12, 9}, Slider{18, 14}}) {
    p.segment(4, s.y, s.knob - 2, s.y).segment(s.knob + 2, s.y, 20, s.y);
    p.circle(s.knob, s.y, 2);
  }
  p.stroke();
}

void extract(Pen& p) {
  // An open box with an arrow leaving it.
  p.polyline({{5, 11}, {5, 18.5}}).arc_back(6.5, 18.5, 1.5, 180, 90).line(17.5, 20);
  p.arc_back(17.5, 18.5, 1.5, 90, 0).line(19, 11);
  p.segment(5, 11, 9, 11).segment(15, 11, 19, 11);
  p.segment(12, 16, 12, 3.5).polyline({{8.5, 7}, {12, 3.5}, {15.5, 7}});
  p.stroke();
}

void close_x(Pen& p) {
  p.segment(6, 6, 18, 18).segment(18, 6, 6, 18).stroke();
}

void search(Pen& p) {
  p.circle(10.5, 10.5, 6.5);
  p.segment(15.3, 15.3, 20.5, 20.5);
  p.stroke();
}

void plus(Pen& p) {
  p.segment(12, 5, 12, 19).segment(5, 12, 19, 12).stroke();
}
void check(Pen& p) {
  p.polyline({{5, 12.5}, {10, 17.5}, {19.5, 7}}).stroke();
}
void chevron_right(Pen& p) {
  p.polyline({{9, 5.5}, {15.5, 12}, {9, 18.5}}).stroke();
}

// ---- State badges ----------------------------------------------------------------------------
// Badges are drawn small (often 10 … 15 px), so they use few, bold strokes.

void error(Pen& p) {
  p.circle(12, 12, 9);
  p.segment(12, 7, 12, 12.5);
  p.stroke();
  p.dot(12, 16.3, 1.2);
}

void pending(Pen& p) {
  p.circle(12, 12, 9);
  p.polyline({{12, 7}, {12, 12}, {15.5, 14}});
  p.stroke();
}

void download(Pen& p) {
  p.segment(12, 3.5, 12, 16.5).polyline({{6.5, 11}, {12, 16.5}, {17.5, 11}});
  p.segment(5, 20.5, 19, 20.5);
  p.stroke();
}

void upload(Pen& p) {
  p.segment(12, 20.5, 12, 7.5).polyline({{6.5, 13}, {12, 7.5}, {17.5, 13}});
  p.segment(5, 3.5, 19, 3.5);
  p.stroke();
}

void cloud(Pen& p) {
  // Three lobes meeting where their circles cross, on a flat base.
  p.move(7, 19).arc(7, 14.5, 4.5, 90, 270.29).arc(12.5, 10.5, 5.5, 185.22, 355.93);
  p.arc(17, 14.5, 4.5, 282.66, 450).close();
  p.stroke();
}

void pin(Pen& p) {
  p.segment(8.5, 3.5, 15.5, 3.5);
  p.polyline({{10, 3.5}, {10, 9}, {6.5, 13}, {17.5, 13}, {14, 9}, {14, 3.5}});
  p.segment(12, 13, 12, 20.5);
  p.stroke();
}

void replicated(Pen& p) {
  p.rounded(8.5, 8.5, 20.5, 20.5, 2);
  p.move(4, 15.5).line(4, 5.5).arc(5.5, 5.5, 1.5, 180, 270).line(15.5, 4);
  p.stroke();
}

void unreplicated(Pen& p) {
  p.rounded(5, 5, 19, 19, 2);
  p.segment(3.5, 3.5, 20.5, 20.5);
  p.stroke();
}

void local(Pen& p) {
  p.rounded(5, 5, 19, 15.5, 1.5);
  p.segment(3, 19, 21, 19);
  p.stroke();
}

// ---- File names to roles ---------------------------------------------------------------------

struct ExtensionGroup {
  Icon icon;
  std::initializer_list<std::string_view> extensions;
};

const ExtensionGroup extension_groups[] = {
    {Icon::FileImage, {"png",  "jpg", "jpeg", "jpe", "gif", "bmp", "webp", "tif", "tiff", "svg", "svgz", "heic",
                       "heif", "ico", "avif", "jxl", "raw", "cr2", "cr3",  "nef", "arw",  "dng", "orf",  "psd",
                       "xcf",  "kra", "ora",  "tga", "pbm", "pgm", "ppm",  "pnm", "xpm",  "exr", "hdr"}},
    {Icon::FileVideo,
     {"mp4", "m4v", "mkv", "webm", "avi", "mov", "wmv", "flv", "mpg", "mpeg", "m2ts", "mts", "ts", "3gp", "ogv",
      "vob"}},
    {Icon::FileAudio,
     {"mp3", "wav", "flac", "ogg", "oga", "m4a", "aac", "opus", "wma", "aiff", "aif", "mid", "midi", "ape", "alac",
      "wv", "mka"}},
    {Icon::FileArchive,
     {"zip", "tar", "gz",  "tgz", "bz2", "tbz", "tbz2", "xz",  "txz", "zst", "tzst", "lz",   "lzma", "lz4",
      "7z",  "rar", "cab", "iso", "img", "dmg", "deb",  "rpm", "apk", "jar", "war",  "cpio", "ar",   "z"}},
    {Icon::FileCode,
     {"c",   "h",     "cc",  "cpp",  "cxx",  "hpp",  "hh",   "hxx",    "ipp",     "inl",   "rs",    "go",   "py",
      "pyi", "js",    "mjs", "cjs",  "ts",   "tsx",  "jsx",  "java",   "kt",      "kts",   "swift", "rb",   "php",
      "pl",  "pm",    "lua", "sh",   "bash", "zsh",  "fish", "ps1",    "bat",     "cmd",   "cs",    "fs",   "scala",
      "hs",  "ml",    "mli", "clj",  "ex",   "exs",  "erl",  "dart",   "r",       "m",     "mm",    "sql",  "html",
      "htm", "xhtml", "css", "scss", "sass", "less", "vue",  "svelte", "cmake",   "mk",    "asm",   "s",    "zig",
      "nim", "jl",    "v",   "vhd",  "glsl", "hlsl", "wgsl", "proto",  "graphql", "ipynb", "diff",  "patch"}},
    {Icon::FileDocument, {"doc", "docx", "docm", "odt", "ott", "fodt", "rtf", "pages", "wpd", "wps", "abw"}},
    {Icon::FileSpreadsheet, {"xls", "xlsx", "xlsm", "ods", "ots", "fods", "csv", "tsv", "numbers"}},
    {Icon::FilePresentation, {"ppt", "pptx", "pptm", "odp", "otp", "fodp", "key"}},
    {Icon::FilePdf, {"pdf"}},
    {Icon::FileFont, {"ttf", "otf", "ttc", "woff", "woff2", "pfb", "pfa", "fon", "bdf", "pcf"}},
    {Icon::FileConfig,
     {"json", "jsonc", "json5", "yaml", "yml", "toml", "ini", "conf", "cfg", "config", "xml", "plist", "env",
      "properties", "desktop", "service", "rules", "reg", "lock"}},
    {Icon::FileBook, {"epub", "mobi", "azw", "azw3", "fb2", "djvu", "cbz", "cbr"}},
    {Icon::FileText, {"txt", "text", "md", "markdown", "rst", "log", "nfo", "org", "tex", "adoc", "asciidoc", "me"}},
};

std::string lower_ascii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

Icon icon_for_path(const std::filesystem::path& path, bool is_dir) {
  if (is_dir) return Icon::Folder;
  const std::string name = path.filename().string();
  const auto dot = name.rfind('.');
  // A leading dot marks a hidden name, not an extension.
  if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) return Icon::File;
  const std::string ext = lower_ascii(std::string_view(name).substr(dot + 1));
  for (const auto& group : extension_groups) {
    if (std::ranges::find(group.extensions, std::string_view(ext)) != group.extensions.end()) return group.icon;
  }
  return Icon::File;
}

void draw_icon(Painter& painter, Icon icon, const Rect& box, Color color, double stroke_width) {
  if (!box.is_valid() || color.a <= 0 || !(stroke_width > 0)) return;
  Pen p(painter.native(), box, color, stroke_width);
  auto in_sheet = [&p](void (*mark)(Pen&)) {
    sheet(p);
    mark(p);
  };
  switch (icon) {
    case Icon::Folder:
      return folder(p);
    case Icon::File:
      return sheet(p);
    case Icon::FileText:
      return in_sheet(text_lines);
    case Icon::FileImage:
      return in_sheet(image_mark);
    case Icon::FileVideo:
      return in_sheet(video_mark);
    case Icon::FileAudio:
      return in_sheet(audio_mark);
    case Icon::FileArchive:
      return in_sheet(archive_mark);
    case Icon::FileCode:
      return in_sheet(code_mark);
    case Icon::FileDocument:
      return in_sheet(document_mark);
    case Icon::FileSpreadsheet:
      return in_sheet(spreadsheet_mark);
    case Icon::FilePresentation:
      return in_sheet(presentation_mark);
    case Icon::FilePdf:
      return in_sheet(pdf_mark);
    case Icon::FileFont:
      return in_sheet(font_mark);
    case Icon::FileConfig:
      return in_sheet(config_mark);
    case Icon::FileBook:
      return book(p);
    case Icon::Home:
      return home(p);
    case Icon::Desktop:
      return desktop(p);
    case Icon::Documents:
      return in_sheet(text_lines);
    case Icon::Downloads:
      return downloads(p);
    case Icon::Pictures:
      return pictures(p);
    case Icon::Music:
      return music(p);
    case Icon::Videos:
      return videos(p);
    case Icon::Workspace:
      return workspace(p);
    case Icon::Root:
      return root(p);
    case Icon::Trash:
      return trash(p);
    case Icon::Back:
      return back(p);
    case Icon::Forward:
      return forward(p);
    case Icon::Up:
      return up(p);
    case Icon::List:
      return list(p);
    case Icon::Grid:
      return grid(p);
    case Icon::Sort:
      return sort(p);
    case Icon::ViewOptions:
      return view_options(p);
    case Icon::Extract:
      return extract(p);
    case Icon::Close:
      return close_x(p);
    case Icon::Search:
      return search(p);
    case Icon::Plus:
      return plus(p);
    case Icon::Check:
      return check(p);
    case Icon::ChevronRight:
      return chevron_right(p);
    case Icon::Error:
      return error(p);
    case Icon::Pending:
      return pending(p);
    case Icon::Download:
      return download(p);
    case Icon::Upload:
      return upload(p);
    case Icon::Cloud:
      return cloud(p);
    case Icon::Pin:
      return pin(p);
    case Icon::Replicated:
      return replicated(p);
    case Icon::Unreplicated:
      return unreplicated(p);
    case Icon::Local:
      return local(p);
  }
}

}  // namespace vemo_ui::icons
