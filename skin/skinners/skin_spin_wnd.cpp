#include "skin/skinners/skin_spin_wnd.h"

#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_turn.h"

namespace {

bool Horizontal(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_STYLE) & UDS_HORZ) != 0;
}

const SkinImageRef& Either(const SkinImageRef& wanted, const SkinImageRef& fallback) {
    return GlazeworkIsImageRefEmpty(wanted) ? fallback : wanted;
}

} // namespace

int SkinSpinWnd::HitTest(POINT at) const {
    const RECT client = ClientRect();
    if (!PtInRect(&client, at))
        return 0;
    if (Horizontal(GetHwnd()))
        return at.x < (client.left + client.right) / 2 ? 1 : 2;
    return at.y < (client.top + client.bottom) / 2 ? 1 : 2;
}

void SkinSpinWnd::SetState(State state) {
    m_state = state;
    InvalidateRect(GetHwnd(), nullptr, FALSE);
}

void SkinSpinWnd::RedrawIfDirty() {
    m_state = kNone;
    SkinControlWnd::RedrawIfDirty();
}

// The two halves of an upright control in `area` (upper half first).
void SkinSpinWnd::DrawHalves(HDC dc, const RECT& area) const {
    const auto* skin = dynamic_cast<const SpinSkin*>(Object());
    const auto& normal = skin->states[SpinSkin::Normal];
    const SkinImageRef* first = &normal.up;
    const SkinImageRef* second = &normal.down;
    if (!IsWindowEnabled(GetHwnd())) {
        first = &Either(skin->states[SpinSkin::Disabled].up, normal.up);
        second = &Either(skin->states[SpinSkin::Disabled].down, normal.down);
    } else if (m_state == kFirstPressed) {
        first = &Either(skin->states[SpinSkin::Pressed].up, normal.up);
    } else if (m_state == kSecondPressed) {
        second = &Either(skin->states[SpinSkin::Pressed].down, normal.down);
    } else if (m_state == kFirstHot) {
        first = &Either(skin->states[SpinSkin::Hover].up, normal.up);
    } else if (m_state == kSecondHot) {
        second = &Either(skin->states[SpinSkin::Hover].down, normal.down);
    }
    const LONG middle = (area.top + area.bottom) / 2;
    GlazeworkDrawImagePart(dc, RECT{area.left, area.top, area.right, middle}, *first, 0, FALSE);
    GlazeworkDrawImagePart(dc, RECT{area.left, middle, area.right, area.bottom}, *second, 0, FALSE);
}

void SkinSpinWnd::Draw(HDC dc) {
    if (!dynamic_cast<const SpinSkin*>(Object()))
        return;
    const RECT client = ClientRect();
    if (!Horizontal(GetHwnd())) {
        DrawHalves(dc, client);
        return;
    }
    // Lying on its side and turned counter-clockwise: the upper half becomes the left one.
    SkinMemDC lying(dc, client.bottom, client.right);
    DrawHalves(lying.GetDC(), RECT{0, 0, client.bottom, client.right});
    DrawTurned(dc, lying.Detach(), Turn::CounterClockwise);
}

LRESULT SkinSpinWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_MOUSEMOVE: {
        const int part = HitTest(at);
        const bool down = (wParam & MK_LBUTTON) != 0;
        SetState(part == 0   ? kNone
                 : part == 1 ? (down ? kFirstPressed : kFirstHot)
                             : (down ? kSecondPressed : kSecondHot));
        TrackMouseLeave();
        break;
    }
    case WM_LBUTTONDOWN: {
        const int part = HitTest(at);
        SetState(part == 0 ? kNone : part == 1 ? kFirstPressed : kSecondPressed);
        break;
    }
    case WM_LBUTTONUP: {
        const int part = HitTest(at);
        SetState(part == 0 ? kNone : part == 1 ? kFirstHot : kSecondHot);
        break;
    }
    default:
        break;
    }
    return SkinControlWnd::WindowProc(message, wParam, lParam);
}
