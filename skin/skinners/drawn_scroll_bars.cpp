// The drawn scroll bars' state and the scroll functions that serve initialised windows.
#include "skin/skinners/drawn_scroll_state.h"

#include <algorithm>

namespace drawn_sb {
namespace {

ENABLESCROLLBARPROC g_enableScrollBar = nullptr;

template <class Function> Function DefaultEntry(UINT api) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetDefaultScrollApiEntry(api)));
}

// The named bars of SB_HORZ, SB_VERT or SB_BOTH.
template <class Each> void ForBars(int bar, Each each) {
    if (bar == SB_HORZ || bar == SB_BOTH)
        each(0);
    if (bar == SB_VERT || bar == SB_BOTH)
        each(1);
}

// The window's state when the bar is one it keeps; null sends the call to the platform.
State* Serving(HWND hwnd, int bar) {
    return bar == SB_HORZ || bar == SB_VERT ? StateOf(hwnd) : nullptr;
}

void Repaint(HWND hwnd) {
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
}

int DefaultMinThumb() {
    const DWORD version = GetVersion();
    const bool nineX = (version & 0x80000000u) != 0;
    return nineX || (version & 0xFF) < 5 ? 8 : 6;
}

} // namespace

State* StateOf(HWND hwnd) {
    return hwnd ? static_cast<State*>(GetPropA(hwnd, kDrawnSBProperty)) : nullptr;
}

Drag& CurrentDrag() {
    static Drag drag;
    return drag;
}

int ArrowLength(const Bar& bar) {
    return ResolveMetric(bar.arrowLength, bar.kind == 0 ? SM_CXHSCROLL : SM_CYVSCROLL);
}

int Thickness(const Bar& bar) {
    return ResolveMetric(bar.thickness, bar.kind == 0 ? SM_CYHSCROLL : SM_CXVSCROLL);
}

RECT BarRect(HWND hwnd, const State& s, int bar) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    OffsetRect(&window, -window.left, -window.top);
    const Bar& h = s.bars[0];
    const Bar& v = s.bars[1];
    RECT r{};
    if (bar == 0 && h.shown) {
        r = RECT{window.left + s.margins.left, 0, window.right - s.margins.right,
                 window.bottom - s.margins.bottom};
        r.top = r.bottom - Thickness(h);
        if (v.shown) {
            if (s.leftScrollBar)
                r.left += Thickness(v);
            else
                r.right -= Thickness(v);
        }
    } else if (bar == 1 && v.shown) {
        r.top = window.top + s.margins.top;
        r.bottom = window.bottom - s.margins.bottom - (h.shown ? Thickness(h) : 0);
        if (s.leftScrollBar) {
            r.left = window.left + s.margins.left;
            r.right = r.left + Thickness(v);
        } else {
            r.right = window.right - s.margins.right;
            r.left = r.right - Thickness(v);
        }
    }
    return r;
}

Layout LayOutBar(const Bar& bar, const RECT& rect) {
    const bool horizontal = bar.kind == 0;
    return LayOut(horizontal ? rect.left : rect.top, horizontal ? rect.right : rect.bottom,
                  ArrowLength(bar), bar.info, bar.minThumb);
}

int PartAt(HWND hwnd, const State& s, int bar, POINT screen) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    RECT r = BarRect(hwnd, s, bar);
    OffsetRect(&r, window.left, window.top);
    const bool horizontal = bar == 0;
    const int across = horizontal ? screen.y : screen.x;
    if (across < (horizontal ? r.top : r.left) || across >= (horizontal ? r.bottom : r.right))
        return kPartNone;
    return HitTest(LayOutBar(s.bars[bar], r), horizontal ? screen.x : screen.y);
}

void RecalcFrame(HWND hwnd) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

ENABLESCROLLBARPROC EnableScrollBarFn() {
    return g_enableScrollBar;
}

} // namespace drawn_sb

using namespace drawn_sb;

void DrawnSB_SetEnableScrollBarFn(ENABLESCROLLBARPROC function) {
    g_enableScrollBar = function;
}

BOOL DrawnSB_Initialize(HWND hwnd) {
    if (!g_enableScrollBar)
        g_enableScrollBar = DefaultEntry<ENABLESCROLLBARPROC>(SCROLLAPI_ENABLESCROLLBAR);
    if (!IsWindow(hwnd) || GetPropA(hwnd, kDrawnSBProperty))
        return FALSE;
    auto* s = new State{};
    for (int bar = 0; bar < 2; ++bar) {
        SCROLLINFO& info = s->bars[bar].info;
        info.cbSize = sizeof(SCROLLINFO);
        info.fMask = SIF_ALL;
        // The platform keeps no numbers for a window's own bars: what it cannot give stays 0.
        if (!GetScrollInfo(hwnd, bar, &info)) {
            info = SCROLLINFO{};
            info.cbSize = sizeof(SCROLLINFO);
        }
        info.fMask = 0;
    }
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    s->leftScrollBar = (exStyle & WS_EX_LEFTSCROLLBAR) ? 1 : 0;
    SetPropA(hwnd, kDrawnSBProperty, s);
    if (style & WS_HSCROLL)
        s->bars[0].flags |= kFlagWanted;
    if (style & WS_VSCROLL)
        s->bars[1].flags |= kFlagWanted;
    for (int bar = 0; bar < 2; ++bar)
        s->bars[bar].kind = bar;
    s->saved = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DrawnSB_WndProc)));
    DrawnSB_SetMinThumbSize(hwnd, SB_BOTH, -1);
    s->tooltip = CreateTip(hwnd);
    RecalcFrame(hwnd);
    return TRUE;
}

HRESULT DrawnSB_Uninitialize(HWND hwnd) {
    return Forget(hwnd, true) ? S_OK : E_FAIL;
}

bool drawn_sb::Forget(HWND hwnd, bool reframe) {
    State* s = StateOf(hwnd);
    if (!s)
        return false;
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s->saved));
    RemovePropA(hwnd, kDrawnSBProperty);
    Drag& drag = CurrentDrag();
    if (drag.hwnd == hwnd)
        drag = Drag{};
    if (drag.hotHwnd == hwnd) {
        KillTimer(hwnd, kHotTimer);
        drag.hotHwnd = nullptr;
        drag.hotBar = -1;
    }
    if (s->tooltip && IsWindow(s->tooltip))
        DestroyWindow(s->tooltip);
    delete s;
    if (reframe && IsWindow(hwnd))
        RecalcFrame(hwnd);
    return true;
}

BOOL DrawnSB_IsInitialized(HWND hwnd) {
    return StateOf(hwnd) != nullptr;
}

BOOL DrawnSB_SetSize(HWND hwnd, int bar, int arrowLength, int thickness) {
    State* s = StateOf(hwnd);
    auto refused = [](int v) { return v == 0 || v < -8 || v > 256; };
    if (!s || refused(arrowLength) || refused(thickness))
        return FALSE;
    ForBars(bar, [&](int b) {
        s->bars[b].arrowLength = arrowLength;
        s->bars[b].thickness = thickness;
    });
    RecalcFrame(hwnd);
    return TRUE;
}

BOOL DrawnSB_SetStyle(HWND hwnd, int bar, UINT style) {
    State* s = StateOf(hwnd);
    if (!s)
        return FALSE;
    ForBars(bar, [&](int b) { s->bars[b].style = style; });
    Repaint(hwnd);
    return TRUE;
}

BOOL DrawnSB_SetMinThumbSize(HWND hwnd, int bar, int length) {
    State* s = StateOf(hwnd);
    if (!s)
        return FALSE;
    const int value = length == -1 ? DefaultMinThumb() : length;
    ForBars(bar, [&](int b) { s->bars[b].minThumb = value; });
    return TRUE;
}

BOOL DrawnSB_EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    State* s = StateOf(hwnd);
    if (bar == SB_CTL || !s) {
        ENABLESCROLLBARPROC real =
            g_enableScrollBar ? g_enableScrollBar
                              : DefaultEntry<ENABLESCROLLBARPROC>(SCROLLAPI_ENABLESCROLLBAR);
        return real(hwnd, bar, arrows);
    }
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH)
        return FALSE;
    const UINT bits = kFlagArrow1Disabled | kFlagArrow2Disabled;
    int changed = 0;
    int named = 0;
    ForBars(static_cast<int>(bar), [&](int b) {
        ++named;
        const UINT before = s->bars[b].flags;
        s->bars[b].flags = (before & ~bits) | (arrows & bits);
        if (s->bars[b].flags != before)
            ++changed;
    });
    return changed == named;
}

BOOL DrawnSB_GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    State* s = Serving(hwnd, bar);
    if (!s)
        return DefaultEntry<GETSCROLLINFOPROC>(SCROLLAPI_GETSCROLLINFO)(hwnd, bar, info);
    if (!info)
        return FALSE;
    const SCROLLINFO& mine = s->bars[bar].info;
    bool filled = false;
    if (info->fMask & SIF_PAGE) {
        info->nPage = mine.nPage;
        filled = true;
    }
    if (info->fMask & SIF_POS) {
        info->nPos = mine.nPos;
        filled = true;
    }
    if (info->fMask & SIF_TRACKPOS) {
        info->nTrackPos = mine.nTrackPos;
        filled = true;
    }
    if (info->fMask & SIF_RANGE) {
        info->nMin = mine.nMin;
        info->nMax = mine.nMax;
        filled = true;
    }
    return filled;
}

int DrawnSB_GetScrollPos(HWND hwnd, int bar) {
    State* s = Serving(hwnd, bar);
    if (!s)
        return DefaultEntry<GETSCROLLPOSPROC>(SCROLLAPI_GETSCROLLPOS)(hwnd, bar);
    return s->bars[bar].info.nPos;
}

BOOL DrawnSB_GetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum) {
    State* s = Serving(hwnd, bar);
    if (!s)
        return DefaultEntry<GETSCROLLRANGEPROC>(SCROLLAPI_GETSCROLLRANGE)(hwnd, bar, minimum,
                                                                          maximum);
    if (!minimum || !maximum)
        return FALSE;
    *minimum = s->bars[bar].info.nMin;
    *maximum = s->bars[bar].info.nMax;
    return TRUE;
}

int DrawnSB_SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    State* s = Serving(hwnd, bar);
    if (!s)
        return DefaultEntry<SETSCROLLINFOPROC>(SCROLLAPI_SETSCROLLINFO)(hwnd, bar, info, redraw);
    Bar& b = s->bars[bar];
    if (!info)
        return b.info.nPos;
    if (info->fMask & SIF_RANGE) {
        b.info.nMin = info->nMin;
        b.info.nMax = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
        b.info.nPage = info->nPage;
    if (info->fMask & (SIF_RANGE | SIF_PAGE))
        ClampPage(b.info);
    if (info->fMask & SIF_POS)
        b.info.nPos = ClampPosition(b.info, info->nPos);
    const bool wanted =
        (info->fMask & SIF_DISABLENOSCROLL) || (b.flags & kFlagAlwaysThumb) || RangeUsable(b.info);
    bool reframed = false;
    if ((b.shown != 0) != wanted) {
        DrawnSB_ShowScrollBar(hwnd, bar, wanted ? TRUE : FALSE);
        reframed = true;
    }
    if (redraw && !s->thumbTracking && !reframed)
        Repaint(hwnd);
    return b.info.nPos;
}

int DrawnSB_SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw) {
    State* s = Serving(hwnd, bar);
    if (!s)
        return DefaultEntry<SETSCROLLPOSPROC>(SCROLLAPI_SETSCROLLPOS)(hwnd, bar, position, redraw);
    Bar& b = s->bars[bar];
    const int previous = b.info.nPos;
    b.info.nPos = ClampPosition(b.info, position);
    if (redraw && !s->thumbTracking)
        Repaint(hwnd);
    return previous;
}

BOOL DrawnSB_SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw) {
    State* s = Serving(hwnd, bar);
    if (!s)
        return DefaultEntry<SETSCROLLRANGEPROC>(SCROLLAPI_SETSCROLLRANGE)(hwnd, bar, minimum,
                                                                          maximum, redraw);
    Bar& b = s->bars[bar];
    if (s->thumbTracking)
        return b.info.nPos;
    b.info.nMin = minimum;
    b.info.nMax = maximum;
    ClampPage(b.info);
    b.info.nPos = ClampPosition(b.info, b.info.nPos);
    if (redraw)
        Repaint(hwnd);
    return TRUE;
}

BOOL DrawnSB_ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    State* s = StateOf(hwnd);
    if (!s || (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH))
        return DefaultEntry<SHOWSCROLLBARPROC>(SCROLLAPI_SHOWSCROLLBAR)(hwnd, bar, show);
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    ForBars(bar, [&](int b) {
        if (show == 1)
            s->bars[b].flags |= kFlagWanted;
        else
            s->bars[b].flags &= ~kFlagWanted;
        const DWORD bit = b == 0 ? WS_HSCROLL : WS_VSCROLL;
        style = show ? (style | bit) : (style & ~bit);
    });
    s->ownStyleChange = 1;
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
    s->ownStyleChange = 0;
    RecalcFrame(hwnd);
    return TRUE;
}

RECT DrawnSB_GetBarRect(HWND hwnd, int bar) {
    State* s = StateOf(hwnd);
    return s && (bar == 0 || bar == 1) ? BarRect(hwnd, *s, bar) : RECT{};
}

HWND DrawnSB_GetToolTip(HWND hwnd) {
    const State* s = StateOf(hwnd);
    return s ? s->tooltip : nullptr;
}
