// The layer's own entries of the scroll-function table. A scroll-bar control (SB_CTL) is asked
// through its messages; a window's own bars keep no numbers yet, so asking for them fails.
#include "window/scroll_defaults.h"

#include "win32/errors.h"

namespace lv::window::scroll_defaults {
namespace {

BOOL fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

bool valid_info(const SCROLLINFO* info) {
    return info && (info->cbSize == sizeof(SCROLLINFO) ||
                    info->cbSize == sizeof(SCROLLINFO) - sizeof(info->nTrackPos));
}

// The answer for a window's own bar, whose numbers the layer does not keep.
BOOL own_bar(int bar) {
    return fail(bar == SB_HORZ || bar == SB_VERT ? ERROR_CALL_NOT_IMPLEMENTED
                                                 : ERROR_INVALID_PARAMETER);
}

} // namespace

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    if (bar == SB_CTL)
        return SendMessageA(hwnd, SBM_ENABLE_ARROWS, arrows, 0) != 0;
    return own_bar(static_cast<int>(bar));
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    if (!valid_info(info))
        return fail(ERROR_INVALID_PARAMETER);
    if (bar == SB_CTL)
        return SendMessageA(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) != 0;
    return own_bar(bar);
}

int GetScrollPos(HWND hwnd, int bar) {
    if (bar == SB_CTL)
        return static_cast<int>(SendMessageA(hwnd, SBM_GETPOS, 0, 0));
    return own_bar(bar);
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
    return own_bar(bar);
}

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    if (!valid_info(info))
        return fail(ERROR_INVALID_PARAMETER);
    if (bar == SB_CTL)
        return static_cast<int>(SendMessageA(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw),
                                             reinterpret_cast<LPARAM>(info)));
    return own_bar(bar);
}

int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw) {
    if (bar == SB_CTL)
        return static_cast<int>(
            SendMessageA(hwnd, SBM_SETPOS, static_cast<WPARAM>(position), redraw));
    return own_bar(bar);
}

BOOL SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw) {
    if (bar == SB_CTL) {
        SendMessageA(hwnd, redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(minimum),
                     maximum);
        return IsWindow(hwnd);
    }
    return own_bar(bar);
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    if (bar == SB_CTL) {
        if (!IsWindow(hwnd))
            return fail(ERROR_INVALID_WINDOW_HANDLE);
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    return own_bar(bar);
}

} // namespace lv::window::scroll_defaults
