// What the window manager asks of the menus: the menu part implements these (window/ never
// includes menu/). None may be called with the tree lock held.
#pragma once

#include "win32/window.h"

namespace lv::window::menu_port {

// The height of the menu bar a window of that width shows: 0 for a child or without a menu.
int bar_height(HWND hwnd, int window_width);
// Paints the window's menu bar into its window DC; `bar` is in window coordinates.
void paint_bar(HWND hwnd, HDC window_dc, const RECT& bar);
// DefWindowProc's WM_SYSCOMMAND for SC_KEYMENU and SC_MOUSEMENU.
void system_command(HWND hwnd, WPARAM command, LPARAM lParam);
// DefWindowProc's WM_SYSKEYDOWN, WM_SYSKEYUP and WM_SYSCHAR: Alt and F10 alone, and Alt with a
// letter, reach the menu bar.
void system_key(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Whether a menu's popup window dropped from a menu bar (as opposed to a popup menu opened at a
// point); asked from any thread.
bool drops_from_bar(HWND popup);
// The window is going: its menu bar and its system menu are destroyed with it.
void window_destroyed(HWND hwnd);

} // namespace lv::window::menu_port
