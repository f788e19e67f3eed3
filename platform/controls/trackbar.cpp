// "msctls_trackbar32": a thumb that slides along a channel over a range, moved by the mouse and
// the keyboard, with tick marks and an optional selection range. Changes the person makes are
// told to the parent as WM_HSCROLL (WM_VSCROLL for TBS_VERT).
#include "controls/control_support.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"
#include "controls/trackbar_layout.h"

#include <algorithm>
#include <vector>

namespace lv::controls {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;

enum class Press { none, thumb, page };

struct TrackbarState {
    TrackbarNumbers numbers;
    int line = 1;
    int page = 0; // 0: a fifth of the range
    int frequency = 1;
    std::vector<DWORD> ticks; // besides the first and the last
    int selection_start = -1;
    int selection_end = -1;
    int thumb_length = kTrackbarDefaultThumbLength;
    Press press = Press::none;
    POINT pointer{};
    int grab = 0; // during a drag: from the thumb's centre to the pointer, along the bar
    bool focused = false;
};

bool vertical(HWND hwnd) {
    return (style_of(hwnd) & TBS_VERT) != 0;
}

TrackbarLayout layout_of(HWND hwnd, const TrackbarState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return trackbar_layout(client, style_of(hwnd), s.thumb_length, s.numbers);
}

int page_of(const TrackbarState& s) {
    if (s.page > 0)
        return s.page;
    return std::max(
        1, static_cast<int>((static_cast<long long>(s.numbers.maximum) - s.numbers.minimum) / 5));
}

int clamped(const TrackbarState& s, long long value) {
    return static_cast<int>(std::clamp<long long>(value, s.numbers.minimum,
                                                  std::max(s.numbers.minimum, s.numbers.maximum)));
}

void repaint(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
}

void tell(HWND hwnd, WORD code, int position = 0) {
    HWND parent = parent_of(hwnd);
    if (!parent)
        return;
    SendMessageA(parent, vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(code, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(hwnd));
}

// A move the person made: the position changes, then the parent hears the code.
void move_by_person(HWND hwnd, TrackbarState& s, long long target, WORD code) {
    const int next = clamped(s, target);
    if (next != s.numbers.position) {
        s.numbers.position = next;
        repaint(hwnd);
    }
    tell(hwnd, code, code == TB_THUMBTRACK || code == TB_THUMBPOSITION ? next : 0);
}

void make_auto_ticks(HWND hwnd, TrackbarState& s) {
    if (!(style_of(hwnd) & TBS_AUTOTICKS))
        return;
    s.ticks.clear();
    const int step = std::max(1, s.frequency);
    for (long long v = static_cast<long long>(s.numbers.minimum) + step; v < s.numbers.maximum;
         v += step)
        s.ticks.push_back(static_cast<DWORD>(v));
}

// ---- painting ---------------------------------------------------------------------------------

void fill(HDC dc, const RECT& r, int colour) {
    FillRect(dc, &r, GetSysColorBrush(colour));
}

// A rectangle across the bar at `along`, from `from` for `length` pixels.
RECT across_rect(const TrackbarLayout& l, int along, int from, int length) {
    return l.vertical ? RECT{from, along, from + length, along + 1}
                      : RECT{along, from, along + 1, from + length};
}

void paint_ticks(HWND hwnd, HDC dc, const TrackbarState& s, const TrackbarLayout& l) {
    std::vector<int> values{s.numbers.minimum, s.numbers.maximum};
    for (DWORD t : s.ticks)
        values.push_back(static_cast<int>(t));
    for (int value : values) {
        const int at = trackbar_value_at(l, s.numbers, value);
        for (int from : {l.ticks_before, l.ticks_after})
            if (from >= 0)
                fill(dc, across_rect(l, at, from, kTrackbarTickLength), COLOR_BTNTEXT);
    }
}

void paint_channel(HWND hwnd, HDC dc, const TrackbarState& s, const TrackbarLayout& l) {
    RECT channel = l.channel;
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    fill(dc, channel, COLOR_3DHILIGHT);
    if (!(style_of(hwnd) & TBS_ENABLESELRANGE) || s.selection_start < 0 ||
        s.selection_end <= s.selection_start)
        return;
    RECT selected = channel;
    const int from = trackbar_value_at(l, s.numbers, s.selection_start);
    const int to = trackbar_value_at(l, s.numbers, s.selection_end);
    (l.vertical ? selected.top : selected.left) = from;
    (l.vertical ? selected.bottom : selected.right) = to;
    fill(dc, selected, COLOR_HIGHLIGHT);
}

// The thumb points toward its ticks unless it has ticks on both sides or none.
void paint_thumb(HWND hwnd, HDC dc, const TrackbarState& s, const TrackbarLayout& l) {
    const DWORD style = style_of(hwnd);
    RECT thumb = l.thumb;
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    const int face = s.press == Press::thumb ? COLOR_3DLIGHT : COLOR_3DFACE;
    const bool pointed = !(style & (TBS_BOTH | TBS_NOTICKS));
    if (!pointed) {
        fill(dc, thumb, face);
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
        return;
    }
    // Worked out on a horizontal bar with the point downwards, then turned into place.
    const bool up = (style & TBS_TOP) != 0;
    const RECT r = l.vertical ? RECT{thumb.top, thumb.left, thumb.bottom, thumb.right} : thumb;
    const int point = (r.right - r.left) / 2;
    const int middle = (r.left + r.right - 1) / 2;
    POINT shape[5];
    if (up) {
        shape[0] = {middle, r.top};
        shape[1] = {r.right - 1, r.top + point};
        shape[2] = {r.right - 1, r.bottom - 1};
        shape[3] = {r.left, r.bottom - 1};
        shape[4] = {r.left, r.top + point};
    } else {
        shape[0] = {r.left, r.top};
        shape[1] = {r.right - 1, r.top};
        shape[2] = {r.right - 1, r.bottom - 1 - point};
        shape[3] = {middle, r.bottom - 1};
        shape[4] = {r.left, r.bottom - 1 - point};
    }
    if (l.vertical)
        for (POINT& p : shape)
            std::swap(p.x, p.y);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(enabled ? COLOR_3DDKSHADOW : COLOR_3DSHADOW));
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, GetSysColorBrush(face));
    Polygon(dc, shape, 5);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
}

void paint(HWND hwnd, HDC dc, const TrackbarState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, parent_brush(hwnd, dc, WM_CTLCOLORSTATIC));
    const TrackbarLayout l = layout_of(hwnd, s);
    paint_channel(hwnd, dc, s, l);
    paint_ticks(hwnd, dc, s, l);
    if (!(style_of(hwnd) & TBS_NOTHUMB))
        paint_thumb(hwnd, dc, s, l);
    if (s.focused)
        DrawFocusRect(dc, &client);
}

// ---- the mouse and the keyboard ---------------------------------------------------------------

// One page toward the held pointer, while the thumb has not reached it.
void page_toward_pointer(HWND hwnd, TrackbarState& s) {
    const TrackbarLayout l = layout_of(hwnd, s);
    const int at = trackbar_along(l, s.pointer);
    if (at < trackbar_start(l, l.thumb))
        move_by_person(hwnd, s, static_cast<long long>(s.numbers.position) - page_of(s), TB_PAGEUP);
    else if (at >= trackbar_end(l, l.thumb))
        move_by_person(hwnd, s, static_cast<long long>(s.numbers.position) + page_of(s),
                       TB_PAGEDOWN);
}

LRESULT on_button_down(HWND hwnd, TrackbarState& s, LPARAM lParam) {
    if (!IsWindowEnabled(hwnd))
        return 0;
    SetFocus(hwnd);
    SetCapture(hwnd);
    s.pointer = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const TrackbarLayout l = layout_of(hwnd, s);
    const int at = trackbar_along(l, s.pointer);
    if (!(style_of(hwnd) & TBS_NOTHUMB) && PtInRect(&l.thumb, s.pointer)) {
        s.press = Press::thumb;
        s.grab = at - (trackbar_start(l, l.thumb) + trackbar_end(l, l.thumb)) / 2;
        repaint(hwnd);
        return 0;
    }
    s.press = Press::page;
    page_toward_pointer(hwnd, s);
    SetTimer(hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
    return 0;
}

LRESULT on_mouse_move(HWND hwnd, TrackbarState& s, LPARAM lParam) {
    if (s.press == Press::none)
        return 0;
    s.pointer = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (s.press != Press::thumb)
        return 0;
    const TrackbarLayout l = layout_of(hwnd, s);
    const int value = trackbar_value_for(l, s.numbers, trackbar_along(l, s.pointer) - s.grab);
    if (value != s.numbers.position)
        move_by_person(hwnd, s, value, TB_THUMBTRACK);
    return 0;
}

void end_press(HWND hwnd, TrackbarState& s, bool released) {
    if (s.press == Press::none)
        return;
    KillTimer(hwnd, kRepeatTimer);
    const bool dragged = s.press == Press::thumb;
    s.press = Press::none;
    if (released && GetCapture() == hwnd)
        ReleaseCapture();
    if (dragged)
        tell(hwnd, TB_THUMBPOSITION, s.numbers.position);
    tell(hwnd, TB_ENDTRACK);
    repaint(hwnd);
}

LRESULT on_timer(HWND hwnd, TrackbarState& s, WPARAM id) {
    if (id != kRepeatTimer || s.press != Press::page)
        return 0;
    SetTimer(hwnd, kRepeatTimer, kRepeatMs, nullptr);
    page_toward_pointer(hwnd, s);
    return 0;
}

LRESULT on_key_down(HWND hwnd, TrackbarState& s, WPARAM key) {
    const long long at = s.numbers.position;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        move_by_person(hwnd, s, at - s.line, TB_LINEUP);
        return 0;
    case VK_RIGHT:
    case VK_DOWN:
        move_by_person(hwnd, s, at + s.line, TB_LINEDOWN);
        return 0;
    case VK_PRIOR:
        move_by_person(hwnd, s, at - page_of(s), TB_PAGEUP);
        return 0;
    case VK_NEXT:
        move_by_person(hwnd, s, at + page_of(s), TB_PAGEDOWN);
        return 0;
    case VK_HOME:
        move_by_person(hwnd, s, s.numbers.minimum, TB_TOP);
        return 0;
    case VK_END:
        move_by_person(hwnd, s, s.numbers.maximum, TB_BOTTOM);
        return 0;
    default:
        return 0;
    }
}

LRESULT on_key_up(HWND hwnd, WPARAM key) {
    switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        tell(hwnd, TB_ENDTRACK);
        return 0;
    default:
        return 0;
    }
}

// ---- numbers ----------------------------------------------------------------------------------

void changed(HWND hwnd, WPARAM redraw) {
    if (redraw)
        repaint(hwnd);
}

LRESULT set_range(HWND hwnd, TrackbarState& s, int minimum, int maximum, WPARAM redraw) {
    s.numbers.minimum = minimum;
    s.numbers.maximum = maximum;
    s.numbers.position = clamped(s, s.numbers.position);
    make_auto_ticks(hwnd, s);
    changed(hwnd, redraw);
    return 0;
}

LRESULT tick_position(HWND hwnd, const TrackbarState& s, WPARAM index) {
    if (index >= s.ticks.size())
        return -1;
    return trackbar_value_at(layout_of(hwnd, s), s.numbers, static_cast<int>(s.ticks[index]));
}

LRESULT copy_rect(const RECT& r, LPARAM out) {
    if (auto* target = reinterpret_cast<RECT*>(out))
        *target = r;
    return 0;
}

LRESULT number_message(HWND hwnd, TrackbarState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TBM_GETPOS:
        return s.numbers.position;
    case TBM_SETPOS:
        s.numbers.position = clamped(s, static_cast<int>(lParam));
        changed(hwnd, wParam);
        return 0;
    case TBM_GETRANGEMIN:
        return s.numbers.minimum;
    case TBM_GETRANGEMAX:
        return s.numbers.maximum;
    case TBM_SETRANGE:
        return set_range(hwnd, s, static_cast<short>(LOWORD(lParam)),
                         static_cast<short>(HIWORD(lParam)), wParam);
    case TBM_SETRANGEMIN:
        return set_range(hwnd, s, static_cast<int>(lParam), s.numbers.maximum, wParam);
    case TBM_SETRANGEMAX:
        return set_range(hwnd, s, s.numbers.minimum, static_cast<int>(lParam), wParam);
    case TBM_SETPAGESIZE: {
        const int old = page_of(s);
        s.page = static_cast<int>(lParam);
        return old;
    }
    case TBM_GETPAGESIZE:
        return page_of(s);
    case TBM_SETLINESIZE: {
        const int old = s.line;
        s.line = static_cast<int>(lParam);
        return old;
    }
    case TBM_GETLINESIZE:
        return s.line;
    case TBM_SETSEL:
        s.selection_start = static_cast<short>(LOWORD(lParam));
        s.selection_end = static_cast<short>(HIWORD(lParam));
        changed(hwnd, wParam);
        return 0;
    case TBM_SETSELSTART:
        s.selection_start = static_cast<int>(lParam);
        changed(hwnd, wParam);
        return 0;
    case TBM_SETSELEND:
        s.selection_end = static_cast<int>(lParam);
        changed(hwnd, wParam);
        return 0;
    case TBM_GETSELSTART:
        return s.selection_start;
    case TBM_GETSELEND:
        return s.selection_end;
    case TBM_CLEARSEL:
        s.selection_start = s.selection_end = -1;
        changed(hwnd, wParam);
        return 0;
    default:
        return 0;
    }
}

LRESULT tick_message(HWND hwnd, TrackbarState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TBM_SETTIC:
        if (lParam <= s.numbers.minimum || lParam >= s.numbers.maximum)
            return FALSE;
        s.ticks.push_back(static_cast<DWORD>(lParam));
        repaint(hwnd);
        return TRUE;
    case TBM_GETTIC:
        return wParam < s.ticks.size() ? static_cast<LRESULT>(static_cast<int>(s.ticks[wParam]))
                                       : -1;
    case TBM_GETTICPOS:
        return tick_position(hwnd, s, wParam);
    case TBM_GETNUMTICS:
        return (style_of(hwnd) & TBS_NOTICKS) ? 0 : static_cast<LRESULT>(s.ticks.size() + 2);
    case TBM_GETPTICS:
        return s.ticks.empty() ? 0 : reinterpret_cast<LRESULT>(s.ticks.data());
    case TBM_CLEARTICS:
        s.ticks.clear();
        changed(hwnd, wParam);
        return 0;
    case TBM_SETTICFREQ:
        s.frequency = static_cast<int>(wParam);
        make_auto_ticks(hwnd, s);
        repaint(hwnd);
        return 0;
    default:
        return 0;
    }
}

LRESULT CALLBACK trackbar_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<TrackbarState>(hwnd);
    TrackbarState* s = state_of<TrackbarState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE:
        make_auto_ticks(hwnd, *s);
        return 0;
    case WM_NCDESTROY:
        destroy_state<TrackbarState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
    case WM_ENABLE:
    case WM_STYLECHANGED:
        repaint(hwnd);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        s->focused = msg == WM_SETFOCUS;
        repaint(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return on_button_down(hwnd, *s, lParam);
    case WM_MOUSEMOVE:
        return on_mouse_move(hwnd, *s, lParam);
    case WM_LBUTTONUP:
        end_press(hwnd, *s, true);
        return 0;
    case WM_CAPTURECHANGED:
        end_press(hwnd, *s, false);
        return 0;
    case WM_TIMER:
        return on_timer(hwnd, *s, wParam);
    case WM_KEYDOWN:
        return on_key_down(hwnd, *s, wParam);
    case WM_KEYUP:
        return on_key_up(hwnd, wParam);
    case TBM_GETTHUMBRECT:
        return copy_rect(layout_of(hwnd, *s).thumb, lParam);
    case TBM_GETCHANNELRECT:
        return copy_rect(layout_of(hwnd, *s).channel_reported, lParam);
    case TBM_SETTHUMBLENGTH:
        if (style_of(hwnd) & TBS_FIXEDLENGTH) {
            s->thumb_length = std::max(4, static_cast<int>(wParam));
            repaint(hwnd);
        }
        return 0;
    case TBM_GETTHUMBLENGTH: {
        const TrackbarLayout l = layout_of(hwnd, *s);
        return l.vertical ? l.thumb.right - l.thumb.left : l.thumb.bottom - l.thumb.top;
    }
    case TBM_SETTIC:
    case TBM_GETTIC:
    case TBM_GETTICPOS:
    case TBM_GETNUMTICS:
    case TBM_GETPTICS:
    case TBM_CLEARTICS:
    case TBM_SETTICFREQ:
        return tick_message(hwnd, *s, msg, wParam, lParam);
    default:
        if (msg >= TBM_GETPOS && msg <= TBM_GETLINESIZE)
            return number_message(hwnd, *s, msg, wParam, lParam);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_trackbar_class() {
    register_system_class(TRACKBAR_CLASSA, trackbar_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
