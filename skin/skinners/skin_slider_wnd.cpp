#include "skin/skinners/skin_slider_wnd.h"

#include "imagelib/px_image.h"
#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_turn.h"
#include "win32/trackbar.h"

LONG_PTR SkinSliderWnd::Attach(HWND hwnd) {
    // A thumb without a point: the skin's thumb is drawn over a plain one.
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    m_hadBoth = (style & TBS_BOTH) != 0;
    SetWindowLongA(hwnd, GWL_STYLE, style | TBS_BOTH);
    m_attached = true;
    return SkinControlWnd::Attach(hwnd);
}

int SkinSliderWnd::Detach() {
    HWND hwnd = GetHwnd();
    if (hwnd && m_attached && !m_hadBoth)
        SetWindowLongA(hwnd, GWL_STYLE,
                       GetWindowLongA(hwnd, GWL_STYLE) & ~static_cast<LONG>(TBS_BOTH));
    m_attached = false;
    return SkinControlWnd::Detach();
}

void SkinSliderWnd::DrawBackground(HDC dc, const RECT& area) const {
    const auto* skin = dynamic_cast<const SliderSkin*>(Object());
    if (skin->transparent)
        PaintParentBackground(dc);
    else
        GlazeworkDrawNineGrid(dc, area, skin->background, GetSysColor(COLOR_BTNFACE), TRUE);
}

void SkinSliderWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const SliderSkin*>(Object());
    if (!skin)
        return;
    RECT thumb{}, channel{};
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const RECT client = ClientRect();
    const bool vertical = (GetWindowLongA(GetHwnd(), GWL_STYLE) & TBS_VERT) != 0;
    if (!vertical) {
        DrawBackground(dc, client);
        GlazeworkDrawNineGrid(dc, channel, skin->channel, GetSysColor(COLOR_BTNFACE), TRUE);
        GlazeworkDrawTransparent(dc, thumb, skin->horizontalThumb, KeyColor());
        return;
    }
    // Background and channel lying on their side (the control reports its channel laid flat),
    // turned upright; then the thumb.
    {
        SkinMemDC lying(dc, client.bottom, client.right);
        const RECT lyingClient{0, 0, client.bottom, client.right};
        if (skin->transparent) {
            SkinMemDC under(dc, client.right, client.bottom);
            PaintParentBackground(under.GetDC());
            // The parent's picture is laid down the same way, so that turning restores it.
            PxImage picture;
            HBITMAP bitmap = under.Detach();
            if (picture.CreateFromHBITMAP(bitmap) && picture.RotateRight())
                picture.Draw(lying.GetDC(), 0, 0);
            DeleteObject(bitmap);
        } else {
            GlazeworkDrawNineGrid(lying.GetDC(), lyingClient, skin->background,
                                  GetSysColor(COLOR_BTNFACE), TRUE);
        }
        GlazeworkDrawNineGrid(lying.GetDC(), channel, skin->channel, GetSysColor(COLOR_BTNFACE),
                              TRUE);
        DrawTurned(dc, lying.Detach(), Turn::CounterClockwise);
    }
    if (!GlazeworkIsNineGridEmpty(skin->verticalThumb)) {
        GlazeworkDrawTransparent(dc, thumb, skin->verticalThumb, KeyColor());
        return;
    }
    const int width = thumb.right - thumb.left, height = thumb.bottom - thumb.top;
    if (width <= 0 || height <= 0)
        return;
    SkinMemDC lyingThumb(dc, height, width);
    const RECT lyingRect{0, 0, height, width};
    HBRUSH key = CreateSolidBrush(KeyColor());
    FillRect(lyingThumb.GetDC(), &lyingRect, key);
    DeleteObject(key);
    GlazeworkDrawTransparent(lyingThumb.GetDC(), lyingRect, skin->horizontalThumb, KeyColor());
    PxImage picture;
    HBITMAP bitmap = lyingThumb.Detach();
    if (picture.CreateFromHBITMAP(bitmap) && picture.RotateLeft())
        GlazeworkDrawImageKeyed(dc, picture, thumb, KeyColor());
    DeleteObject(bitmap);
}

LRESULT SkinSliderWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        const auto alive = AliveToken();
        const LRESULT result = CallSaved(message, wParam, lParam);
        if (*alive && !(message == WM_MOUSEMOVE && (wParam & MK_LBUTTON)))
            InvalidateRect(GetHwnd(), nullptr, message != WM_MOUSEMOVE);
        return result;
    }
    default:
        return SkinControlWnd::WindowProc(message, wParam, lParam);
    }
}
