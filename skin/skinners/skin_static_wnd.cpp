#include "skin/skinners/skin_static_wnd.h"

#include "skin/core/skin_draw.h"
#include "skin/core/skin_paint_utils.h"
#include "skin/skinners/skin_group_box_wnd.h"

#include <string>

SkinStaticWnd::Kind SkinStaticWnd::KindOf(DWORD style) {
    switch (style & SS_TYPEMASK) {
    case SS_ICON:
        return Kind::Icon;
    case SS_BITMAP:
        return Kind::Bitmap;
    case SS_SIMPLE:
    case SS_OWNERDRAW:
    case SS_ENHMETAFILE:
        return Kind::Unskinned;
    default:
        return Kind::Text;
    }
}

LONG_PTR SkinStaticWnd::Attach(HWND hwnd) {
    if (KindOf(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE))) == Kind::Unskinned)
        return 0;
    const auto* skin = dynamic_cast<const StaticSkin*>(Object());
    const LONG_PTR result = SkinControlWnd::Attach(hwnd);
    if (skin && skin->transparent)
        ShowParentThrough(hwnd);
    return result;
}

void SkinStaticWnd::DrawBackground(HDC dc) {
    const auto* skin = dynamic_cast<const StaticSkin*>(Object());
    if (!skin || skin->transparent)
        PaintParentBackground(dc);
    else
        GlazeworkDrawNineGrid(dc, ClientRect(), skin->background, skin->color1, TRUE);
}

void SkinStaticWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const StaticSkin*>(Object());
    if (!skin)
        return;
    HWND hwnd = GetHwnd();
    const auto style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const RECT client = ClientRect();
    switch (KindOf(style)) {
    case Kind::Icon: {
        auto icon = reinterpret_cast<HICON>(SendMessage(STM_GETICON, 0, 0));
        if (!icon)
            return;
        if (style & SS_CENTERIMAGE)
            DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        else
            DrawIcon(dc, 0, 0, icon);
        return;
    }
    case Kind::Bitmap: {
        auto bitmap = reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (!bitmap)
            return;
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return;
    }
    case Kind::Unskinned:
        return;
    case Kind::Text:
        break;
    }
    std::string text(300, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), 300)));
    DrawBackground(dc);
    UINT format = DT_LEFT;
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_CENTER)
        format = DT_CENTER;
    else if (type == SS_RIGHT)
        format = DT_RIGHT;
    if (style & SS_CENTERIMAGE)
        format |= DT_VCENTER | DT_SINGLELINE;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    format |= type == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT, 0, 0)));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    GlazeworkDrawElementText(dc, skin->effect, client, text.c_str(), static_cast<int>(text.size()),
                             format);
    RestoreDC(dc, saved);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void SkinStaticWnd::OnPaint() {
    // Straight into the paint DC: text and icons over what the background put there.
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(GetHwnd(), &ps);
    Draw(dc);
    EndPaint(GetHwnd(), &ps);
}

LRESULT SkinStaticWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ENABLE:
    case WM_SETTEXT: {
        const LRESULT result = CallSavedHidden(message, wParam, lParam);
        InvalidateRect(GetHwnd(), nullptr, FALSE);
        UpdateWindow(GetHwnd());
        return result;
    }
    case WM_ERASEBKGND:
        if (KindOf(static_cast<DWORD>(GetWindowLongA(GetHwnd(), GWL_STYLE))) != Kind::Text)
            return CallSaved(message, wParam, lParam);
        DrawBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    default:
        return SkinControlWnd::WindowProc(message, wParam, lParam);
    }
}
