#pragma once
// The accessible description of one listed item: kind and size, availability, sharing and
// conflicts, joined with ". ".

#include <string>

#include "model/file_entry.h"

namespace fe {

std::string entry_description(const FileEntry& entry);

// True when the item's history holds a conflict that is still open.
bool has_open_conflict(const FileEntry& entry);

}  // namespace fe
