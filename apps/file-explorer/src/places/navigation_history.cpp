#include "places/navigation_history.h"

#include "model/path_compare.h"

namespace fe {

std::filesystem::path NavigationHistory::navigate(const std::filesystem::path& current,
                                                  const std::filesystem::path& target) {
  if (!same_path(current, target)) {
    back_stack_.push_back(current);
    forward_stack_.clear();
  }
  return target;
}

std::optional<std::filesystem::path> NavigationHistory::back(const std::filesystem::path& current) {
  if (back_stack_.empty()) return std::nullopt;
  std::filesystem::path target = std::move(back_stack_.back());
  back_stack_.pop_back();
  forward_stack_.push_back(current);
  return target;
}

std::optional<std::filesystem::path> NavigationHistory::forward(const std::filesystem::path& current) {
  if (forward_stack_.empty()) return std::nullopt;
  std::filesystem::path target = std::move(forward_stack_.back());
  forward_stack_.pop_back();
  back_stack_.push_back(current);
  return target;
}

std::optional<std::filesystem::path> go_up_target(const std::filesystem::path& path) {
  return parent_folder(path);
}

}  // namespace fe
