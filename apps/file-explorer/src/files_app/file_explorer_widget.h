#pragma once
// The root widget: the single owner of one explorer window's state.

#include <filesystem>
#include <optional>
#include <string>

#include "vemo_ui/widget.h"

namespace fe {

class FileExplorerWidget : public vemo_ui::Widget {
 public:
  // Status texts keep at most this many characters.
  static constexpr std::size_t kMaxStatusChars = 512;

  FileExplorerWidget(std::optional<std::filesystem::path> config_folder, std::optional<std::filesystem::path> home);
  ~FileExplorerWidget() override;

  std::string_view type_name() const override { return "FileExplorerWidget"; }

  // Replaces the status message with the first 512 characters of `text`.
  void set_status(std::string text);
  const std::optional<std::string>& status() const { return status_; }

  // Opens a folder as a new history step.
  void navigate_to(const std::filesystem::path& path);
  const std::filesystem::path& current_path() const { return current_path_; }

  const std::optional<std::filesystem::path>& config_folder() const { return config_folder_; }
  const std::optional<std::filesystem::path>& home() const { return home_; }
  const std::filesystem::path& thumbnail_cache_folder() const { return thumbnail_cache_; }

  // Widget slots.
  void draw(vemo_ui::Painter& p, vemo_ui::DrawContext& ctx) override;
  std::optional<std::string> status_message() const override { return status_; }
  std::string status_pill_text() const override;
  bool take_structure_dirty() override;

 private:
  std::optional<std::filesystem::path> config_folder_;
  std::optional<std::filesystem::path> home_;
  std::filesystem::path thumbnail_cache_;
  std::filesystem::path current_path_;
  std::optional<std::string> status_;
  bool structure_dirty_ = true;
};

// The first `max_chars` characters (code points) of UTF-8 text; a cut never splits a character.
std::string truncate_chars(std::string text, std::size_t max_chars);

}  // namespace fe
