#pragma once
// Opening the persisted state document under this process's actor label.

#include <expected>
#include <functional>
#include <optional>
#include <string>

#include "vemo_ui/persist.h"

namespace fe {

using EnvLookup = std::function<std::optional<std::string>(const char*)>;

// BRISK_APP_ID as is; else "files-" + VEMO_USER_ID; else "files-" + the first 12 hexadecimal digits of
// the document's stored actor. Unset, empty and non-UTF-8 variables count as absent.
std::string actor_label(const vemo_ui::persist::Document& doc, const EnvLookup& env);

// Opens the document, reports the label on one diagnostic line and sets it as the document's actor.
std::expected<vemo_ui::persist::Document, std::string> open_persistence(const vemo_ui::persist::OpenArgs& args);

}  // namespace fe
