// The window procedure of the drawn scroll bars: the frame measured and painted without the
// scroll styles, hit testing, presses with auto-repeat, thumb dragging and hot tracking.
#include "skin/skinners/drawn_scroll_state.h"

#include <algorithm>

namespace drawn_sb {
namespace {

constexpr DWORD kScrollStyles = WS_HSCROLL | WS_VSCROLL;
// How far the mouse may leave a dragged thumb's bar before the thumb snaps back.
constexpr int kDragSlackAlong = 48;
constexpr int kDragSlackAcross = 24;

POINT ScreenPoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

POINT CursorOfClientMessage(HWND hwnd, LPARAM lParam) {
    POINT p = ScreenPoint(lParam);
    ClientToScreen(hwnd, &p);
    return p;
}

// Calls the saved procedure with the scroll styles hidden from it.
LRESULT CallStripped(HWND hwnd, State& s, UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const bool strip = (style & kScrollStyles) != 0;
    if (strip) {
        s.ownStyleChange = 1;
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style & ~kScrollStyles));
    }
    const LRESULT result = CallWindowProcA(s.saved, hwnd, message, wParam, lParam);
    if (strip && IsWindow(hwnd)) {
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
        s.ownStyleChange = 0;
    }
    return result;
}

LRESULT OnNcCalcSize(HWND hwnd, State& s, WPARAM wParam, LPARAM lParam) {
    RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                          : reinterpret_cast<RECT*>(lParam);
    const RECT proposed = *client;
    const LRESULT result = CallStripped(hwnd, s, WM_NCCALCSIZE, wParam, lParam);
    s.margins = RECT{client->left - proposed.left, client->top - proposed.top,
                     proposed.right - client->right, proposed.bottom - client->bottom};
    Bar& h = s.bars[0];
    Bar& v = s.bars[1];
    h.shown = (h.flags & kFlagWanted) && Thickness(h) < client->bottom - client->top;
    if (h.shown)
        client->bottom -= Thickness(h);
    v.shown = (v.flags & kFlagWanted) && client->right - client->left >= Thickness(v);
    if (v.shown) {
        if (s.leftScrollBar)
            client->left += Thickness(v);
        else
            client->right -= Thickness(v);
    }
    return result;
}

RECT ScreenBarRect(HWND hwnd, const State& s, int bar) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    RECT r = BarRect(hwnd, s, bar);
    OffsetRect(&r, window.left, window.top);
    return r;
}

void RepaintBar(HWND hwnd, const State& s, int bar) {
    if (HDC dc = GetWindowDC(hwnd)) {
        PaintBar(hwnd, s, bar, dc);
        ReleaseDC(hwnd, dc);
    }
}

void SendScroll(HWND hwnd, const Drag& d, WORD code, WORD position) {
    SendMessageA(hwnd, d.message, MAKEWPARAM(code, position), 0);
}

LRESULT OnPress(HWND hwnd, State& s, WPARAM hit, LPARAM lParam) {
    Drag& d = CurrentDrag();
    const int bar = hit == HTHSCROLL ? 0 : 1;
    const POINT at = ScreenPoint(lParam);
    const int part = PartAt(hwnd, s, bar, at);
    Bar& b = s.bars[bar];
    if ((part == kPartArrow1 && (b.flags & kFlagArrow1Disabled)) ||
        (part == kPartArrow2 && (b.flags & kFlagArrow2Disabled)))
        return 0;
    const bool usable = BarUsable(b.info, b.flags);
    if (part == kPartThumb && !usable)
        return 0;
    if (part == kPartNone)
        return 0;
    d = Drag{.hotHwnd = d.hotHwnd,
             .hotBar = d.hotBar,
             .hotPart = d.hotPart,
             .previousHotPart = d.previousHotPart,
             .hotRect = d.hotRect};
    d.hwnd = hwnd;
    d.bar = bar;
    d.message = bar == 0 ? WM_HSCROLL : WM_VSCROLL;
    d.pressedPart = part;
    d.partUnderCursor = part;
    d.barRect = ScreenBarRect(hwnd, s, bar);
    if (part == kPartThumb) {
        const Layout l = LayOutBar(b, d.barRect);
        d.thumbLength = l.thumbLength;
        d.thumbStart = d.pressThumbStart = l.thumbStart;
        d.mouseOffset = (bar == 0 ? at.x : at.y) - l.thumbStart;
        s.thumbTracking = 1;
        b.info.nTrackPos = b.info.nPos;
        d.lastTrackPos = b.info.nPos;
        RepaintBar(hwnd, s, bar);
    } else if (usable) {
        SendScroll(hwnd, d, static_cast<WORD>(part), 0);
        if (!IsWindow(hwnd) || !StateOf(hwnd))
            return 0;
        RepaintBar(hwnd, s, bar);
        d.timer = SetTimer(hwnd, kFirstRepeatTimer, kFirstRepeatDelay, nullptr);
    }
    SetCapture(hwnd);
    return 0;
}

void DragThumb(HWND hwnd, State& s, POINT at) {
    Drag& d = CurrentDrag();
    Bar& b = s.bars[d.bar];
    const bool horizontal = d.bar == 0;
    RECT allowed = d.barRect;
    if (horizontal)
        InflateRect(&allowed, kDragSlackAlong, kDragSlackAcross);
    else
        InflateRect(&allowed, kDragSlackAcross, kDragSlackAlong);
    const Layout l = LayOutBar(b, d.barRect);
    const int channelStart = l.start + l.arrow;
    int start = d.pressThumbStart;
    if (PtInRect(&allowed, at)) {
        start = (horizontal ? at.x : at.y) - d.mouseOffset;
        start = std::clamp(start, channelStart,
                           std::max(channelStart, channelStart + l.channel - l.thumbLength));
    }
    d.thumbStart = start;
    RepaintBar(hwnd, s, d.bar);
    const int track = TrackPosition(l, b.info, start);
    if (track != d.lastTrackPos) {
        d.lastTrackPos = track;
        b.info.nTrackPos = track;
        SendScroll(hwnd, d, SB_THUMBTRACK, static_cast<WORD>(track));
    }
}

// Which part the cursor is over compared with the pressed one; repaints when that changed.
void FollowPressedPart(HWND hwnd, State& s, POINT at) {
    Drag& d = CurrentDrag();
    const int part = PartAt(hwnd, s, d.bar, at);
    const int before = d.partUnderCursor;
    d.partUnderCursor = part;
    if ((before == d.pressedPart) != (part == d.pressedPart))
        RepaintBar(hwnd, s, d.bar);
}

LRESULT OnMouseMove(HWND hwnd, State& s, WPARAM wParam, LPARAM lParam) {
    Drag& d = CurrentDrag();
    if (d.hwnd != hwnd || d.pressedPart == kPartNone)
        return CallWindowProcA(s.saved, hwnd, WM_MOUSEMOVE, wParam, lParam);
    const POINT at = CursorOfClientMessage(hwnd, lParam);
    if (d.pressedPart == kPartThumb) {
        DragThumb(hwnd, s, at);
        return 0;
    }
    FollowPressedPart(hwnd, s, at);
    return CallWindowProcA(s.saved, hwnd, WM_MOUSEMOVE, wParam, lParam);
}

LRESULT OnRelease(HWND hwnd, State& s, WPARAM wParam, LPARAM lParam) {
    Drag& d = CurrentDrag();
    if (d.hwnd != hwnd || d.pressedPart == kPartNone)
        return CallWindowProcA(s.saved, hwnd, WM_LBUTTONUP, wParam, lParam);
    ReleaseCapture();
    const Drag pressed = d;
    if (pressed.pressedPart != kPartThumb && pressed.timer)
        KillTimer(hwnd, pressed.timer);
    if (pressed.pressedPart == kPartThumb) {
        SendScroll(hwnd, pressed, SB_THUMBPOSITION, static_cast<WORD>(pressed.lastTrackPos));
        if (State* alive = StateOf(hwnd))
            alive->thumbTracking = 0;
    }
    if (StateOf(hwnd))
        SendScroll(hwnd, pressed, SB_ENDSCROLL, 0);
    d.hwnd = nullptr;
    d.bar = -1;
    d.pressedPart = kPartNone;
    d.partUnderCursor = kPartNone;
    d.timer = 0;
    d.message = 0;
    if (State* alive = StateOf(hwnd))
        RepaintBar(hwnd, *alive, pressed.bar);
    return 0;
}

void OnRepeatTimer(HWND hwnd, State& s, UINT_PTR id) {
    Drag& d = CurrentDrag();
    if (d.hwnd != hwnd || d.pressedPart == kPartNone || d.pressedPart == kPartThumb) {
        KillTimer(hwnd, id);
        return;
    }
    if (id == kFirstRepeatTimer) {
        KillTimer(hwnd, id);
        d.timer = SetTimer(hwnd, kRepeatTimer, kRepeatDelay, nullptr);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    FollowPressedPart(hwnd, s, cursor);
    if (d.partUnderCursor == d.pressedPart)
        SendScroll(hwnd, d, static_cast<WORD>(d.pressedPart), 0);
}

void OnHotTimer(HWND hwnd, State& s) {
    Drag& d = CurrentDrag();
    if (s.thumbTracking)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (d.hotHwnd != hwnd || !PtInRect(&d.hotRect, cursor)) {
        KillTimer(hwnd, kHotTimer);
        d.hotHwnd = nullptr;
        d.hotBar = -1;
        d.hotPart = d.previousHotPart = kPartNone;
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
        return;
    }
    const int part = PartAt(hwnd, s, d.hotBar, cursor);
    if (part != d.hotPart) {
        d.previousHotPart = d.hotPart;
        d.hotPart = part;
        RepaintBar(hwnd, s, d.hotBar);
    }
}

LRESULT OnNcMouseMove(HWND hwnd, State& s, WPARAM wParam, LPARAM lParam) {
    if (lParam != s.lastNcMouseMove) {
        RelayToTip(hwnd, s, WM_MOUSEMOVE, 0, ScreenPoint(lParam));
        s.lastNcMouseMove = lParam;
    }
    Drag& d = CurrentDrag();
    if (wParam == HTHSCROLL || wParam == HTVSCROLL) {
        const int bar = wParam == HTHSCROLL ? 0 : 1;
        if (d.hotHwnd != hwnd || d.hotBar != bar) {
            d.hotHwnd = hwnd;
            d.hotBar = bar;
            d.hotPart = d.previousHotPart = kPartNone;
            d.hotRect = ScreenBarRect(hwnd, s, bar);
            SetTimer(hwnd, kHotTimer, kHotDelay, nullptr);
            SendMessageA(hwnd, WM_NCPAINT, 1, 0);
        }
    }
    return CallWindowProcA(s.saved, hwnd, WM_NCMOUSEMOVE, wParam, lParam);
}

void PaintShownBars(HWND hwnd) {
    State* alive = StateOf(hwnd);
    if (!alive)
        return;
    if (HDC dc = GetWindowDC(hwnd)) {
        for (int bar = 0; bar < 2; ++bar)
            if (alive->bars[bar].shown)
                PaintBar(hwnd, *alive, bar, dc);
        if (alive->bars[0].shown && alive->bars[1].shown)
            PaintSizeBox(hwnd, *alive, dc);
        ReleaseDC(hwnd, dc);
    }
}

// The platform paints its frame on WM_NCPAINT, and also on activation and on a new caption
// text, filling the bars' room each time: the bars go on after it.
LRESULT PaintAfterFrame(HWND hwnd, State& s, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallStripped(hwnd, s, message, wParam, lParam);
    PaintShownBars(hwnd);
    return result;
}

LRESULT OnNcHitTest(HWND hwnd, State& s, WPARAM wParam, LPARAM lParam) {
    const POINT at = ScreenPoint(lParam);
    for (int bar = 0; bar < 2; ++bar) {
        if (!s.bars[bar].shown)
            continue;
        const RECT r = ScreenBarRect(hwnd, s, bar);
        if (PtInRect(&r, at))
            return bar == 0 ? HTHSCROLL : HTVSCROLL;
    }
    return CallWindowProcA(s.saved, hwnd, WM_NCHITTEST, wParam, lParam);
}

} // namespace
} // namespace drawn_sb

using namespace drawn_sb;

LRESULT CALLBACK DrawnSB_WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    State* s = StateOf(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCCALCSIZE:
        return OnNcCalcSize(hwnd, *s, wParam, lParam);
    case WM_NCHITTEST:
        return OnNcHitTest(hwnd, *s, wParam, lParam);
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_SETTEXT:
        return PaintAfterFrame(hwnd, *s, message, wParam, lParam);
    case WM_NCMOUSEMOVE:
        return OnNcMouseMove(hwnd, *s, wParam, lParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (message == WM_NCLBUTTONDOWN)
            RelayToTip(hwnd, *s, WM_LBUTTONDOWN, 0, ScreenPoint(lParam));
        if (wParam == HTHSCROLL || wParam == HTVSCROLL)
            return OnPress(hwnd, *s, wParam, lParam);
        break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        // The matching client message: WM_RBUTTONDOWN for WM_NCRBUTTONDOWN and so on.
        RelayToTip(hwnd, *s, message + (WM_RBUTTONDOWN - WM_NCRBUTTONDOWN), 0, ScreenPoint(lParam));
        if (wParam == HTHSCROLL || wParam == HTVSCROLL)
            return 0;
        break;
    case WM_MOUSEMOVE:
        return OnMouseMove(hwnd, *s, wParam, lParam);
    case WM_LBUTTONUP:
        RelayToTip(hwnd, *s, WM_LBUTTONUP, wParam, CursorOfClientMessage(hwnd, lParam));
        return OnRelease(hwnd, *s, wParam, lParam);
    case WM_SETCURSOR:
        PutTipAway(*s);
        break;
    case WM_NOTIFY:
        FillTipText(hwnd, *s, lParam);
        break;
    case WM_TIMER:
        if (wParam == kFirstRepeatTimer || wParam == kRepeatTimer) {
            OnRepeatTimer(hwnd, *s, wParam);
            return 0;
        }
        if (wParam == kHotTimer) {
            OnHotTimer(hwnd, *s);
            return 0;
        }
        break;
    case WM_STYLECHANGED:
        if (s->ownStyleChange)
            return 0;
        if (wParam == static_cast<WPARAM>(GWL_EXSTYLE)) {
            const DWORD ex = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
            s->leftScrollBar = (ex & WS_EX_LEFTSCROLLBAR) ? 1 : 0;
        }
        break;
    case WM_NCDESTROY: {
        const WNDPROC saved = s->saved;
        Forget(hwnd, false);
        return CallWindowProcA(saved, hwnd, message, wParam, lParam);
    }
    default:
        break;
    }
    return CallWindowProcA(s->saved, hwnd, message, wParam, lParam);
}
