#pragma once
// The favourites: the user's pinned folders, shown first in the sidebar. Kept in the configuration
// folder as UTF-8 text, one path per line; loaded once and written back after every change.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "vemo_ui/sysdirs.h"

namespace fe {

enum class FavouriteKind : unsigned char { Home, Desktop, Documents, Downloads, Pictures, Music, Videos, Folder };

struct Favourite {
  std::filesystem::path path;
  std::string label;
  FavouriteKind kind = FavouriteKind::Folder;
  bool is_home = false;

  friend bool operator==(const Favourite&, const Favourite&) = default;
};

// The favourites file inside a configuration folder ("…/vemo-files" → "…/vemo-files/favorites").
std::filesystem::path favourites_file(const std::filesystem::path& config_folder);

// Label and kind of a path: home is "Home" (kind home); others their last component and the kind
// the user-folder classification gives them.
Favourite label_favourite(const std::filesystem::path& path, const vemo_ui::sysdirs::UserDirs& dirs);

// Home first, then the user's content folders; empty without a known home.
std::vector<Favourite> default_favourites(const vemo_ui::sysdirs::UserDirs& dirs);

class FavouritesStore {
 public:
  // Loads the file of `config_folder` (none: defaults only, never saved).
  FavouritesStore(std::optional<std::filesystem::path> config_folder, vemo_ui::sysdirs::UserDirs dirs);

  const std::vector<Favourite>& items() const { return items_; }
  bool contains(const std::filesystem::path& path) const;

  // Appends the folder unless it is already listed; answers whether it was added.
  bool add(const std::filesystem::path& path);
  // Drops every favourite with this path; answers whether any was dropped.
  bool remove(const std::filesystem::path& path);
  // Moves the favourite at `from` to index `to`; both must name rows.
  bool move(std::size_t from, std::size_t to);

 private:
  void save() const;

  std::optional<std::filesystem::path> config_folder_;
  vemo_ui::sysdirs::UserDirs dirs_;
  std::vector<Favourite> items_;
};

}  // namespace fe
