#include "vemo_ui/sysdirs.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <system_error>

namespace vemo_ui::sysdirs {

namespace fs = std::filesystem;

namespace {

// user-dirs.dirs is a few hundred bytes; anything much larger is not one.
constexpr std::size_t kMaxUserDirsBytes = 64 * 1024;
constexpr std::size_t kMaxLineBytes = 4096;

// --- environment -----------------------------------------------------------------------------------

std::optional<fs::path> absolute_env(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return std::nullopt;
  return fs::path(value);
}

// Lexically normal, without a trailing separator, so that equal folders compare equal.
fs::path normal(const fs::path& p) {
  fs::path n = p.lexically_normal();
  if (n.has_relative_path() && !n.has_filename()) n = n.parent_path();
  return n;
}

// --- the home override slot ------------------------------------------------------------------------

struct HomeOverride {
  std::mutex mutex;
  std::optional<fs::path> home;
};

// VEMO_HOME_OVERRIDE (an absolute path) presets the override for the whole process, so that a
// program started by a test sees the test's home without a command-line option.
HomeOverride& home_override() {
  static HomeOverride* slot = [] {
    auto* s = new HomeOverride;
    if (auto env = absolute_env("VEMO_HOME_OVERRIDE")) s->home = normal(*env);
    return s;
  }();
  return *slot;
}

// --- user-dirs.dirs --------------------------------------------------------------------------------

struct DirKey {
  std::string_view name;
  PlaceKind kind;
  std::string_view conventional;  // the folder used when the file does not name one and it exists
};

constexpr std::array<DirKey, 6> kKeys{{
    {"XDG_DESKTOP_DIR", PlaceKind::Desktop, "Desktop"},
    {"XDG_DOCUMENTS_DIR", PlaceKind::Documents, "Documents"},
    {"XDG_DOWNLOAD_DIR", PlaceKind::Downloads, "Downloads"},
    {"XDG_PICTURES_DIR", PlaceKind::Pictures, "Pictures"},
    {"XDG_MUSIC_DIR", PlaceKind::Music, "Music"},
    {"XDG_VIDEOS_DIR", PlaceKind::Videos, "Videos"},
}};

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view skip_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  return s;
}

// One line `KEY="$HOME/rel"` or `KEY="/abs"`, values shell-quoted with backslash escapes. Answers
// the key and the folder; nothing for comments, other keys and lines of any other shape.
struct ParsedLine {
  std::size_t key_index;
  fs::path folder;
};

std::optional<ParsedLine> parse_line(std::string_view line, const fs::path& home) {
  line = skip_blanks(line);
  if (line.empty() || line.front() == '#') return std::nullopt;
  std::optional<std::size_t> key_index;
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (line.starts_with(kKeys[i].name)) {
      const std::string_view rest = line.substr(kKeys[i].name.size());
      if (!rest.empty() && (rest.front() == '=' || is_blank(rest.front()))) {
        key_index = i;
        line = rest;
        break;
      }
    }
  }
  if (!key_index) return std::nullopt;
  line = skip_blanks(line);
  if (line.empty() || line.front() != '=') return std::nullopt;
  line = skip_blanks(line.substr(1));
  if (line.empty() || line.front() != '"') return std::nullopt;
  line.remove_prefix(1);

  bool relative = false;
  if (line.starts_with("$HOME") && line.size() > 5 && (line[5] == '/' || line[5] == '"')) {
    relative = true;
    line.remove_prefix(5);
  } else if (line.empty() || line.front() != '/') {
    return std::nullopt;
  }

  std::string value;
  bool closed = false;
  while (!line.empty()) {
    char c = line.front();
    line.remove_prefix(1);
    if (c == '"') {
      closed = true;
      break;
    }
    if (c == '\\') {
      if (line.empty()) return std::nullopt;
      c = line.front();
      line.remove_prefix(1);
    }
    value.push_back(c);
  }
  if (!closed) return std::nullopt;
  line = skip_blanks(line);
  if (!line.empty() && line.front() != '#') return std::nullopt;

  fs::path folder = relative ? fs::path(home.native() + value) : fs::path(value);
  return ParsedLine{*key_index, normal(folder)};
}

// Reads at most kMaxUserDirsBytes of the file; nothing when it cannot be read or is larger.
std::optional<std::string> read_bounded(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  std::string text;
  std::array<char, 4096> buf{};
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    if (n == 0) break;
    text.append(buf.data(), static_cast<std::size_t>(n));
    if (text.size() > kMaxUserDirsBytes) {
      ok = false;
      break;
    }
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return text;
}

bool is_folder(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

}  // namespace

// --- UserDirs --------------------------------------------------------------------------------------

UserDirs UserDirs::from_system(std::optional<fs::path> home) {
  UserDirs dirs;
  if (!home) home = user_home_override();
  const bool platform = !home;
  if (!home) home = platform_home();
  if (!home || home->empty() || !home->is_absolute()) return dirs;
  dirs.home_ = normal(*home);
  const fs::path& h = *dirs.home_;

  // $XDG_CONFIG_HOME belongs to the platform's home; another home keeps its file under .config.
  fs::path config = h / ".config";
  if (platform) {
    if (auto env = absolute_env("XDG_CONFIG_HOME")) config = *env;
  }

  // One slot per key: unset (take the conventional folder when it exists), or set (maybe disabled).
  std::array<std::optional<std::optional<fs::path>>, kKeys.size()> found;
  if (auto text = read_bounded(config / "user-dirs.dirs")) {
    std::string_view rest = *text;
    while (!rest.empty()) {
      const std::size_t eol = rest.find('\n');
      std::string_view line = rest.substr(0, eol);
      if (line.ends_with('\r')) line.remove_suffix(1);  // edited on another system
      rest = eol == std::string_view::npos ? std::string_view{} : rest.substr(eol + 1);
      if (line.size() > kMaxLineBytes || line.find('\0') != std::string_view::npos) continue;
      if (auto parsed = parse_line(line, h)) {
        // A folder equal to home means the user turned that folder off.
        auto& slot = found[parsed->key_index];
        if (parsed->folder == h) {
          slot.emplace(std::nullopt);
        } else {
          slot.emplace(parsed->folder);
        }
      }
    }
  }

  std::array<std::optional<fs::path>*, kKeys.size()> slots{&dirs.desktop_,  &dirs.documents_, &dirs.downloads_,
                                                           &dirs.pictures_, &dirs.music_,     &dirs.videos_};
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (found[i]) {
      *slots[i] = *found[i];
    } else if (fs::path conventional = h / kKeys[i].conventional; is_folder(conventional)) {
      *slots[i] = conventional;
    }
  }
  return dirs;
}

std::optional<fs::path> UserDirs::dir(PlaceKind kind) const {
  switch (kind) {
    case PlaceKind::Home:
      return home_;
    case PlaceKind::Desktop:
      return desktop_;
    case PlaceKind::Documents:
      return documents_;
    case PlaceKind::Downloads:
      return downloads_;
    case PlaceKind::Pictures:
      return pictures_;
    case PlaceKind::Music:
      return music_;
    case PlaceKind::Videos:
      return videos_;
    case PlaceKind::Folder:
      return std::nullopt;
  }
  return std::nullopt;
}

std::vector<ContentPlace> UserDirs::content_places() const {
  std::vector<ContentPlace> places;
  for (PlaceKind kind :
       {PlaceKind::Documents, PlaceKind::Downloads, PlaceKind::Pictures, PlaceKind::Music, PlaceKind::Videos}) {
    const std::optional<fs::path> folder = dir(kind);
    if (!folder || folder == home_) continue;
    // The folder's own name, so that localized folders ("Dokumente") show as the user named them.
    std::string label = folder->filename().string();
    if (label.empty()) label = folder->string();
    places.push_back({*folder, std::move(label), kind});
  }
  return places;
}

std::optional<PlaceKind> UserDirs::classify(const fs::path& path) const {
  if (path.empty()) return std::nullopt;
  const fs::path p = normal(path);
  for (PlaceKind kind : {PlaceKind::Home, PlaceKind::Desktop, PlaceKind::Documents, PlaceKind::Downloads,
                         PlaceKind::Pictures, PlaceKind::Music, PlaceKind::Videos}) {
    if (dir(kind) == p) return kind;
  }
  return std::nullopt;
}

// --- process-wide folders --------------------------------------------------------------------------

std::optional<fs::path> user_home_override() {
  HomeOverride& slot = home_override();
  std::lock_guard lock(slot.mutex);
  return slot.home;
}

void set_user_home_override(std::optional<fs::path> home) {
  HomeOverride& slot = home_override();
  std::lock_guard lock(slot.mutex);
  slot.home = home ? std::optional(normal(*home)) : std::nullopt;
}

std::optional<fs::path> platform_home() {
  if (auto env = absolute_env("HOME")) return normal(*env);
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::string buf(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
  passwd entry{};
  passwd* result = nullptr;
  while (::getpwuid_r(::getuid(), &entry, buf.data(), buf.size(), &result) == ERANGE && buf.size() < (1u << 20)) {
    buf.resize(buf.size() * 2);
  }
  if (result == nullptr || result->pw_dir == nullptr || result->pw_dir[0] != '/') return std::nullopt;
  return normal(fs::path(result->pw_dir));
}

namespace {
std::optional<fs::path> xdg_dir(const char* env, const char* below_home) {
  if (auto dir = absolute_env(env)) return normal(*dir);
  if (auto home = platform_home()) return *home / below_home;
  return std::nullopt;
}
}  // namespace

std::optional<fs::path> config_dir() {
  return xdg_dir("XDG_CONFIG_HOME", ".config");
}
std::optional<fs::path> data_dir() {
  return xdg_dir("XDG_DATA_HOME", ".local/share");
}
std::optional<fs::path> state_dir() {
  return xdg_dir("XDG_STATE_HOME", ".local/state");
}

}  // namespace vemo_ui::sysdirs
