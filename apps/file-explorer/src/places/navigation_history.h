#pragma once
// Back and forward history of the shown folder, as a plain value: each step answers the path to
// load and the explorer then loads it.

#include <filesystem>
#include <optional>
#include <vector>

namespace fe {

class NavigationHistory {
 public:
  // Opening `target` from `current`: a new step unless they are the same folder (component-wise), in
  // which case history is unchanged and the caller just reloads. Returns the path to load (target).
  std::filesystem::path navigate(const std::filesystem::path& current, const std::filesystem::path& target);

  // Steps back: none when there is nothing behind; otherwise `current` goes onto the forward stack.
  std::optional<std::filesystem::path> back(const std::filesystem::path& current);
  // The mirror image of back.
  std::optional<std::filesystem::path> forward(const std::filesystem::path& current);

  bool can_go_back() const noexcept { return !back_stack_.empty(); }
  bool can_go_forward() const noexcept { return !forward_stack_.empty(); }

  // Most recent last.
  const std::vector<std::filesystem::path>& back_stack() const noexcept { return back_stack_; }
  const std::vector<std::filesystem::path>& forward_stack() const noexcept { return forward_stack_; }

  friend bool operator==(const NavigationHistory&, const NavigationHistory&) = default;

 private:
  std::vector<std::filesystem::path> back_stack_;
  std::vector<std::filesystem::path> forward_stack_;
};

// The folder "up" from `path`: its parent, none at "/". (Inside an archive the parent is the level
// above, ending at the archive file itself, which is the same rule on the combined path.)
std::optional<std::filesystem::path> go_up_target(const std::filesystem::path& path);

}  // namespace fe
