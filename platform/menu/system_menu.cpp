#include "menu/system_menu.h"

#include <map>
#include <mutex>

namespace lv::menu {
namespace {

struct Copies {
    std::mutex mutex;
    std::map<HWND, HMENU> menus;
};

Copies& copies() {
    static auto* c = new Copies;
    return *c;
}

HMENU build(DWORD style, DWORD ex_style) {
    HMENU menu = CreatePopupMenu();
    bool sizable = (style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    bool mdi_child = (ex_style & WS_EX_MDICHILD) != 0;
    if (sizable)
        AppendMenuA(menu, MF_STRING, SC_RESTORE, "&Restore");
    AppendMenuA(menu, MF_STRING, SC_MOVE, "&Move");
    if (sizable) {
        AppendMenuA(menu, MF_STRING, SC_SIZE, "&Size");
        AppendMenuA(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
        AppendMenuA(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, SC_CLOSE, mdi_child ? "&Close\tCtrl+F4" : "&Close\tAlt+F4");
    if (mdi_child) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, SC_NEXTWINDOW, "Nex&t\tCtrl+F6");
    }
    return menu;
}

void enable(HMENU menu, WPARAM command, bool on) {
    EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

} // namespace

HMENU system_menu_of(HWND hwnd, bool create) {
    if (!IsWindow(hwnd))
        return nullptr;
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    DWORD ex_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    auto& c = copies();
    std::lock_guard lock(c.mutex);
    auto it = c.menus.find(hwnd);
    if (it != c.menus.end() && IsMenu(it->second))
        return it->second;
    if (!create || !(style & WS_SYSMENU))
        return nullptr;
    HMENU menu = build(style, ex_style);
    c.menus[hwnd] = menu;
    return menu;
}

void forget_system_menu(HWND hwnd) {
    HMENU menu = nullptr;
    {
        auto& c = copies();
        std::lock_guard lock(c.mutex);
        auto it = c.menus.find(hwnd);
        if (it == c.menus.end())
            return;
        menu = it->second;
        c.menus.erase(it);
    }
    DestroyMenu(menu);
}

void update_system_menu(HWND hwnd, HMENU menu) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    bool zoomed = (style & WS_MAXIMIZE) != 0;
    bool iconic = (style & WS_MINIMIZE) != 0;
    enable(menu, SC_RESTORE, zoomed || iconic);
    enable(menu, SC_MOVE, !zoomed);
    enable(menu, SC_SIZE, !zoomed && !iconic && (style & WS_THICKFRAME));
    enable(menu, SC_MINIMIZE, !iconic && (style & WS_MINIMIZEBOX));
    enable(menu, SC_MAXIMIZE, !zoomed && (style & WS_MAXIMIZEBOX));
}

bool is_system_menu(HMENU menu) {
    auto& c = copies();
    std::lock_guard lock(c.mutex);
    for (const auto& [hwnd, copy] : c.menus)
        if (copy == menu)
            return true;
    return false;
}

} // namespace lv::menu

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    if (revert) {
        lv::menu::forget_system_menu(hwnd);
        return nullptr;
    }
    HMENU menu = lv::menu::system_menu_of(hwnd, true);
    if (menu)
        lv::menu::update_system_menu(hwnd, menu);
    return menu;
}
