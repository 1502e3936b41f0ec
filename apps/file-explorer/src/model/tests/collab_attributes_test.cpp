#include "model/collab_attributes.h"

#include <gtest/gtest.h>

#include <map>

#include "model/list_folder.h"
#include "model/tests/temp_dir.h"

namespace fe {
namespace {

using testing::set_attribute;
using testing::TempDir;

// Attribute tests run where user.* attributes work: /tmp first, then /dev/shm.
class CollabAttributes : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* base : {"/tmp", "/dev/shm"}) {
      auto dir = std::make_unique<TempDir>(base);
      const auto probe = dir->file("probe");
      if (set_attribute(probe, "user.probe", "1")) {
        std::filesystem::remove(probe);
        dir_ = std::move(dir);
        return;
      }
    }
    GTEST_SKIP() << "user.* extended attributes are not supported on /tmp or /dev/shm here";
  }
  const TempDir& dir() const { return *dir_; }

  std::map<std::string, FileEntry> listed(bool read_collaborative) const {
    auto entries = list_folder(dir().path(), read_collaborative);
    EXPECT_TRUE(entries.has_value());
    std::map<std::string, FileEntry> out;
    if (entries) {
      for (auto& e : *entries) out.emplace(e.name, e);
    }
    return out;
  }

 private:
  std::unique_ptr<TempDir> dir_;
};

TEST_F(CollabAttributes, SyncStateValues) {
  struct Case {
    const char* name;
    std::string value;
    std::optional<SyncState> expected;
  };
  const Case cases[] = {
      {"local", "local", SyncState::Local},
      {"projected", "projected", SyncState::Projected},
      {"downloading", "downloading", SyncState::Downloading},
      {"capital", "Local", SyncState::Unknown},
      {"other", "evicting", SyncState::Unknown},
      {"empty", "", SyncState::Unknown},
      {"long text beyond the small buffer", std::string(300, 'z'), SyncState::Unknown},
      {"invalid utf-8", "loc\xFF", std::nullopt},
      {"invalid utf-8 beyond the small buffer", std::string(200, 'a') + "\xC0", std::nullopt},
  };
  for (const Case& c : cases) set_attribute(dir().file(c.name), std::string(kAttrSync), c.value);
  const auto entries = listed(true);
  for (const Case& c : cases) EXPECT_EQ(entries.at(c.name).sync, c.expected) << c.name;
}

TEST_F(CollabAttributes, DigestAndRecordIdMustHaveExactLengths) {
  struct Case {
    const char* name;
    std::size_t hash_bytes;  // 0 = not set
    std::size_t record_bytes;
    bool hash_present, record_present;
  };
  const Case cases[] = {
      {"exact", 32, 16, true, true},     {"short", 31, 15, false, false},     {"long", 33, 17, false, false},
      {"hash only", 32, 0, true, false}, {"record only", 0, 16, false, true},
  };
  for (const Case& c : cases) {
    const auto path = dir().file(c.name);
    if (c.hash_bytes) set_attribute(path, std::string(kAttrContentHash), std::string(c.hash_bytes, '\x07'));
    if (c.record_bytes) set_attribute(path, std::string(kAttrRecordId), std::string(c.record_bytes, '\x2a'));
  }
  const auto entries = listed(true);
  for (const Case& c : cases) {
    const FileEntry& e = entries.at(c.name);
    EXPECT_EQ(e.content_hash.has_value(), c.hash_present) << c.name;
    EXPECT_EQ(e.record_id.has_value(), c.record_present) << c.name;
  }
  ContentHash expected_hash;
  expected_hash.fill(7);
  EXPECT_EQ(entries.at("exact").content_hash, expected_hash);
  RecordId expected_id;
  expected_id.fill(0x2a);
  EXPECT_EQ(entries.at("exact").record_id, expected_id);
}

TEST_F(CollabAttributes, FoldersReadOnlyTheRecordId) {
  const auto folder = dir().folder("shared-folder");
  set_attribute(folder, std::string(kAttrSync), "local");
  set_attribute(folder, std::string(kAttrContentHash), std::string(32, 'h'));
  set_attribute(folder, std::string(kAttrRecordId), std::string(16, 'r'));
  const FileEntry e = listed(true).at("shared-folder");
  EXPECT_TRUE(e.is_dir);
  EXPECT_FALSE(e.sync.has_value());
  EXPECT_FALSE(e.content_hash.has_value());
  EXPECT_TRUE(e.record_id.has_value());
}

TEST_F(CollabAttributes, NothingIsReadOutsideAWorkspace) {
  const auto path = dir().file("a.txt");
  set_attribute(path, std::string(kAttrSync), "local");
  set_attribute(path, std::string(kAttrRecordId), std::string(16, 'r'));
  const FileEntry e = listed(false).at("a.txt");
  EXPECT_FALSE(e.sync.has_value());
  EXPECT_FALSE(e.record_id.has_value());
}

TEST_F(CollabAttributes, ManyOtherAttributesDoNotHideOurs) {
  // More attribute names than the first list buffer holds.
  const auto path = dir().file("crowded");
  for (int i = 0; i < 80; ++i) set_attribute(path, "user.other.attribute-number-" + std::to_string(i), "v");
  set_attribute(path, std::string(kAttrSync), "projected");
  EXPECT_EQ(listed(true).at("crowded").sync, SyncState::Projected);
}

TEST_F(CollabAttributes, JsonRecordsStayAbsentUntilDecoded) {
  const auto path = dir().file("with-records");
  set_attribute(path, std::string(kAttrShare), "{}");
  set_attribute(path, std::string(kAttrHistory), "{}");
  const FileEntry e = listed(true).at("with-records");
  EXPECT_EQ(e.share(), nullptr);
  EXPECT_EQ(e.history(), nullptr);
  EXPECT_EQ(e.availability(), nullptr);
  EXPECT_EQ(e.metadata(), nullptr);
}

}  // namespace
}  // namespace fe
