#include "system/calendar.h"

namespace lv {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (the well-known civil-date algorithm).
std::int64_t days_from_civil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto year_of_era = static_cast<unsigned>(year - era * 400);
    const unsigned day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + static_cast<std::int64_t>(day_of_era) - 719468;
}

void civil_from_days(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto day_of_era = static_cast<unsigned>(days - era * 146097);
    const unsigned year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    year = static_cast<std::int64_t>(year_of_era) + era * 400;
    const unsigned day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const unsigned mp = (5 * day_of_year + 2) / 153;
    day = day_of_year - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year += month <= 2;
}

bool is_leap(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned days_in_month(std::int64_t year, unsigned month) {
    static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap(year) ? 29 : days[month - 1];
}

} // namespace

SYSTEMTIME system_time_from_unix_ms(std::int64_t unix_ms) {
    constexpr std::int64_t kDayMs = 86'400'000;
    std::int64_t days = unix_ms >= 0 ? unix_ms / kDayMs : (unix_ms - kDayMs + 1) / kDayMs;
    std::int64_t in_day = unix_ms - days * kDayMs;
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    civil_from_days(days, year, month, day);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wDayOfWeek = static_cast<WORD>(((days % 7) + 7 + 4) % 7); // 1970-01-01 was a Thursday
    time.wHour = static_cast<WORD>(in_day / 3'600'000);
    time.wMinute = static_cast<WORD>(in_day / 60'000 % 60);
    time.wSecond = static_cast<WORD>(in_day / 1000 % 60);
    time.wMilliseconds = static_cast<WORD>(in_day % 1000);
    return time;
}

bool unix_ms_from_system_time(const SYSTEMTIME& time, std::int64_t& unix_ms) {
    if (time.wYear < 1601 || time.wYear > 30827 || time.wMonth < 1 || time.wMonth > 12 ||
        time.wDay < 1 || time.wDay > days_in_month(time.wYear, time.wMonth) || time.wHour > 23 ||
        time.wMinute > 59 || time.wSecond > 59 || time.wMilliseconds > 999)
        return false;
    std::int64_t days = days_from_civil(time.wYear, time.wMonth, time.wDay);
    unix_ms = days * 86'400'000 + time.wHour * 3'600'000LL + time.wMinute * 60'000LL +
              time.wSecond * 1000LL + time.wMilliseconds;
    return true;
}

} // namespace lv
