#pragma once
// Display order and the hidden-file filter of a folder listing.

#include <optional>
#include <string_view>
#include <vector>

#include "model/file_entry.h"

namespace fe {

enum class SortKey : unsigned char { Name = 0, Size = 1, Modified = 2, Type = 3 };
enum class SortOrder : unsigned char { Ascending, Descending };

// "Name", "Size", "Modified", "Type" / "Ascending", "Descending" (the snapshot's texts).
std::string_view sort_key_name(SortKey key) noexcept;
std::string_view sort_order_name(SortOrder order) noexcept;
std::optional<SortKey> sort_key_from_name(std::string_view name) noexcept;
std::optional<SortOrder> sort_order_from_name(std::string_view name) noexcept;

// True when the name begins with ".".
bool is_hidden_name(std::string_view name) noexcept;

// Drops every entry whose name begins with "." (keeping the order of the rest).
void remove_hidden_entries(std::vector<FileEntry>& entries);

// Stable sort in place. Folders precede files in both orders; then by key: Name (full Unicode
// lower-casing, byte-wise), Size, Modified (absent first; then date, time of day, sub-second), Type
// (byte-wise). Descending reverses the key comparison only.
void sort_entries(std::vector<FileEntry>& entries, SortKey key, SortOrder order);

}  // namespace fe
