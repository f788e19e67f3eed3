// Host file times as the platform's FILETIME (100 ns units since 1601-01-01 UTC).
#pragma once

#include "win32/types.h"

#include <cstdint>

namespace lv {

std::uint64_t filetime_ticks(std::int64_t unix_seconds, std::int64_t nanoseconds);
FILETIME to_filetime(std::uint64_t ticks);
std::uint64_t from_filetime(const FILETIME& time);
constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochInFiletimeSeconds = 11'644'473'600;

} // namespace lv
