#include "window/timers.h"

#include "win32/errors.h"
#include "window/clock_port.h"
#include "window/thread_id.h"
#include "window/window_table.h"

#include <algorithm>

namespace lv::window {
namespace {

constexpr UINT kMinimumIntervalMs = 10;
constexpr UINT kMaximumIntervalMs = 0x7FFFFFFF;

} // namespace

void rearm_timer(ThreadQueue& q, HWND hwnd, UINT_PTR id, std::uint64_t now_ms) {
    std::lock_guard lock(q.mutex);
    for (Timer& t : q.timers)
        if (t.hwnd == hwnd && t.id == id)
            t.due_ms = now_ms + t.interval_ms;
}

bool next_timer_due(ThreadQueue& q, std::uint64_t& due_ms) {
    std::lock_guard lock(q.mutex);
    if (q.timers.empty())
        return false;
    due_ms = std::min_element(q.timers.begin(), q.timers.end(), [](const Timer& a, const Timer& b) {
                 return a.due_ms < b.due_ms;
             })->due_ms;
    return true;
}

bool timer_has_proc(ThreadQueue& q, HWND hwnd, UINT_PTR id, TIMERPROC proc) {
    std::lock_guard lock(q.mutex);
    return std::any_of(q.timers.begin(), q.timers.end(), [&](const Timer& t) {
        return t.hwnd == hwnd && t.id == id && t.proc == proc;
    });
}

void kill_window_timers(ThreadQueue& q, HWND hwnd) {
    std::lock_guard lock(q.mutex);
    std::erase_if(q.timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

} // namespace lv::window

using namespace lv::window;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    if (hwnd) {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return 0;
        if (w->thread != current_thread_id()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    UINT interval = std::clamp(elapseMs, kMinimumIntervalMs, kMaximumIntervalMs);
    ThreadQueue& q = current_queue();
    std::uint64_t due = clock_port::now_ms() + interval;
    {
        std::lock_guard lock(q.mutex);
        auto existing = std::find_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) {
            return t.hwnd == hwnd && t.id == id && (hwnd || id != 0);
        });
        if (existing != q.timers.end()) {
            existing->interval_ms = interval;
            existing->proc = proc;
            existing->due_ms = due;
            return hwnd ? (id ? id : 1) : id;
        }
        UINT_PTR assigned = id;
        if (!hwnd) {
            // Thread timers get an id of their own that no live thread timer uses.
            do {
                assigned = q.next_timer_id++;
            } while (assigned == 0 ||
                     std::any_of(q.timers.begin(), q.timers.end(),
                                 [&](const Timer& t) { return !t.hwnd && t.id == assigned; }));
        }
        q.timers.push_back(Timer{hwnd, assigned, interval, proc, due});
        q.wake = true;
        if (!hwnd)
            return assigned;
    }
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    ThreadQueue& q = current_queue();
    std::lock_guard lock(q.mutex);
    auto before = q.timers.size();
    std::erase_if(q.timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (q.timers.size() == before) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}
