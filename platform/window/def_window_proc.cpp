// The default handling of every message, as window procedures and subclasses expect it.
#include "win32/gdi.h"
#include "window/hooks.h"
#include "window/menu_port.h"
#include "window/move_size_loop.h"
#include "window/nonclient_geometry.h"
#include "window/nonclient_paint.h"
#include "window/ui_state.h"
#include "window/window_events.h"
#include "window/window_table.h"

#include <algorithm>
#include <cstring>

namespace lv::window {
namespace {

constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;
constexpr LRESULT kNotifyFormatAnsi = 1;

struct Basics {
    bool valid = false;
    DWORD style = 0;
    DWORD ex_style = 0;
    RECT window_on_screen{};
    RECT client{};
    HWND parent = nullptr; // for child windows only
    HBRUSH background = nullptr;
    HCURSOR cursor = nullptr;
    HICON icon = nullptr;
};

Basics basics_of(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w)
        return {};
    Basics b;
    b.valid = true;
    b.style = w->style;
    b.ex_style = w->ex_style;
    b.window_on_screen = window_rect_on_screen(w);
    b.client = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    if ((w->style & WS_CHILD) && w->parent && !is_desktop(w->parent))
        b.parent = w->parent->handle;
    b.background = w->cls->background;
    b.cursor = w->cls->cursor;
    b.icon = w->icon_big ? w->icon_big : w->cls->icon;
    return b;
}

// The text stored; true when the window shows it in a caption.
bool store_text(HWND hwnd, LPCSTR text, bool& caption) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w)
        return false;
    w->text = text ? text : "";
    caption = (w->style & WS_CAPTION) == WS_CAPTION;
    mark_screen_dirty();
    return true;
}

LRESULT set_text(HWND hwnd, LPCSTR text) {
    bool caption = false;
    if (!store_text(hwnd, text, caption))
        return FALSE;
    if (caption)
        paint_frame(hwnd, reinterpret_cast<HRGN>(1));
    return TRUE;
}

LRESULT get_text(HWND hwnd, WPARAM size, LPSTR buffer) {
    if (!buffer || size == 0)
        return 0;
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w) {
        buffer[0] = '\0';
        return 0;
    }
    size_t n = std::min(w->text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, w->text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

HBRUSH brush_for(HBRUSH background) {
    auto value = reinterpret_cast<ULONG_PTR>(background);
    if (value >= 1 && value <= static_cast<ULONG_PTR>(COLOR_MENUBAR) + 1)
        return GetSysColorBrush(static_cast<int>(value) - 1); // (HBRUSH)(COLOR_x + 1)
    return background;
}

LRESULT erase_background(HWND hwnd, HDC dc) {
    Basics b = basics_of(hwnd);
    if (!b.valid || !b.background || !dc)
        return 0;
    FillRect(dc, &b.client, brush_for(b.background));
    return 1;
}

LRESULT control_colour(UINT msg, HDC dc) {
    bool window_colours = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    int back = window_colours ? COLOR_WINDOW : COLOR_3DFACE;
    if (msg == WM_CTLCOLORSCROLLBAR) {
        SetBkColor(dc, GetSysColor(COLOR_3DHILIGHT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(back));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
}

void apply_min_max(HWND hwnd, WINDOWPOS* pos) {
    if (!pos || (pos->flags & SWP_NOSIZE))
        return;
    Basics b = basics_of(hwnd);
    if (!(b.style & WS_THICKFRAME) && (b.style & (WS_POPUP | WS_CHILD)))
        return;
    if (b.style & (WS_MAXIMIZE | WS_MINIMIZE))
        return;
    MINMAXINFO info{};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    if (b.style & WS_THICKFRAME) {
        pos->cx = std::max<int>(pos->cx, info.ptMinTrackSize.x);
        pos->cy = std::max<int>(pos->cy, info.ptMinTrackSize.y);
    }
    pos->cx = std::min<int>(pos->cx, info.ptMaxTrackSize.x);
    pos->cy = std::min<int>(pos->cy, info.ptMaxTrackSize.y);
}

void position_changed(HWND hwnd, const WINDOWPOS* pos) {
    if (!pos)
        return;
    RECT client{}, window{};
    DWORD style = 0;
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return;
        client = w->client;
        window = w->rect;
        style = w->style;
    }
    if (!(pos->flags & kNoClientMove))
        SendMessageA(hwnd, WM_MOVE, 0,
                     MAKELPARAM(window.left + client.left, window.top + client.top));
    if (!(pos->flags & kNoClientSize)) {
        WPARAM kind = (style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                      : (style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                              : SIZE_RESTORED;
        SendMessageA(hwnd, WM_SIZE, kind,
                     MAKELPARAM(client.right - client.left, client.bottom - client.top));
    }
}

LRESULT system_command(HWND hwnd, WPARAM command, LPARAM lParam) {
    if (has_hooks(WH_CBT) && call_hooks(WH_CBT, HCBT_SYSCOMMAND, command, lParam) != 0)
        return 0;
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        return 0;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_MAXIMIZE);
        return 0;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        return 0;
    case SC_MOVE:
    case SC_SIZE:
        if (!IsZoomed(hwnd))
            run_move_size_loop(hwnd, command, lParam);
        return 0;
    case SC_KEYMENU:
    case SC_MOUSEMENU:
        menu_port::system_command(hwnd, command, lParam);
        return 0;
    default:
        return 0;
    }
}

LRESULT nc_button_down(HWND hwnd, WPARAM hit, LPARAM lParam) {
    switch (static_cast<LRESULT>(hit)) {
    case HTCAPTION:
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
        return 0;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        if (basics_of(hwnd).style & WS_THICKFRAME)
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE | static_cast<WPARAM>(hit - HTLEFT + 1),
                         lParam);
        return 0;
    case HTCLOSE:
        if (track_caption_button(hwnd, HTCLOSE))
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
        return 0;
    case HTMINBUTTON:
        if (track_caption_button(hwnd, HTMINBUTTON))
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
        return 0;
    case HTMAXBUTTON:
        if (track_caption_button(hwnd, HTMAXBUTTON))
            SendMessageA(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case HTMENU:
    case HTSYSMENU:
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU | static_cast<WPARAM>(hit), lParam);
        return 0;
    default:
        return 0;
    }
}

LRESULT nc_calc_size(HWND hwnd, WPARAM calc_valid, LPARAM lParam) {
    Basics b = basics_of(hwnd);
    if (!b.valid || !lParam)
        return 0;
    RECT* r = calc_valid ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                         : reinterpret_cast<RECT*>(lParam);
    *r = client_for(b.style, b.ex_style, *r, menu_port::bar_height(hwnd, r->right - r->left));
    return 0;
}

LRESULT nc_hit_test(HWND hwnd, LPARAM lParam) {
    Basics b = basics_of(hwnd);
    if (!b.valid)
        return HTNOWHERE;
    POINT at{GET_X_LPARAM(lParam) - b.window_on_screen.left,
             GET_Y_LPARAM(lParam) - b.window_on_screen.top};
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (w && !region_contains(w, at))
            return HTNOWHERE;
    }
    SIZE size{b.window_on_screen.right - b.window_on_screen.left,
              b.window_on_screen.bottom - b.window_on_screen.top};
    return default_hit_test(b.style, b.ex_style, size, at, menu_port::bar_height(hwnd, size.cx));
}

LRESULT print(HWND hwnd, HDC dc, LPARAM flags) {
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd))
        return 0;
    if (flags & PRF_ERASEBKGND)
        SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (flags & PRF_CLIENT)
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    return 0;
}

LRESULT set_icon(HWND hwnd, WPARAM which, HICON icon) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w)
        return 0;
    HICON& slot = which == ICON_SMALL ? w->icon_small : w->icon_big;
    HICON old = slot;
    slot = icon;
    return reinterpret_cast<LRESULT>(old);
}

LRESULT get_icon(HWND hwnd, WPARAM which) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w)
        return 0;
    return reinterpret_cast<LRESULT>(which == ICON_SMALL ? w->icon_small : w->icon_big);
}

LRESULT set_redraw(HWND hwnd, BOOL redraw) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (w)
        w->redraw_disabled = redraw ? 0 : 1;
    return 0;
}

LRESULT nc_activate(HWND hwnd, WPARAM active) {
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w)
            return TRUE;
        w->nc_active = active != 0;
    }
    paint_frame(hwnd, reinterpret_cast<HRGN>(1));
    return TRUE;
}

} // namespace

bool set_text_unpainted(HWND hwnd, LPCSTR text) {
    bool caption = false;
    return store_text(hwnd, text, caption);
}
} // namespace lv::window

using namespace lv::window;

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            set_text(hwnd, cs->lpszName);
        return TRUE;
    }
    case WM_NCCALCSIZE:
        return nc_calc_size(hwnd, wParam, lParam);
    case WM_NCHITTEST:
        return nc_hit_test(hwnd, lParam);
    case WM_NCPAINT:
        paint_frame(hwnd, reinterpret_cast<HRGN>(wParam));
        return 0;
    case WM_NCACTIVATE:
        return nc_activate(hwnd, wParam);
    case WM_NCLBUTTONDOWN:
        return nc_button_down(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: {
        Basics b = basics_of(hwnd);
        if (static_cast<LRESULT>(wParam) == HTCAPTION && (b.style & WS_MAXIMIZEBOX) &&
            (b.style & WS_THICKFRAME))
            SendMessageA(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    }
    case WM_SETTEXT:
        return set_text(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT:
        return get_text(hwnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        return w ? static_cast<LRESULT>(w->text.size()) : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        return system_command(hwnd, wParam, lParam);
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        menu_port::system_key(hwnd, msg, wParam, lParam);
        return 0;
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        menu_port::system_key(hwnd, msg, wParam, lParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hwnd, &ps))
            EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
        return erase_background(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_PRINT:
        return print(hwnd, reinterpret_cast<HDC>(wParam), lParam);
    case WM_SETREDRAW:
        return set_redraw(hwnd, static_cast<BOOL>(wParam));
    case WM_WINDOWPOSCHANGING:
        apply_min_max(hwnd, reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case WM_WINDOWPOSCHANGED:
        position_changed(hwnd, reinterpret_cast<const WINDOWPOS*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hwnd);
        return 0;
    case WM_MOUSEACTIVATE: {
        Basics b = basics_of(hwnd);
        if (b.parent) {
            LRESULT r = SendMessageA(b.parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r)
                return r;
        }
        return MA_ACTIVATE;
    }
    case WM_SETCURSOR: {
        Basics b = basics_of(hwnd);
        if (b.parent && SendMessageA(b.parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (static_cast<SHORT>(LOWORD(lParam)) == HTCLIENT && b.cursor) {
            SetCursor(b.cursor);
            return TRUE;
        }
        return FALSE;
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU: {
        Basics b = basics_of(hwnd);
        return b.parent ? SendMessageA(b.parent, msg, wParam, lParam) : 0;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return control_colour(msg, reinterpret_cast<HDC>(wParam));
    case WM_SETICON:
        return set_icon(hwnd, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON:
        return get_icon(hwnd, wParam);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(basics_of(hwnd).icon);
    case WM_CANCELMODE:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
        return TRUE;
    case WM_NOTIFYFORMAT:
        return kNotifyFormatAnsi;
    case WM_CHANGEUISTATE:
        return change_ui_state(hwnd, wParam, lParam);
    case WM_UPDATEUISTATE:
        return update_ui_state(hwnd, wParam);
    case WM_QUERYUISTATE:
        return query_ui_state(hwnd);
    default:
        return 0;
    }
}
