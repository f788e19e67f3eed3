// Timers of a thread's queue (guarded by the queue's lock).
#pragma once

#include "window/message_queue.h"

namespace lv::window {

// After a WM_TIMER was taken: the next one comes an interval later.
void rearm_timer(ThreadQueue& q, HWND hwnd, UINT_PTR id, std::uint64_t now_ms);
// The earliest deadline of the queue's timers; false when it has none.
bool next_timer_due(ThreadQueue& q, std::uint64_t& due_ms);
bool timer_has_proc(ThreadQueue& q, HWND hwnd, UINT_PTR id, TIMERPROC proc);
// Kills every timer of a window (when it is destroyed).
void kill_window_timers(ThreadQueue& q, HWND hwnd);

} // namespace lv::window
