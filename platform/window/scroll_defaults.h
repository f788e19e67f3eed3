// The layer's own scroll-bar functions: the default entries of the scroll-function table.
#pragma once

#include "win32/scroll_bar.h"

namespace lv::window::scroll_defaults {

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int GetScrollPos(HWND hwnd, int bar);
BOOL GetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum);
int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw);
BOOL SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);

} // namespace lv::window::scroll_defaults
