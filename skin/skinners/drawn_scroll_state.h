// The per-window state of the drawn scroll bars and the one drag the process can run; shared
// by the scroll functions, the window procedure and the painter.
#pragma once

#include "skin/skinners/drawn_scroll_bars.h"
#include "skin/skinners/drawn_scroll_geometry.h"

namespace drawn_sb {

struct Bar {
    UINT flags = 0;
    int shown = 0;
    SCROLLINFO info{};
    int arrowLength = -1;
    int thickness = -1;
    int kind = 0;
    UINT style = 0;
    int minThumb = 0;
};

struct State {
    WNDPROC saved = nullptr;
    Bar bars[2];
    int thumbTracking = 0;
    int leftScrollBar = 0;
    RECT margins{}; // left, top, right, bottom of the window's own frame
    int ownStyleChange = 0;
    HWND tooltip = nullptr;      // owned by the window
    LPARAM lastNcMouseMove = -1; // the last WM_NCMOUSEMOVE point relayed to the tip
};

// The press and drag in progress, and the hot bar; one for the whole process.
struct Drag {
    HWND hwnd = nullptr;
    int bar = -1;
    UINT message = 0;
    int pressedPart = kPartNone;
    int partUnderCursor = kPartNone;
    RECT barRect{}; // screen coordinates, at the press
    int thumbLength = 0;
    int thumbStart = 0;
    int pressThumbStart = 0;
    int mouseOffset = 0;
    int lastTrackPos = 0;
    UINT_PTR timer = 0;
    HWND hotHwnd = nullptr;
    int hotBar = -1;
    int hotPart = kPartNone;
    int previousHotPart = kPartNone;
    RECT hotRect{}; // screen coordinates
};

constexpr UINT_PTR kFirstRepeatTimer = 65533;
constexpr UINT_PTR kRepeatTimer = 65534;
constexpr UINT_PTR kHotTimer = static_cast<UINT_PTR>(0xFFFFFFF2u);
constexpr UINT kFirstRepeatDelay = 300;
constexpr UINT kRepeatDelay = 55;
constexpr UINT kHotDelay = 20;

State* StateOf(HWND hwnd);
Drag& CurrentDrag();

int ArrowLength(const Bar& bar);
int Thickness(const Bar& bar);
// The bar's rectangle relative to the window's top-left; empty when not shown.
RECT BarRect(HWND hwnd, const State& state, int bar);
// The bar's layout along its axis for a rectangle in any coordinates.
Layout LayOutBar(const Bar& bar, const RECT& rect);
// The part of the bar at a screen point.
int PartAt(HWND hwnd, const State& state, int bar, POINT screen);

// Restores the window's procedure and frees its state; false when it has none.
bool Forget(HWND hwnd, bool reframe);
// Recalculates the frame (SetWindowPos with SWP_FRAMECHANGED).
void RecalcFrame(HWND hwnd);

// The tip of the window's bars (one tool, the window, whose text the window gives).
HWND CreateTip(HWND hwnd);
// Hands a mouse message at a screen point to the tip, in the window's client coordinates.
void RelayToTip(HWND hwnd, const State& s, UINT message, WPARAM wParam, POINT screen);
// Deactivates the tip and takes it off the screen.
void PutTipAway(const State& s);
// Answers the tip's TTN_GETDISPINFOA; false when the notice is not that.
bool FillTipText(HWND hwnd, const State& s, LPARAM notice);

// Paints one bar, or the size box between two, into the window DC.
void PaintBar(HWND hwnd, const State& state, int bar, HDC windowDC);
void PaintSizeBox(HWND hwnd, const State& state, HDC windowDC);

} // namespace drawn_sb
