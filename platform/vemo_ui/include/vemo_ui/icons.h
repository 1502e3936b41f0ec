#pragma once
// The toolkit's vector icon set, drawn with Cairo paths; one role per icon.

#include <filesystem>

#include "vemo_ui/geometry.h"
#include "vemo_ui/theme.h"

namespace vemo_ui {

class Painter;

namespace icons {

enum class Icon : unsigned char {
  // Items
  Folder,
  File,
  FileText,
  FileImage,
  FileVideo,
  FileAudio,
  FileArchive,
  FileCode,
  FileDocument,
  FileSpreadsheet,
  FilePresentation,
  FilePdf,
  FileFont,
  FileConfig,
  FileBook,
  // Places
  Home,
  Desktop,
  Documents,
  Downloads,
  Pictures,
  Music,
  Videos,
  Workspace,
  Root,
  Trash,
  // Chrome
  Back,
  Forward,
  Up,
  List,
  Grid,
  Sort,
  ViewOptions,
  Extract,
  Close,
  Search,
  Plus,
  Check,
  ChevronRight,
  // State badges
  Error,
  Pending,
  Download,
  Upload,
  Cloud,
  Pin,
  Replicated,
  Unreplicated,
  Local,
};

// The icon role for an item, chosen by folder flag and file-name extension.
Icon icon_for_path(const std::filesystem::path& path, bool is_dir);

// Draws `icon` fitted into the square centred in `box`, stroked with `stroke_width`.
void draw_icon(Painter& p, Icon icon, const Rect& box, Color color, double stroke_width = 1.5);

}  // namespace icons
}  // namespace vemo_ui
