#include "win32/errors.h"
#include "window/clock_port.h"
#include "window/dispatch.h"
#include "window/input_state.h"
#include "window/message_queue.h"
#include "window/thread_id.h"
#include "window/window_table.h"

#include <algorithm>

namespace lv::window {

bool post_to_thread(DWORD thread, const MSG& msg) {
    QueuePtr q = thread == current_thread_id() ? current_queue_ptr() : queue_of(thread);
    if (!q)
        return false;
    {
        std::lock_guard lock(q->mutex);
        if (!q->alive)
            return false;
        q->posted.push_back(PostedMessage{msg, q->next_seq++});
        q->wake = true;
    }
    q->changed.notify_all();
    return true;
}

void purge_posted(DWORD thread, HWND hwnd) {
    QueuePtr q = queue_of(thread);
    if (!q)
        return;
    std::lock_guard lock(q->mutex);
    std::erase_if(q->posted, [&](const PostedMessage& p) { return p.msg.hwnd == hwnd; });
}

} // namespace lv::window

using namespace lv::window;

namespace {

MSG make_msg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT cursor = cursor_position();
    return MSG{hwnd, msg, wParam, lParam, static_cast<DWORD>(clock_port::now_ms()), cursor};
}

} // namespace

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!hwnd)
        return PostThreadMessageA(current_thread_id(), msg, wParam, lParam);
    if (hwnd == HWND_BROADCAST) {
        std::vector<std::pair<HWND, DWORD>> targets;
        {
            auto lock = lock_tree();
            for (Window* w : table().desktop->children)
                targets.emplace_back(w->handle, w->thread);
        }
        for (auto [target, thread] : targets)
            post_to_thread(thread, make_msg(target, msg, wParam, lParam));
        return TRUE;
    }
    DWORD thread = 0;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w || is_desktop(w))
            return FALSE;
        thread = w->thread;
    }
    if (!post_to_thread(thread, make_msg(hwnd, msg, wParam, lParam))) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return TRUE;
}

BOOL PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!post_to_thread(threadId, make_msg(nullptr, msg, wParam, lParam))) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    ThreadQueue& q = current_queue();
    {
        std::lock_guard lock(q.mutex);
        q.quit = true;
        q.quit_code = exitCode;
    }
    q.notify();
}
