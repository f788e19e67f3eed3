// Threads and events as kernel objects of the handle table.
#include "win32/threads.h"

#include "system/clock.h"
#include "system/waitable.h"
#include "window/thread_id.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace lv {
namespace {

class EventObject : public Waitable {
public:
    using Waitable::Waitable;
};

// Signalled (for good) once the thread has ended, after its thread-local objects (its message
// queue among them) are gone.
class ThreadObject : public Waitable {
public:
    ThreadObject() : Waitable(true, false) {}
    std::atomic<DWORD> exit_code{STILL_ACTIVE};
};

// Constructed first on the new thread, so destroyed last: the thread counts as ended only
// when nothing of it runs any more.
struct EndSignal {
    std::shared_ptr<ThreadObject> thread;
    DWORD code = 0;
    ~EndSignal() {
        if (!thread)
            return;
        thread->exit_code = code;
        thread->signal();
    }
};

thread_local EndSignal t_end_signal;

struct Started {
    std::mutex mutex;
    std::condition_variable changed;
    DWORD id = 0;
    bool known = false;
};

} // namespace
} // namespace lv

using namespace lv;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creationFlags, LPDWORD threadId) {
    if (!start) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (creationFlags != 0) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    auto object = std::make_shared<ThreadObject>();
    auto started = std::make_shared<Started>();
    try {
        std::thread([object, started, start, parameter] {
            t_end_signal.thread = object;
            {
                std::lock_guard lock(started->mutex);
                started->id = window::current_thread_id();
                started->known = true;
            }
            started->changed.notify_all();
            t_end_signal.code = start(parameter);
        }).detach();
    } catch (const std::system_error&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (threadId) {
        std::unique_lock lock(started->mutex);
        started->changed.wait(lock, [&] { return started->known; });
        *threadId = started->id;
    }
    return insert_handle(object);
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
    auto object = find_handle_of<ThreadObject>(thread);
    if (!object || !exitCode) {
        SetLastError(object ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *exitCode = object->exit_code.load();
    return TRUE;
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name) {
    if (name) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    return insert_handle(
        std::make_shared<EventObject>(manualReset != FALSE, initialState != FALSE));
}

BOOL SetEvent(HANDLE event) {
    auto object = find_handle_of<EventObject>(event);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    object->signal();
    return TRUE;
}

BOOL ResetEvent(HANDLE event) {
    auto object = find_handle_of<EventObject>(event);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    object->reset();
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    auto object = find_handle_of<Waitable>(handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    const std::uint64_t deadline =
        milliseconds == INFINITE ? clock::kNever : clock::now_ms() + milliseconds;
    return object->take_before(deadline) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
