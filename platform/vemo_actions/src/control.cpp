#include "vemo_actions/control.h"

namespace vemo_actions {

std::string ActionBinding::unit_for(std::string_view option) const {
  if (option.empty()) return unit_;
  std::string out;
  out.reserve(unit_.size() + 1 + option.size());
  out.append(unit_).append(":").append(option);
  return out;
}

}  // namespace vemo_actions
