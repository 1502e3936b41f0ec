#include "files_app/file_explorer_widget.h"

#include <system_error>

#include "i18n/i18n.h"
#include "vemo_ui/painter.h"
#include "vemo_ui/text.h"

namespace fe {

std::string truncate_chars(std::string text, std::size_t max_chars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Count lead bytes only: continuation bytes are 10xxxxxx.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == max_chars) {
        text.resize(i);
        break;
      }
      ++chars;
    }
  }
  return text;
}

FileExplorerWidget::FileExplorerWidget(std::optional<std::filesystem::path> config_folder,
                                       std::optional<std::filesystem::path> home)
    : config_folder_(std::move(config_folder)), home_(std::move(home)) {
  std::error_code ec;
  thumbnail_cache_ = config_folder_ ? *config_folder_ / "thumbnails"
                                    : std::filesystem::temp_directory_path(ec) / "vemo-file-explorer-thumbnails";
  current_path_ = home_.value_or("/");
}

FileExplorerWidget::~FileExplorerWidget() = default;

void FileExplorerWidget::set_status(std::string text) {
  status_ = truncate_chars(std::move(text), kMaxStatusChars);
  structure_dirty_ = true;
}

void FileExplorerWidget::navigate_to(const std::filesystem::path& path) {
  current_path_ = path;
  structure_dirty_ = true;
}

std::string FileExplorerWidget::status_pill_text() const {
  return status_ ? *status_ : tr_args("files-item-count", {{"count", 0.0}});
}

bool FileExplorerWidget::take_structure_dirty() {
  bool dirty = structure_dirty_;
  structure_dirty_ = false;
  return dirty;
}

void FileExplorerWidget::draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) {
  const auto& theme = ctx.theme;
  p.fill_rect(bounds_, theme.window);
  ctx.text.draw_text(p, current_path_.string(), {bounds_.x0 + 24, bounds_.y0 + 20}, theme.font_title,
                     theme.text_primary);
  if (status_) {
    ctx.text.draw_text(p, *status_, {bounds_.x0 + 24, bounds_.y1 - 40}, theme.font_small, theme.text_secondary);
  }
}

}  // namespace fe
