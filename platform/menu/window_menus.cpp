// The menu bar a window shows: GetMenu, SetMenu, DrawMenuBar; a window takes its menus along
// when it is destroyed.
#include "menu/menu_bar.h"
#include "menu/system_menu.h"
#include "window/menu_port.h"

#include "win32/errors.h"

namespace {

bool is_child(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0;
}

// The frame's size stays; its client area follows the bar's new height.
void recalc_frame(HWND hwnd) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

HMENU GetMenu(HWND hwnd) {
    if (!IsWindow(hwnd) || is_child(hwnd))
        return nullptr;
    return reinterpret_cast<HMENU>(GetWindowLongPtrA(hwnd, GWLP_ID));
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    if (!IsWindow(hwnd))
        return FALSE;
    if (is_child(hwnd)) {
        SetLastError(ERROR_CHILD_WINDOW_MENU);
        return FALSE;
    }
    if (menu && !IsMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    lv::menu::forget_bar_highlight(hwnd);
    SetWindowLongPtrA(hwnd, GWLP_ID, reinterpret_cast<LONG_PTR>(menu));
    recalc_frame(hwnd);
    return TRUE;
}

BOOL DrawMenuBar(HWND hwnd) {
    if (!IsWindow(hwnd))
        return FALSE;
    if (is_child(hwnd)) {
        SetLastError(ERROR_CHILD_WINDOW_MENU);
        return FALSE;
    }
    recalc_frame(hwnd);
    return TRUE;
}

namespace lv::window::menu_port {

void window_destroyed(HWND hwnd) {
    lv::menu::forget_system_menu(hwnd);
    lv::menu::forget_bar_highlight(hwnd);
    if (is_child(hwnd))
        return;
    auto menu = reinterpret_cast<HMENU>(GetWindowLongPtrA(hwnd, GWLP_ID));
    if (IsMenu(menu))
        DestroyMenu(menu);
}

} // namespace lv::window::menu_port
