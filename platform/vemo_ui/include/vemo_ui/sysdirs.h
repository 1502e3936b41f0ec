#pragma once
// The user's standard folders, read from $XDG_CONFIG_HOME/user-dirs.dirs; home is $HOME.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vemo_ui::sysdirs {

enum class PlaceKind : unsigned char { Home, Desktop, Documents, Downloads, Pictures, Music, Videos, Folder };

struct ContentPlace {
  std::filesystem::path path;
  std::string label;
  PlaceKind kind;
};

class UserDirs {
 public:
  // Reads user-dirs.dirs of the given home (else the override, else the platform's home): the
  // platform's home uses $XDG_CONFIG_HOME when set, another home its own .config folder. A folder
  // the file does not name is home/Desktop, home/Documents, … only when that folder exists; one set
  // to home itself is turned off.
  static UserDirs from_system(std::optional<std::filesystem::path> home = std::nullopt);

  const std::optional<std::filesystem::path>& home() const { return home_; }
  // Documents, Downloads, Pictures, Music, Videos (in this order) that are set and not home itself.
  std::vector<ContentPlace> content_places() const;
  // The kind of a folder: Home, one of the content kinds (also Desktop), else none.
  std::optional<PlaceKind> classify(const std::filesystem::path& path) const;

  std::optional<std::filesystem::path> dir(PlaceKind kind) const;

 private:
  std::optional<std::filesystem::path> home_;
  std::optional<std::filesystem::path> desktop_, documents_, downloads_, pictures_, music_, videos_;
};

// A home folder set by the toolkit for this process (tests, fixtures). Starts as the absolute path in
// $VEMO_HOME_OVERRIDE when that is set, else none; set_user_home_override replaces it. Thread-safe.
std::optional<std::filesystem::path> user_home_override();
void set_user_home_override(std::optional<std::filesystem::path> home);
// The platform's home: $HOME when set and absolute, else the password database.
std::optional<std::filesystem::path> platform_home();
// $XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_STATE_HOME with their defaults below home.
std::optional<std::filesystem::path> config_dir();
std::optional<std::filesystem::path> data_dir();
std::optional<std::filesystem::path> state_dir();

}  // namespace vemo_ui::sysdirs
