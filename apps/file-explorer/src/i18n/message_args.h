#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace fe {

// A message argument: counts and sizes travel as numbers so that plural selectors can see them.
using ArgValue = std::variant<double, std::string>;

// Named arguments in the caller's order; names are written without the leading '$'.
using Args = std::vector<std::pair<std::string, ArgValue>>;

}  // namespace fe
