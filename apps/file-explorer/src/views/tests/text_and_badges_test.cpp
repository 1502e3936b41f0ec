#include <gtest/gtest.h>

#include <cstdlib>

#include "views/entry_description.h"
#include "views/fit_text.h"
#include "views/state_badge.h"

namespace fe {
namespace {

// The catalogue texts below are the English ones.
const bool kEnglish = [] {
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  ::setenv("LANGUAGE", "en_US", 1);
  return true;
}();

// Every character 10 px wide, counted in code points.
double fixed_width(std::string_view s) {
  double n = 0;
  for (unsigned char c : s) n += (c & 0xc0) != 0x80;
  return 10 * n;
}

TEST(FitText, MiddleEllipsis) {
  struct Case {
    const char* what;
    std::string text;
    double width;
    std::string want;
  };
  const Case cases[] = {
      {"twelve characters and the ellipsis", "Quarterly budget final version.ods", 130, "Quar…sion.ods"},
      {"fits unchanged", "short.txt", 90, "short.txt"},
      {"zero width", "short.txt", 0, ""},
      {"negative width", "short.txt", -5, ""},
      {"only the ellipsis fits", "abcdef", 10, "…"},
      {"not even the ellipsis", "abcdef", 5, "…"},
      {"one tail character", "abcdef", 20, "…f"},
      {"code points, not bytes", "Ünïcödé-fïlé.txt", 80, "Ün…é.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(fit_text(c.text, c.width, fixed_width), c.want) << c.what;
}

std::shared_ptr<CollabRecords> availability(AvailabilityProjection a) {
  auto r = std::make_shared<CollabRecords>();
  r->availability = a;
  return r;
}

AvailabilityProjection resident(ReplicaEvidence replicas = {}, StoragePolicy policy = StoragePolicy::Automatic) {
  AvailabilityProjection a;
  a.residency.state = ResidencyState::Resident;
  a.replicas = replicas;
  a.policy = policy;
  return a;
}

TEST(StateBadge, FollowsAvailabilityThenSyncState) {
  using vemo_ui::icons::Icon;
  AvailabilityProjection failed = resident();
  failed.transfer.phase = TransferPhase::Downloading;
  failed.transfer.last_error = "disk full";
  AvailabilityProjection queued = resident();
  queued.transfer.phase = TransferPhase::Queued;
  AvailabilityProjection verifying = resident();
  verifying.transfer.phase = TransferPhase::Verifying;
  AvailabilityProjection downloading = resident();
  downloading.transfer.phase = TransferPhase::Downloading;
  AvailabilityProjection uploading = resident();
  uploading.transfer.phase = TransferPhase::Uploading;
  AvailabilityProjection online;
  online.residency.state = ResidencyState::NotResident;
  AvailabilityProjection partial;
  partial.residency.state = ResidencyState::Partial;
  struct Case {
    const char* what;
    std::shared_ptr<CollabRecords> collab;
    std::optional<SyncState> sync;
    std::optional<StateBadge> want;
  };
  const Case cases[] = {
      {"transfer error", availability(failed), std::nullopt, StateBadge{Icon::Error, BadgeColor::Accent}},
      {"queued", availability(queued), std::nullopt, StateBadge{Icon::Pending, BadgeColor::Accent}},
      {"verifying", availability(verifying), std::nullopt, StateBadge{Icon::Pending, BadgeColor::Accent}},
      {"downloading", availability(downloading), std::nullopt, StateBadge{Icon::Download, BadgeColor::Accent}},
      {"uploading", availability(uploading), std::nullopt, StateBadge{Icon::Upload, BadgeColor::Accent}},
      {"online only", availability(online), std::nullopt, StateBadge{Icon::Cloud, BadgeColor::Secondary}},
      {"partial", availability(partial), std::nullopt, StateBadge{Icon::Download, BadgeColor::Secondary}},
      {"pinned", availability(resident({true, 2, 2}, StoragePolicy::Pinned)), std::nullopt,
       StateBadge{Icon::Pin, BadgeColor::Accent}},
      {"replicated", availability(resident({true, 3, 1})), std::nullopt,
       StateBadge{Icon::Replicated, BadgeColor::Secondary}},
      {"known, none durable", availability(resident({true, 3, 0})), std::nullopt,
       StateBadge{Icon::Unreplicated, BadgeColor::Accent}},
      {"replicas unknown", availability(resident()), std::nullopt,
       StateBadge{Icon::Unreplicated, BadgeColor::Secondary}},
      {"availability wins over sync", availability(online), SyncState::Local,
       StateBadge{Icon::Cloud, BadgeColor::Secondary}},
      {"sync local", nullptr, SyncState::Local, StateBadge{Icon::Local, BadgeColor::Secondary}},
      {"sync projected", nullptr, SyncState::Projected, StateBadge{Icon::Cloud, BadgeColor::Secondary}},
      {"sync downloading", nullptr, SyncState::Downloading, StateBadge{Icon::Download, BadgeColor::Accent}},
      {"sync unknown", nullptr, SyncState::Unknown, std::nullopt},
      {"nothing", nullptr, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    FileEntry e;
    e.name = "a";
    e.collab = c.collab;
    e.sync = c.sync;
    EXPECT_EQ(state_badge(e), c.want) << c.what;
  }
}

TEST(EntryDescription, JoinsItsParts) {
  ASSERT_TRUE(kEnglish);
  FileEntry file;
  file.name = "report.txt";
  file.size = 2048;
  file.collab = availability(resident());
  EXPECT_EQ(entry_description(file), "File, 2\u00a0kB. Available offline. Replica status unknown");

  FileEntry folder;
  folder.is_dir = true;
  EXPECT_EQ(entry_description(folder), "Folder");

  FileEntry pinned = file;
  AvailabilityProjection inherited = resident({true, 1, 0}, StoragePolicy::Pinned);
  inherited.policy_inherited = true;
  pinned.collab = availability(inherited);
  EXPECT_EQ(entry_description(pinned),
            "File, 2\u00a0kB. Available offline. Kept offline by a parent folder. Not durably replicated");

  FileEntry synced = file;
  synced.collab = nullptr;
  synced.sync = SyncState::Projected;
  EXPECT_EQ(entry_description(synced), "File, 2\u00a0kB. Online only");
}

TEST(EntryDescription, SharingCountsActiveGrantsAndConflictsShow) {
  ASSERT_TRUE(kEnglish);
  FileEntry e;
  e.name = "plan.odt";
  e.size = 10;
  auto records = std::make_shared<CollabRecords>();
  records->share = ShareProjection{{{GrantStatus::Revoked}, {GrantStatus::Expired}}};
  records->history = HistoryProjection{{{ConflictStatus::Resolved}}};
  e.collab = records;
  EXPECT_EQ(entry_description(e), "File, 10\u00a0B. Shared with 0 recipients");
  EXPECT_FALSE(has_open_conflict(e));
  records->share->grants.push_back({GrantStatus::Active});
  records->history->conflicts.push_back({ConflictStatus::Open});
  EXPECT_TRUE(has_open_conflict(e));
  EXPECT_EQ(entry_description(e), "File, 10\u00a0B. Shared with 1 recipient. Has a version conflict");
}

}  // namespace
}  // namespace fe
