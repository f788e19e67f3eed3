// SendMessage and its relatives: direct calls on the owner thread, sent-message records
// across threads. A thread waiting for a reply keeps serving sends addressed to it.
#include "win32/errors.h"
#include "window/dispatch.h"
#include "window/hooks.h"
#include "window/message_queue.h"
#include "window/serve_sent.h"
#include "window/thread_id.h"
#include "window/window_table.h"

#include <chrono>

namespace lv::window {
namespace {

struct Target {
    DWORD thread = 0;
    bool valid = false;
};

Target target_of(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w || is_desktop(w))
        return {};
    return Target{w->thread, true};
}

void reply(SentRecord& record, LRESULT result) {
    if (!record.sender)
        return;
    {
        std::lock_guard lock(record.sender->mutex);
        if (record.done)
            return;
        record.result = result;
        record.done = true;
    }
    record.sender->changed.notify_all();
}

// Queues `record` to the owner thread; false when that thread is gone.
bool queue_record(DWORD thread, const std::shared_ptr<SentRecord>& record) {
    QueuePtr target = queue_of(thread);
    if (!target)
        return false;
    {
        std::lock_guard lock(target->mutex);
        if (!target->alive)
            return false;
        target->incoming.push_back(record);
        target->wake = true;
    }
    target->changed.notify_all();
    return true;
}

// Waits for the reply, serving incoming sends meanwhile. False on timeout.
bool wait_for_reply(SentRecord& record, const std::chrono::steady_clock::time_point* deadline) {
    ThreadQueue& own = current_queue();
    for (;;) {
        std::shared_ptr<SentRecord> incoming;
        {
            std::unique_lock lock(own.mutex);
            if (record.done)
                return true;
            if (own.incoming.empty()) {
                if (!deadline) {
                    own.changed.wait(lock);
                } else if (own.changed.wait_until(lock, *deadline) == std::cv_status::timeout &&
                           !record.done && own.incoming.empty()) {
                    return false;
                }
                continue;
            }
            incoming = own.incoming.front();
            own.incoming.pop_front();
        }
        serve_sent(incoming);
    }
}

} // namespace

WNDPROC procedure_of(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    return w ? w->proc : nullptr;
}

LRESULT deliver_sent(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    ThreadQueue& own = current_queue();
    WPARAM from_other = own.serving.empty() || !own.serving.back()->sender ? 0 : 1;
    if (has_hooks(WH_CALLWNDPROC)) {
        CWPSTRUCT cwp{lparam, wparam, msg, hwnd};
        call_hooks(WH_CALLWNDPROC, HC_ACTION, from_other, reinterpret_cast<LPARAM>(&cwp));
    }
    WNDPROC proc = procedure_of(hwnd);
    if (!proc)
        return 0;
    expect_tree_unlocked();
    LRESULT result = proc(hwnd, msg, wparam, lparam);
    if (has_hooks(WH_CALLWNDPROCRET)) {
        CWPRETSTRUCT ret{result, lparam, wparam, msg, hwnd};
        call_hooks(WH_CALLWNDPROCRET, HC_ACTION, from_other, reinterpret_cast<LPARAM>(&ret));
    }
    return result;
}

void serve_sent(const std::shared_ptr<SentRecord>& record) {
    ThreadQueue& own = current_queue();
    own.serving.push_back(record);
    LRESULT result = deliver_sent(record->hwnd, record->message, record->wparam, record->lparam);
    own.serving.pop_back();
    reply(*record, result);
}

bool serve_pending_sends() {
    ThreadQueue& own = current_queue();
    bool served = false;
    for (;;) {
        std::shared_ptr<SentRecord> record;
        {
            std::lock_guard lock(own.mutex);
            if (own.incoming.empty())
                return served;
            record = own.incoming.front();
            own.incoming.pop_front();
        }
        serve_sent(record);
        served = true;
    }
}

} // namespace lv::window

using namespace lv::window;

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Target target = target_of(hwnd);
    if (!target.valid)
        return 0;
    if (target.thread == current_thread_id())
        return deliver_sent(hwnd, msg, wParam, lParam);
    auto record = std::make_shared<SentRecord>();
    *record = SentRecord{hwnd, msg, wParam, lParam, 0, false, current_queue_ptr()};
    if (!queue_record(target.thread, record))
        return 0;
    wait_for_reply(*record, nullptr);
    std::lock_guard lock(current_queue().mutex);
    return record->result;
}

LRESULT SendMessageTimeoutA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT, UINT timeoutMs,
                            PDWORD_PTR result) {
    Target target = target_of(hwnd);
    if (!target.valid)
        return 0;
    if (target.thread == current_thread_id()) {
        LRESULT r = deliver_sent(hwnd, msg, wParam, lParam);
        if (result)
            *result = static_cast<DWORD_PTR>(r);
        return 1;
    }
    auto record = std::make_shared<SentRecord>();
    *record = SentRecord{hwnd, msg, wParam, lParam, 0, false, current_queue_ptr()};
    if (!queue_record(target.thread, record))
        return 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    if (!wait_for_reply(*record, &deadline)) {
        SetLastError(ERROR_TIMEOUT);
        return 0;
    }
    std::lock_guard lock(current_queue().mutex);
    if (result)
        *result = static_cast<DWORD_PTR>(record->result);
    return 1;
}

BOOL SendNotifyMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Target target = target_of(hwnd);
    if (!target.valid)
        return FALSE;
    if (target.thread == current_thread_id()) {
        deliver_sent(hwnd, msg, wParam, lParam);
        return TRUE;
    }
    auto record = std::make_shared<SentRecord>();
    *record = SentRecord{hwnd, msg, wParam, lParam, 0, false, nullptr};
    return queue_record(target.thread, record) ? TRUE : FALSE;
}

BOOL InSendMessage() {
    ThreadQueue& own = current_queue();
    return !own.serving.empty() && own.serving.back()->sender ? TRUE : FALSE;
}

DWORD InSendMessageEx(LPVOID) {
    ThreadQueue& own = current_queue();
    if (own.serving.empty())
        return ISMEX_NOSEND;
    const auto& top = own.serving.back();
    if (!top->sender)
        return ISMEX_NOTIFY;
    std::lock_guard lock(top->sender->mutex);
    return ISMEX_SEND | (top->done ? ISMEX_REPLIED : 0);
}

BOOL ReplyMessage(LRESULT result) {
    ThreadQueue& own = current_queue();
    if (own.serving.empty() || !own.serving.back()->sender)
        return FALSE;
    reply(*own.serving.back(), result);
    return TRUE;
}
