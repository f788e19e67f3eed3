// The platform's clock and calendar calls, all reading the one process clock.
#include "system/calendar.h"
#include "system/clock.h"
#include "system/file_times.h"
#include "win32/system.h"

#include <chrono>
#include <thread>

DWORD GetTickCount() {
    return static_cast<DWORD>(lv::clock::now_ms());
}

DWORD timeGetTime() {
    return static_cast<DWORD>(lv::clock::now_ms());
}

void Sleep(DWORD milliseconds) {
    if (milliseconds == 0xFFFFFFFF) { // INFINITE
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(24));
    }
    if (milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    lv::clock::sleep_ms(milliseconds);
}

void GetSystemTime(LPSYSTEMTIME time) {
    if (time)
        *time = lv::system_time_from_unix_ms(lv::clock::system_time_ms());
}

void GetLocalTime(LPSYSTEMTIME time) {
    if (!time)
        return;
    std::int64_t now = lv::clock::system_time_ms();
    *time = lv::system_time_from_unix_ms(now + lv::clock::local_offset_ms(now));
}

void GetSystemTimeAsFileTime(FILETIME* time) {
    if (!time)
        return;
    std::int64_t now = lv::clock::system_time_ms();
    std::int64_t seconds = now >= 0 ? now / 1000 : (now - 999) / 1000;
    *time = lv::to_filetime(lv::filetime_ticks(seconds, (now - seconds * 1000) * 1'000'000));
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* system_time, FILETIME* file_time) {
    std::int64_t unix_ms = 0;
    if (!system_time || !file_time || !lv::unix_ms_from_system_time(*system_time, unix_ms)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::int64_t seconds = unix_ms >= 0 ? unix_ms / 1000 : (unix_ms - 999) / 1000;
    *file_time =
        lv::to_filetime(lv::filetime_ticks(seconds, (unix_ms - seconds * 1000) * 1'000'000));
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* file_time, LPSYSTEMTIME system_time) {
    if (!file_time || !system_time) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::uint64_t ticks = lv::from_filetime(*file_time);
    if (ticks >= 0x8000000000000000ull) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto unix_ms =
        static_cast<std::int64_t>(ticks / 10'000) - lv::kUnixEpochInFiletimeSeconds * 1000;
    *system_time = lv::system_time_from_unix_ms(unix_ms);
    return TRUE;
}
