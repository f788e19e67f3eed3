#include "skin/skinners/skin_radio_wnd.h"

namespace {

bool StartsGroup(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_STYLE) & WS_GROUP) != 0;
}

// The first window of the button's group: itself with WS_GROUP, else the nearest previous
// sibling with it, else the first sibling.
HWND GroupStart(HWND button) {
    if (StartsGroup(button))
        return button;
    for (HWND at = GetWindow(button, GW_HWNDPREV); at; at = GetWindow(at, GW_HWNDPREV))
        if (StartsGroup(at))
            return at;
    return GetWindow(button, GW_HWNDFIRST);
}

} // namespace

void SkinRadioWnd::OnClick() {
    HWND hwnd = GetHwnd();
    if ((static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & 0x1F) != BS_AUTORADIOBUTTON)
        return;
    SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    HWND start = GroupStart(hwnd);
    for (HWND at = start; at; at = GetWindow(at, GW_HWNDNEXT)) {
        if (at != start && StartsGroup(at))
            break;
        if (at != hwnd && (SendMessageA(at, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            SendMessageA(at, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}
