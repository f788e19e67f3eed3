// Delivering messages to window procedures.
#pragma once

#include "win32/window.h"

namespace lv::window {

// A message sent on the window's own thread: WH_CALLWNDPROC, the procedure, WH_CALLWNDPROCRET.
LRESULT deliver_sent(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
// The window's current procedure, or null for a stale handle.
WNDPROC procedure_of(HWND hwnd);
// Posts a message to a thread's queue; false when the thread has no queue.
bool post_to_thread(DWORD thread, const MSG& msg);
// Removes every posted message addressed to `hwnd` from its thread's queue.
void purge_posted(DWORD thread, HWND hwnd);

} // namespace lv::window
