#pragma once

// Message lookup and locale-aware formatting for every user-visible text.

#include <string>
#include <string_view>

#include "i18n/formatting.h"
#include "i18n/local_time.h"
#include "i18n/locale.h"
#include "i18n/message_args.h"

namespace fe {

// The localized text of message `id` without arguments; the id itself when no catalogue has it.
std::string tr(std::string_view id);

// The localized text of message `id` with named arguments (numbers for counts and sizes). A
// message that fails to format (a missing argument, say) falls back to English, then to the id.
std::string tr_args(std::string_view id, const Args& args);

}  // namespace fe
