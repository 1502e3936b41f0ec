#pragma once
// The persisted state document of an application: an actor identity created once, and view state
// values (numbers and texts by key). Stored as JSON under $XDG_STATE_HOME/<app id>/state.json and
// replaced atomically (temporary file, fsync, rename). A corrupt document is set aside and replaced.

#include <array>
#include <cstdint>
#include <expected>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace vemo_ui::persist {

struct OpenArgs {
  std::string app_id;                  // e.g. "vemo.file-explorer"
  std::filesystem::path state_folder;  // empty: $XDG_STATE_HOME (or ~/.local/state) joined with app_id
};

class Document {
 public:
  using ActorId = std::array<std::uint8_t, 16>;
  using Value = std::variant<double, std::string>;

  // The identity stored in the document (created at random when the document was first made).
  const ActorId& stored_actor() const { return stored_actor_; }
  // Lower-case hexadecimal text of the stored identity (32 characters).
  std::string stored_actor_hex() const;
  // The identity this process writes under; defaults to stored_actor_hex() until set_actor.
  const std::string& actor() const { return actor_; }
  void set_actor(std::string bytes) { actor_ = std::move(bytes); }

  std::optional<double> number(const std::string& key) const;
  std::optional<std::string> text(const std::string& key) const;
  // Non-finite numbers cannot be stored in JSON and are ignored.
  void set_number(const std::string& key, double value);
  void set_text(const std::string& key, std::string value);
  bool dirty() const { return dirty_; }

  const std::filesystem::path& file() const { return file_; }
  // Writes the document when it changed; errors come back as text and leave the old file in place.
  std::expected<void, std::string> save();

 private:
  friend std::expected<Document, std::string> open(const OpenArgs& args);
  std::filesystem::path file_;
  ActorId stored_actor_{};
  std::string actor_;
  std::map<std::string, Value> values_;
  bool dirty_ = false;
};

// Opens (or creates) the document. Fails only when no document can be kept at all; a corrupt or
// unreadable file is renamed aside ("state.json.corrupt-<n>") and a fresh document is made.
std::expected<Document, std::string> open(const OpenArgs& args);

}  // namespace vemo_ui::persist
