#include "native_observer/observer_snapshot.h"

#include <sodium.h>

#include <nlohmann/json.hpp>

#include "model/utf8.h"

namespace fe {
namespace {

using ordered = nlohmann::ordered_json;

ordered rect_json(const vemo_ui::Rect& r) {
  return ordered::array({r.x0, r.y0, r.x1, r.y1});
}

}  // namespace

std::array<std::uint8_t, 32> order_hash(std::span<const FileEntry> entries) {
  crypto_hash_sha256_state state;
  crypto_hash_sha256_init(&state);
  for (const FileEntry& e : entries) {
    std::uint64_t len = e.name.size();
    unsigned char le[8];
    for (int i = 0; i < 8; ++i) le[i] = static_cast<unsigned char>(len >> (8 * i));
    crypto_hash_sha256_update(&state, le, sizeof le);
    crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char*>(e.name.data()), e.name.size());
    const unsigned char kind = e.is_dir ? 1 : 0;
    crypto_hash_sha256_update(&state, &kind, 1);
  }
  std::array<std::uint8_t, 32> out{};
  crypto_hash_sha256_final(&state, out.data());
  return out;
}

std::string order_hash_hex(std::span<const FileEntry> entries) {
  auto digest = order_hash(entries);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(64);
  for (auto b : digest) {
    hex.push_back(kHex[b >> 4]);
    hex.push_back(kHex[b & 15]);
  }
  return hex;
}

bool snapshot_ready(const ObserverInput& in) {
  if (in.loading || in.has_error) return false;
  if (!in.root_rect.is_valid()) return false;
  if (!in.viewport_rect || !in.viewport_rect->is_valid()) return false;
  if (!in.content_rect || !in.content_rect->is_valid()) return false;
  return true;
}

std::string build_observer_snapshot(const ObserverInput& in) {
  static const std::vector<FileEntry> kNone;
  const auto& entries = in.entries ? *in.entries : kNone;
  ordered selected_indices = ordered::array();
  ordered selected_names = ordered::array();
  for (std::size_t i : in.selected) {
    selected_indices.push_back(i);
    selected_names.push_back(i < entries.size() ? entries[i].name : std::string());
  }
  ordered o;
  o["app"] = "vemo.file-explorer";
  o["view_id"] = "file_view";
  o["directory"] = utf8_lossy(in.directory);
  o["entry_count"] = entries.size();
  o["order_hash"] = order_hash_hex(entries);
  o["hash_algorithm"] = "sha256";
  o["ready"] = snapshot_ready(in);
  o["is_loading"] = in.loading;
  o["has_error"] = in.has_error;
  o["thumbnail_pending"] = in.thumbnail_pending ? ordered(*in.thumbnail_pending) : ordered(nullptr);
  o["selected_indices"] = std::move(selected_indices);
  o["selected_names"] = std::move(selected_names);
  o["primary_index"] = in.primary ? ordered(*in.primary) : ordered(nullptr);
  o["offset_x"] = in.offset.x;
  o["offset_y"] = in.offset.y;
  o["offset_units"] = "pixels";
  o["last_cursor"] = ordered::array({in.last_cursor.x, in.last_cursor.y});
  o["root_rect"] = rect_json(in.root_rect);
  o["viewport_rect"] = in.viewport_rect ? rect_json(*in.viewport_rect) : ordered(nullptr);
  o["content_rect"] = in.content_rect ? rect_json(*in.content_rect) : ordered(nullptr);
  o["view_mode"] = in.view_mode;
  o["sort_by"] = std::string(sort_key_name(in.sort_key));
  o["sort_order"] = std::string(sort_order_name(in.sort_order));
  return o.dump(-1, ' ', false, ordered::error_handler_t::replace);
}

}  // namespace fe
