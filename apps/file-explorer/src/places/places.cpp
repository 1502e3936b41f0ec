#include "places/places.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "i18n/i18n.h"
#include "model/case_fold.h"
#include "model/dir_reader.h"
#include "model/utf8.h"
#include "model/workspace.h"
#include "vemo_ui/sysdirs.h"

namespace fe {
namespace {

bool is_folder(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_directory(p, ec);
}

std::string_view trim(std::string_view s) {
  const char* ws = " \t\r\n\f\v";
  auto b = s.find_first_not_of(ws);
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(ws) - b + 1);
}

}  // namespace

std::filesystem::path start_folder() {
  if (auto roots = workspace_roots(); !roots.empty()) return roots.front();
  if (!std::getenv("VEMO_WORKSPACE_ROOTS") && is_folder("/workspace")) return "/workspace";
  if (auto home = user_home()) return *home;
  std::error_code ec;
  if (auto cwd = std::filesystem::current_path(ec); !ec) return cwd;
  return "/";
}

std::filesystem::path expand_tilde(std::string_view text, const std::optional<std::filesystem::path>& home) {
  if (!home) return std::filesystem::path(std::string(text));
  if (text == "~") return *home;
  if (text.starts_with("~/")) return *home / std::string(text.substr(2));
  return std::filesystem::path(std::string(text));
}

std::filesystem::path resolve_typed_path(std::string_view text, const std::optional<std::filesystem::path>& home,
                                         const std::filesystem::path& current) {
  return current / expand_tilde(text, home);
}

std::vector<PathCompletion> path_completions(std::string_view text, const std::optional<std::filesystem::path>& home) {
  std::filesystem::path folder;
  std::string_view prefix;
  if (text.empty() || text == "~") {
    folder = expand_tilde(text, home);
  } else if (auto slash = text.rfind('/'); slash != std::string_view::npos) {
    folder = expand_tilde(text.substr(0, slash + 1), home);
    prefix = text.substr(slash + 1);
  } else {
    folder = expand_tilde(text, home);
  }
  if (folder.empty()) folder = ".";
  auto listing = DirListing::read(folder);
  if (!listing) return {};

  const bool show_hidden = prefix.starts_with(".");
  const std::string lower_prefix = lower_case(prefix);
  struct Candidate {
    PathCompletion completion;
    std::string key;
  };
  std::vector<Candidate> kept;
  for (const auto& item : listing->items()) {
    if (item.name.starts_with(".") && !show_hidden) continue;
    std::string name = utf8_lossy(item.name);
    std::string key = lower_case(name);
    if (!lower_prefix.empty() && !key.starts_with(lower_prefix)) continue;
    bool is_dir = item.type == DT_DIR;
    if (item.type == DT_UNKNOWN) {
      struct stat st {};
      const std::string raw(item.name);
      is_dir = ::fstatat(listing->fd(), raw.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
    }
    kept.push_back({{std::move(name), folder / std::string(item.name), is_dir}, std::move(key)});
  }
  std::ranges::stable_sort(kept, [](const Candidate& a, const Candidate& b) {
    if (a.completion.is_dir != b.completion.is_dir) return a.completion.is_dir;
    return a.key < b.key;
  });
  std::vector<PathCompletion> out;
  out.reserve(std::min(kept.size(), kMaxPathCompletions));
  for (auto& c : kept) {
    if (out.size() == kMaxPathCompletions) break;
    out.push_back(std::move(c.completion));
  }
  return out;
}

std::optional<std::filesystem::path> trash_files_dir() {
  auto data = vemo_ui::sysdirs::data_dir();
  if (!data) return std::nullopt;
  return *data / "Trash" / "files";
}

std::optional<std::filesystem::path> templates_dir() {
  if (const char* env = std::getenv("XDG_TEMPLATES_DIR"); env && is_valid_utf8(env)) {
    auto trimmed = trim(env);
    if (!trimmed.empty()) {
      std::filesystem::path dir{std::string(trimmed)};
      if (is_folder(dir)) return dir;
    }
  }
  if (auto home = user_home()) {
    auto dir = *home / "Templates";
    if (is_folder(dir)) return dir;
  }
  return std::nullopt;
}

std::string workspace_place_label(const std::filesystem::path& root) {
  auto name = root.filename();
  if (name.empty()) name = root.parent_path().filename();
  if (name.empty()) return tr("files-place-workspace");
  return utf8_lossy(name.native());
}

}  // namespace fe
