// CreateWindowEx and DestroyWindow: the order of messages the callers rely on.
#include "win32/errors.h"
#include "window/class_registry.h"
#include "window/dispatch.h"
#include "window/hooks.h"
#include "window/menu_port.h"
#include "window/message_queue.h"
#include "window/nonclient_geometry.h"
#include "window/thread_id.h"
#include "window/timers.h"
#include "window/window_events.h"
#include "window/window_table.h"

#include "window/display_port.h"

#include <algorithm>

namespace lv::window {
namespace {

bool wants_min_max_info(DWORD style) {
    return (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD));
}

void insert_in_z_order(Window* parent, Window* w) {
    auto& list = parent->children;
    if (!is_desktop(parent)) {
        list.push_back(w); // children: later ones below earlier ones
        return;
    }
    if (w->ex_style & WS_EX_TOPMOST) {
        list.insert(list.begin(), w);
        return;
    }
    auto first_plain = std::find_if(
        list.begin(), list.end(), [](Window* other) { return !(other->ex_style & WS_EX_TOPMOST); });
    list.insert(first_plain, w);
}

void resolve_default_position(DWORD style, int& x, int& y, int& cx, int& cy) {
    bool overlapped = !(style & (WS_POPUP | WS_CHILD));
    SIZE screen = display_port::screen_size();
    if (x == CW_USEDEFAULT) {
        static int cascade = 0;
        int offset = overlapped ? (cascade++ % 8) * 26 : 0;
        x = offset;
        if (overlapped || y == CW_USEDEFAULT)
            y = offset;
    }
    if (y == CW_USEDEFAULT)
        y = 0;
    if (cx == CW_USEDEFAULT) {
        cx = overlapped ? screen.cx * 3 / 4 : 0;
        if (overlapped || cy == CW_USEDEFAULT)
            cy = overlapped ? screen.cy * 3 / 4 : 0;
    }
    if (cy == CW_USEDEFAULT)
        cy = 0;
}

// Removes a window that never became fully alive (a hook or WM_NCCREATE refused it).
void discard(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w)
        return;
    auto& siblings = w->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
    w->cls->window_count--;
    w->destroyed = true;
    on_window_destroyed(w);
    table().windows.erase(hwnd);
}

void send_min_max_info(HWND hwnd, DWORD style, int& cx, int& cy) {
    MINMAXINFO info{};
    SIZE screen = display_port::screen_size();
    int frame = GetSystemMetrics(SM_CXFRAME);
    info.ptMaxSize = POINT{screen.cx + 2 * frame, screen.cy + 2 * frame};
    info.ptMaxPosition = POINT{-frame, -frame};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    if (style & WS_THICKFRAME) {
        cx = std::max<int>(cx, info.ptMinTrackSize.x);
        cy = std::max<int>(cy, info.ptMinTrackSize.y);
    }
    cx = std::min<int>(cx, info.ptMaxTrackSize.x);
    cy = std::min<int>(cy, info.ptMaxTrackSize.y);
}

struct Snapshot {
    std::vector<HWND> children;
    std::vector<HWND> owned;
};

Snapshot snapshot_of(HWND hwnd) {
    Snapshot s;
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w)
        return s;
    for (Window* child : w->children)
        s.children.push_back(child->handle);
    for (Window* top : table().desktop->children)
        if (top->owner == w)
            s.owned.push_back(top->handle);
    return s;
}

// Forgets focus, capture and activation that point into the window being destroyed.
void release_input_state(HWND hwnd) {
    bool had_capture = false;
    {
        auto lock = lock_tree();
        auto& t = table();
        if (t.focus == hwnd)
            t.focus = nullptr;
        if (t.capture == hwnd) {
            t.capture = nullptr;
            had_capture = true;
        }
        if (t.active == hwnd)
            t.active = nullptr;
        if (t.lock_update == hwnd)
            t.lock_update = nullptr;
    }
    if (had_capture)
        SendMessageA(hwnd, WM_CAPTURECHANGED, 0, 0);
}

void unlink(HWND hwnd) {
    DWORD thread = 0;
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return;
        thread = w->thread;
        auto& siblings = w->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
        for (Window* top : table().desktop->children)
            if (top->owner == w)
                top->owner = nullptr;
        w->cls->window_count--;
        w->destroyed = true;
        on_window_destroyed(w);
        mark_screen_dirty();
        table().windows.erase(hwnd);
    }
    kill_window_timers(current_queue(), hwnd);
    purge_posted(thread, hwnd);
}

void destroy_tree(HWND hwnd) {
    release_input_state(hwnd);
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : snapshot_of(hwnd).children) {
        {
            auto lock = lock_tree();
            Window* c = peek_window(child);
            if (!c || c->destroying)
                continue;
            c->destroying = true;
        }
        destroy_tree(child);
    }
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    menu_port::window_destroyed(hwnd);
    unlink(hwnd);
}

HWND next_window_to_activate(HWND leaving) {
    auto lock = lock_tree();
    Window* w = peek_window(leaving);
    DWORD thread = current_thread_id();
    if (w && w->owner && is_really_visible(w->owner) && !(w->owner->style & WS_DISABLED))
        return w->owner->handle;
    for (Window* top : table().desktop->children) {
        if (top->handle == leaving || top->destroying || top->thread != thread)
            continue;
        if ((top->style & WS_VISIBLE) && !(top->style & WS_DISABLED) &&
            !(top->ex_style & WS_EX_NOACTIVATE))
            return top->handle;
    }
    return nullptr;
}

} // namespace

namespace {

// Removes a window and everything below it from the tree, without messages. Tree lock held.
void remove_subtree(Window* w) {
    auto& t = table();
    for (Window* child : std::vector<Window*>(w->children))
        remove_subtree(child);
    HWND hwnd = w->handle;
    for (HWND* slot : {&t.focus, &t.capture, &t.active, &t.lock_update})
        if (*slot == hwnd)
            *slot = nullptr;
    auto& siblings = w->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
    for (Window* top : t.desktop->children)
        if (top->owner == w)
            top->owner = nullptr;
    w->cls->window_count--;
    w->destroyed = true;
    on_window_destroyed(w);
    t.windows.erase(hwnd);
}

} // namespace

void forget_thread_windows(DWORD thread) {
    auto lock = lock_tree();
    auto& t = table();
    for (;;) {
        std::vector<Window*> all;
        for (Window* top : t.desktop->children)
            collect_subtree(top, all);
        auto it =
            std::find_if(all.begin(), all.end(), [&](Window* w) { return w->thread == thread; });
        if (it == all.end())
            break;
        remove_subtree(*it);
    }
    mark_screen_dirty();
}

} // namespace lv::window

using namespace lv::window;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    HWND hwnd = nullptr;
    CREATESTRUCTA cs{
        param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    {
        auto lock = lock_tree();
        auto cls = find_class(className, instance);
        if (!cls) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        Window* parent_window = nullptr;
        Window* owner = nullptr;
        if (parent == HWND_MESSAGE)
            parent = nullptr;
        if (style & WS_CHILD) {
            parent_window = parent ? find_window(parent) : nullptr;
            if (!parent_window) {
                SetLastError(parent ? ERROR_INVALID_WINDOW_HANDLE : ERROR_TLW_WITH_WSCHILD);
                return nullptr;
            }
        } else {
            if (parent) {
                Window* p = find_window(parent);
                if (!p)
                    return nullptr;
                owner = is_desktop(p) ? nullptr : top_level_of(p);
            }
            parent_window = table().desktop.get();
        }
        resolve_default_position(style, x, y, width, height);
        cs.x = x;
        cs.y = y;
        cs.cx = width;
        cs.cy = height;

        auto w = std::make_shared<Window>();
        auto& t = table();
        w->handle = reinterpret_cast<HWND>(t.next_handle);
        t.next_handle += 0x10;
        w->cls = cls;
        w->thread = current_thread_id();
        w->style = style & ~WS_VISIBLE;
        if (!(style & (WS_POPUP | WS_CHILD)))
            w->style |= WS_CLIPSIBLINGS | WS_CAPTION;
        w->ex_style = exStyle;
        if ((exStyle & WS_EX_DLGMODALFRAME) || (w->style & (WS_THICKFRAME | WS_DLGFRAME)))
            w->ex_style |= WS_EX_WINDOWEDGE;
        w->id = reinterpret_cast<LONG_PTR>(menu);
        w->instance = instance;
        w->proc = cls->proc;
        w->extra.assign(static_cast<size_t>(cls->wnd_extra), 0);
        w->parent = parent_window;
        w->owner = owner;
        w->rect = rect_from(x, y, width, height);
        w->client = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
        w->normal_rect = w->rect;
        cls->window_count++;
        insert_in_z_order(parent_window, w.get());
        hwnd = w->handle;
        t.windows[hwnd] = std::move(w);
        on_geometry_changed(peek_window(hwnd));
    }
    current_queue(); // the creating thread owns the window and needs a queue

    if (has_hooks(WH_CBT)) {
        CBT_CREATEWNDA cbt{&cs, HWND_TOP};
        if (call_hooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd),
                       reinterpret_cast<LPARAM>(&cbt)) != 0) {
            discard(hwnd);
            return nullptr;
        }
    }
    int cx = cs.cx, cy = cs.cy;
    if (wants_min_max_info(style))
        send_min_max_info(hwnd, style, cx, cy);
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return nullptr;
        w->rect = rect_from(cs.x, cs.y, cx, cy);
        w->normal_rect = w->rect;
        w->client = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
        on_geometry_changed(w);
    }
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (IsWindow(hwnd)) {
            SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
            unlink(hwnd);
        }
        return nullptr;
    }
    RECT window_rect{};
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return nullptr;
        w->nc_created = true;
        window_rect = w->rect;
    }
    RECT calc = window_rect;
    SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&calc));
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return nullptr;
        w->client = RECT{calc.left - window_rect.left, calc.top - window_rect.top,
                         calc.right - window_rect.left, calc.bottom - window_rect.top};
        on_geometry_changed(w);
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        return nullptr;
    }
    RECT client{};
    POINT client_pos{};
    HWND parent_to_notify = nullptr;
    LONG_PTR id = 0;
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return nullptr;
        w->creating = false;
        client = w->client;
        client_pos = POINT{w->rect.left + w->client.left, w->rect.top + w->client.top};
        if ((w->style & WS_CHILD) && !(w->ex_style & WS_EX_NOPARENTNOTIFY))
            parent_to_notify = w->parent->handle;
        id = w->id;
    }
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(client.right - client.left, client.bottom - client.top));
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(client_pos.x, client_pos.y));
    if (parent_to_notify)
        SendMessageA(parent_to_notify, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, LOWORD(id)),
                     reinterpret_cast<LPARAM>(hwnd));
    if (style & WS_VISIBLE) {
        int show = (style & WS_MAXIMIZE)   ? SW_SHOWMAXIMIZED
                   : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                                           : SW_SHOW;
        if (style & (WS_MAXIMIZE | WS_MINIMIZE)) {
            auto lock = lock_tree();
            if (Window* w = peek_window(hwnd))
                w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        }
        ShowWindow(hwnd, show);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

HWND CreateWindowA(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                   int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    return CreateWindowExA(0, className, windowName, style, x, y, width, height, parent, menu,
                           instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
    HWND parent_to_notify = nullptr;
    LONG_PTR id = 0;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return FALSE;
        if (is_desktop(w) || w->thread != current_thread_id()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (w->destroying)
            return TRUE;
        if ((w->style & WS_CHILD) && !(w->ex_style & WS_EX_NOPARENTNOTIFY))
            parent_to_notify = w->parent->handle;
        id = w->id;
    }
    if (has_hooks(WH_CBT) &&
        call_hooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hwnd), 0) != 0)
        return FALSE;
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return TRUE;
        if (w->destroying)
            return TRUE;
        w->destroying = true;
    }
    if (parent_to_notify)
        SendMessageA(parent_to_notify, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, LOWORD(id)),
                     reinterpret_cast<LPARAM>(hwnd));
    bool was_active = GetActiveWindow() == hwnd;
    if (IsWindowVisible(hwnd))
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND owned : snapshot_of(hwnd).owned)
        DestroyWindow(owned);
    if (was_active && GetActiveWindow() == hwnd) {
        HWND next = next_window_to_activate(hwnd);
        if (next)
            SetActiveWindow(next);
    }
    destroy_tree(hwnd);
    return TRUE;
}
