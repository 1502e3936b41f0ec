#pragma once
// The collaborative records of an entry that come from JSON attributes (availability, sharing,
// history, media metadata). Their layouts and readers belong to the projection-records module; until
// it provides them, these stand-ins keep the shape of FileEntry and are never filled.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fe {

// Only the fields that the file view's badges and accessible descriptions read are laid out yet.
enum class ResidencyState : std::uint8_t { NotResident, Partial, Resident };
struct Residency {
  ResidencyState state = ResidencyState::NotResident;
  std::uint64_t bytes = 0;  // resident_bytes (partial) or bytes (resident)
  friend bool operator==(const Residency&, const Residency&) = default;
};
enum class StoragePolicy : std::uint8_t { Automatic, Pinned };
enum class TransferPhase : std::uint8_t { Idle, Queued, Downloading, Uploading, Verifying };
struct ProjectedTransfer {
  TransferPhase phase = TransferPhase::Idle;
  std::optional<std::string> last_error;
  std::optional<std::int64_t> last_error_at_ms;
  bool error_truncated = false;
  friend bool operator==(const ProjectedTransfer&, const ProjectedTransfer&) = default;
};
// Unknown, or known with counts of reachable and durable replicas.
struct ReplicaEvidence {
  bool known = false;
  std::uint32_t reachable = 0;
  std::uint32_t durable = 0;
  friend bool operator==(const ReplicaEvidence&, const ReplicaEvidence&) = default;
};

struct AvailabilityProjection {
  Residency residency;
  ProjectedTransfer transfer;
  StoragePolicy policy = StoragePolicy::Automatic;
  bool policy_inherited = false;
  ReplicaEvidence replicas;
  friend bool operator==(const AvailabilityProjection&, const AvailabilityProjection&) = default;
};

enum class GrantStatus : std::uint8_t { Active, Expired, Revoked, Exhausted };
struct ShareGrantProjection {
  GrantStatus status = GrantStatus::Active;
  friend bool operator==(const ShareGrantProjection&, const ShareGrantProjection&) = default;
};
struct ShareProjection {
  std::vector<ShareGrantProjection> grants;
  friend bool operator==(const ShareProjection&, const ShareProjection&) = default;
};

enum class ConflictStatus : std::uint8_t { Open, Resolved };
struct FileConflictV1 {
  ConflictStatus status = ConflictStatus::Open;
  friend bool operator==(const FileConflictV1&, const FileConflictV1&) = default;
};
struct HistoryProjection {
  std::vector<FileConflictV1> conflicts;
  friend bool operator==(const HistoryProjection&, const HistoryProjection&) = default;
};
struct MetadataProjection {
  friend bool operator==(const MetadataProjection&, const MetadataProjection&) = default;
};

// Held by FileEntry through one shared pointer: most entries have none of these, and an entry that
// has them is cloned without copying the records.
struct CollabRecords {
  std::optional<AvailabilityProjection> availability;
  std::optional<ShareProjection> share;
  std::optional<HistoryProjection> history;
  std::optional<MetadataProjection> metadata;  // files only

  bool empty() const noexcept { return !availability && !share && !history && !metadata; }
  friend bool operator==(const CollabRecords&, const CollabRecords&) = default;
};

}  // namespace fe
