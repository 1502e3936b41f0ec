#include "files_app/folder_state.h"

#include "i18n/i18n.h"
#include "model/path_compare.h"
#include "model/utf8.h"

namespace fe {
namespace {

// Byte offsets of each character start.
std::vector<std::size_t> char_starts(const std::string& text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  return starts;
}

}  // namespace

std::string display_path(const std::filesystem::path& path, const std::optional<std::filesystem::path>& home) {
  if (home && !home->empty()) {
    if (same_path(path, *home)) return "~";
    if (path_starts_with(path, *home)) {
      return "~/" + utf8_lossy(path.lexically_relative(*home).native());
    }
  }
  return utf8_lossy(path.native());
}

std::string shorten_front(const std::string& text, std::size_t max_chars) {
  auto starts = char_starts(text);
  if (starts.size() <= max_chars || max_chars == 0) return max_chars == 0 ? std::string() : text;
  const std::size_t keep = max_chars - 1;
  return "…" + text.substr(starts[starts.size() - keep]);
}

std::string load_error_reason(const std::string& load_error) {
  auto sep = load_error.find(": ");
  std::string reason = sep == std::string::npos ? load_error : load_error.substr(sep + 2);
  auto starts = char_starts(reason);
  if (starts.size() > 26) reason = reason.substr(0, starts[25]) + "…";
  return reason;
}

FolderStateTexts loading_texts(const std::string& display) {
  return {tr("files-loading-title"), tr_args("files-loading-detail", {{"path", shorten_front(display, 36)}})};
}

FolderStateTexts load_error_texts(const std::string& load_error, const std::string& display) {
  return {tr("files-load-error-title"), tr_args("files-load-error-detail", {{"error", load_error_reason(load_error)},
                                                                            {"path", shorten_front(display, 22)}})};
}

FolderStateTexts empty_texts(bool in_trash) {
  return {tr(in_trash ? "files-empty-trash" : "files-empty-folder"), {}};
}

}  // namespace fe
