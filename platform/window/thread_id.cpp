#include "window/thread_id.h"

#include <sys/syscall.h>
#include <unistd.h>

namespace lv::window {

DWORD current_thread_id() {
    thread_local const DWORD id = static_cast<DWORD>(::syscall(SYS_gettid));
    return id;
}

} // namespace lv::window

// Hooks and PostThreadMessage take this id, so it is the window manager's.
DWORD GetCurrentThreadId() {
    return lv::window::current_thread_id();
}
