// Window geometry: rectangles, coordinate mapping, SetWindowPos and ShowWindow.
#include "win32/errors.h"
#include "window/hooks.h"
#include "window/nonclient_geometry.h"
#include "window/thread_id.h"
#include "window/window_events.h"
#include "window/window_table.h"

#include <algorithm>

namespace lv::window {
namespace {

// Internal WINDOWPOS flags telling DefWindowProc that the client area did not change.
constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;
constexpr POINT kIconicPosition{-32000, -32000};
constexpr int kIconicWidth = 160;

bool contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool same_rect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void move_in_z_order(Window* w, HWND after) {
    auto& list = w->parent->children;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    bool top_band = is_desktop(w->parent);
    if (after == HWND_TOPMOST && top_band)
        w->ex_style |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST && top_band)
        w->ex_style &= ~WS_EX_TOPMOST;
    auto band_start = [&] {
        if (!top_band || (w->ex_style & WS_EX_TOPMOST))
            return list.begin();
        return std::find_if(list.begin(), list.end(),
                            [](Window* o) { return !(o->ex_style & WS_EX_TOPMOST); });
    };
    auto band_end = [&] {
        if (!top_band || !(w->ex_style & WS_EX_TOPMOST))
            return list.end();
        return std::find_if(list.begin(), list.end(),
                            [](Window* o) { return !(o->ex_style & WS_EX_TOPMOST); });
    };
    if (after == HWND_BOTTOM) {
        list.insert(band_end(), w);
        return;
    }
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        list.insert(band_start(), w);
        return;
    }
    auto at = std::find_if(list.begin(), list.end(), [&](Window* o) { return o->handle == after; });
    if (at == list.end()) {
        list.insert(band_start(), w);
        return;
    }
    list.insert(at + 1, w);
}

Window* child_at(Window* parent, POINT screen, UINT skip,
                 const std::vector<HWND>& transparent = {}) {
    for (Window* child : parent->children) {
        if (!(child->style & WS_VISIBLE))
            continue;
        if (std::find(transparent.begin(), transparent.end(), child->handle) != transparent.end())
            continue;
        RECT r = window_rect_on_screen(child);
        if (!contains(r, screen))
            continue;
        if (!region_contains(child, POINT{screen.x - r.left, screen.y - r.top}))
            continue;
        if ((skip & CWP_SKIPDISABLED) && (child->style & WS_DISABLED))
            continue;
        return child;
    }
    return nullptr;
}

struct MinMax {
    POINT max_size;
    POINT max_position;
};

MinMax query_min_max(HWND hwnd, bool child, RECT parent_client) {
    MINMAXINFO info{};
    int frame = GetSystemMetrics(SM_CXFRAME);
    RECT area = parent_client;
    if (!child)
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    info.ptMaxSize = POINT{area.right - area.left + 2 * frame, area.bottom - area.top + 2 * frame};
    info.ptMaxPosition = POINT{area.left - frame, area.top - frame};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return MinMax{info.ptMaxSize, info.ptMaxPosition};
}

} // namespace

void activate_after_hide(HWND hidden);

} // namespace lv::window

using namespace lv::window;

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    if (!rect)
        return FALSE;
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return FALSE;
    *rect = is_desktop(w) ? w->rect : window_rect_on_screen(w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    if (!rect)
        return FALSE;
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    if (!point)
        return FALSE;
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return FALSE;
    POINT o = client_origin_on_screen(w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    if (!point)
        return FALSE;
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return FALSE;
    POINT o = client_origin_on_screen(w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    auto lock = lock_tree();
    POINT a{0, 0}, b{0, 0};
    if (from) {
        Window* w = find_window(from);
        if (!w)
            return 0;
        a = client_origin_on_screen(w);
    }
    if (to) {
        Window* w = find_window(to);
        if (!w)
            return 0;
        b = client_origin_on_screen(w);
    }
    LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(0);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    RECT old_rect{}, old_client{};
    bool was_visible = false;
    bool top_level = false;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return FALSE;
        if (is_desktop(w)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        old_rect = w->rect;
        old_client = w->client;
        was_visible = (w->style & WS_VISIBLE) != 0;
        top_level = is_top_level(w);
        if (flags & SWP_NOMOVE) {
            pos.x = old_rect.left;
            pos.y = old_rect.top;
        }
        if (flags & SWP_NOSIZE) {
            pos.cx = old_rect.right - old_rect.left;
            pos.cy = old_rect.bottom - old_rect.top;
        }
    }
    if ((pos.flags & SWP_SHOWWINDOW) && was_visible)
        pos.flags &= ~SWP_SHOWWINDOW;
    if ((pos.flags & SWP_HIDEWINDOW) && !was_visible)
        pos.flags &= ~SWP_HIDEWINDOW;
    if (!(pos.flags & SWP_NOSENDCHANGING))
        SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    pos.cx = std::max(pos.cx, 0);
    pos.cy = std::max(pos.cy, 0);
    RECT new_rect = rect_from(pos.x, pos.y, pos.cx, pos.cy);
    bool sized = (new_rect.right - new_rect.left) != (old_rect.right - old_rect.left) ||
                 (new_rect.bottom - new_rect.top) != (old_rect.bottom - old_rect.top);
    RECT new_client_abs{new_rect.left + old_client.left, new_rect.top + old_client.top,
                        new_rect.left + old_client.right, new_rect.top + old_client.bottom};
    if (sized || (pos.flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = new_rect;
        params.rgrc[1] = old_rect;
        params.rgrc[2] = RECT{old_rect.left + old_client.left, old_rect.top + old_client.top,
                              old_rect.left + old_client.right, old_rect.top + old_client.bottom};
        params.lppos = &pos;
        SendMessageA(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        new_client_abs = params.rgrc[0];
    }
    RECT new_client{new_client_abs.left - new_rect.left, new_client_abs.top - new_rect.top,
                    new_client_abs.right - new_rect.left, new_client_abs.bottom - new_rect.top};
    new_client.right = std::max(new_client.right, new_client.left);
    new_client.bottom = std::max(new_client.bottom, new_client.top);
    bool now_visible = was_visible;
    bool restacked = false;
    HWND parent = nullptr;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return FALSE;
        w->rect = new_rect;
        w->client = new_client;
        if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE)))
            w->normal_rect = new_rect;
        if (!(pos.flags & SWP_NOZORDER)) {
            auto& siblings = w->parent->children;
            auto before = std::find(siblings.begin(), siblings.end(), w) - siblings.begin();
            move_in_z_order(w, pos.hwndInsertAfter);
            restacked = std::find(siblings.begin(), siblings.end(), w) - siblings.begin() != before;
        }
        if (pos.flags & SWP_SHOWWINDOW)
            w->style |= WS_VISIBLE;
        if (pos.flags & SWP_HIDEWINDOW)
            w->style &= ~WS_VISIBLE;
        now_visible = (w->style & WS_VISIBLE) != 0;
        parent = w->parent->handle;
        on_geometry_changed(w);
        mark_screen_dirty();
    }
    if (same_rect(new_client, old_client) && !sized)
        pos.flags |= kNoClientSize;
    if (new_rect.left + new_client.left == old_rect.left + old_client.left &&
        new_rect.top + new_client.top == old_rect.top + old_client.top)
        pos.flags |= kNoClientMove;
    bool moved_or_sized = !same_rect(new_rect, old_rect);
    if (!top_level && !(pos.flags & SWP_NOREDRAW) &&
        (moved_or_sized || (pos.flags & SWP_HIDEWINDOW) || (pos.flags & SWP_SHOWWINDOW))) {
        // The parent repaints what the child uncovered.
        if (was_visible)
            RedrawWindow(parent, &old_rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    // A child drawn on its top-level window's surface shows its new place in the z-order only
    // once it is painted again; a top-level window's surface is composed in its new place.
    if (now_visible && !(pos.flags & SWP_NOREDRAW) &&
        ((pos.flags & SWP_SHOWWINDOW) || sized || (!top_level && (moved_or_sized || restacked))))
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASENOW);
    else if (now_visible && (pos.flags & SWP_FRAMECHANGED) && !(pos.flags & SWP_NOREDRAW))
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASENOW);
    if (top_level && !(pos.flags & SWP_NOACTIVATE) && now_visible &&
        ((pos.flags & SWP_SHOWWINDOW) || !(pos.flags & SWP_NOZORDER))) {
        DWORD thread = 0;
        {
            auto lock = lock_tree();
            Window* w = peek_window(hwnd);
            thread = w ? w->thread : 0;
        }
        if (thread == current_thread_id() && GetActiveWindow() != hwnd)
            SetActiveWindow(hwnd);
    }
    if (pos.flags & SWP_HIDEWINDOW)
        activate_after_hide(hwnd);
    if (!IsWindow(hwnd))
        return TRUE;
    pos.x = new_rect.left;
    pos.y = new_rect.top;
    pos.cx = new_rect.right - new_rect.left;
    pos.cy = new_rect.bottom - new_rect.top;
    SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!repaint)
        flags |= SWP_NOREDRAW;
    return SetWindowPos(hwnd, nullptr, x, y, width, height, flags);
}

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    DWORD style = 0;
    bool child = false;
    RECT normal{}, parent_client{};
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w || is_desktop(w))
            return FALSE;
        style = w->style;
        child = (w->style & WS_CHILD) != 0;
        normal = w->normal_rect;
        parent_client = RECT{0, 0, w->parent->client.right - w->parent->client.left,
                             w->parent->client.bottom - w->parent->client.top};
    }
    bool was_visible = (style & WS_VISIBLE) != 0;
    UINT no_activate = child ? SWP_NOACTIVATE : 0;
    auto set_state = [&](DWORD add, DWORD remove) {
        auto lock = lock_tree();
        if (Window* w = peek_window(hwnd))
            w->style = (w->style & ~remove) | add;
    };
    auto min_max_allowed = [&](int how) {
        return !has_hooks(WH_CBT) ||
               call_hooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(hwnd), how) == 0;
    };
    switch (cmdShow) {
    case SW_HIDE:
        if (!was_visible)
            return FALSE;
        SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    case SW_SHOWMAXIMIZED: {
        if (!min_max_allowed(cmdShow))
            return was_visible;
        if (!was_visible)
            SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
        MinMax mm = query_min_max(hwnd, child, parent_client);
        set_state(WS_MAXIMIZE, WS_MINIMIZE);
        SetWindowPos(hwnd, HWND_TOP, mm.max_position.x, mm.max_position.y, mm.max_size.x,
                     mm.max_size.y, SWP_SHOWWINDOW | SWP_FRAMECHANGED | no_activate);
        break;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: {
        if (!min_max_allowed(cmdShow))
            return was_visible;
        if (!was_visible)
            SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
        set_state(WS_MINIMIZE, WS_MAXIMIZE);
        int height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
        UINT flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOZORDER;
        if (cmdShow != SW_SHOWMINIMIZED)
            flags |= SWP_NOACTIVATE;
        SetWindowPos(hwnd, nullptr, kIconicPosition.x, kIconicPosition.y, kIconicWidth, height,
                     flags);
        if (cmdShow != SW_SHOWMINIMIZED && GetActiveWindow() == hwnd)
            activate_after_hide(hwnd);
        break;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (style & (WS_MAXIMIZE | WS_MINIMIZE)) {
            if (!min_max_allowed(cmdShow))
                return was_visible;
            if (!was_visible)
                SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
            set_state(0, WS_MAXIMIZE | WS_MINIMIZE);
            SetWindowPos(hwnd, nullptr, normal.left, normal.top, normal.right - normal.left,
                         normal.bottom - normal.top,
                         SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOZORDER | no_activate);
            break;
        }
        [[fallthrough]];
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        if (was_visible && cmdShow != SW_SHOW && cmdShow != SW_SHOWNORMAL &&
            cmdShow != SW_SHOWDEFAULT && cmdShow != SW_RESTORE)
            return TRUE;
        if (!was_visible)
            SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
        {
            UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | no_activate;
            if (cmdShow == SW_SHOWNA || cmdShow == SW_SHOWNOACTIVATE)
                flags |= SWP_NOACTIVATE | SWP_NOZORDER;
            if (child)
                flags |= SWP_NOZORDER;
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, flags);
        }
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return was_visible ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
    if (!placement)
        return FALSE;
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return FALSE;
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->flags = 0;
    if (!(w->style & WS_VISIBLE))
        placement->showCmd = SW_HIDE;
    else if (w->style & WS_MAXIMIZE)
        placement->showCmd = SW_SHOWMAXIMIZED;
    else if (w->style & WS_MINIMIZE)
        placement->showCmd = SW_SHOWMINIMIZED;
    else
        placement->showCmd = SW_SHOWNORMAL;
    placement->ptMinPosition = w->min_position;
    placement->ptMaxPosition = w->max_position;
    placement->rcNormalPosition = w->normal_rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
    if (!placement)
        return FALSE;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return FALSE;
        w->normal_rect = placement->rcNormalPosition;
        w->min_position = placement->ptMinPosition;
        w->max_position = placement->ptMaxPosition;
    }
    if (!IsZoomed(hwnd) && !IsIconic(hwnd)) {
        const RECT& r = placement->rcNormalPosition;
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd, static_cast<int>(placement->showCmd));
    return TRUE;
}

BOOL GetWindowInfo(HWND hwnd, PWINDOWINFO info) {
    if (!info)
        return FALSE;
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return FALSE;
    info->cbSize = sizeof(WINDOWINFO);
    info->rcWindow = window_rect_on_screen(w);
    info->rcClient = client_rect_on_screen(w);
    info->dwStyle = w->style;
    info->dwExStyle = w->ex_style;
    // The caption state as the last WM_NCACTIVATE left it, as the frame is drawn.
    info->dwWindowStatus = w->nc_active ? WS_ACTIVECAPTION : 0;
    FrameLayout f = frame_layout(w->style, w->ex_style, SIZE{0, 0});
    info->cxWindowBorders = static_cast<UINT>(f.border);
    info->cyWindowBorders = static_cast<UINT>(f.border);
    info->atomWindowType = w->cls->atom;
    info->wCreatorVersion = 0x0500;
    return TRUE;
}

namespace {

// The deepest visible, enabled window under the point, passing over `transparent` ones.
HWND window_under(POINT point, const std::vector<HWND>& transparent) {
    auto lock = lock_tree();
    Window* w = child_at(table().desktop.get(), point, CWP_SKIPINVISIBLE, transparent);
    if (!w)
        return nullptr;
    for (;;) {
        RECT client = client_rect_on_screen(w);
        if (!contains(client, point))
            break;
        Window* inner = child_at(w, point, CWP_SKIPINVISIBLE, transparent);
        if (!inner)
            break;
        if (inner->style & WS_DISABLED)
            break; // a disabled child is passed over for its parent
        w = inner;
    }
    return w->handle;
}

bool owned_by_this_thread(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    return w && w->thread == current_thread_id();
}

} // namespace

// A window of this thread that answers HTTRANSPARENT (a group box) lets the point through to
// the windows below it, as on the platform.
HWND WindowFromPoint(POINT point) {
    std::vector<HWND> transparent;
    for (;;) {
        HWND hwnd = window_under(point, transparent);
        if (!hwnd || !owned_by_this_thread(hwnd))
            return hwnd;
        if (SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) != HTTRANSPARENT)
            return hwnd;
        transparent.push_back(hwnd);
    }
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
    auto lock = lock_tree();
    Window* p = find_window(parent);
    if (!p)
        return nullptr;
    RECT client{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
    if (!contains(client, point))
        return nullptr;
    POINT screen = client_origin_on_screen(p);
    screen.x += point.x;
    screen.y += point.y;
    for (Window* child : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(child->style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (child->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (child->ex_style & WS_EX_TRANSPARENT))
            continue;
        RECT r = window_rect_on_screen(child);
        if (contains(r, screen) &&
            region_contains(child, POINT{screen.x - r.left, screen.y - r.top}))
            return child->handle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
    return ChildWindowFromPointEx(parent, point, CWP_ALL);
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect)
        return FALSE;
    // Scroll bars are not part of the adjustment, as on the platform.
    FrameLayout f = frame_layout(style & ~(WS_VSCROLL | WS_HSCROLL), exStyle, SIZE{0, 0});
    rect->left -= f.insets.left;
    rect->top -= f.insets.top;
    rect->right += f.insets.right;
    rect->bottom += f.insets.bottom;
    if (menu)
        rect->top -= GetSystemMetrics(SM_CYMENU);
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(rect, style, menu, 0);
}
