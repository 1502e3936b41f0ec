#pragma once
// Reading one local folder into entries.

#include <expected>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "model/file_entry.h"

namespace fe {

// The items of `folder` in the order the directory yields them, unsorted and unfiltered. Each item
// is examined relative to the folder's descriptor without following links; an item whose metadata
// cannot be read is kept with size 0, no time and not a folder. With `read_collaborative` the
// "user.vemo.*" attributes are read too. Fails only when the folder cannot be opened; the error's
// message() is the system's text ("No such file or directory").
std::expected<std::vector<FileEntry>, std::error_code> list_folder(const std::filesystem::path& folder,
                                                                   bool read_collaborative);

// A folder inside an archive file: the archive and the path inside it (empty for the archive itself).
struct ArchiveLocation {
  std::filesystem::path archive;
  std::filesystem::path inner;
};

// The archive that `path` lies in, if any. Archive folders are browsed through the archives module;
// until it is linked into the model every path is taken as an ordinary folder.
std::optional<ArchiveLocation> archive_location(const std::filesystem::path& path);

}  // namespace fe
