// The process's one clock, in milliseconds: real (monotonic), or virtual for tests. In virtual
// mode time moves only when told to: Sleep advances it by its duration, an idle message loop
// advances it to its next deadline, tests advance it explicitly. LUMIVISTA_CLOCK=virtual starts a
// process in virtual mode.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace lv::clock {

using Milliseconds = std::uint64_t;
constexpr Milliseconds kNever = UINT64_MAX;

Milliseconds now_ms();
bool is_virtual();

// Real: sleeps until the tick count (whole milliseconds) has moved on by `duration`, as a 1 ms
// system tick wakes sleepers: more than `duration` - 1 ms of real time. Virtual: advances the
// clock by `duration` and returns at once.
void sleep_ms(Milliseconds duration);

// Virtual: moves the clock forward to `deadline` (never back) and wakes every waiter. Real: no
// effect, since real time cannot be hurried.
void advance_to(Milliseconds deadline);
void advance_by(Milliseconds duration);

// Blocks with `lock` released until `ready()` holds or the clock reaches `deadline` (kNever:
// no deadline). `ready` is checked with `lock` held; whoever makes it true notifies `wake`.
// In virtual mode a clock that passes the deadline wakes the waiter too. Returns ready().
bool wait_until(std::unique_lock<std::mutex>& lock, std::condition_variable& wake,
                Milliseconds deadline, const std::function<bool()>& ready);

// Blocks (in real time, up to `real_limit`) until some thread is waiting on the virtual
// clock, its deadline taken. Returns whether one is.
bool wait_for_virtual_waiter(std::chrono::milliseconds real_limit);

// Calendar time in milliseconds since 1970-01-01 UTC; in virtual mode it moves with the clock.
std::int64_t system_time_ms();
// The offset of local time from UTC in milliseconds (0 in virtual mode).
std::int64_t local_offset_ms(std::int64_t system_ms);

// The virtual clock's controls, used by the testing interface.
void set_virtual(bool on);
void set_virtual_system_time(std::int64_t unix_ms);

} // namespace lv::clock
