#pragma once
// The collaborative extended attributes of a listed item ("user.vemo.*"), read without following
// symbolic links. The file system is first asked which attributes exist, and only those are read,
// each into a buffer sized to its bound: blind reads of every name cost several times more.

#include <cstddef>
#include <string_view>

#include "model/file_entry.h"

namespace fe {

inline constexpr std::string_view kAttrSync = "user.vemo.sync";
inline constexpr std::string_view kAttrContentHash = "user.vemo.content-hash";
inline constexpr std::string_view kAttrRecordId = "user.vemo.record-id";
inline constexpr std::string_view kAttrAvailability = "user.vemo.availability";
inline constexpr std::string_view kAttrShare = "user.vemo.share";
inline constexpr std::string_view kAttrHistory = "user.vemo.history";
inline constexpr std::string_view kAttrMetadata = "user.vemo.metadata";

inline constexpr std::size_t kContentHashBytes = 32;
inline constexpr std::size_t kRecordIdBytes = 16;
inline constexpr std::size_t kAvailabilityMaxBytes = 2048;
inline constexpr std::size_t kShareMaxBytes = 16384;
inline constexpr std::size_t kHistoryMaxBytes = 16384;
inline constexpr std::size_t kMetadataMaxBytes = 2048;
// The sync value has no stated bound; the kernel's own limit for one value is 64 KiB.
inline constexpr std::size_t kSyncMaxBytes = 65536;

// Fills the collaborative fields of `entry` from the attributes of `path` (a NUL-terminated
// absolute path). Files: sync state, content hash, record id; folders: record id only (sync, hash and
// metadata are never read for folders). A missing, unreadable or malformed attribute leaves its field
// absent; nothing here fails.
//
// The JSON records (availability, share, history, metadata) are decoded by the projection readers;
// their attribute names are recognised here so that those readers plug in at this one place.
void read_collaborative_fields(const char* path, bool is_dir, FileEntry& entry);

}  // namespace fe
