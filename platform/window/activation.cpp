// Activation, focus, capture and enabling.
#include "win32/errors.h"
#include "window/hooks.h"
#include "window/thread_id.h"
#include "window/window_events.h"
#include "window/window_table.h"

namespace lv::window {
namespace {

struct WindowFacts {
    bool valid = false;
    DWORD thread = 0;
    bool minimized = false;
};

WindowFacts facts_of(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w)
        return {};
    return WindowFacts{true, w->thread, (w->style & WS_MINIMIZE) != 0};
}

std::vector<HWND> top_levels_of_thread(DWORD thread) {
    std::vector<HWND> out;
    auto lock = lock_tree();
    for (Window* top : table().desktop->children)
        if (top->thread == thread)
            out.push_back(top->handle);
    return out;
}

void send_activate_app(DWORD thread, BOOL active, DWORD other_thread) {
    for (HWND top : top_levels_of_thread(thread))
        SendMessageA(top, WM_ACTIVATEAPP, static_cast<WPARAM>(active), other_thread);
}

} // namespace

// Makes `hwnd` (a top-level window or null) the active window with the platform's messages.
HWND activate(HWND hwnd, bool by_mouse) {
    HWND old = nullptr;
    {
        auto lock = lock_tree();
        auto& t = table();
        if (hwnd) {
            Window* w = find_window(hwnd);
            if (!w || is_desktop(w))
                return nullptr;
            hwnd = top_level_of(w)->handle;
        }
        old = t.active;
        if (old == hwnd)
            return old;
    }
    if (hwnd && has_hooks(WH_CBT)) {
        CBTACTIVATESTRUCT cbt{by_mouse ? TRUE : FALSE, old};
        if (call_hooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(hwnd),
                       reinterpret_cast<LPARAM>(&cbt)) != 0)
            return nullptr;
    }
    WindowFacts old_facts = facts_of(old);
    WindowFacts new_facts = facts_of(hwnd);
    if (old_facts.valid) {
        SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, old_facts.minimized ? 1 : 0),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    {
        auto lock = lock_tree();
        table().active = hwnd;
        if (Window* w = peek_window(hwnd)) {
            Window* root = w;
            while (root->owner)
                root = root->owner;
            root->last_active_popup = hwnd;
        }
        mark_screen_dirty(); // the display gives the native window the keyboard
    }
    if (!hwnd) {
        HWND focus = nullptr;
        {
            auto lock = lock_tree();
            focus = table().focus;
            table().focus = nullptr;
        }
        if (focus)
            SendMessageA(focus, WM_KILLFOCUS, 0, 0);
        return old;
    }
    DWORD new_thread = new_facts.thread;
    DWORD old_thread = old_facts.valid ? old_facts.thread : 0;
    if (old_facts.valid && old_thread != new_thread)
        send_activate_app(old_thread, FALSE, new_thread);
    if (!old_facts.valid || old_thread != new_thread)
        send_activate_app(new_thread, TRUE, old_thread);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageA(hwnd, WM_ACTIVATE,
                 MAKEWPARAM(by_mouse ? WA_CLICKACTIVE : WA_ACTIVE, new_facts.minimized ? 1 : 0),
                 reinterpret_cast<LPARAM>(old));
    return old;
}

void activate_after_hide(HWND hidden) {
    HWND next = nullptr;
    {
        auto lock = lock_tree();
        auto& t = table();
        Window* w = peek_window(hidden);
        if (!w || t.active != hidden)
            return;
        if (w->owner && is_really_visible(w->owner) && !(w->owner->style & WS_DISABLED)) {
            next = w->owner->handle;
        } else {
            for (Window* top : t.desktop->children) {
                if (top == w || top->destroying || top->thread != w->thread)
                    continue;
                if ((top->style & WS_VISIBLE) && !(top->style & WS_DISABLED) &&
                    !(top->style & WS_MINIMIZE) && !(top->ex_style & WS_EX_NOACTIVATE)) {
                    next = top->handle;
                    break;
                }
            }
        }
    }
    activate(next, false);
}

void activate_for_disabled(HWND clicked) {
    HWND popup = nullptr;
    {
        auto lock = lock_tree();
        Window* w = peek_window(clicked);
        if (!w)
            return;
        Window* top = top_level_of(w);
        if (!(top->style & WS_DISABLED))
            return; // a disabled control: its window stays as it is
        Window* root = top;
        while (root->owner)
            root = root->owner;
        Window* last = peek_window(root->last_active_popup);
        if (!last || last == top || last->destroying || !(last->style & WS_VISIBLE) ||
            (last->style & WS_DISABLED))
            return;
        popup = last->handle;
    }
    // Brought forward even when it is active already: the owner may have been raised over it.
    SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    activate(popup, true);
}

} // namespace lv::window

using namespace lv::window;

HWND GetLastActivePopup(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return nullptr;
    if (w->owner || !is_top_level(w))
        return hwnd; // only a window that no other owns keeps its popups' record
    Window* last = peek_window(w->last_active_popup);
    if (!last || last->destroying || !(last->style & WS_VISIBLE))
        return hwnd;
    return last->handle;
}

HWND SetActiveWindow(HWND hwnd) {
    if (hwnd) {
        WindowFacts f = facts_of(hwnd);
        if (!f.valid) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
    }
    HWND old = nullptr;
    {
        auto lock = lock_tree();
        old = table().active;
    }
    if (old == hwnd)
        return old;
    activate(hwnd, false);
    return old;
}

HWND GetActiveWindow() {
    auto lock = lock_tree();
    Window* w = peek_window(table().active);
    return w && w->thread == current_thread_id() ? w->handle : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (!facts_of(hwnd).valid) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    activate(hwnd, false);
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    return w && table().active == top_level_of(w)->handle ? TRUE : FALSE;
}

HWND GetForegroundWindow() {
    auto lock = lock_tree();
    return peek_window(table().active) ? table().active : nullptr;
}

HWND SetFocus(HWND hwnd) {
    HWND old = nullptr;
    {
        auto lock = lock_tree();
        old = table().focus;
    }
    if (!hwnd) {
        if (!old)
            return nullptr;
        if (has_hooks(WH_CBT) &&
            call_hooks(WH_CBT, HCBT_SETFOCUS, 0, reinterpret_cast<LPARAM>(old)) != 0)
            return nullptr;
        {
            auto lock = lock_tree();
            table().focus = nullptr;
        }
        SendMessageA(old, WM_KILLFOCUS, 0, 0);
        return old;
    }
    HWND top = nullptr;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w || is_desktop(w))
            return nullptr;
        if (w->thread != current_thread_id()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        top = top_level_of(w)->handle;
    }
    if (has_hooks(WH_CBT) && call_hooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(hwnd),
                                        reinterpret_cast<LPARAM>(old)) != 0)
        return nullptr;
    if (GetActiveWindow() != top) {
        activate(top, false);
        auto lock = lock_tree();
        old = table().focus;
    }
    if (old == hwnd || !IsWindow(hwnd))
        return old;
    {
        auto lock = lock_tree();
        table().focus = hwnd;
    }
    if (old && IsWindow(old))
        SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    {
        auto lock = lock_tree();
        if (table().focus != hwnd)
            return old; // a handler moved the focus on
    }
    SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() {
    auto lock = lock_tree();
    Window* w = peek_window(table().focus);
    return w && w->thread == current_thread_id() ? w->handle : nullptr;
}

BOOL IsWindowEnabled(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    bool was_disabled = false;
    bool loses_focus = false;
    bool loses_capture = false;
    {
        auto lock = lock_tree();
        auto& t = table();
        Window* w = find_window(hwnd);
        if (!w)
            return FALSE;
        was_disabled = (w->style & WS_DISABLED) != 0;
        if (was_disabled == !enable)
            return was_disabled ? TRUE : FALSE;
        if (enable) {
            w->style &= ~WS_DISABLED;
        } else {
            w->style |= WS_DISABLED;
            for (Window* f = peek_window(t.focus); f; f = f->parent)
                if (f == w)
                    loses_focus = true;
            loses_capture = t.capture == hwnd;
        }
    }
    if (loses_focus)
        SetFocus(nullptr);
    if (loses_capture)
        ReleaseCapture();
    SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return was_disabled ? TRUE : FALSE;
}

HWND SetCapture(HWND hwnd) {
    HWND old = nullptr;
    {
        auto lock = lock_tree();
        if (!find_window(hwnd))
            return nullptr;
        old = table().capture;
        table().capture = hwnd;
    }
    if (old && old != hwnd)
        SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture() {
    HWND old = nullptr;
    {
        auto lock = lock_tree();
        old = table().capture;
        table().capture = nullptr;
    }
    if (old)
        SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    auto lock = lock_tree();
    Window* w = peek_window(table().capture);
    return w && w->thread == current_thread_id() ? w->handle : nullptr;
}
