#include "skin/skinners/skin_progress_wnd.h"

#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_messages.h"
#include "skin/skinners/skin_turn.h"

#include <algorithm>

namespace {

constexpr UINT kFrameChangedQuietly =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

int Clamp(long long value, int low, int high) {
    return static_cast<int>(std::clamp<long long>(value, std::min(low, high), std::max(low, high)));
}

} // namespace

int SkinProgressWnd::FilledLength(int low, int high, int position, int width) {
    if (high == low)
        return 0;
    const double part = (static_cast<double>(position) - low) / (static_cast<double>(high) - low);
    return static_cast<int>(std::clamp(part, 0.0, 1.0) * width);
}

LONG_PTR SkinProgressWnd::Attach(HWND hwnd) {
    PostMessageA(hwnd, GWM_POSTATTACH_PROGRESS, 0, 0);
    return SkinControlWnd::Attach(hwnd);
}

void SkinProgressWnd::ReadRange() {
    if (m_ready || !GetHwnd())
        return;
    m_low = static_cast<int>(CallSaved(PBM_GETRANGE, TRUE, 0));
    m_high = static_cast<int>(CallSaved(PBM_GETRANGE, FALSE, 0));
    m_position = static_cast<int>(CallSaved(PBM_GETPOS, 0, 0));
    // The control does not tell its step: it is stepped once from its low end to learn it.
    CallSaved(PBM_SETPOS, static_cast<WPARAM>(m_low), 0);
    CallSaved(PBM_STEPIT, 0, 0);
    m_step = std::max(1, static_cast<int>(CallSaved(PBM_GETPOS, 0, 0)) - m_low);
    CallSaved(PBM_SETPOS, static_cast<WPARAM>(m_position), 0);
    m_ready = true;
    SetWindowPos(GetHwnd(), nullptr, 0, 0, 0, 0, kFrameChangedQuietly);
    Changed();
}

int SkinProgressWnd::Detach() {
    // The numbers go back while the control's own procedure is still the one called.
    if (m_ready && GetHwnd()) {
        CallSaved(PBM_SETRANGE32, static_cast<WPARAM>(m_low), m_high);
        CallSaved(PBM_SETPOS, static_cast<WPARAM>(m_position), 0);
        CallSaved(PBM_SETSTEP, static_cast<WPARAM>(m_step), 0);
    }
    m_ready = false;
    return SkinControlWnd::Detach();
}

void SkinProgressWnd::Changed() {
    InvalidateRect(GetHwnd(), nullptr, TRUE);
    UpdateWindow(GetHwnd());
}

LRESULT SkinProgressWnd::FromCopy(UINT message, WPARAM wParam, LPARAM lParam) {
    const int previousLow = m_low, previousHigh = m_high, previous = m_position;
    switch (message) {
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
        if (message == PBM_SETRANGE) {
            m_low = LOWORD(lParam);
            m_high = HIWORD(lParam);
        } else {
            m_low = static_cast<int>(wParam);
            m_high = static_cast<int>(lParam);
        }
        m_position = Clamp(m_position, m_low, m_high);
        Changed();
        return MAKELONG(previousLow, previousHigh);
    case PBM_SETPOS:
        m_position = Clamp(static_cast<int>(wParam), m_low, m_high);
        Changed();
        return previous;
    case PBM_DELTAPOS:
        m_position =
            Clamp(static_cast<long long>(m_position) + static_cast<int>(wParam), m_low, m_high);
        Changed();
        return previous;
    case PBM_SETSTEP: {
        const int old = m_step;
        m_step = static_cast<int>(wParam);
        return old;
    }
    case PBM_STEPIT:
        m_position = Clamp(static_cast<long long>(m_position) + m_step, m_low, m_high);
        Changed();
        return previous;
    case PBM_GETRANGE:
        if (lParam) {
            auto* range = reinterpret_cast<PBRANGE*>(lParam);
            range->iLow = m_low;
            range->iHigh = m_high;
        }
        return wParam ? m_low : m_high;
    case PBM_GETPOS:
        return m_position;
    default: // PBM_SETBARCOLOR, PBM_SETBKCOLOR: the skin has the colours
        return static_cast<LRESULT>(CLR_DEFAULT);
    }
}

void SkinProgressWnd::DrawBar(HDC dc, const RECT& area) const {
    const auto* skin = dynamic_cast<const ProgressSkin*>(Object());
    GlazeworkDrawNineGrid(dc, area, skin->background, skin->color1, TRUE);
    const int width = area.right - area.left;
    const int filled = FilledLength(m_low, m_high, m_position, width);
    if (filled <= 0)
        return;
    if (skin->usePercent) {
        // The whole bar's picture, of which the filled part shows.
        SkinMemDC whole(dc, width, area.bottom - area.top);
        GlazeworkDrawNineGrid(whole.GetDC(), RECT{0, 0, width, area.bottom - area.top},
                              skin->progressImage, skin->color2, TRUE);
        HBITMAP bitmap = whole.Detach();
        GlazeworkTransparentBlt(dc, area.left, area.top, filled, area.bottom - area.top, bitmap, 0,
                                0, KeyColor(), nullptr);
        DeleteObject(bitmap);
        return;
    }
    const RECT bar{area.left, area.top, area.left + filled, area.bottom};
    if (GlazeworkIsNineGridEmpty(skin->progressImage))
        GlazeworkDrawNineGrid(dc, bar, skin->progressImage, skin->color2, TRUE);
    else
        GlazeworkDrawTransparent(dc, bar, skin->progressImage, KeyColor());
}

void SkinProgressWnd::Draw(HDC dc) {
    if (!dynamic_cast<const ProgressSkin*>(Object()))
        return;
    const RECT size = GetWindowSizeRect();
    const RECT client = ClientRect();
    SkinMemDC whole(dc, size.right, size.bottom);
    if (GetWindowLongA(GetHwnd(), GWL_STYLE) & PBS_VERTICAL) {
        // Lying, then turned counter-clockwise: the bar fills from the bottom up.
        SkinMemDC lying(dc, size.bottom, size.right);
        DrawBar(lying.GetDC(), RECT{0, 0, size.bottom, size.right});
        DrawTurned(whole.GetDC(), lying.Detach(), Turn::CounterClockwise);
    } else {
        DrawBar(whole.GetDC(), size);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, whole.GetDC(), (size.right - client.right) / 2,
           (size.bottom - client.bottom) / 2, SRCCOPY);
}

void SkinProgressWnd::PaintBorder() {
    const auto* skin = dynamic_cast<const ProgressSkin*>(Object());
    if (!skin)
        return;
    const RECT size = GetWindowSizeRect();
    const RECT client = ClientRect();
    const int dx = (size.right - client.right) / 2, dy = (size.bottom - client.bottom) / 2;
    HDC dc = GetWindowDC();
    ExcludeClipRect(dc, dx, dy, dx + client.right, dy + client.bottom);
    GlazeworkDrawNineGrid(dc, size, skin->background, skin->color1, TRUE);
    ReleaseDC(dc);
}

LRESULT SkinProgressWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case GWM_POSTATTACH_PROGRESS:
        ReadRange();
        return 0;
    case GWM_SAVEFONT:
        return 0;
    case PBM_SETRANGE:
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_SETSTEP:
    case PBM_STEPIT:
    case PBM_SETRANGE32:
    case PBM_GETRANGE:
    case PBM_GETPOS:
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR:
        if (!m_ready)
            break;
        return FromCopy(message, wParam, lParam);
    case WM_NCPAINT:
        if (!m_ready)
            break;
        PaintBorder();
        return 0;
    default:
        break;
    }
    return SkinControlWnd::WindowProc(message, wParam, lParam);
}
