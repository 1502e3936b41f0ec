#include "favorites/favorites.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "i18n/i18n.h"
#include "model/path_compare.h"
#include "model/utf8.h"
#include "vemo_ui/offscreen.h"

namespace fe {
namespace {

// A favourites file is a short list of paths; anything larger is not ours to parse.
constexpr std::size_t kMaxFileBytes = 1 << 20;

FavouriteKind kind_of(vemo_ui::sysdirs::PlaceKind kind) {
  using P = vemo_ui::sysdirs::PlaceKind;
  switch (kind) {
    case P::Home:
      return FavouriteKind::Home;
    case P::Desktop:
      return FavouriteKind::Desktop;
    case P::Documents:
      return FavouriteKind::Documents;
    case P::Downloads:
      return FavouriteKind::Downloads;
    case P::Pictures:
      return FavouriteKind::Pictures;
    case P::Music:
      return FavouriteKind::Music;
    case P::Videos:
      return FavouriteKind::Videos;
    case P::Folder:
      return FavouriteKind::Folder;
  }
  return FavouriteKind::Folder;
}

std::string_view trim(std::string_view s) {
  const char* ws = " \t\r\n\f\v";
  auto b = s.find_first_not_of(ws);
  if (b == std::string_view::npos) return {};
  auto e = s.find_last_not_of(ws);
  return s.substr(b, e - b + 1);
}

std::optional<std::string> read_bounded(const std::filesystem::path& file) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char buf[16384];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buf, static_cast<std::size_t>(n));
    if (bytes.size() > kMaxFileBytes) {
      ::close(fd);
      return std::nullopt;
    }
  }
  ::close(fd);
  return bytes;
}

}  // namespace

std::filesystem::path favourites_file(const std::filesystem::path& config_folder) {
  return config_folder / "favorites";
}

Favourite label_favourite(const std::filesystem::path& path, const vemo_ui::sysdirs::UserDirs& dirs) {
  if (dirs.home() && same_path(path, *dirs.home())) return {path, tr("files-place-home"), FavouriteKind::Home, true};
  std::string label = utf8_lossy(path.filename().native());
  if (label.empty()) label = utf8_lossy(path.native());
  auto kind = dirs.classify(path);
  return {path, std::move(label), kind ? kind_of(*kind) : FavouriteKind::Folder, false};
}

std::vector<Favourite> default_favourites(const vemo_ui::sysdirs::UserDirs& dirs) {
  std::vector<Favourite> out;
  if (!dirs.home()) return out;
  out.push_back({*dirs.home(), tr("files-place-home"), FavouriteKind::Home, true});
  for (const auto& place : dirs.content_places()) out.push_back({place.path, place.label, kind_of(place.kind), false});
  return out;
}

FavouritesStore::FavouritesStore(std::optional<std::filesystem::path> config_folder, vemo_ui::sysdirs::UserDirs dirs)
    : config_folder_(std::move(config_folder)), dirs_(std::move(dirs)) {
  if (config_folder_) {
    if (auto text = read_bounded(favourites_file(*config_folder_))) {
      std::istringstream lines(*text);
      std::string line;
      while (std::getline(lines, line)) {
        auto trimmed = trim(line);
        if (!trimmed.empty()) items_.push_back(label_favourite(std::filesystem::path(std::string(trimmed)), dirs_));
      }
    }
  }
  if (items_.empty()) items_ = default_favourites(dirs_);
}

bool FavouritesStore::contains(const std::filesystem::path& path) const {
  return std::ranges::any_of(items_, [&](const Favourite& f) { return same_path(f.path, path); });
}

bool FavouritesStore::add(const std::filesystem::path& path) {
  if (contains(path)) return false;
  items_.push_back(label_favourite(path, dirs_));
  save();
  return true;
}

bool FavouritesStore::remove(const std::filesystem::path& path) {
  auto removed = std::erase_if(items_, [&](const Favourite& f) { return same_path(f.path, path); });
  if (removed == 0) return false;
  save();
  return true;
}

bool FavouritesStore::move(std::size_t from, std::size_t to) {
  if (from >= items_.size() || to >= items_.size()) return false;
  Favourite moved = std::move(items_[from]);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(from));
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
  save();
  return true;
}

void FavouritesStore::save() const {
  if (!config_folder_) return;
  std::string text;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (i) text.push_back('\n');
    text += utf8_lossy(items_[i].path.native());
  }
  // A write failure leaves the in-memory list as it is.
  (void)vemo_ui::write_file_atomic(favourites_file(*config_folder_),
                                   std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace fe
