#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "i18n/local_time.h"
#include "i18n/locale.h"

namespace fe {

// A byte count in decimal units with one decimal place at most: "532 B", "1.5 kB", "12 MB".
std::string format_size(std::uint64_t bytes);
std::string format_size(std::uint64_t bytes, const Locale& locale);

// The size column: "—" for a folder, otherwise format_size.
std::string format_entry_size(bool is_dir, std::uint64_t size);

// Milliseconds since 1970-01-01T00:00:00 UTC shown in the local time zone, with year, month,
// day, hour and minute; "unknown time" (localized) when negative or out of range.
std::string format_time_ms(std::int64_t ms);

// A local wall time with year, month, day, hour and minute for the locale; "%Y-%m-%d %H:%M" when
// no formatter serves it.
std::string format_local_time(const LocalDateTime& time);
std::string format_local_time(const LocalDateTime& time, const Locale& locale);

// format_local_time of the time, or "—" when there is none.
std::string format_optional_time(const std::optional<LocalDateTime>& time);

}  // namespace fe
