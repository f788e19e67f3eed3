// Retrieving messages: sent messages first, then posted ones, the quit flag, WM_PAINT and
// WM_TIMER (both synthesized when nothing else is waiting).
#include "system/waitable.h"
#include "win32/errors.h"
#include "window/clock_port.h"
#include "window/dispatch.h"
#include "window/hooks.h"
#include "window/input_path.h"
#include "window/input_state.h"
#include "window/message_queue.h"
#include "window/painting.h"
#include "window/serve_sent.h"
#include "window/thread_id.h"
#include "window/timers.h"
#include "window/window_table.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace lv::window {
namespace {

struct Filter {
    HWND hwnd = nullptr;
    UINT min = 0;
    UINT max = 0;

    bool accepts_message(UINT msg) const {
        if (min == 0 && max == 0)
            return true;
        return msg >= min && msg <= max;
    }
};

bool accepts_window(const Filter& f, HWND target) {
    if (!f.hwnd)
        return true;
    if (f.hwnd == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)))
        return target == nullptr;
    return target == f.hwnd || (target && IsChild(f.hwnd, target));
}

void drop_posted(ThreadQueue& q, std::uint64_t seq) {
    std::lock_guard lock(q.mutex);
    std::erase_if(q.posted, [&](const PostedMessage& p) { return p.seq == seq; });
}

bool is_key_message(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
}

// The first posted message that passes the filter; removed when `remove`.
bool take_posted(ThreadQueue& q, const Filter& f, bool remove, PostedMessage& out) {
    std::vector<PostedMessage> candidates;
    {
        std::lock_guard lock(q.mutex);
        candidates.assign(q.posted.begin(), q.posted.end());
    }
    // The window test may need the tree lock, which is taken before queue locks.
    for (const PostedMessage& p : candidates) {
        if (!f.accepts_message(p.msg.message) || !accepts_window(f, p.msg.hwnd))
            continue;
        out = p;
        if (remove)
            drop_posted(q, p.seq);
        return true;
    }
    return false;
}

bool take_quit(ThreadQueue& q, const Filter& f, bool remove, MSG& out) {
    if (!f.accepts_message(WM_QUIT))
        return false;
    std::lock_guard lock(q.mutex);
    if (!q.quit)
        return false;
    out = MSG{nullptr,
              WM_QUIT,
              static_cast<WPARAM>(q.quit_code),
              0,
              static_cast<DWORD>(clock_port::now_ms()),
              cursor_position()};
    if (remove)
        q.quit = false;
    return true;
}

bool take_paint(const Filter& f, MSG& out) {
    if (!f.accepts_message(WM_PAINT))
        return false;
    HWND hwnd = find_window_to_paint(current_thread_id(), f.hwnd);
    if (!hwnd)
        return false;
    out = MSG{hwnd, WM_PAINT, 0, 0, static_cast<DWORD>(clock_port::now_ms()), cursor_position()};
    return true;
}

bool take_timer(ThreadQueue& q, const Filter& f, bool remove, MSG& out) {
    if (!f.accepts_message(WM_TIMER))
        return false;
    std::uint64_t now = clock_port::now_ms();
    std::vector<Timer> due;
    {
        std::lock_guard lock(q.mutex);
        for (const Timer& t : q.timers)
            if (t.due_ms <= now)
                due.push_back(t);
    }
    const Timer* chosen = nullptr;
    for (const Timer& t : due) {
        if (!accepts_window(f, t.hwnd))
            continue;
        if (!chosen || t.due_ms < chosen->due_ms)
            chosen = &t;
    }
    if (!chosen)
        return false;
    out = MSG{chosen->hwnd,
              WM_TIMER,
              chosen->id,
              reinterpret_cast<LPARAM>(chosen->proc),
              static_cast<DWORD>(now),
              cursor_position()};
    if (remove)
        rearm_timer(q, chosen->hwnd, chosen->id, now);
    return true;
}

// One pass over everything a queue can deliver; false when nothing is there.
bool take_message(ThreadQueue& q, const Filter& f, UINT flags, MSG& out) {
    bool remove = (flags & PM_REMOVE) != 0;
    for (;;) {
        serve_pending_sends();
        PostedMessage posted;
        if (take_posted(q, f, remove, posted)) {
            out = posted.msg;
            // Posted key messages pass the keyboard hook as injected ones do.
            if (is_key_message(out.message) && has_hooks(WH_KEYBOARD)) {
                int code = remove ? HC_ACTION : HC_NOREMOVE;
                if (call_hooks(WH_KEYBOARD, code, out.wParam, out.lParam) != 0) {
                    drop_posted(q, posted.seq);
                    continue; // the hook swallowed the key
                }
            }
            return true;
        }
        if (take_input(InputFilter{f.hwnd, f.min, f.max}, remove, out))
            return true;
        if (take_quit(q, f, remove, out))
            return true;
        if (take_paint(f, out))
            return true;
        return take_timer(q, f, remove, out);
    }
}

void record_retrieved(ThreadQueue& q, MSG& out, UINT flags) {
    if (has_hooks(WH_GETMESSAGE))
        call_hooks(WH_GETMESSAGE, HC_ACTION, flags & PM_REMOVE, reinterpret_cast<LPARAM>(&out));
    q.last_message_time = out.time;
    q.last_message_pos = static_cast<DWORD>(MAKELONG(out.pt.x, out.pt.y));
}

// Blocks until something may have arrived; in virtual time an idle queue with timers moves the
// clock to the next deadline instead.
void wait_for_work(ThreadQueue& q) {
    std::uint64_t next = lv::clock::kNever;
    bool has_timer = next_timer_due(q, next);
    if (has_timer && clock_port::is_virtual()) {
        clock_port::advance_to(next);
        return;
    }
    std::unique_lock lock(q.mutex);
    lv::clock::wait_until(lock, q.changed, has_timer ? next : lv::clock::kNever,
                          [&] { return q.wake || !q.incoming.empty(); });
}

void clear_wake(ThreadQueue& q) {
    std::lock_guard lock(q.mutex);
    q.wake = false;
}

} // namespace

bool wait_for_arrival(std::chrono::milliseconds real_limit) {
    ThreadQueue& q = current_queue();
    std::unique_lock lock(q.mutex);
    return q.changed.wait_for(lock, real_limit, [&] { return q.wake || !q.incoming.empty(); });
}

} // namespace lv::window

using namespace lv::window;

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (hwnd && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    ThreadQueue& q = current_queue();
    Filter f{hwnd, filterMin, filterMax};
    for (;;) {
        clear_wake(q);
        if (take_message(q, f, PM_REMOVE, *msg)) {
            record_retrieved(q, *msg, PM_REMOVE);
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        wait_for_work(q);
    }
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ThreadQueue& q = current_queue();
    Filter f{hwnd, filterMin, filterMax};
    clear_wake(q);
    if (!take_message(q, f, removeFlags, *msg))
        return FALSE;
    record_retrieved(q, *msg, removeFlags);
    return TRUE;
}

BOOL WaitMessage() {
    ThreadQueue& q = current_queue();
    MSG probe;
    Filter all;
    for (;;) {
        clear_wake(q);
        if (take_message(q, all, PM_NOREMOVE, probe))
            return TRUE;
        wait_for_work(q);
    }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                DWORD milliseconds, DWORD wakeMask) {
    if (count > MAXIMUM_WAIT_OBJECTS || (count != 0 && !handles)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    if (waitAll && count != 0) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<lv::Waitable>> objects;
    for (DWORD i = 0; i < count; ++i) {
        auto object = lv::find_handle_of<lv::Waitable>(handles[i]);
        if (!object) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        objects.push_back(std::move(object));
    }
    QueuePtr own = current_queue_ptr();
    ThreadQueue& q = *own;
    // A signalled object wakes this thread as a message would.
    std::vector<std::unique_ptr<lv::ScopedWatch>> watches;
    for (const auto& object : objects)
        watches.push_back(std::make_unique<lv::ScopedWatch>(object, [own] { own->notify(); }));
    const std::uint64_t start = clock_port::now_ms();
    const std::uint64_t deadline =
        milliseconds == INFINITE ? lv::clock::kNever : start + milliseconds;
    for (;;) {
        clear_wake(q);
        serve_pending_sends();
        for (DWORD i = 0; i < count; ++i)
            if (objects[i]->try_take())
                return WAIT_OBJECT_0 + i;
        if (GetQueueStatus(wakeMask) != 0 || ((wakeMask & QS_INPUT) && input_pending()))
            return WAIT_OBJECT_0 + count;
        if (clock_port::now_ms() >= deadline)
            return WAIT_TIMEOUT;
        // A timer that falls due ends the wait as input does; the clock is left to others.
        std::uint64_t next = deadline;
        if (std::uint64_t due = 0; (wakeMask & QS_TIMER) && next_timer_due(q, due))
            next = std::min(next, due);
        std::unique_lock lock(q.mutex);
        lv::clock::wait_until(lock, q.changed, next, [&] { return q.wake || !q.incoming.empty(); });
    }
}

DWORD GetQueueStatus(UINT flags) {
    ThreadQueue& q = current_queue();
    DWORD status = 0;
    {
        std::lock_guard lock(q.mutex);
        for (const PostedMessage& p : q.posted) {
            const MSG& m = p.msg;
            if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST)
                status |= QS_KEY;
            else if (m.message == WM_MOUSEMOVE)
                status |= QS_MOUSEMOVE;
            else if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST)
                status |= QS_MOUSEBUTTON;
            else
                status |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
        }
        if (!q.incoming.empty())
            status |= QS_SENDMESSAGE;
        if (q.quit)
            status |= QS_POSTMESSAGE;
        std::uint64_t now = clock_port::now_ms();
        for (const Timer& t : q.timers)
            if (t.due_ms <= now)
                status |= QS_TIMER;
    }
    if (find_window_to_paint(current_thread_id(), nullptr))
        status |= QS_PAINT;
    return status & flags;
}

DWORD GetMessageTime() {
    return current_queue().last_message_time;
}
DWORD GetMessagePos() {
    return current_queue().last_message_pos;
}

BOOL CallMsgFilterA(LPMSG msg, int code) {
    if (!has_hooks(WH_MSGFILTER))
        return FALSE;
    return call_hooks(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) != 0 ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        // Only a callback that a live timer still names is called.
        if (!timer_has_proc(current_queue(), msg->hwnd, msg->wParam, proc))
            return 0;
        expect_tree_unlocked();
        proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(clock_port::now_ms()));
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    WNDPROC proc = nullptr;
    {
        auto lock = lock_tree();
        Window* w = find_window(msg->hwnd);
        if (!w)
            return 0;
        if (w->thread != current_thread_id()) {
            SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
            return 0;
        }
        proc = w->proc;
    }
    if (!proc)
        return 0;
    expect_tree_unlocked();
    return proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
