// Thread hooks: chains per thread and hook type, newest first; hooks for all threads
// (thread id 0) come after the thread's own.
#pragma once

#include "win32/window.h"

namespace lv::window {

bool has_hooks(int type);
// Calls the first hook of the calling thread's chain; 0 when the chain is empty.
LRESULT call_hooks(int type, int code, WPARAM wparam, LPARAM lparam);
// Removes the hooks of a thread that ended.
void remove_thread_hooks(DWORD thread);

} // namespace lv::window
