// "msctls_progress32": a bar filled in proportion to its position within its range.
#include "controls/control_support.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"

#include <algorithm>

namespace lv::controls {
namespace {

struct ProgressState {
    int low = 0;
    int high = 100;
    int position = 0;
    int step = 10;
    COLORREF bar = CLR_DEFAULT;
    COLORREF background = CLR_DEFAULT;
};

int clamp_position(const ProgressState& s, long long position) {
    const int low = std::min(s.low, s.high), high = std::max(s.low, s.high);
    return static_cast<int>(std::clamp<long long>(position, low, high));
}

LRESULT set_position(HWND hwnd, ProgressState& s, long long position) {
    const int old = s.position;
    s.position = clamp_position(s, position);
    if (s.position != old)
        InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

LRESULT set_range(HWND hwnd, ProgressState& s, int low, int high) {
    const LRESULT old = MAKELRESULT(static_cast<WORD>(s.low), static_cast<WORD>(s.high));
    s.low = low;
    s.high = high;
    s.position = clamp_position(s, s.position);
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

LRESULT step_it(HWND hwnd, ProgressState& s) {
    const int old = s.position;
    long long next = static_cast<long long>(s.position) + s.step;
    // Stepping past the end starts again from the other end, as on the platform.
    if (next > std::max(s.low, s.high))
        next = std::min(s.low, s.high) + (next - std::max(s.low, s.high));
    s.position = clamp_position(s, next);
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

LRESULT set_colour(HWND hwnd, COLORREF& slot, LPARAM colour) {
    const COLORREF old = slot;
    slot = static_cast<COLORREF>(colour);
    InvalidateRect(hwnd, nullptr, TRUE);
    return static_cast<LRESULT>(old);
}

void paint(HWND hwnd, HDC dc, const ProgressState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const COLORREF back = s.background == CLR_DEFAULT ? GetSysColor(COLOR_3DFACE) : s.background;
    const COLORREF fill = s.bar == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : s.bar;
    HBRUSH back_brush = CreateSolidBrush(back);
    FillRect(dc, &client, back_brush);
    DeleteObject(back_brush);
    const long long span = static_cast<long long>(s.high) - s.low;
    if (span <= 0)
        return;
    RECT inner = client;
    InflateRect(&inner, -1, -1);
    RECT bar = inner;
    const long long done = static_cast<long long>(s.position) - s.low;
    if (style_of(hwnd) & PBS_VERTICAL)
        bar.top = inner.bottom - static_cast<int>((inner.bottom - inner.top) * done / span);
    else
        bar.right = inner.left + static_cast<int>((inner.right - inner.left) * done / span);
    HBRUSH bar_brush = CreateSolidBrush(fill);
    FillRect(dc, &bar, bar_brush);
    DeleteObject(bar_brush);
    DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
}

LRESULT get_range(const ProgressState& s, WPARAM want_low, LPARAM out) {
    if (auto* range = reinterpret_cast<PBRANGE*>(out)) {
        range->iLow = s.low;
        range->iHigh = s.high;
    }
    return want_low ? s.low : s.high;
}

LRESULT CALLBACK progress_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<ProgressState>(hwnd);
    ProgressState* s = state_of<ProgressState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        destroy_state<ProgressState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case PBM_SETRANGE:
        return set_range(hwnd, *s, LOWORD(lParam), HIWORD(lParam));
    case PBM_SETRANGE32:
        return set_range(hwnd, *s, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE:
        return get_range(*s, wParam, lParam);
    case PBM_SETPOS:
        return set_position(hwnd, *s, static_cast<int>(wParam));
    case PBM_GETPOS:
        return s->position;
    case PBM_DELTAPOS:
        return set_position(hwnd, *s,
                            static_cast<long long>(s->position) + static_cast<int>(wParam));
    case PBM_SETSTEP: {
        const int old = s->step;
        s->step = static_cast<int>(wParam);
        return old;
    }
    case PBM_STEPIT:
        return step_it(hwnd, *s);
    case PBM_SETBARCOLOR:
        return set_colour(hwnd, s->bar, lParam);
    case PBM_SETBKCOLOR:
        return set_colour(hwnd, s->background, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_progress_class() {
    register_system_class(PROGRESS_CLASSA, progress_proc, 0, nullptr);
}

} // namespace lv::controls
