#include "skin/skinners/skin_group_box_wnd.h"

#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/skin_paint_utils.h"

#include <algorithm>
#include <string>

namespace {

std::string TextOf(HWND hwnd, int limit) {
    std::string text(static_cast<std::size_t>(limit) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), limit + 1)));
    return text;
}

bool Overlaps(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

void InvalidateInParent(HWND control, RECT area) {
    HWND parent = GetParent(control);
    if (!parent)
        return;
    MapWindowPoints(control, parent, reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(parent, &area, TRUE);
    UpdateWindow(parent);
}

} // namespace

void SkinGroupBoxWnd::DrawFrameKeyed(HDC dc, const RECT& frame, const SkinNineGridRef& grid) const {
    // The frame's key-coloured pixels (and its open middle) leave what lies under it alone.
    const RECT client = ClientRect();
    SkinMemDC border(dc, client.right, client.bottom);
    HBRUSH key = CreateSolidBrush(KeyColor());
    FillRect(border.GetDC(), &client, key);
    DeleteObject(key);
    GlazeworkDrawNineGridBorder(border.GetDC(), frame, grid, KeyColor(), FALSE);
    GlazeworkDrawBitmapKeyed(dc, border.GetBitmap(), client, KeyColor());
}

void ShowParentThrough(HWND control) {
    SetWindowLongA(control, GWL_EXSTYLE, GetWindowLongA(control, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    RECT client{};
    GetClientRect(control, &client);
    InvalidateInParent(control, client);
}

LONG_PTR SkinGroupBoxWnd::Attach(HWND hwnd) {
    SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    const LONG_PTR result = SkinControlWnd::Attach(hwnd);
    ShowParentThrough(hwnd);
    return result;
}

void SkinGroupBoxWnd::LayoutCaption(HDC dc, RECT& caption, RECT& frame) const {
    const auto* skin = dynamic_cast<const GroupBoxSkin*>(Object());
    const RECT client = ClientRect();
    std::string text = TextOf(GetHwnd(), 199);
    if (text.empty())
        text = "A";
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(GetHwnd(), WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, oldFont);
    if (skin) {
        size.cx += skin->captionImage.leftMargin + skin->captionImage.rightMargin;
        size.cy += skin->captionImage.topMargin + skin->captionImage.bottomMargin;
    }
    caption.top = client.top;
    caption.bottom = client.top + size.cy;
    const auto style = static_cast<DWORD>(GetWindowLongA(GetHwnd(), GWL_STYLE));
    if ((style & BS_CENTER) == BS_CENTER) {
        caption.left = (client.left + client.right - size.cx) / 2;
        caption.right = caption.left + size.cx;
    } else if (style & BS_RIGHT) {
        caption.right = client.right - 4;
        caption.left = std::max(caption.right - size.cx, client.left + 2);
    } else {
        caption.left = 4;
        caption.right = std::min(4 + size.cx, client.right - 2);
    }
    frame = client;
    frame.top = (caption.top + caption.bottom) / 2;
}

RECT SkinGroupBoxWnd::CaptionRect() const {
    RECT caption{}, frame{};
    HDC dc = GetDC(GetHwnd());
    LayoutCaption(dc, caption, frame);
    ::ReleaseDC(GetHwnd(), dc);
    return caption;
}

void SkinGroupBoxWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const GroupBoxSkin*>(Object());
    if (!skin)
        return;
    RECT caption{}, frame{};
    LayoutCaption(dc, caption, frame);
    DrawFrameKeyed(dc, frame, skin->background);
    const std::string text = TextOf(GetHwnd(), 199);
    if (text.empty())
        return;
    if (skin->transparent) {
        const RECT client = ClientRect();
        SkinMemDC under(dc, client.right, client.bottom);
        PaintParentBackground(under.GetDC());
        BitBlt(dc, caption.left, caption.top, caption.right - caption.left,
               caption.bottom - caption.top, under.GetDC(), caption.left, caption.top, SRCCOPY);
    } else {
        GlazeworkDrawNineGrid(dc, caption, skin->captionImage, skin->captionColor, TRUE);
        caption.left += skin->captionImage.leftMargin;
        caption.top += skin->captionImage.topMargin;
        caption.right -= skin->captionImage.rightMargin;
        caption.bottom -= skin->captionImage.bottomMargin;
    }
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT, 0, 0)));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    GlazeworkDrawElementText(dc, skin->effect, caption, text.c_str(), static_cast<int>(text.size()),
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void SkinGroupBoxWnd::OnPaint() {
    HWND hwnd = GetHwnd();
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    // The parent's background under the whole box: the inside shows the parent.
    const RECT client = ClientRect();
    {
        SkinMemDC memory(dc, client.right, client.bottom);
        PaintParentBackground(memory.GetDC());
        Draw(memory.GetDC());
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.GetDC(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
    // The controls of the group lie over the box: they are drawn again on top.
    RECT own{};
    ::GetWindowRect(hwnd, &own);
    for (HWND at = GetWindow(hwnd, GW_HWNDNEXT); at; at = GetWindow(at, GW_HWNDNEXT)) {
        if (GetWindowLongA(at, GWL_STYLE) & WS_GROUP)
            continue;
        RECT place{};
        ::GetWindowRect(at, &place);
        if (Overlaps(own, place))
            RedrawWindow(at, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

LRESULT SkinGroupBoxWnd::ChangeCaption(UINT message, WPARAM wParam, LPARAM lParam) {
    const RECT before = CaptionRect();
    const std::size_t oldLength = TextOf(GetHwnd(), 199).size();
    const auto alive = AliveToken();
    const LRESULT result = CallSavedHidden(message, wParam, lParam);
    if (!*alive)
        return result;
    const bool shorter = TextOf(GetHwnd(), 199).size() < oldLength;
    InvalidateInParent(GetHwnd(), shorter || message == WM_SETFONT ? before : CaptionRect());
    InvalidateRect(GetHwnd(), nullptr, TRUE);
    UpdateWindow(GetHwnd());
    return result;
}

LRESULT SkinGroupBoxWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ENABLE: {
        const LRESULT result = CallSavedHidden(message, wParam, lParam);
        InvalidateRect(GetHwnd(), nullptr, TRUE);
        UpdateWindow(GetHwnd());
        return result;
    }
    case WM_SETTEXT:
    case WM_SETFONT:
        return ChangeCaption(message, wParam, lParam);
    default:
        return SkinControlWnd::WindowProc(message, wParam, lParam);
    }
}
