#include "places/typed_path.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <dirent.h>
#include <algorithm>
#include <cstring>

#include "model/case_fold.h"
#include "model/dir_reader.h"
#include "model/sort_entries.h"
#include "model/utf8.h"

namespace fe {

std::filesystem::path expand_tilde(std::string_view text, const std::optional<std::filesystem::path>& home) {
  if (!home) return std::filesystem::path(text);
  if (text == "~") return *home;
  if (text.starts_with("~/")) return *home / std::filesystem::path(text.substr(2));
  return std::filesystem::path(text);
}

std::filesystem::path resolve_typed_path(std::string_view text, const std::optional<std::filesystem::path>& home,
                                         const std::filesystem::path& current) {
  return current / expand_tilde(text, home);
}

std::filesystem::path tidy_location(const std::filesystem::path& path) {
  std::filesystem::path tidy = path.lexically_normal();
  if (!tidy.has_filename() && tidy.has_relative_path()) tidy = tidy.parent_path();
  return tidy;
}

namespace {

struct Candidate {
  std::uint32_t item;  // index into the listing
  std::uint32_t key_offset;
  std::uint32_t key_length;
  bool is_dir;
};

bool kind_is_dir(int dir_fd, const RawDirItem& item) {
  if (item.type != DT_UNKNOWN) return item.type == DT_DIR;  // the item's own kind, links not followed
  const std::string name(item.name);
  struct stat st;
  return ::fstatat(dir_fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::vector<PathCompletion> path_completions(std::string_view text, const std::optional<std::filesystem::path>& home) {
  std::filesystem::path folder;
  std::string_view prefix;
  const std::size_t slash = text.rfind('/');
  if (text.empty() || text == "~" || slash == std::string_view::npos) {
    folder = expand_tilde(text, home);
  } else {
    folder = expand_tilde(text.substr(0, slash + 1), home);
    prefix = text.substr(slash + 1);
  }

  auto listing = DirListing::read(folder);
  if (!listing) return {};

  const bool offer_hidden = prefix.starts_with('.');
  const std::string lowered_prefix = lower_case(prefix);
  std::string keys;
  std::vector<Candidate> candidates;
  const auto& items = listing->items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const RawDirItem& item = items[i];
    if (!offer_hidden && is_hidden_name(item.name)) continue;
    const std::size_t start = keys.size();
    if (is_valid_utf8(item.name)) {
      append_lower_case(item.name, keys);
    } else {
      append_lower_case(utf8_lossy(item.name), keys);
    }
    const std::string_view key(keys.data() + start, keys.size() - start);
    if (!key.starts_with(lowered_prefix)) {
      keys.resize(start);
      continue;
    }
    candidates.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(start),
                          static_cast<std::uint32_t>(key.size()), kind_is_dir(listing->fd(), item)});
  }

  // The index breaks ties, which makes the partial sort give exactly the stable order's first items.
  const char* base = keys.data();
  const auto less = [base](const Candidate& a, const Candidate& b) {
    if (a.is_dir != b.is_dir) return a.is_dir;
    const std::uint32_t n = std::min(a.key_length, b.key_length);
    const int c = std::memcmp(base + a.key_offset, base + b.key_offset, n);
    if (c != 0) return c < 0;
    if (a.key_length != b.key_length) return a.key_length < b.key_length;
    return a.item < b.item;
  };
  const std::size_t count = std::min(candidates.size(), kMaxPathCompletions);
  std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(count), candidates.end(),
                    less);

  std::vector<PathCompletion> out;
  out.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const RawDirItem& item = items[candidates[i].item];
    out.push_back({utf8_lossy(item.name), folder / std::filesystem::path(item.name), candidates[i].is_dir});
  }
  return out;
}

}  // namespace fe
