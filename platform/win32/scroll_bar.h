// Scroll bars: the "ScrollBar" control class, its messages, and the scroll-bar functions that
// serve both the control (SB_CTL) and a window's own bars (SB_HORZ, SB_VERT).
#pragma once

#include "win32/window.h"

#define WC_SCROLLBARA "ScrollBar"

// ---- Styles -----------------------------------------------------------------------------------
constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;
constexpr DWORD SBS_TOPALIGN = 0x0002;
constexpr DWORD SBS_LEFTALIGN = 0x0002;
constexpr DWORD SBS_BOTTOMALIGN = 0x0004;
constexpr DWORD SBS_RIGHTALIGN = 0x0004;
constexpr DWORD SBS_SIZEBOXTOPLEFTALIGN = 0x0002;
constexpr DWORD SBS_SIZEBOXBOTTOMRIGHTALIGN = 0x0004;
constexpr DWORD SBS_SIZEBOX = 0x0008;
constexpr DWORD SBS_SIZEGRIP = 0x0010;

// ---- Which bar --------------------------------------------------------------------------------
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

// ---- SCROLLINFO -------------------------------------------------------------------------------
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;
static_assert(sizeof(SCROLLINFO) == 28, "callers test cbSize against the platform's 28 bytes");

// ---- Arrows (EnableScrollBar, SBM_ENABLE_ARROWS) ----------------------------------------------
constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;
constexpr UINT ESB_DISABLE_LEFT = 0x0001;
constexpr UINT ESB_DISABLE_RIGHT = 0x0002;
constexpr UINT ESB_DISABLE_UP = 0x0001;
constexpr UINT ESB_DISABLE_DOWN = 0x0002;
constexpr UINT ESB_DISABLE_LTUP = ESB_DISABLE_LEFT;
constexpr UINT ESB_DISABLE_RTDN = ESB_DISABLE_RIGHT;

// ---- Messages of the control ------------------------------------------------------------------
constexpr UINT SBM_SETPOS = 0x00E0;
constexpr UINT SBM_GETPOS = 0x00E1;
constexpr UINT SBM_SETRANGE = 0x00E2;
constexpr UINT SBM_SETRANGEREDRAW = 0x00E6;
constexpr UINT SBM_GETRANGE = 0x00E3;
constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;
constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
constexpr UINT SBM_GETSCROLLINFO = 0x00EA;

// A window without the bar asked for.
constexpr DWORD ERROR_NO_SCROLLBARS = 1447;

// ---- Functions --------------------------------------------------------------------------------
// SB_CTL goes to the control as its SBM_* message. A window's own bars keep their numbers here;
// the window paints them (the layer's controls that have bars publish their state this way).
// Setting the numbers never adds or removes WS_HSCROLL/WS_VSCROLL: ShowScrollBar does.
int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
