// Each window's own copy of the system menu: the standard items with their SC_* commands, made
// when first asked for, their states following the window's.
#pragma once

#include "win32/menu.h"

namespace lv::menu {

// The window's copy, made now when `create`; null for a window without WS_SYSMENU.
HMENU system_menu_of(HWND hwnd, bool create);
// Drops (and destroys) the window's copy.
void forget_system_menu(HWND hwnd);
// Restore, Move, Size, Minimize and Maximize enabled as the window's state and styles allow;
// other items keep what the program gave them.
void update_system_menu(HWND hwnd, HMENU menu);
// True when `menu` is some window's system menu.
bool is_system_menu(HMENU menu);

} // namespace lv::menu
