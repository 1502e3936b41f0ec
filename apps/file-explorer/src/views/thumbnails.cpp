#include "views/thumbnails.h"

#include <sys/xattr.h>

#include <cerrno>

#include "model/workspace.h"
#include "thumbnail/category.h"

namespace fe {
namespace {

constexpr char kThumbAttribute[] = "user.vemo.thumb";
// The kernel refuses attribute values above 64 KiB.
constexpr std::size_t kThumbAttributeMaxBytes = 65536;

// Days from 1970-01-01 to a proleptic Gregorian date.
std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::optional<std::vector<std::uint8_t>> read_thumb_attribute(const std::string& path) {
  std::vector<std::uint8_t> buf(kThumbAttributeMaxBytes);
  const ssize_t n = ::lgetxattr(path.c_str(), kThumbAttribute, buf.data(), buf.size());
  if (n <= 0) return std::nullopt;
  buf.resize(static_cast<std::size_t>(n));
  return buf;
}

}  // namespace

std::int64_t modification_ms(const std::optional<LocalDateTime>& time) {
  if (!time) return 0;
  const std::int64_t days = days_from_civil(time->year, time->month, time->day);
  const std::int64_t secs = days * 86400 + time->hour * 3600 + time->minute * 60 + time->second -
                            static_cast<std::int64_t>(time->utc_offset_seconds);
  const std::int64_t ms = secs * 1000 + time->nanosecond / 1'000'000;
  return ms < 0 ? 0 : ms;
}

thumbnail::Key thumbnail_key(const FileEntry& entry, const thumbnail::ThumbnailService& service) {
  if (entry.content_hash) return service.content_key(*entry.content_hash);
  return service.file_key(entry.path.fs(), modification_ms(entry.modified), entry.size);
}

const vemo_ui::Image* thumbnail_for(const FileEntry& entry, const ThumbnailHandles& handles) {
  if (entry.is_dir || !handles.service || !handles.images) return nullptr;
  thumbnail::ThumbnailService& service = *handles.service;
  const thumbnail::Key key = thumbnail_key(entry, service);
  auto& images = handles.images->images;
  if (auto it = images.find(key); it != images.end()) return &it->second;
  if (auto ready = service.ready(key)) {
    if (images.size() >= ThumbnailImages::kMaxImages) images.clear();
    auto [it, inserted] = images.emplace(
        key, vemo_ui::Image::from_rgba(ready->rgba.data(), ready->width, ready->height, ready->width * 4));
    return &it->second;
  }
  if (service.known(key)) return nullptr;
  const thumbnail::Category category = thumbnail::category_for(entry.path.native());
  if (in_workspace(entry.path.fs(), handles.workspace_roots)) {
    // The workspace keeps a preview beside the content, which may not be local at all.
    service.request_loaded(
        key, [path = entry.path.native()] { return read_thumb_attribute(path); }, category);
  } else {
    service.request_file(key, entry.path.fs(), category);
  }
  return nullptr;
}

}  // namespace fe
