// The layer's own scroll-bar functions, the default entries of the scroll-function table:
// SB_CTL goes to the "ScrollBar" control as its message; a window's own bars keep their numbers
// with the window.
#include "win32/errors.h"
#include "win32/scroll_bar.h"
#include "window/scroll_defaults.h"
#include "window/window_table.h"

#include <optional>

namespace lv::window {
namespace {

constexpr DWORD kErrorInvalidScrollRange = 1448; // ERROR_INVALID_SCROLLBAR_RANGE

bool own_bar(int bar) {
    return bar == SB_HORZ || bar == SB_VERT;
}

DWORD style_bit(int bar) {
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

bool fail(DWORD error) {
    SetLastError(error);
    return false;
}

bool valid_info(const SCROLLINFO* info) {
    return info && (info->cbSize == sizeof(SCROLLINFO) ||
                    info->cbSize == sizeof(SCROLLINFO) - sizeof(info->nTrackPos));
}

// Runs `change` on the window's bar under the tree lock; nothing for a stale handle.
template <typename Change> std::optional<int> change_bar(HWND hwnd, int bar, Change change) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return std::nullopt;
    WindowScrollBar& b = w->scroll_bars[static_cast<std::size_t>(bar)];
    b.created = true;
    return change(b.numbers);
}

// A copy of the window's bar when it has one: its style names it or it was given numbers.
std::optional<WindowScrollBar> read_bar(HWND hwnd, int bar) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return std::nullopt;
    const WindowScrollBar& b = w->scroll_bars[static_cast<std::size_t>(bar)];
    if (!b.created && !(w->style & style_bit(bar))) {
        SetLastError(ERROR_NO_SCROLLBARS);
        return std::nullopt;
    }
    return b;
}

void redraw_frame(HWND hwnd, BOOL redraw) {
    if (redraw && IsWindowVisible(hwnd))
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
}

} // namespace

namespace scroll_defaults {

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    if (!valid_info(info))
        return fail(ERROR_INVALID_PARAMETER);
    if (bar == SB_CTL)
        return static_cast<int>(SendMessageA(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw),
                                             reinterpret_cast<LPARAM>(info)));
    if (!own_bar(bar))
        return fail(ERROR_INVALID_PARAMETER);
    const auto position = change_bar(hwnd, bar, [&](ScrollNumbers& n) {
        apply_scroll_info(n, *info);
        return n.position;
    });
    if (!position)
        return 0;
    redraw_frame(hwnd, redraw);
    return *position;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    if (!valid_info(info))
        return fail(ERROR_INVALID_PARAMETER);
    if (bar == SB_CTL)
        return SendMessageA(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) != 0;
    if (!own_bar(bar))
        return fail(ERROR_INVALID_PARAMETER);
    const auto b = read_bar(hwnd, bar);
    return b && read_scroll_info(b->numbers, *info);
}

int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw) {
    if (bar == SB_CTL)
        return static_cast<int>(
            SendMessageA(hwnd, SBM_SETPOS, static_cast<WPARAM>(position), redraw));
    if (!own_bar(bar))
        return fail(ERROR_INVALID_PARAMETER);
    const auto previous = change_bar(hwnd, bar, [&](ScrollNumbers& n) {
        const int old = n.position;
        apply_scroll_info(n, SCROLLINFO{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0});
        return old;
    });
    if (!previous)
        return 0;
    redraw_frame(hwnd, redraw);
    return *previous;
}

int GetScrollPos(HWND hwnd, int bar) {
    if (bar == SB_CTL)
        return static_cast<int>(SendMessageA(hwnd, SBM_GETPOS, 0, 0));
    if (!own_bar(bar))
        return fail(ERROR_INVALID_PARAMETER);
    const auto b = read_bar(hwnd, bar);
    return b ? b->numbers.position : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw) {
    if (!valid_scroll_range(minimum, maximum))
        return fail(kErrorInvalidScrollRange);
    if (bar == SB_CTL) {
        SendMessageA(hwnd, redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(minimum),
                     maximum);
        return IsWindow(hwnd);
    }
    if (!own_bar(bar))
        return fail(ERROR_INVALID_PARAMETER);
    const auto done = change_bar(hwnd, bar, [&](ScrollNumbers& n) {
        apply_scroll_info(n, SCROLLINFO{sizeof(SCROLLINFO), SIF_RANGE, minimum, maximum, 0, 0, 0});
        return 1;
    });
    if (!done)
        return FALSE;
    redraw_frame(hwnd, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum) {
    if (!minimum || !maximum)
        return fail(ERROR_INVALID_PARAMETER);
    if (bar == SB_CTL) {
        if (!IsWindow(hwnd))
            return fail(ERROR_INVALID_WINDOW_HANDLE);
        SendMessageA(hwnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(minimum),
                     reinterpret_cast<LPARAM>(maximum));
        return TRUE;
    }
    if (!own_bar(bar))
        return fail(ERROR_INVALID_PARAMETER);
    const auto b = read_bar(hwnd, bar);
    if (!b)
        return FALSE;
    *minimum = b->numbers.minimum;
    *maximum = b->numbers.maximum;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    if (bar == SB_CTL) {
        if (!IsWindow(hwnd))
            return fail(ERROR_INVALID_WINDOW_HANDLE);
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    DWORD bits = 0;
    if (bar == SB_HORZ || bar == SB_BOTH)
        bits |= WS_HSCROLL;
    if (bar == SB_VERT || bar == SB_BOTH)
        bits |= WS_VSCROLL;
    if (!bits)
        return fail(ERROR_INVALID_PARAMETER);
    if (!IsWindow(hwnd))
        return fail(ERROR_INVALID_WINDOW_HANDLE);
    const auto style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD wanted = show ? (style | bits) : (style & ~bits);
    if (wanted != style) {
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(wanted));
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    if (bar == SB_CTL)
        return SendMessageA(hwnd, SBM_ENABLE_ARROWS, arrows, 0) != 0;
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH)
        return fail(ERROR_INVALID_PARAMETER);
    bool changed = false;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return FALSE;
        for (int which : {SB_HORZ, SB_VERT}) {
            if (bar != SB_BOTH && static_cast<int>(bar) != which)
                continue;
            WindowScrollBar& b = w->scroll_bars[static_cast<std::size_t>(which)];
            changed = changed || b.disabled_arrows != (arrows & ESB_DISABLE_BOTH);
            b.disabled_arrows = arrows & ESB_DISABLE_BOTH;
        }
    }
    redraw_frame(hwnd, changed);
    return changed;
}

} // namespace scroll_defaults
} // namespace lv::window
