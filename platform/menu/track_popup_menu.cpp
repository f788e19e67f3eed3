// TrackPopupMenu(Ex) and EndMenu over the layer's menu loop.
#include "menu/menu_loop.h"

#include "win32/errors.h"

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
    if (!IsMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (params && params->cbSize != sizeof(TPMPARAMS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (lv::menu::loop_running() && !(flags & TPM_RECURSE)) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return FALSE;
    }
    lv::menu::PopupRequest request;
    request.menu = menu;
    request.owner = owner;
    request.flags = flags;
    request.at = POINT{x, y};
    request.exclude = params ? &params->rcExclude : nullptr;
    UINT chosen = lv::menu::track_popup(request);
    return (flags & TPM_RETURNCMD) ? static_cast<BOOL>(chosen) : TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
    return lv::menu::end_loop() ? TRUE : FALSE;
}
