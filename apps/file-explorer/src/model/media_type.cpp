#include "model/media_type.h"

#include <gio/gio.h>

#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace fe {
namespace {

struct TransparentHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};

// Interned texts live as long as the process; node-based storage keeps their addresses stable.
struct InternTable {
  std::mutex mutex;
  std::unordered_set<std::string, TransparentHash, std::equal_to<>> texts;
};

InternTable& intern_table() {
  static auto* table = new InternTable;  // never destroyed: entries may outlive static destruction
  return *table;
}

const std::string* intern(std::string_view text) {
  InternTable& table = intern_table();
  std::lock_guard lock(table.mutex);
  auto it = table.texts.find(text);
  if (it == table.texts.end()) it = table.texts.emplace(text).first;
  return &*it;
}

const std::string* octet_stream() {
  static const std::string* text = intern(kOctetStream);
  return text;
}

// Used when the shared-mime-info database is missing or knows nothing of an extension.
std::string_view builtin_type(std::string_view ext) {
  struct Row {
    std::string_view ext, type;
  };
  static constexpr Row rows[] = {
      {"txt", "text/plain"},
      {"md", "text/markdown"},
      {"html", "text/html"},
      {"htm", "text/html"},
      {"css", "text/css"},
      {"csv", "text/csv"},
      {"json", "application/json"},
      {"xml", "application/xml"},
      {"pdf", "application/pdf"},
      {"zip", "application/zip"},
      {"tar", "application/x-tar"},
      {"gz", "application/gzip"},
      {"tgz", "application/x-compressed-tar"},
      {"png", "image/png"},
      {"jpg", "image/jpeg"},
      {"jpeg", "image/jpeg"},
      {"gif", "image/gif"},
      {"webp", "image/webp"},
      {"svg", "image/svg+xml"},
      {"mp3", "audio/mpeg"},
      {"ogg", "audio/ogg"},
      {"wav", "audio/x-wav"},
      {"flac", "audio/flac"},
      {"mp4", "video/mp4"},
      {"webm", "video/webm"},
      {"mkv", "video/x-matroska"},
  };
  std::string lowered(ext);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  for (const Row& row : rows) {
    if (row.ext == lowered) return row.type;
  }
  return {};
}

const std::string* guess_uncached(std::string_view ext) {
  std::string name = "x.";
  name.append(ext);
  gboolean uncertain = FALSE;
  gchar* content_type = g_content_type_guess(name.c_str(), nullptr, 0, &uncertain);
  const std::string* result = nullptr;
  if (content_type != nullptr) {
    gchar* mime = g_content_type_get_mime_type(content_type);
    if (mime != nullptr && kOctetStream != mime) result = intern(mime);
    g_free(mime);
    g_free(content_type);
  }
  if (result == nullptr) {
    const std::string_view fallback = builtin_type(ext);
    result = fallback.empty() ? octet_stream() : intern(fallback);
  }
  return result;
}

struct SharedCache {
  std::mutex mutex;
  std::unordered_map<std::string, const std::string*, TransparentHash, std::equal_to<>> by_extension;
};

SharedCache& shared_cache() {
  static auto* cache = new SharedCache;
  return *cache;
}

const std::string* guess_for_extension(std::string_view ext) {
  if (ext.empty()) return octet_stream();
  SharedCache& cache = shared_cache();
  {
    std::lock_guard lock(cache.mutex);
    if (auto it = cache.by_extension.find(ext); it != cache.by_extension.end()) return it->second;
  }
  // GIO is asked outside the lock; two threads racing on one extension get the same interned text.
  const std::string* type = guess_uncached(ext);
  std::lock_guard lock(cache.mutex);
  cache.by_extension.emplace(std::string(ext), type);
  return type;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, MediaType type) {
  return out << type.text();
}

MediaType::MediaType() noexcept : text_(octet_stream()) {}

MediaType::MediaType(std::string_view text) : text_(intern(text)) {}

std::string_view name_extension(std::string_view name) noexcept {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return {};
  return name.substr(dot + 1);
}

MediaType guess_media_type(std::string_view name) {
  return MediaType(MediaType::Interned{}, guess_for_extension(name_extension(name)));
}

struct MediaTypeGuesser::Cache {
  std::unordered_map<std::string, MediaType, TransparentHash, std::equal_to<>> by_extension;
};

MediaTypeGuesser::MediaTypeGuesser() : cache_(new Cache) {}

MediaTypeGuesser::~MediaTypeGuesser() {
  delete cache_;
}

MediaType MediaTypeGuesser::guess(std::string_view name) {
  const std::string_view ext = name_extension(name);
  if (ext.empty()) return MediaType();
  if (auto it = cache_->by_extension.find(ext); it != cache_->by_extension.end()) return it->second;
  const MediaType type = guess_media_type(name);
  cache_->by_extension.emplace(std::string(ext), type);
  return type;
}

}  // namespace fe
