#include "controls/listbox_scroll.h"

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
    const int thumb = std::max(8, track * m.visible / std::max(1, m.count));
    const int travel = track - thumb;
    const int offset = max_top(m) ? travel * m.top / max_top(m) : 0;
    p.thumb = RECT{bar.left, p.track.top + offset, bar.right, p.track.top + offset + thumb};
    return p;
}

} // namespace

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
    RECT window{};
    GetWindowRect(hwnd, &window);
    const POINT at{screen.x - window.left, screen.y - window.top};
    const BarParts p = parts_of(scroll_bar_rect(hwnd), m);
    if (PtInRect(&p.up, at))
        return SB_LINEUP;
    if (PtInRect(&p.down, at))
        return SB_LINEDOWN;
    if (!p.has_thumb || !PtInRect(&p.track, at) || PtInRect(&p.thumb, at))
        return SB_ENDSCROLL;
    return at.y < p.thumb.top ? SB_PAGEUP : SB_PAGEDOWN;
}

int scrolled_top(const ScrollModel& m, WORD code, int thumb_position) {
    int top = m.top;
    switch (code) {
    case SB_LINEUP:
        --top;
        break;
    case SB_LINEDOWN:
        ++top;
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
    return std::clamp(top, 0, max_top(m));
}

} // namespace lv::controls
