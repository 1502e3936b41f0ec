#include "model/sort_entries.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "model/case_fold.h"

namespace fe {
namespace {

// One sort item per entry: the index into the original list, a precomputed key, and the folder
// flag. Sorting these small items and moving each entry once is far cheaper than sorting entries.
struct NameItem {
  std::uint64_t prefix;  // first 8 key bytes, big-endian, zero-padded (names hold no NUL)
  std::uint32_t index;
  std::uint32_t key_offset;  // lower-cased name in the shared key buffer
  std::uint32_t key_length;
  bool is_dir;
};

struct ScalarItem {
  std::uint32_t index;
  bool is_dir;
};

// Moves entries into the sorted order in place, cycle by cycle: no second list of entries (a fresh
// 17 MB block for 100,000 entries, all of it page faults) is needed.
void apply_order(std::vector<FileEntry>& entries, const auto& items) {
  std::vector<std::uint32_t> source(items.size());  // position k receives entry source[k]
  for (std::size_t k = 0; k < items.size(); ++k) source[k] = items[k].index;
  for (std::uint32_t i = 0; i < source.size(); ++i) {
    if (source[i] == i) continue;
    FileEntry held = std::move(entries[i]);
    std::uint32_t j = i;
    for (;;) {
      const std::uint32_t k = source[j];
      source[j] = j;
      if (k == i) {
        entries[j] = std::move(held);
        break;
      }
      entries[j] = std::move(entries[k]);
      j = k;
    }
  }
}

// Folders first in both orders, then the key comparison, reversed for Descending.
template <typename Item, typename Less>
void stable_sort_items(std::vector<Item>& items, SortOrder order, Less less) {
  if (order == SortOrder::Ascending) {
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
      if (a.is_dir != b.is_dir) return a.is_dir;
      return less(a, b);
    });
  } else {
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
      if (a.is_dir != b.is_dir) return a.is_dir;
      return less(b, a);
    });
  }
}

auto time_fields(const LocalDateTime& t) {
  return std::make_tuple(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day),
                         static_cast<unsigned>(t.hour), static_cast<unsigned>(t.minute),
                         static_cast<unsigned>(t.second), t.nanosecond);
}

void sort_by_name(std::vector<FileEntry>& entries, SortOrder order) {
  std::string keys;
  std::size_t total = 0;
  for (const FileEntry& e : entries) total += e.name.size();
  keys.reserve(total + total / 8);
  std::vector<NameItem> items;
  items.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::size_t start = keys.size();
    append_lower_case(entries[i].name, keys);
    const std::size_t length = keys.size() - start;
    std::uint64_t prefix = 0;
    for (std::size_t b = 0; b < 8; ++b) {
      prefix = (prefix << 8) | (b < length ? static_cast<unsigned char>(keys[start + b]) : 0u);
    }
    items.push_back({prefix, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(start),
                     static_cast<std::uint32_t>(length), entries[i].is_dir});
  }
  const char* base = keys.data();
  stable_sort_items(items, order, [base](const NameItem& a, const NameItem& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const std::uint32_t n = std::min(a.key_length, b.key_length);
    const int c = std::memcmp(base + a.key_offset, base + b.key_offset, n);
    return c != 0 ? c < 0 : a.key_length < b.key_length;
  });
  apply_order(entries, items);
}

}  // namespace

std::string_view sort_key_name(SortKey key) noexcept {
  switch (key) {
    case SortKey::Name:
      return "Name";
    case SortKey::Size:
      return "Size";
    case SortKey::Modified:
      return "Modified";
    case SortKey::Type:
      return "Type";
  }
  return "Name";
}

std::string_view sort_order_name(SortOrder order) noexcept {
  return order == SortOrder::Descending ? "Descending" : "Ascending";
}

std::optional<SortKey> sort_key_from_name(std::string_view name) noexcept {
  for (SortKey key : {SortKey::Name, SortKey::Size, SortKey::Modified, SortKey::Type}) {
    if (sort_key_name(key) == name) return key;
  }
  return std::nullopt;
}

std::optional<SortOrder> sort_order_from_name(std::string_view name) noexcept {
  if (name == "Ascending") return SortOrder::Ascending;
  if (name == "Descending") return SortOrder::Descending;
  return std::nullopt;
}

bool is_hidden_name(std::string_view name) noexcept {
  return !name.empty() && name.front() == '.';
}

void remove_hidden_entries(std::vector<FileEntry>& entries) {
  std::erase_if(entries, [](const FileEntry& e) { return is_hidden_name(e.name); });
}

void sort_entries(std::vector<FileEntry>& entries, SortKey key, SortOrder order) {
  if (entries.size() < 2) return;
  if (key == SortKey::Name) {
    sort_by_name(entries, order);
    return;
  }
  std::vector<ScalarItem> items;
  items.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) items.push_back({static_cast<std::uint32_t>(i), entries[i].is_dir});
  const FileEntry* e = entries.data();
  switch (key) {
    case SortKey::Size:
      stable_sort_items(items, order,
                        [e](const ScalarItem& a, const ScalarItem& b) { return e[a.index].size < e[b.index].size; });
      break;
    case SortKey::Modified:
      stable_sort_items(items, order, [e](const ScalarItem& a, const ScalarItem& b) {
        const auto& ta = e[a.index].modified;
        const auto& tb = e[b.index].modified;
        if (!ta || !tb) return !ta && tb.has_value();
        return time_fields(*ta) < time_fields(*tb);
      });
      break;
    case SortKey::Type:
      stable_sort_items(items, order, [e](const ScalarItem& a, const ScalarItem& b) {
        return e[a.index].mime.text() < e[b.index].mime.text();
      });
      break;
    case SortKey::Name:
      break;
  }
  apply_order(entries, items);
}

}  // namespace fe
