#include <gtest/gtest.h>

#include <vector>

#include "model/file_entry.h"
#include "model/sort_entries.h"

namespace fe {
namespace {

FileEntry file(std::string name, std::uint64_t size = 0, std::optional<LocalDateTime> modified = std::nullopt,
               std::string mime = "application/octet-stream") {
  FileEntry e;
  e.path = CompactPath("/t/" + name);
  e.name = std::move(name);
  e.size = size;
  e.modified = modified;
  e.mime = mime;
  return e;
}

FileEntry folder(std::string name) {
  FileEntry e = file(std::move(name));
  e.is_dir = true;
  return e;
}

LocalDateTime at(int year, unsigned month, unsigned day, unsigned hour, unsigned minute, unsigned second,
                 std::uint32_t nanos, std::int32_t offset = 0) {
  LocalDateTime t{};
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  t.nanosecond = nanos;
  t.utc_offset_seconds = offset;
  return t;
}

// The names in order, paths used to tell apart entries whose names are equal.
std::vector<std::string> paths(const std::vector<FileEntry>& entries) {
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(e.path.native());
  return out;
}

TEST(SortEntries, NameIsCaseInsensitiveStableAndFoldersFirst) {
  struct Case {
    const char* label;
    SortOrder order;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"ascending", SortOrder::Ascending, {"/t/Alpha", "/t/zeta", "/t/a", "/t/A", "/t/B", "/t/file10", "/t/file2"}},
      // Descending reverses the key only: equal names keep directory order, folders still lead.
      {"descending", SortOrder::Descending, {"/t/zeta", "/t/Alpha", "/t/file2", "/t/file10", "/t/B", "/t/a", "/t/A"}},
  };
  for (const Case& c : cases) {
    std::vector<FileEntry> entries = {file("B"),     file("a"),       folder("zeta"), file("A"),
                                      file("file2"), folder("Alpha"), file("file10")};
    sort_entries(entries, SortKey::Name, c.order);
    EXPECT_EQ(paths(entries), c.expected) << c.label;
  }
}

TEST(SortEntries, NameUsesFullUnicodeLowerCasing) {
  // "Ä" lower-cases to "ä" (0xC3 0xA4), which sorts after every ASCII letter byte-wise.
  std::vector<FileEntry> entries = {file("\xC3\x84pfel"), file("zebra"), file("\xC3\xA4rger")};
  sort_entries(entries, SortKey::Name, SortOrder::Ascending);
  EXPECT_EQ(paths(entries), (std::vector<std::string>{"/t/zebra", "/t/\xC3\x84pfel", "/t/\xC3\xA4rger"}));
}

TEST(SortEntries, ByOtherKeys) {
  const auto early = at(2020, 1, 2, 3, 4, 5, 100);
  const auto same_second_later = at(2020, 1, 2, 3, 4, 5, 200);
  const auto late_day = at(2020, 1, 3, 0, 0, 0, 0);
  struct Case {
    const char* label;
    SortKey key;
    SortOrder order;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"size asc", SortKey::Size, SortOrder::Ascending, {"/t/dir", "/t/none", "/t/small", "/t/tie", "/t/big"}},
      {"size desc", SortKey::Size, SortOrder::Descending, {"/t/dir", "/t/big", "/t/small", "/t/tie", "/t/none"}},
      {"modified asc: absent first",
       SortKey::Modified,
       SortOrder::Ascending,
       {"/t/dir", "/t/none", "/t/small", "/t/tie", "/t/big"}},
      {"modified desc: absent last",
       SortKey::Modified,
       SortOrder::Descending,
       {"/t/dir", "/t/big", "/t/tie", "/t/small", "/t/none"}},
      {"type asc", SortKey::Type, SortOrder::Ascending, {"/t/dir", "/t/tie", "/t/small", "/t/big", "/t/none"}},
  };
  for (const Case& c : cases) {
    std::vector<FileEntry> entries = {file("big", 300, late_day, "text/plain"), file("small", 10, early, "image/png"),
                                      file("none", 0, std::nullopt, "video/mp4"), folder("dir"),
                                      file("tie", 10, same_second_later, "audio/ogg")};
    sort_entries(entries, c.key, c.order);
    EXPECT_EQ(paths(entries), c.expected) << c.label;
  }
}

TEST(SortEntries, ModifiedComparesWallTimeFields) {
  // Same instant in two zones: the comparison is by local date and time, not by instant.
  std::vector<FileEntry> entries = {file("later-wall", 0, at(2021, 6, 1, 12, 0, 0, 0, 7200)),
                                    file("earlier-wall", 0, at(2021, 6, 1, 10, 0, 0, 0, 0))};
  sort_entries(entries, SortKey::Modified, SortOrder::Ascending);
  EXPECT_EQ(paths(entries), (std::vector<std::string>{"/t/earlier-wall", "/t/later-wall"}));
}

TEST(SortEntries, KeyAndOrderTexts) {
  EXPECT_EQ(sort_key_name(SortKey::Name), "Name");
  EXPECT_EQ(sort_key_name(SortKey::Size), "Size");
  EXPECT_EQ(sort_key_name(SortKey::Modified), "Modified");
  EXPECT_EQ(sort_key_name(SortKey::Type), "Type");
  EXPECT_EQ(sort_order_name(SortOrder::Ascending), "Ascending");
  EXPECT_EQ(sort_order_name(SortOrder::Descending), "Descending");
  EXPECT_EQ(static_cast<int>(SortKey::Type), 3);
  EXPECT_EQ(sort_key_from_name("Modified"), SortKey::Modified);
  EXPECT_EQ(sort_key_from_name("modified"), std::nullopt);
  EXPECT_EQ(sort_order_from_name("Descending"), SortOrder::Descending);
}

TEST(HiddenEntries, DotNamesAreRemoved) {
  EXPECT_TRUE(is_hidden_name(".config"));
  EXPECT_FALSE(is_hidden_name("config."));
  EXPECT_FALSE(is_hidden_name(""));
  std::vector<FileEntry> entries = {file(".config"), file("b"), folder(".cache"), file("a.txt")};
  remove_hidden_entries(entries);
  EXPECT_EQ(paths(entries), (std::vector<std::string>{"/t/b", "/t/a.txt"}));
}

TEST(EntriesEqual, EveryFieldCounts) {
  const FileEntry base = file("a.txt", 5, at(2020, 1, 1, 0, 0, 0, 0), "text/plain");
  struct Case {
    const char* label;
    void (*change)(FileEntry&);
  };
  const Case cases[] = {
      {"name", [](FileEntry& e) { e.name = "b.txt"; }},
      {"path", [](FileEntry& e) { e.path = CompactPath("/u/a.txt"); }},
      {"is_dir", [](FileEntry& e) { e.is_dir = true; }},
      {"size", [](FileEntry& e) { e.size = 6; }},
      {"modified nanos", [](FileEntry& e) { e.modified->nanosecond = 1; }},
      {"modified absent", [](FileEntry& e) { e.modified.reset(); }},
      {"mime", [](FileEntry& e) { e.mime = "text/markdown"; }},
      {"sync", [](FileEntry& e) { e.sync = SyncState::Local; }},
      {"content hash", [](FileEntry& e) { e.content_hash = ContentHash{}; }},
      {"record id", [](FileEntry& e) { e.record_id = RecordId{}; }},
      {"share record",
       [](FileEntry& e) {
         auto records = std::make_shared<CollabRecords>();
         records->share = ShareProjection{};
         e.collab = records;
       }},
  };
  for (const Case& c : cases) {
    FileEntry changed = base;
    c.change(changed);
    EXPECT_FALSE(entries_equal(base, changed)) << c.label;
    EXPECT_TRUE(entries_equal(changed, FileEntry(changed))) << c.label;
  }
  FileEntry empty_records = base;
  empty_records.collab = std::make_shared<CollabRecords>();
  EXPECT_TRUE(entries_equal(base, empty_records));  // no records and an empty record set are the same

  const std::vector<FileEntry> one = {base};
  const std::vector<FileEntry> two = {base, base};
  EXPECT_TRUE(entries_equal(one, one));
  EXPECT_FALSE(entries_equal(one, two));
}

}  // namespace
}  // namespace fe
