// The interception of the eight scroll-bar functions: each detour serves windows with drawn
// scroll bars from their state and passes every other call on to the entry it replaced.
#pragma once

#include "win32/win32.h"

// 1 when installed (again); 0 on the Windows 9x family.
int GlazeworkHookScrollApis();
// 1 when the replaced entries are back; 0 on the Windows 9x family.
int GlazeworkUnhookScrollApis();

BOOL EnableScrollBarDetour(HWND hwnd, UINT bar, UINT arrows);
BOOL GetScrollInfoDetour(HWND hwnd, int bar, LPSCROLLINFO info);
int GetScrollPosDetour(HWND hwnd, int bar);
BOOL GetScrollRangeDetour(HWND hwnd, int bar, LPINT minimum, LPINT maximum);
int SetScrollInfoDetour(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
int SetScrollPosDetour(HWND hwnd, int bar, int position, BOOL redraw);
BOOL SetScrollRangeDetour(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw);
BOOL ShowScrollBarDetour(HWND hwnd, int bar, BOOL show);
