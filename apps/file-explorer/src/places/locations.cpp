#include "places/locations.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "i18n/i18n.h"
#include "model/path_compare.h"
#include "model/utf8.h"
#include "model/workspace.h"
#include "vemo_ui/sysdirs.h"

namespace fe {
namespace {

// Unicode White_Space, as UTF-8 sequences, for trimming the templates variable.
bool whitespace_at(std::string_view text, std::size_t pos, std::size_t& length) {
  const unsigned char c = static_cast<unsigned char>(text[pos]);
  if (c == ' ' || (c >= 0x09 && c <= 0x0D)) {
    length = 1;
    return true;
  }
  static constexpr std::string_view kWide[] = {
      "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82", "\xE2\x80\x83",
      "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A",
      "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};
  for (std::string_view w : kWide) {
    if (text.substr(pos).starts_with(w)) {
      length = w.size();
      return true;
    }
  }
  return false;
}

bool trailing_whitespace(std::string_view text, std::size_t& length) {
  for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    std::size_t len = 0;
    if (whitespace_at(text, text.size() - back, len) && len == back) {
      length = len;
      return true;
    }
  }
  return false;
}

std::string_view trim_whitespace(std::string_view text) {
  std::size_t length = 0;
  while (!text.empty() && whitespace_at(text, 0, length)) text.remove_prefix(length);
  while (!text.empty() && trailing_whitespace(text, length)) text.remove_suffix(length);
  return text;
}

bool is_folder_or_anything(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

}  // namespace

std::filesystem::path start_folder() {
  const auto roots = workspace_roots();
  if (!roots.empty()) return roots.front();
  if (std::getenv("VEMO_WORKSPACE_ROOTS") == nullptr && is_folder_or_anything("/workspace")) return "/workspace";
  if (auto home = user_home()) return *home;
  std::error_code ec;
  auto cwd = std::filesystem::current_path(ec);
  if (!ec) return cwd;
  return "/";
}

std::optional<std::filesystem::path> trash_files_dir() {
  auto data = vemo_ui::sysdirs::data_dir();
  if (!data) return std::nullopt;
  return *data / "Trash" / "files";
}

std::optional<std::filesystem::path> templates_dir_from(const std::optional<std::string>& variable,
                                                        const std::optional<std::filesystem::path>& home) {
  if (variable && is_valid_utf8(*variable)) {
    const std::string_view trimmed = trim_whitespace(*variable);
    if (!trimmed.empty()) return std::filesystem::path(trimmed);
  }
  if (home) return *home / "Templates";
  return std::nullopt;
}

std::optional<std::filesystem::path> templates_dir() {
  const char* value = std::getenv("XDG_TEMPLATES_DIR");
  return templates_dir_from(value ? std::optional<std::string>(value) : std::nullopt, user_home());
}

std::string workspace_place_label(const std::filesystem::path& root) {
  const auto parts = path_components(root.native());
  if (!parts.empty() && parts.back() != "/" && parts.back() != "." && parts.back() != "..") {
    return utf8_lossy(parts.back());
  }
  return tr("files-place-workspace");
}

}  // namespace fe
