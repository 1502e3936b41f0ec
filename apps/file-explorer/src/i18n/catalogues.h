#pragma once

#include <string_view>

namespace fe::catalogues {

// The catalogue files as compiled into the program (UTF-8 Fluent source).
std::string_view english_source();  // en-US.ftl
std::string_view german_source();   // de-DE.ftl

}  // namespace fe::catalogues
