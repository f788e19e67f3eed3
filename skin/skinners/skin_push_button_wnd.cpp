#include "skin/skinners/skin_push_button_wnd.h"

#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/skin_paint_utils.h"
#include "skin/core/skin_regions.h"

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return SIZE{};
    return SIZE{info.bmWidth, info.bmHeight};
}

// An icon's size from its colour bitmap, or from its mask (half its height) when it has none.
SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return SIZE{};
    SIZE size{};
    if (info.hbmColor) {
        size = BitmapSize(info.hbmColor);
    } else {
        size = BitmapSize(info.hbmMask);
        size.cy /= 2;
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return size;
}

} // namespace

ButtonSkin::State SkinPushButtonWnd::CurrentState() const {
    const auto* skin = dynamic_cast<const ButtonSkin*>(Object());
    HWND hwnd = GetHwnd();
    const auto state = static_cast<UINT>(SendMessageA(hwnd, BM_GETSTATE, 0, 0));
    if (!IsWindowEnabled(hwnd))
        return ButtonSkin::Disabled;
    if ((state & BST_PUSHED) || IsPressed())
        return ButtonSkin::Pressed;
    if (IsHot() && skin && !GlazeworkIsNineGridEmpty(skin->states[ButtonSkin::Highlighted].image))
        return ButtonSkin::Highlighted;
    if (state & BST_CHECKED)
        return ButtonSkin::Pressed;
    if (GetFocus() == hwnd)
        return ButtonSkin::Focused;
    if (m_default)
        return ButtonSkin::Default;
    return ButtonSkin::Normal;
}

void SkinPushButtonWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const ButtonSkin*>(Object());
    if (!skin)
        return;
    const SkinStateImage& look = skin->states[CurrentState()];
    GlazeworkDrawTransparent(dc, ClientRect(), look.image, KeyColor());
    DrawContent(dc, look.effect);
}

void SkinPushButtonWnd::DrawContent(HDC dc, const SkinTextEffect& effect) {
    const RECT client = ClientRect();
    const auto style = static_cast<DWORD>(GetWindowLongA(GetHwnd(), GWL_STYLE));
    if (style & BS_ICON) {
        auto icon = reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON, 0));
        if (!icon)
            return;
        const RECT at = PlaceText(client, IconSize(icon), style);
        DrawIcon(dc, at.left, at.top, icon);
        return;
    }
    if (style & BS_BITMAP) {
        auto bitmap = reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP, 0));
        const SIZE size = BitmapSize(bitmap);
        if (!bitmap || size.cx == 0)
            return;
        const RECT at = PlaceText(client, size, style);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(dc, at.left, at.top, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return;
    }
    const std::string text = WindowText(299);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT, 0, 0)));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const RECT at = PlaceText(client, MeasureText(dc, text), style);
    GlazeworkDrawElementText(dc, effect, at, text.c_str(), static_cast<int>(text.size()),
                             DT_WORDBREAK);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void SkinPushButtonWnd::BuildShapeRegion(int width, int height) {
    const auto* skin = dynamic_cast<const ButtonSkin*>(Object());
    if (!GetHwnd() || !skin || width <= 0 || height <= 0 || IsOwnerDrawn())
        return;
    HRGN region = nullptr;
    {
        HDC screen = GetDC(nullptr);
        SkinMemDC memory(screen, width, height);
        ::ReleaseDC(nullptr, screen);
        GlazeworkDrawNineGrid(memory.GetDC(), RECT{0, 0, width, height},
                              skin->states[ButtonSkin::Normal].image, GetSysColor(COLOR_BTNFACE),
                              TRUE);
        HBITMAP bitmap = memory.Detach();
        region = GlazeworkRegionFromBitmap(bitmap, SkinObject::kKeyColor);
        DeleteObject(bitmap);
    }
    SetRegion(nullptr, FALSE);
    if (region)
        SetRegion(region, TRUE);
}

SkinObject* SkinPushButtonWnd::ApplySkin(SkinObject* object) {
    SkinObject* previous = SkinButtonWnd::ApplySkin(object);
    const RECT client = GetHwnd() ? ClientRect() : RECT{};
    BuildShapeRegion(client.right, client.bottom);
    return previous;
}

LONG_PTR SkinPushButtonWnd::Attach(HWND hwnd) {
    const LONG_PTR result = SkinButtonWnd::Attach(hwnd);
    if (!result)
        return result;
    m_default = (GetWindowLongA(hwnd, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
    const RECT client = ClientRect();
    BuildShapeRegion(client.right, client.bottom);
    return result;
}

void SkinPushButtonWnd::PaintThrough(HDC dc) {
    const RECT client = ClientRect();
    SkinMemDC memory(dc, client.right, client.bottom);
    PaintParentBackground(memory.GetDC());
    Draw(memory.GetDC());
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.GetDC(), 0, 0, SRCCOPY);
}

void SkinPushButtonWnd::OnPaint() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(GetHwnd(), &ps);
    PaintThrough(dc);
    EndPaint(GetHwnd(), &ps);
}

void SkinPushButtonWnd::RepaintNow() {
    HWND hwnd = GetHwnd();
    if (!hwnd || !IsWindow(hwnd))
        return;
    HDC dc = GetDC(hwnd);
    PaintThrough(dc);
    ::ReleaseDC(hwnd, dc);
}

LRESULT SkinPushButtonWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsOwnerDrawn())
        return SkinButtonWnd::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SIZE: {
        const LRESULT result = CallSaved(message, wParam, lParam);
        BuildShapeRegion(LOWORD(lParam), HIWORD(lParam));
        return result;
    }
    case WM_STYLECHANGED:
        if (wParam == static_cast<WPARAM>(GWL_STYLE))
            m_default =
                (reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew & 0xF) == BS_DEFPUSHBUTTON;
        break;
    case BM_SETSTYLE:
        m_default = (wParam & 0xF) == BS_DEFPUSHBUTTON;
        break;
    case WM_SETTEXT: {
        const LRESULT result = CallSavedHidden(message, wParam, lParam);
        InvalidateRect(GetHwnd(), nullptr, TRUE);
        return result;
    }
    default:
        break;
    }
    return SkinButtonWnd::WindowProc(message, wParam, lParam);
}
