// The eight scroll-bar functions call through one table of entries for the whole process, so
// that a window whose bars are drawn by someone else (the skinning toolkit's drawn scroll
// bars) answers them from that owner's state. A replacement keeps the entry it replaced and
// passes every other window on to it.
#pragma once

#include "win32/scroll_bar.h"

// Entry indices, in the order a replacer installs them.
constexpr UINT SCROLLAPI_ENABLESCROLLBAR = 0;
constexpr UINT SCROLLAPI_GETSCROLLINFO = 1;
constexpr UINT SCROLLAPI_GETSCROLLPOS = 2;
constexpr UINT SCROLLAPI_GETSCROLLRANGE = 3;
constexpr UINT SCROLLAPI_SETSCROLLINFO = 4;
constexpr UINT SCROLLAPI_SETSCROLLPOS = 5;
constexpr UINT SCROLLAPI_SETSCROLLRANGE = 6;
constexpr UINT SCROLLAPI_SHOWSCROLLBAR = 7;
constexpr UINT SCROLLAPI_COUNT = 8;

// The entries' types, one per function.
using ENABLESCROLLBARPROC = BOOL (*)(HWND, UINT, UINT);
using GETSCROLLINFOPROC = BOOL (*)(HWND, int, LPSCROLLINFO);
using GETSCROLLPOSPROC = int (*)(HWND, int);
using GETSCROLLRANGEPROC = BOOL (*)(HWND, int, LPINT, LPINT);
using SETSCROLLINFOPROC = int (*)(HWND, int, LPCSCROLLINFO, BOOL);
using SETSCROLLPOSPROC = int (*)(HWND, int, int, BOOL);
using SETSCROLLRANGEPROC = BOOL (*)(HWND, int, int, int, BOOL);
using SHOWSCROLLBARPROC = BOOL (*)(HWND, int, BOOL);

// The entry the function calls now; NULL (ERROR_INVALID_PARAMETER) for an unknown index.
FARPROC GetScrollApiEntry(UINT api);
// The layer's own entry.
FARPROC GetDefaultScrollApiEntry(UINT api);
// Puts `replacement` in place of `expected` in one step. FALSE with ERROR_INVALID_ACCESS when
// the entry is no longer `expected` (it is left as it is), ERROR_INVALID_PARAMETER for an
// unknown index or a NULL replacement.
BOOL ReplaceScrollApiEntry(UINT api, FARPROC expected, FARPROC replacement);
