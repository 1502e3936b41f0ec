#include "fileops/rename_item.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include "fileops/names.h"
#include "i18n/i18n.h"
#include "model/utf8.h"

namespace fe {
namespace {

std::string system_text(int error) {
  return std::string(std::strerror(error));
}

std::string name_exists(const std::string& name) {
  return tr_args("files-name-exists", {{"name", utf8_lossy(name)}});
}

// Whether `target` is only another spelling of `source`: both are the same inode and, when their
// canonical paths differ, the inode has no other name that `target` could be. Linux resolves a path
// as it is spelt, so on a case-folding file system "A.txt" and "a.txt" keep different canonical
// paths although they reach one entry.
bool same_item(const std::filesystem::path& source, const struct stat& source_st, const std::filesystem::path& target,
               const struct stat& target_st) {
  if (source_st.st_dev != target_st.st_dev || source_st.st_ino != target_st.st_ino) return false;
  std::error_code source_error, target_error;
  const auto canonical_source = std::filesystem::canonical(source, source_error);
  const auto canonical_target = std::filesystem::canonical(target, target_error);
  if (!source_error && !target_error && canonical_source == canonical_target) return true;
  // A second hard link in the folder is a different entry: renaming onto it would quietly do nothing.
  return S_ISDIR(source_st.st_mode) || source_st.st_nlink == 1;
}

}  // namespace

std::expected<std::filesystem::path, std::string> rename_item(const std::filesystem::path& source,
                                                              std::string_view typed) {
  auto name = validate_name(typed);
  if (!name) return std::unexpected(std::move(name.error()));

  const auto file_name = source.filename();
  const auto parent = source.parent_path();
  if (file_name.empty() || file_name == "." || file_name == ".." || parent.empty()) {
    return std::unexpected(tr("files-no-parent"));
  }
  const auto target = parent / *name;
  if (target == source) return target;

  struct stat target_st;
  if (::fstatat(AT_FDCWD, target.c_str(), &target_st, AT_SYMLINK_NOFOLLOW) == 0) {
    struct stat source_st;
    if (::fstatat(AT_FDCWD, source.c_str(), &source_st, AT_SYMLINK_NOFOLLOW) != 0) {
      return std::unexpected(system_text(errno));
    }
    if (S_ISLNK(target_st.st_mode) || S_ISLNK(source_st.st_mode) || !same_item(source, source_st, target, target_st)) {
      return std::unexpected(name_exists(*name));
    }
    // The no-replace rename would refuse: the target name resolves to the source's own entry.
    if (::rename(source.c_str(), target.c_str()) != 0) return std::unexpected(system_text(errno));
    return target;
  }
  if (const int error = errno; error != ENOENT) {
    return std::unexpected(tr_args("files-destination-inspect-failed",
                                   {{"path", utf8_lossy(target.native())}, {"error", system_text(error)}}));
  }

  // No replacing rename: an item that appeared since the check above stays where it is.
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return target;
  const int error = errno;
  if (error == EEXIST) return std::unexpected(name_exists(*name));
  return std::unexpected(system_text(error));
}

}  // namespace fe
