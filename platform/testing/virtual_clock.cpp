#include "testing/virtual_clock.h"

#include "system/calendar.h"
#include "system/clock.h"

namespace lv::testing {

void use_virtual_clock(bool on) {
    lv::clock::set_virtual(on);
}

void advance(std::uint64_t milliseconds) {
    lv::clock::advance_by(milliseconds);
}

bool wait_for_waiter() {
    return lv::clock::wait_for_virtual_waiter(std::chrono::seconds(30));
}

void set_system_time(const SYSTEMTIME& time) {
    std::int64_t unix_ms = 0;
    if (lv::unix_ms_from_system_time(time, unix_ms))
        lv::clock::set_virtual_system_time(unix_ms);
}

} // namespace lv::testing
