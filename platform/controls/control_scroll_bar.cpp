#include "controls/control_scroll_bar.h"

#include "win32/gdi.h"

#include <algorithm>

namespace lv::controls {
namespace {

int max_top(const ScrollModel& m) {
    return std::max(0, m.count - m.visible);
}

struct BarParts {
    RECT up, down, track, thumb;
    bool has_thumb;
};

BarParts parts_of(const RECT& bar, const ScrollModel& m) {
    BarParts p{};
    const int width = bar.right - bar.left;
    const int arrow = std::min(width, (bar.bottom - bar.top) / 2);
    p.up = RECT{bar.left, bar.top, bar.right, bar.top + arrow};
    p.down = RECT{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
    p.track = RECT{bar.left, p.up.bottom, bar.right, p.down.top};
    const int track = p.track.bottom - p.track.top;
    p.has_thumb = m.count > m.visible && track > 8;
    if (!p.has_thumb)
        return p;
    const int thumb = std::max(
        8, static_cast<int>(static_cast<long long>(track) * m.visible / std::max(1, m.count)));
    const int travel = track - thumb;
    const int offset =
        max_top(m) ? static_cast<int>(static_cast<long long>(travel) * m.top / max_top(m)) : 0;
    p.thumb = RECT{bar.left, p.track.top + offset, bar.right, p.track.top + offset + thumb};
    return p;
}

POINT window_point(HWND hwnd, POINT screen) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    return POINT{screen.x - window.left, screen.y - window.top};
}

POINT to_screen(HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    return client;
}

bool begin_thumb_drag(HWND hwnd, const ScrollModel& m, POINT screen, ThumbDrag& drag) {
    const POINT at = window_point(hwnd, screen);
    const BarParts p = parts_of(scroll_bar_rect(hwnd), m);
    if (!p.has_thumb || !PtInRect(&p.thumb, at))
        return false;
    drag.active = true;
    drag.grab = at.y - p.thumb.top;
    return true;
}

int dragged_top(HWND hwnd, const ScrollModel& m, const ThumbDrag& drag, POINT screen) {
    const POINT at = window_point(hwnd, screen);
    const BarParts p = parts_of(scroll_bar_rect(hwnd), m);
    if (!p.has_thumb)
        return m.top;
    const int travel = (p.track.bottom - p.track.top) - (p.thumb.bottom - p.thumb.top);
    if (travel <= 0)
        return m.top;
    const int offset = std::clamp(static_cast<int>(at.y) - drag.grab - p.track.top, 0, travel);
    // Rounded to the nearest unit, so that the thumb follows the pointer both ways alike.
    return static_cast<int>((static_cast<long long>(offset) * max_top(m) + travel / 2) / travel);
}

void send_scroll(HWND hwnd, WORD code, int position) {
    const auto high = static_cast<WORD>(std::clamp(position, 0, 0xFFFF));
    SendMessageA(hwnd, WM_VSCROLL, MAKEWPARAM(code, high), 0);
}

} // namespace

void publish_scroll_model(HWND hwnd, const ScrollModel& m) {
    SCROLLINFO info{sizeof(info),
                    SIF_ALL,
                    0,
                    std::max(0, m.count - 1),
                    static_cast<UINT>(std::max(0, m.visible)),
                    m.top,
                    m.top};
    SetScrollInfo(hwnd, SB_VERT, &info, FALSE);
}

RECT scroll_bar_rect(HWND hwnd) {
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const int left = origin.x - window.left + client.right;
    const int top = origin.y - window.top;
    return RECT{left, top, left + GetSystemMetrics(SM_CXVSCROLL), top + client.bottom};
}

void paint_scroll_bar(HWND hwnd, const ScrollModel& m) {
    const RECT bar = scroll_bar_rect(hwnd);
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    BarParts p = parts_of(bar, m);
    const UINT inactive = m.count > m.visible ? 0 : DFCS_INACTIVE;
    FillRect(dc, &p.track, GetSysColorBrush(COLOR_SCROLLBAR));
    DrawFrameControl(dc, &p.up, DFC_SCROLL, DFCS_SCROLLUP | inactive);
    DrawFrameControl(dc, &p.down, DFC_SCROLL, DFCS_SCROLLDOWN | inactive);
    if (p.has_thumb) {
        FillRect(dc, &p.thumb, GetSysColorBrush(COLOR_3DFACE));
        DrawEdge(dc, &p.thumb, EDGE_RAISED, BF_RECT);
    }
    ReleaseDC(hwnd, dc);
}

WORD scroll_code_at(HWND hwnd, const ScrollModel& m, POINT screen) {
    const POINT at = window_point(hwnd, screen);
    const BarParts p = parts_of(scroll_bar_rect(hwnd), m);
    if (PtInRect(&p.up, at))
        return SB_LINEUP;
    if (PtInRect(&p.down, at))
        return SB_LINEDOWN;
    if (!p.has_thumb || !PtInRect(&p.track, at))
        return SB_ENDSCROLL;
    if (PtInRect(&p.thumb, at))
        return SB_THUMBTRACK;
    return at.y < p.thumb.top ? SB_PAGEUP : SB_PAGEDOWN;
}

int scrolled_top(const ScrollModel& m, WORD code, int thumb_position) {
    int top = m.top;
    switch (code) {
    case SB_LINEUP:
        top -= m.line;
        break;
    case SB_LINEDOWN:
        top += m.line;
        break;
    case SB_PAGEUP:
        top -= std::max(1, m.visible);
        break;
    case SB_PAGEDOWN:
        top += std::max(1, m.visible);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        top = thumb_position;
        break;
    case SB_TOP:
        top = 0;
        break;
    case SB_BOTTOM:
        top = max_top(m);
        break;
    default:
        break;
    }
    return clamped_top(m, top);
}

int clamped_top(const ScrollModel& m, int top) {
    return std::clamp(top, 0, max_top(m));
}

LRESULT press_scroll_bar(HWND hwnd, const ScrollModel& m, WPARAM hit, LPARAM screen_point,
                         ThumbDrag& drag) {
    if (static_cast<LRESULT>(hit) != HTVSCROLL)
        return DefWindowProcA(hwnd, WM_NCLBUTTONDOWN, hit, screen_point);
    const POINT screen{GET_X_LPARAM(screen_point), GET_Y_LPARAM(screen_point)};
    const WORD code = scroll_code_at(hwnd, m, screen);
    if (code == SB_THUMBTRACK) {
        if (begin_thumb_drag(hwnd, m, screen, drag))
            SetCapture(hwnd);
    } else if (code != SB_ENDSCROLL) {
        send_scroll(hwnd, code, 0);
    }
    return 0;
}

bool follow_thumb_drag(HWND hwnd, const ScrollModel& m, ThumbDrag& drag, POINT client) {
    if (!drag.active)
        return false;
    send_scroll(hwnd, SB_THUMBTRACK, dragged_top(hwnd, m, drag, to_screen(hwnd, client)));
    return true;
}

bool end_thumb_drag(HWND hwnd, const ScrollModel& m, ThumbDrag& drag, POINT client) {
    if (!drag.active)
        return false;
    const int top = dragged_top(hwnd, m, drag, to_screen(hwnd, client));
    drag.active = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    send_scroll(hwnd, SB_THUMBPOSITION, top);
    send_scroll(hwnd, SB_ENDSCROLL, 0);
    return true;
}

void cancel_thumb_drag(HWND hwnd, ThumbDrag& drag) {
    if (!drag.active)
        return;
    drag.active = false;
    send_scroll(hwnd, SB_ENDSCROLL, 0);
}

} // namespace lv::controls
