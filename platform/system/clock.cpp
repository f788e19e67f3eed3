#include "system/clock.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <thread>

namespace lv::clock {
namespace {

constexpr Milliseconds kVirtualStart = 1'000'000;
// Monday 2006-01-02 09:00:00 UTC: a fixed calendar start keeps virtual runs repeatable.
constexpr std::int64_t kVirtualCalendarStart = 1'136'192'400'000;
// A waiter rechecks this often even without a wake-up, so a notification that raced its wait
// costs at most this much real time.
constexpr auto kVirtualWaitSlice = std::chrono::milliseconds(2);

struct ClockState {
    std::mutex mutex;
    std::atomic<bool> virtual_mode{false};
    std::atomic<Milliseconds> virtual_now{kVirtualStart};
    std::int64_t calendar_base = kVirtualCalendarStart; // system time at calendar_anchor
    Milliseconds calendar_anchor = kVirtualStart;
    std::set<std::condition_variable*> waiters;
    std::condition_variable waiter_arrived; // tells tests that a wait has taken its deadline
};

ClockState& state() {
    static ClockState* instance = [] {
        auto* s = new ClockState;
        const char* mode = std::getenv("LUMIVISTA_CLOCK");
        if (mode && std::strcmp(mode, "virtual") == 0)
            s->virtual_mode = true;
        return s;
    }();
    return *instance;
}

Milliseconds real_now() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<Milliseconds>(now.tv_sec) * 1000 +
           static_cast<Milliseconds>(now.tv_nsec / 1'000'000);
}

void wake_waiters(ClockState& s) {
    for (auto* waiter : s.waiters)
        waiter->notify_all();
}

} // namespace

Milliseconds now_ms() {
    auto& s = state();
    return s.virtual_mode ? s.virtual_now.load() : real_now();
}

bool is_virtual() {
    return state().virtual_mode;
}

void sleep_ms(Milliseconds duration) {
    if (!is_virtual()) {
        // As a system timer tick would: the sleep ends on the millisecond boundary where the
        // tick count has moved on by `duration`, not up to a millisecond after it, so that a
        // wait for the count to reach a value ends as it does.
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const std::uint64_t now_ms = static_cast<std::uint64_t>(now.tv_sec) * 1000 +
                                     static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000;
        const std::uint64_t wake_ms = now_ms + duration;
        const timespec wake{static_cast<time_t>(wake_ms / 1000),
                            static_cast<long>(wake_ms % 1000) * 1'000'000};
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
        }
        return;
    }
    advance_by(duration);
    std::this_thread::yield(); // let the threads that were woken run, as a real sleep would
}

void advance_to(Milliseconds deadline) {
    auto& s = state();
    if (!s.virtual_mode)
        return;
    std::lock_guard lock(s.mutex);
    Milliseconds now = s.virtual_now.load();
    if (deadline > now)
        s.virtual_now = deadline;
    wake_waiters(s);
}

void advance_by(Milliseconds duration) {
    auto& s = state();
    if (!s.virtual_mode)
        return;
    std::lock_guard lock(s.mutex);
    s.virtual_now += duration;
    wake_waiters(s);
}

bool wait_until(std::unique_lock<std::mutex>& lock, std::condition_variable& wake,
                Milliseconds deadline, const std::function<bool()>& ready) {
    auto& s = state();
    if (!s.virtual_mode) {
        if (deadline == kNever) {
            wake.wait(lock, ready);
            return true;
        }
        Milliseconds now = real_now();
        auto remaining = std::chrono::milliseconds(deadline > now ? deadline - now : 0);
        return wake.wait_until(lock, std::chrono::steady_clock::now() + remaining, ready);
    }
    {
        std::lock_guard registration(s.mutex);
        s.waiters.insert(&wake);
        s.waiter_arrived.notify_all();
    }
    bool result = false;
    for (;;) {
        if (ready()) {
            result = true;
            break;
        }
        if (s.virtual_now.load() >= deadline || !s.virtual_mode)
            break;
        wake.wait_for(lock, kVirtualWaitSlice);
    }
    std::lock_guard registration(s.mutex);
    s.waiters.erase(&wake);
    return result;
}

bool wait_for_virtual_waiter(std::chrono::milliseconds real_limit) {
    auto& s = state();
    std::unique_lock lock(s.mutex);
    return s.waiter_arrived.wait_for(lock, real_limit, [&] { return !s.waiters.empty(); });
}

std::int64_t system_time_ms() {
    auto& s = state();
    if (!s.virtual_mode) {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
    }
    std::lock_guard lock(s.mutex);
    return s.calendar_base + static_cast<std::int64_t>(s.virtual_now.load() - s.calendar_anchor);
}

std::int64_t local_offset_ms(std::int64_t system_ms) {
    if (is_virtual())
        return 0;
    std::time_t seconds = static_cast<std::time_t>(system_ms / 1000);
    std::tm local{};
    if (!::localtime_r(&seconds, &local))
        return 0;
    return static_cast<std::int64_t>(local.tm_gmtoff) * 1000;
}

void set_virtual(bool on) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (on) {
        // Every switch to virtual time starts from the same moment, so runs repeat exactly.
        s.virtual_now = kVirtualStart;
        s.calendar_base = kVirtualCalendarStart;
        s.calendar_anchor = kVirtualStart;
    }
    s.virtual_mode = on;
    wake_waiters(s);
}

void set_virtual_system_time(std::int64_t unix_ms) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.calendar_base = unix_ms;
    s.calendar_anchor = s.virtual_now.load();
}

} // namespace lv::clock
