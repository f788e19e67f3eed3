// Tests' control of the process clock (see system/clock.h).
#pragma once

#include "win32/types.h"

#include <cstdint>

namespace lv::testing {

// Switching on starts virtual time afresh at the same moment every run (a Monday morning).
void use_virtual_clock(bool on);
void advance(std::uint64_t milliseconds);
// Blocks until another thread waits on the virtual clock (its deadline taken), so that a test
// moves the clock after the wait has begun rather than by luck; false after 30 s of real time.
bool wait_for_waiter();
// The calendar time (UTC; local time equals it while the clock is virtual) from now on.
void set_system_time(const SYSTEMTIME& time);

// Switches the virtual clock on for a scope and back to real time at its end.
class VirtualClockScope {
public:
    VirtualClockScope() { use_virtual_clock(true); }
    ~VirtualClockScope() { use_virtual_clock(false); }
    VirtualClockScope(const VirtualClockScope&) = delete;
    VirtualClockScope& operator=(const VirtualClockScope&) = delete;
};

} // namespace lv::testing
