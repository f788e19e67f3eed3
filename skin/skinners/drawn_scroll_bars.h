// Drawn scroll bars: a window initialised for them keeps WS_HSCROLL and WS_VSCROLL, but the
// frame is measured and painted without them; the toolkit reserves the room, paints the bars
// from the skin (or plainly), hit-tests them and runs the mouse, sending the window the
// WM_HSCROLL and WM_VSCROLL messages that real bars send. The scroll-bar functions reach this
// state once GlazeworkHookScrollApis has put its detours in place.
#pragma once

#include "win32/scroll_dispatch.h"
#include "win32/win32.h"

// The window property that holds a window's state.
constexpr char kDrawnSBProperty[] = "DrawnSBSubclassPtr";

// The custom-draw record of one piece. Stages: 1 before the bar, 2 after it, 0x10001 a piece.
constexpr UINT kDrawnSBNotifyCode = static_cast<UINT>(-4095);
constexpr DWORD kDrawnSBPrePaint = 1;
constexpr DWORD kDrawnSBPostPaint = 2;
constexpr DWORD kDrawnSBItemPrePaint = 0x10001;
// Item states.
constexpr UINT kDrawnSBPressed = 1;
constexpr UINT kDrawnSBDisabled = 4;
constexpr UINT kDrawnSBNormal = 32;
constexpr UINT kDrawnSBHot = 64;
// Bars in a record, beside SB_HORZ and SB_VERT.
constexpr UINT kDrawnSBSizeBox = 3;
constexpr UINT kDrawnSBSizeBoxItem = 32;
// The answer that tells the bars the piece is drawn.
constexpr LRESULT kDrawnSBSkipDefault = 4;

struct DrawnSBCustomDraw {
    NMHDR hdr;
    DWORD drawStage;
    HDC hdc;
    RECT rc;
    UINT item;
    UINT itemState;
    UINT bar;
};

BOOL DrawnSB_Initialize(HWND hwnd);
HRESULT DrawnSB_Uninitialize(HWND hwnd);
BOOL DrawnSB_IsInitialized(HWND hwnd);
BOOL DrawnSB_SetSize(HWND hwnd, int bar, int arrowLength, int thickness);
BOOL DrawnSB_SetStyle(HWND hwnd, int bar, UINT style);
BOOL DrawnSB_SetMinThumbSize(HWND hwnd, int bar, int length);
void DrawnSB_SetEnableScrollBarFn(ENABLESCROLLBARPROC function);

BOOL DrawnSB_EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
BOOL DrawnSB_GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int DrawnSB_GetScrollPos(HWND hwnd, int bar);
BOOL DrawnSB_GetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum);
int DrawnSB_SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
int DrawnSB_SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw);
BOOL DrawnSB_SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw);
BOOL DrawnSB_ShowScrollBar(HWND hwnd, int bar, BOOL show);

LRESULT CALLBACK DrawnSB_WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The bar's rectangle in window coordinates (relative to the window's top-left), empty when
// the bar is not shown; for tests and hit testing.
RECT DrawnSB_GetBarRect(HWND hwnd, int bar);
// The window's tool-tip window (owned by it), null when the window has no state.
HWND DrawnSB_GetToolTip(HWND hwnd);
