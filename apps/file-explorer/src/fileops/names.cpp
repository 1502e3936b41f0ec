#include "fileops/names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "i18n/i18n.h"
#include "model/dir_reader.h"
#include "model/utf8.h"

namespace fe {
namespace {

// The largest numbered name tried; beyond it the user has to choose.
constexpr int kLastNumber = 9999;

// No UTF-8 sequence is longer, so decoding one code point never needs a wider window; this keeps
// ICU's 32-bit offsets safe whatever the length of the text.
constexpr std::size_t kMaxSequence = 4;

bool is_white_space(UChar32 c) {
  return c >= 0 && u_isUWhiteSpace(c);
}

std::string inspect_failed(const std::filesystem::path& path, int error) {
  return tr_args("files-destination-inspect-failed",
                 {{"path", utf8_lossy(path.native())}, {"error", std::string(std::strerror(error))}});
}

// Whether `name` exists inside the folder open as `folder_fd`, without following a final link.
std::expected<bool, std::string> exists_in(int folder_fd, const std::string& name,
                                           const std::filesystem::path& folder) {
  struct stat st;
  if (::fstatat(folder_fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return true;
  const int error = errno;
  if (error == ENOENT) return false;
  return std::unexpected(inspect_failed(folder / name, error));
}

}  // namespace

std::string_view trim_white_space(std::string_view text) noexcept {
  while (!text.empty()) {
    const auto window = text.substr(0, kMaxSequence);
    int32_t i = 0;
    UChar32 c;
    U8_NEXT(window.data(), i, static_cast<int32_t>(window.size()), c);
    if (!is_white_space(c)) break;
    text.remove_prefix(static_cast<std::size_t>(i));
  }
  while (!text.empty()) {
    const auto window = text.substr(text.size() - std::min(text.size(), kMaxSequence));
    auto i = static_cast<int32_t>(window.size());
    UChar32 c;
    U8_PREV(window.data(), 0, i, c);
    if (!is_white_space(c)) break;
    text.remove_suffix(window.size() - static_cast<std::size_t>(i));
  }
  return text;
}

std::expected<std::string, std::string> validate_name(std::string_view text) {
  const auto name = trim_white_space(text);
  if (name.empty()) return std::unexpected(tr("files-name-empty"));
  if (name.find('/') != std::string_view::npos) return std::unexpected(tr("files-name-slash"));
  // A NUL would end the name early at the system call, naming some other item.
  if (name == "." || name == ".." || name.find('\0') != std::string_view::npos) {
    return std::unexpected(tr("files-name-invalid"));
  }
  return std::string(name);
}

std::expected<bool, std::string> destination_exists(const std::filesystem::path& path) {
  struct stat st;
  if (::fstatat(AT_FDCWD, path.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return true;
  const int error = errno;
  if (error == ENOENT) return false;
  return std::unexpected(inspect_failed(path, error));
}

std::expected<std::filesystem::path, std::string> unique_destination(const std::filesystem::path& folder,
                                                                     std::string_view name) {
  // Candidates are probed relative to the folder, so `name` must not reach outside it.
  if (name.empty() || name == "." || name == ".." || name.find_first_of(std::string_view("/\0", 2)) != name.npos) {
    return std::unexpected(tr("files-name-invalid"));
  }
  // One descriptor for every probe: the folder path is resolved once, not up to 9999 times.
  const UniqueFd folder_fd(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!folder_fd.valid()) return std::unexpected(inspect_failed(folder, errno));

  std::string candidate(name);
  auto taken = exists_in(folder_fd.get(), candidate, folder);
  if (!taken) return std::unexpected(std::move(taken.error()));
  if (!*taken) return folder / candidate;

  const auto dot = name.rfind('.');
  const bool has_extension = dot != std::string_view::npos && dot != 0;
  const std::string stem = utf8_lossy(has_extension ? name.substr(0, dot) : name);
  const std::string extension = has_extension ? utf8_lossy(name.substr(dot + 1)) : std::string();
  for (int n = 2; n <= kLastNumber; ++n) {
    candidate = stem + ' ' + std::to_string(n);
    if (has_extension) candidate += '.' + extension;
    taken = exists_in(folder_fd.get(), candidate, folder);
    if (!taken) return std::unexpected(std::move(taken.error()));
    if (!*taken) return folder / candidate;
  }
  return std::unexpected(tr_args("files-destination-names-exhausted",
                                 {{"name", utf8_lossy(name)}, {"path", utf8_lossy(folder.native())}}));
}

}  // namespace fe
