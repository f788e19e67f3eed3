// Conversions between the platform's SYSTEMTIME and milliseconds since 1970-01-01 UTC.
#pragma once

#include "win32/types.h"

#include <cstdint>

namespace lv {

SYSTEMTIME system_time_from_unix_ms(std::int64_t unix_ms);
// False when a field is out of range.
bool unix_ms_from_system_time(const SYSTEMTIME& time, std::int64_t& unix_ms);

} // namespace lv
