// "ScrollBar": a scroll-bar control. It keeps its numbers and tells its parent what the
// person asks for (WM_HSCROLL or WM_VSCROLL); the parent moves the position.
#include "controls/control_support.h"
#include "controls/paint_message.h"
#include "controls/scroll_bar_layout.h"
#include "controls/system_classes.h"

#include <algorithm>

namespace lv::controls {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;
constexpr WPARAM kSizeBottomRight = 8; // WMSZ_BOTTOMRIGHT in SC_SIZE's low bits

struct ScrollBarState {
    window::ScrollNumbers numbers; // a control's range starts empty
    UINT disabled_arrows = 0;
    ScrollPart pressed = ScrollPart::none;
    POINT pointer{}; // where the held button is, client coordinates
    int grab = 0;    // during a thumb drag: from the thumb's leading edge to the pointer
    bool dragging = false;
    bool focused = false;
};

bool vertical(HWND hwnd) {
    return (style_of(hwnd) & SBS_VERT) != 0;
}

bool size_box(HWND hwnd) {
    return (style_of(hwnd) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0;
}

ScrollBarParts parts_of(HWND hwnd, const ScrollBarState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const bool v = vertical(hwnd);
    const ScrollBarMetrics metrics{GetSystemMetrics(v ? SM_CYVSCROLL : SM_CXHSCROLL),
                                   GetSystemMetrics(v ? SM_CYVTHUMB : SM_CXHTHUMB)};
    return scroll_bar_parts(client, v, s.numbers, s.dragging ? s.numbers.track : s.numbers.position,
                            metrics);
}

bool arrow_disabled(const ScrollBarState& s, ScrollPart part) {
    if (part == ScrollPart::first_arrow)
        return (s.disabled_arrows & ESB_DISABLE_LTUP) != 0;
    if (part == ScrollPart::second_arrow)
        return (s.disabled_arrows & ESB_DISABLE_RTDN) != 0;
    return false;
}

void tell(HWND hwnd, WORD code, int position = 0) {
    HWND parent = parent_of(hwnd);
    if (!parent)
        return;
    SendMessageA(parent, vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(code, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(hwnd));
}

WORD code_of(ScrollPart part) {
    switch (part) {
    case ScrollPart::first_arrow:
        return SB_LINEUP;
    case ScrollPart::second_arrow:
        return SB_LINEDOWN;
    case ScrollPart::page_before:
        return SB_PAGEUP;
    case ScrollPart::page_after:
        return SB_PAGEDOWN;
    default:
        return SB_ENDSCROLL;
    }
}

// ---- painting ---------------------------------------------------------------------------------

void paint_size_box(HWND hwnd, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    if ((style_of(hwnd) & SBS_SIZEGRIP) || !(style_of(hwnd) & SBS_SIZEBOXTOPLEFTALIGN))
        DrawFrameControl(dc, &client, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

// The system's track: between the face and its highlight, so that the thumb (in the face's
// colour) stands out against it.
void fill_default_track(HDC dc, const RECT& track) {
    const COLORREF face = GetSysColor(COLOR_3DFACE), light = GetSysColor(COLOR_3DHILIGHT);
    HBRUSH brush = CreateSolidBrush(RGB((GetRValue(face) + GetRValue(light)) / 2,
                                        (GetGValue(face) + GetGValue(light)) / 2,
                                        (GetBValue(face) + GetBValue(light)) / 2));
    FillRect(dc, &track, brush);
    DeleteObject(brush);
}

void paint_arrow(HWND hwnd, HDC dc, const ScrollBarState& s, const ScrollBarParts& p,
                 ScrollPart part, bool active) {
    RECT r = part == ScrollPart::first_arrow ? p.first_arrow : p.second_arrow;
    const bool v = p.vertical;
    UINT kind = part == ScrollPart::first_arrow ? (v ? DFCS_SCROLLUP : DFCS_SCROLLLEFT)
                                                : (v ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
    if (!active || arrow_disabled(s, part))
        kind |= DFCS_INACTIVE;
    else if (s.pressed == part && scroll_part_at(p, s.pointer) == part)
        kind |= DFCS_PUSHED;
    DrawFrameControl(dc, &r, DFC_SCROLL, kind);
}

void paint(HWND hwnd, HDC dc, const ScrollBarState& s) {
    if (size_box(hwnd)) {
        paint_size_box(hwnd, dc);
        return;
    }
    const ScrollBarParts p = parts_of(hwnd, s);
    const bool active = IsWindowEnabled(hwnd) && window::can_scroll(s.numbers);
    HBRUSH track = parent_brush(hwnd, dc, WM_CTLCOLORSCROLLBAR);
    if (track == GetSysColorBrush(COLOR_SCROLLBAR))
        fill_default_track(dc, p.track);
    else
        FillRect(dc, &p.track, track);
    paint_arrow(hwnd, dc, s, p, ScrollPart::first_arrow, active);
    paint_arrow(hwnd, dc, s, p, ScrollPart::second_arrow, active);
    if (!active || !has_thumb(p))
        return;
    // The part of the track held down shows dark until the thumb reaches the pointer.
    if ((s.pressed == ScrollPart::page_before || s.pressed == ScrollPart::page_after) &&
        scroll_part_at(p, s.pointer) == s.pressed) {
        RECT held = p.track;
        LONG& near_edge = p.vertical
                              ? (s.pressed == ScrollPart::page_before ? held.bottom : held.top)
                              : (s.pressed == ScrollPart::page_before ? held.right : held.left);
        near_edge = s.pressed == ScrollPart::page_before
                        ? (p.vertical ? p.thumb.top : p.thumb.left)
                        : (p.vertical ? p.thumb.bottom : p.thumb.right);
        FillRect(dc, &held, GetSysColorBrush(COLOR_3DDKSHADOW));
    }
    RECT thumb = p.thumb;
    FillRect(dc, &thumb, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    if (s.focused) {
        InflateRect(&thumb, -3, -3);
        DrawFocusRect(dc, &thumb);
    }
}

void repaint(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
}

// ---- numbers ----------------------------------------------------------------------------------

bool valid_info(LPARAM lParam) {
    const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
    return info && (info->cbSize == sizeof(SCROLLINFO) ||
                    info->cbSize == sizeof(SCROLLINFO) - sizeof(info->nTrackPos));
}

LRESULT set_info(HWND hwnd, ScrollBarState& s, WPARAM redraw, LPARAM lParam) {
    if (!valid_info(lParam))
        return s.numbers.position;
    const auto& info = *reinterpret_cast<const SCROLLINFO*>(lParam);
    window::apply_scroll_info(s.numbers, info);
    if (info.fMask & SIF_DISABLENOSCROLL)
        EnableWindow(hwnd, window::can_scroll(s.numbers));
    if (redraw)
        repaint(hwnd);
    return s.numbers.position;
}

LRESULT get_info(const ScrollBarState& s, LPARAM lParam) {
    if (!valid_info(lParam))
        return FALSE;
    return window::read_scroll_info(s.numbers, *reinterpret_cast<SCROLLINFO*>(lParam));
}

LRESULT set_position(HWND hwnd, ScrollBarState& s, int position, bool redraw) {
    const int old = s.numbers.position;
    window::apply_scroll_info(s.numbers,
                              SCROLLINFO{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0});
    if (redraw)
        repaint(hwnd);
    return old;
}

// The previous position when the new range moved it, else 0.
LRESULT set_range(HWND hwnd, ScrollBarState& s, int minimum, int maximum, bool redraw) {
    if (!window::valid_scroll_range(minimum, maximum))
        return 0;
    const int old = s.numbers.position;
    window::apply_scroll_info(s.numbers,
                              SCROLLINFO{sizeof(SCROLLINFO), SIF_RANGE, minimum, maximum, 0, 0, 0});
    if (redraw)
        repaint(hwnd);
    return s.numbers.position != old ? old : 0;
}

LRESULT get_range(const ScrollBarState& s, WPARAM minimum, LPARAM maximum) {
    if (auto* out = reinterpret_cast<int*>(minimum))
        *out = s.numbers.minimum;
    if (auto* out = reinterpret_cast<int*>(maximum))
        *out = s.numbers.maximum;
    return 0;
}

LRESULT enable_arrows(HWND hwnd, ScrollBarState& s, WPARAM arrows) {
    const UINT wanted = static_cast<UINT>(arrows) & ESB_DISABLE_BOTH;
    if (wanted == s.disabled_arrows)
        return FALSE;
    s.disabled_arrows = wanted;
    repaint(hwnd);
    return TRUE;
}

// ---- the mouse --------------------------------------------------------------------------------

void start_sizing_owner(HWND hwnd, LPARAM lParam) {
    HWND root = GetAncestor(hwnd, GA_ROOT);
    if (!root || !(GetWindowLongA(root, GWL_STYLE) & WS_THICKFRAME))
        return;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &at);
    SendMessageA(root, WM_SYSCOMMAND, SC_SIZE | kSizeBottomRight, MAKELPARAM(at.x, at.y));
}

LRESULT on_button_down(HWND hwnd, ScrollBarState& s, LPARAM lParam) {
    if (!IsWindowEnabled(hwnd))
        return 0;
    if (size_box(hwnd)) {
        start_sizing_owner(hwnd, lParam);
        return 0;
    }
    if (style_of(hwnd) & WS_TABSTOP)
        SetFocus(hwnd);
    s.pointer = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const ScrollBarParts p = parts_of(hwnd, s);
    const ScrollPart part = scroll_part_at(p, s.pointer);
    if (part == ScrollPart::none || arrow_disabled(s, part) || !window::can_scroll(s.numbers))
        return 0;
    SetCapture(hwnd);
    s.pressed = part;
    if (part == ScrollPart::thumb) {
        s.dragging = true;
        s.numbers.track = s.numbers.position;
        s.grab = along(p, s.pointer) - leading_edge(p, p.thumb);
    } else {
        tell(hwnd, code_of(part));
        SetTimer(hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
    }
    repaint(hwnd);
    return 0;
}

LRESULT on_mouse_move(HWND hwnd, ScrollBarState& s, LPARAM lParam) {
    if (s.pressed == ScrollPart::none)
        return 0;
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const ScrollPart was = scroll_part_at(parts_of(hwnd, s), s.pointer);
    s.pointer = at;
    if (!s.dragging) {
        if (scroll_part_at(parts_of(hwnd, s), at) != was)
            repaint(hwnd);
        return 0;
    }
    const ScrollBarParts p = parts_of(hwnd, s);
    const int track = position_for_thumb(p, s.numbers, along(p, at) - s.grab);
    if (track == s.numbers.track)
        return 0;
    s.numbers.track = track;
    repaint(hwnd);
    tell(hwnd, SB_THUMBTRACK, track);
    return 0;
}

void end_press(HWND hwnd, ScrollBarState& s, bool released) {
    if (s.pressed == ScrollPart::none)
        return;
    KillTimer(hwnd, kRepeatTimer);
    const bool dragged = s.dragging;
    s.pressed = ScrollPart::none;
    s.dragging = false;
    if (released && GetCapture() == hwnd)
        ReleaseCapture();
    if (dragged && released)
        tell(hwnd, SB_THUMBPOSITION, s.numbers.track);
    s.numbers.track = s.numbers.position;
    tell(hwnd, SB_ENDSCROLL);
    repaint(hwnd);
}

// A held arrow or track repeats while the pointer stays on the part it pressed; on the track
// that ends once the thumb has reached the pointer.
LRESULT on_timer(HWND hwnd, ScrollBarState& s, WPARAM id) {
    if (id != kRepeatTimer || s.pressed == ScrollPart::none || s.dragging)
        return 0;
    SetTimer(hwnd, kRepeatTimer, kRepeatMs, nullptr);
    if (scroll_part_at(parts_of(hwnd, s), s.pointer) == s.pressed)
        tell(hwnd, code_of(s.pressed));
    repaint(hwnd);
    return 0;
}

// ---- the keyboard -----------------------------------------------------------------------------

LRESULT on_key(HWND hwnd, WPARAM key, bool down) {
    WORD code = SB_ENDSCROLL;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        code = SB_LINEUP;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        code = SB_LINEDOWN;
        break;
    case VK_PRIOR:
        code = SB_PAGEUP;
        break;
    case VK_NEXT:
        code = SB_PAGEDOWN;
        break;
    case VK_HOME:
        code = SB_TOP;
        break;
    case VK_END:
        code = SB_BOTTOM;
        break;
    default:
        return 0;
    }
    if (size_box(hwnd) || !IsWindowEnabled(hwnd))
        return 0;
    tell(hwnd, down ? code : SB_ENDSCROLL);
    return 0;
}

// SBS_TOPALIGN and its kin give the bar (or the size box) its standard thickness at one edge
// of the rectangle it was created with.
LRESULT on_create(HWND hwnd, const CREATESTRUCTA* cs) {
    if (!cs)
        return 0;
    const DWORD style = cs->style;
    const int thick_v = GetSystemMetrics(SM_CXVSCROLL);
    const int thick_h = GetSystemMetrics(SM_CYHSCROLL);
    RECT r{cs->x, cs->y, cs->x + cs->cx, cs->y + cs->cy};
    const bool first = (style & SBS_TOPALIGN) != 0, last = (style & SBS_BOTTOMALIGN) != 0;
    if (!first && !last)
        return 0;
    if (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) {
        r = first ? RECT{r.left, r.top, r.left + thick_v, r.top + thick_h}
                  : RECT{r.right - thick_v, r.bottom - thick_h, r.right, r.bottom};
    } else if (style & SBS_VERT) {
        r = first ? RECT{r.left, r.top, r.left + thick_v, r.bottom}
                  : RECT{r.right - thick_v, r.top, r.right, r.bottom};
    } else {
        r = first ? RECT{r.left, r.top, r.right, r.top + thick_h}
                  : RECT{r.left, r.bottom - thick_h, r.right, r.bottom};
    }
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CALLBACK scroll_bar_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<ScrollBarState>(hwnd);
    ScrollBarState* s = state_of<ScrollBarState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE:
        return on_create(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_NCDESTROY:
        destroy_state<ScrollBarState>(hwnd);
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
        return on_key(hwnd, wParam, true);
    case WM_KEYUP:
        return on_key(hwnd, wParam, false);
    case SBM_SETPOS:
        return set_position(hwnd, *s, static_cast<int>(wParam), lParam != 0);
    case SBM_GETPOS:
        return s->numbers.position;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
        return set_range(hwnd, *s, static_cast<int>(wParam), static_cast<int>(lParam),
                         msg == SBM_SETRANGEREDRAW);
    case SBM_GETRANGE:
        return get_range(*s, wParam, lParam);
    case SBM_ENABLE_ARROWS:
        return enable_arrows(hwnd, *s, wParam);
    case SBM_SETSCROLLINFO:
        return set_info(hwnd, *s, wParam, lParam);
    case SBM_GETSCROLLINFO:
        return get_info(*s, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_scroll_bar_class() {
    register_system_class(WC_SCROLLBARA, scroll_bar_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
