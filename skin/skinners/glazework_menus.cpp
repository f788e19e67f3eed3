#include "skin/skinners/glazework_menus.h"

#include "skin/core/popup_menu_skin.h"
#include "skin/core/popup_placement.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_messages.h"
#include "skin/skinners/skin_popup_menu_wnd.h"

#include <cstring>
#include <memory>

namespace {

constexpr std::size_t kTextBufferSize = 400;
char g_itemText[kTextBufferSize];

// Copies one system-menu item by command when it has a text.
void CopyItem(HMENU from, HMENU to, UINT command, UINT flags) {
    const char* text = GlazeworkGetMenuItemText(from, command, FALSE);
    if (text[0] == '\0')
        return;
    AppendMenuA(to, MF_STRING | flags, command, text);
}

bool HasItem(HMENU menu, UINT command) {
    return GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

} // namespace

const char* GlazeworkGetMenuItemText(HMENU menu, UINT item, BOOL byPosition) {
    std::memset(g_itemText, 0, sizeof g_itemText);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.dwTypeData = g_itemText;
    info.cch = kTextBufferSize - 1;
    if (!GetMenuItemInfoA(menu, item, byPosition, &info) ||
        (info.fType & (MFT_BITMAP | MFT_SEPARATOR)))
        g_itemText[0] = '\0';
    return g_itemText;
}

int GlazeworkTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, BOOL systemMenu) {
    auto popup = std::make_unique<SkinPopupMenuWnd>(
        owner, nullptr, systemMenu ? SkinPopupMenuWnd::SystemMenu : SkinPopupMenuWnd::CommandMenu);
    SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    if (!popup->Create())
        return 0;
    popup->SetMenu(menu);
    if (SkinData* skin = SkinManager::Instance().GetSkin())
        if (SkinObject* object = skin->FindElementByType(PopupMenuSkin::kTypeId))
            popup->ApplySkin(object);
    RECT place{};
    GlazeworkPlacePopupMenu(place, x, y, popup->CalcSize(), flags);
    const HWND window = popup->GetHwnd();
    ::MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 TRUE);
    ::ShowWindow(window, SW_SHOW);
    MSG message{};
    while (!popup->IsDone()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            // The quit stays for the program's own loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (systemMenu &&
            (message.message == WM_NCLBUTTONDOWN || message.message == WM_NCLBUTTONDBLCLK)) {
            popup->CloseSubmenus();
            DispatchMessageA(&message);
            break;
        }
        // Escape in an open submenu closes only that submenu: the popup that has it handles it.
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && message.hwnd == window)
            break;
        if (message.message == GWM_MENUCLOSED) {
            DispatchMessageA(&message);
            break;
        }
        DispatchMessageA(&message);
    }
    popup->CloseSubmenus();
    return 0;
}

int GlazeworkShowSystemMenu(HWND hwnd) {
    HMENU system = GetSystemMenu(hwnd, FALSE);
    if (!system)
        return 0;
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return 0;
    const bool zoomed = IsZoomed(hwnd) != FALSE;
    const bool iconic = IsIconic(hwnd) != FALSE;
    CopyItem(system, menu, SC_RESTORE, zoomed || iconic ? 0 : MF_DISABLED);
    CopyItem(system, menu, SC_SIZE, zoomed || iconic ? MF_DISABLED : 0);
    CopyItem(system, menu, SC_MOVE, zoomed || iconic ? MF_DISABLED : 0);
    CopyItem(system, menu, SC_MINIMIZE, iconic ? MF_DISABLED : 0);
    CopyItem(system, menu, SC_MAXIMIZE, zoomed ? MF_DISABLED : 0);
    if (HasItem(system, SC_CLOSE)) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        CopyItem(system, menu, SC_CLOSE, 0);
    }
    if ((GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) && HasItem(system, SC_NEXTWINDOW)) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        CopyItem(system, menu, SC_NEXTWINDOW, 0);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    const int result = GlazeworkTrackPopupMenu(menu, 0, cursor.x + 2, cursor.y, hwnd, TRUE);
    DestroyMenu(menu);
    return result;
}
