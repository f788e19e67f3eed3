#include "skin/skinners/skin_scroll_bar_ctrl_wnd.h"

#include "skin/core/skin_draw.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_messages.h"
#include "skin/skinners/skin_turn.h"
#include "win32/scroll_bar.h"

#include <algorithm>

SkinScrollBarCtrlWnd::Layout SkinScrollBarCtrlWnd::LayOut(int length, int thickness,
                                                          int arrowLength, int thumbLength,
                                                          int thumbTop, int thumbBottom,
                                                          const SCROLLINFO& numbers) {
    Layout l;
    l.firstArrow = RECT{0, 0, arrowLength, thickness};
    l.secondArrow = RECT{length - arrowLength, 0, length, thickness};
    l.track = RECT{l.firstArrow.right, 0, l.secondArrow.left, thickness};
    const int trackLength = RectWidth(l.track);
    if (trackLength < thumbLength)
        return l; // no room for a thumb
    // An empty range keeps the thumb at the track's start.
    const double range = static_cast<double>(numbers.nMax) - numbers.nMin;
    const double part = range > 0 ? (static_cast<double>(numbers.nPos) - numbers.nMin) / range : 0;
    const int centre = l.track.left + static_cast<int>(trackLength * part);
    int start = centre - thumbLength / 2;
    start = std::clamp(start, static_cast<int>(l.track.left),
                       static_cast<int>(l.track.right) - thumbLength);
    l.thumb = RECT{start, thumbTop, start + thumbLength, thickness - thumbBottom};
    return l;
}

int SkinScrollBarCtrlWnd::PositionAt(const Layout& layout, int along, const SCROLLINFO& numbers) {
    if (along >= layout.thumb.left && along < layout.thumb.right && !IsRectEmpty(&layout.thumb))
        return numbers.nPos;
    const int trackLength = RectWidth(layout.track);
    const double range = static_cast<double>(numbers.nMax) - numbers.nMin;
    if (trackLength <= 0 || range <= 0)
        return numbers.nMin;
    const double position = numbers.nMin + (along - layout.track.left) * range / trackLength;
    return static_cast<int>(
        std::clamp(position, static_cast<double>(numbers.nMin), static_cast<double>(numbers.nMax)));
}

bool SkinScrollBarCtrlWnd::IsVertical() const {
    return (GetWindowLongA(GetHwnd(), GWL_STYLE) & SBS_VERT) != 0;
}

SkinScrollBarCtrlWnd::Layout SkinScrollBarCtrlWnd::CurrentLayout() const {
    const RECT client = ClientRect();
    const bool vertical = IsVertical();
    const int length = vertical ? client.bottom : client.right;
    const int thickness = vertical ? client.right : client.bottom;
    const auto* skin = dynamic_cast<const ScrollBarSkin*>(Object());
    const SkinNineGridRef track =
        skin ? skin->states[ScrollBarSkin::Normal].track : SkinNineGridRef{};
    return LayOut(length, thickness, m_arrowLength, m_thumbLength, track.topMargin,
                  track.bottomMargin, m_info);
}

int SkinScrollBarCtrlWnd::Along(POINT at) const {
    return IsVertical() ? at.y : at.x;
}

SkinScrollBarCtrlWnd::Part SkinScrollBarCtrlWnd::HitTest(POINT at) const {
    const Layout l = CurrentLayout();
    const POINT flat = IsVertical() ? POINT{at.y, at.x} : at;
    if (PtInRect(&l.firstArrow, flat))
        return kFirstArrow;
    if (PtInRect(&l.secondArrow, flat))
        return kSecondArrow;
    if (PtInRect(&l.thumb, flat))
        return kThumb;
    if (PtInRect(&l.track, flat))
        return flat.x < l.thumb.left || IsRectEmpty(&l.thumb) ? kTrackBefore : kTrackAfter;
    return kNoPart;
}

SkinObject* SkinScrollBarCtrlWnd::ApplySkin(SkinObject* object) {
    if (const auto* skin = dynamic_cast<const ScrollBarSkin*>(object)) {
        const auto& normal = skin->states[ScrollBarSkin::Normal];
        m_thumbLength = RectWidth(normal.thumb.source);
        m_arrowLength = RectWidth(normal.arrow1.source);
    }
    return SkinControlWnd::ApplySkin(object);
}

LONG_PTR SkinScrollBarCtrlWnd::Attach(HWND hwnd) {
    const LONG_PTR result = SkinControlWnd::Attach(hwnd);
    PostMessageA(hwnd, GWM_POSTATTACH_COLORS, 0, 0);
    return result;
}

void SkinScrollBarCtrlWnd::RedrawIfDirty() {
    m_part = kNoPart;
    SkinControlWnd::RedrawIfDirty();
}

void SkinScrollBarCtrlWnd::SendScroll(WORD code, int position) {
    HWND hwnd = GetHwnd();
    SendMessageA(GetParent(hwnd), IsVertical() ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(code, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(hwnd));
}

void SkinScrollBarCtrlWnd::SendPartScroll(Part part) {
    static constexpr WORD kCodes[] = {0, SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN};
    if (part >= kFirstArrow && part <= kTrackAfter)
        SendScroll(kCodes[part], 0);
}

void SkinScrollBarCtrlWnd::OnButtonDown(POINT at) {
    HWND hwnd = GetHwnd();
    m_part = HitTest(at);
    SetCapture(hwnd);
    if (m_part == kNoPart) {
        ReleaseCapture();
        return;
    }
    m_pressed = true;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (m_part == kThumb) {
        SendScroll(SB_THUMBTRACK, m_info.nPos);
        return;
    }
    const auto alive = AliveToken();
    SendPartScroll(m_part);
    if (*alive && IsWindow(hwnd))
        SetTimer(hwnd, kRepeatTimer, kRepeatDelay, nullptr);
}

void SkinScrollBarCtrlWnd::OnMouseMove(WPARAM keys, POINT at) {
    HWND hwnd = GetHwnd();
    if ((keys & MK_LBUTTON) && m_pressed) {
        if (m_part == kThumb) {
            SendScroll(SB_THUMBTRACK, PositionAt(CurrentLayout(), Along(at), m_info));
        } else if (HitTest(at) == m_part) {
            KillTimer(hwnd, kRepeatTimer);
            SetTimer(hwnd, kRepeatTimer, kRepeatDelay, nullptr);
        } else {
            KillTimer(hwnd, kRepeatTimer);
        }
    } else if (!(keys & MK_LBUTTON)) {
        const Part hovered = HitTest(at);
        if (hovered != m_part) {
            m_part = hovered;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
    }
    TrackMouseLeave();
}

void SkinScrollBarCtrlWnd::OnButtonUp(POINT at) {
    HWND hwnd = GetHwnd();
    KillTimer(hwnd, kRepeatTimer);
    ReleaseCapture();
    const auto alive = AliveToken();
    if (m_pressed && m_part == kThumb)
        SendScroll(SB_THUMBPOSITION, PositionAt(CurrentLayout(), Along(at), m_info));
    if (m_pressed && *alive)
        SendScroll(SB_ENDSCROLL, 0);
    if (!*alive || !IsWindow(hwnd))
        return;
    m_pressed = false;
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT SkinScrollBarCtrlWnd::SetScrollInfoFromMessage(WPARAM redraw, const SCROLLINFO* info) {
    if (!info || info->cbSize != sizeof(SCROLLINFO))
        return CallSaved(SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info));
    const int previous = m_info.nPos;
    // The range first, so that a position given with it is clamped into the new range.
    if (info->fMask & SIF_RANGE) {
        m_info.nMin = info->nMin;
        m_info.nMax = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
        m_info.nPage = info->nPage;
    if (info->fMask & SIF_POS)
        m_info.nPos = std::clamp(info->nPos, std::min(m_info.nMin, m_info.nMax),
                                 std::max(m_info.nMin, m_info.nMax));
    if (info->fMask & SIF_POS)
        m_info.nTrackPos = m_info.nPos;
    if (info->fMask & SIF_TRACKPOS)
        m_info.nTrackPos = info->nTrackPos;
    if (info->fMask & SIF_DISABLENOSCROLL) {
        EnableWindow(GetHwnd(), FALSE);
        return previous;
    }
    CallSaved(SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(info));
    if (redraw == 1)
        InvalidateRect(GetHwnd(), nullptr, FALSE);
    return m_info.nPos;
}

LRESULT SkinScrollBarCtrlWnd::GetScrollInfoFromCopy(SCROLLINFO* info) const {
    if (!info)
        return FALSE;
    if (info->fMask & SIF_PAGE)
        info->nPage = m_info.nPage;
    if (info->fMask & SIF_POS)
        info->nPos = m_info.nPos;
    if (info->fMask & SIF_RANGE) {
        info->nMin = m_info.nMin;
        info->nMax = m_info.nMax;
    }
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = m_info.nTrackPos;
    return (info->fMask & (SIF_PAGE | SIF_POS | SIF_RANGE | SIF_TRACKPOS)) ? TRUE : FALSE;
}

void SkinScrollBarCtrlWnd::DrawFlat(HDC dc, int length, int thickness) const {
    const auto* skin = dynamic_cast<const ScrollBarSkin*>(Object());
    const bool enabled = IsWindowEnabled(GetHwnd()) != FALSE;
    ScrollBarSkin::StateImages look = skin->states[ScrollBarSkin::Normal];
    if (!enabled) {
        const auto& disabled = skin->states[ScrollBarSkin::Disabled];
        if (!GlazeworkIsImageRefEmpty(disabled.arrow1))
            look.arrow1 = disabled.arrow1;
        if (!GlazeworkIsImageRefEmpty(disabled.arrow2))
            look.arrow2 = disabled.arrow2;
        if (!GlazeworkIsNineGridEmpty(disabled.track))
            look.track = disabled.track;
        if (!GlazeworkIsNineGridEmpty(disabled.thumb))
            look.thumb = disabled.thumb;
    } else if (m_part != kNoPart) {
        const auto& state =
            skin->states[m_pressed ? ScrollBarSkin::Pressed : ScrollBarSkin::Highlighted];
        if (m_part == kFirstArrow && !GlazeworkIsImageRefEmpty(state.arrow1))
            look.arrow1 = state.arrow1;
        if (m_part == kSecondArrow && !GlazeworkIsImageRefEmpty(state.arrow2))
            look.arrow2 = state.arrow2;
        if (m_part == kThumb && !GlazeworkIsNineGridEmpty(state.thumb))
            look.thumb = state.thumb;
    }
    const SkinNineGridRef& track = skin->states[ScrollBarSkin::Normal].track;
    const Layout l = LayOut(length, thickness, m_arrowLength, m_thumbLength, track.topMargin,
                            track.bottomMargin, m_info);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    GlazeworkDrawNineGrid(dc, RECT{0, 0, length, thickness}, look.track, face, TRUE);
    GlazeworkDrawImagePart(dc, l.firstArrow, look.arrow1, face, TRUE);
    GlazeworkDrawImagePart(dc, l.secondArrow, look.arrow2, face, TRUE);
    if (!IsRectEmpty(&l.thumb))
        GlazeworkDrawTransparent(dc, l.thumb, look.thumb, KeyColor());
}

void SkinScrollBarCtrlWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const ScrollBarSkin*>(Object());
    if (!skin)
        return;
    const RECT client = ClientRect();
    const auto style = static_cast<DWORD>(GetWindowLongA(GetHwnd(), GWL_STYLE));
    if (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) {
        GlazeworkDrawImagePart(dc, client, skin->gripper, GetSysColor(COLOR_BTNFACE), TRUE);
        return;
    }
    if (!m_ready) {
        GlazeworkDrawNineGrid(dc, client, skin->states[ScrollBarSkin::Normal].track,
                              GetSysColor(COLOR_BTNFACE), TRUE);
        return;
    }
    if (!IsVertical()) {
        DrawFlat(dc, client.right, client.bottom);
        return;
    }
    // Lying flat, turned clockwise: the first arrow comes to the top.
    SkinMemDC lying(dc, client.bottom, client.right);
    DrawFlat(lying.GetDC(), client.bottom, client.right);
    DrawTurned(dc, lying.Detach(), Turn::Clockwise);
}

LRESULT SkinScrollBarCtrlWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = GetHwnd();
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const bool handlesMouse =
        m_ready && !(GetWindowLongA(hwnd, GWL_STYLE) & (SBS_SIZEBOX | SBS_SIZEGRIP));
    switch (message) {
    case GWM_POSTATTACH_COLORS:
        m_info = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(hwnd, SB_CTL, &m_info);
        m_ready = true;
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!handlesMouse)
            break;
        OnButtonDown(at);
        return 0;
    case WM_MOUSEMOVE:
        if (!handlesMouse)
            break;
        OnMouseMove(wParam, at);
        return 0;
    case WM_LBUTTONUP:
        if (!handlesMouse)
            break;
        OnButtonUp(at);
        return 0;
    case WM_TIMER:
        if (wParam != kRepeatTimer)
            break;
        if (m_pressed)
            SendPartScroll(m_part);
        return 0;
    case SBM_SETSCROLLINFO:
        if (!m_ready)
            break;
        return SetScrollInfoFromMessage(wParam, reinterpret_cast<const SCROLLINFO*>(lParam));
    case SBM_GETSCROLLINFO:
        if (!m_ready)
            break;
        return GetScrollInfoFromCopy(reinterpret_cast<SCROLLINFO*>(lParam));
    case SBM_GETPOS:
        if (!m_ready)
            break;
        return m_info.nPos;
    case WM_ENABLE: {
        const LRESULT result = CallSavedHidden(message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    default:
        break;
    }
    return SkinControlWnd::WindowProc(message, wParam, lParam);
}
