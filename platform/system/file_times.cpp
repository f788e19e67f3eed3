#include "system/file_times.h"

namespace lv {

std::uint64_t filetime_ticks(std::int64_t unix_seconds, std::int64_t nanoseconds) {
    std::int64_t seconds = unix_seconds + kUnixEpochInFiletimeSeconds;
    if (seconds < 0)
        return 0;
    return static_cast<std::uint64_t>(seconds) * kTicksPerSecond +
           static_cast<std::uint64_t>(nanoseconds / 100);
}

FILETIME to_filetime(std::uint64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

std::uint64_t from_filetime(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace lv
