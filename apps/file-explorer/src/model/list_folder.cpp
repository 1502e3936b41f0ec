#include "model/list_folder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "model/collab_attributes.h"
#include "model/dir_reader.h"
#include "model/local_time_cache.h"
#include "model/utf8.h"

namespace fe {

std::expected<std::vector<FileEntry>, std::error_code> list_folder(const std::filesystem::path& folder,
                                                                   bool read_collaborative) {
  auto listing = DirListing::read(folder);
  if (!listing) return std::unexpected(listing.error());

  MediaTypeGuesser guesser;
  LocalTimeCache times;
  std::vector<FileEntry> entries;
  entries.reserve(listing->size());
  const std::string& folder_text = folder.native();
  for (const RawDirItem& item : listing->items()) {
    FileEntry& entry = entries.emplace_back();
    entry.path = CompactPath::join(folder_text, item.name);
    // fstatat takes a NUL-terminated name: the path's tail is exactly that.
    const char* name_z = entry.path.c_str() + (entry.path.native().size() - item.name.size());
    struct stat st;
    if (::fstatat(listing->fd(), name_z, &st, AT_SYMLINK_NOFOLLOW) == 0) {
      entry.is_dir = S_ISDIR(st.st_mode);
      entry.size = static_cast<std::uint64_t>(st.st_size);
      entry.modified = times.convert(st.st_mtim.tv_sec, static_cast<std::uint32_t>(st.st_mtim.tv_nsec));
    }
    entry.name = is_valid_utf8(item.name) ? std::string(item.name) : utf8_lossy(item.name);
    entry.mime = guesser.guess(entry.name);
    if (read_collaborative) read_collaborative_fields(entry.path.c_str(), entry.is_dir, entry);
  }
  return entries;
}

std::optional<ArchiveLocation> archive_location(const std::filesystem::path& /*path*/) {
  return std::nullopt;
}

}  // namespace fe
