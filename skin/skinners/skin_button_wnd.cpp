#include "skin/skinners/skin_button_wnd.h"

#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/skin_paint_utils.h"

#include <algorithm>

namespace {

constexpr DWORD kOwnerDrawBits = 0xB;

bool HoldsCapture(HWND hwnd) {
    return GetCapture() == hwnd;
}

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

bool SkinButtonWnd::IsOwnerDrawn() const {
    return (GetWindowLongA(GetHwnd(), GWL_STYLE) & kOwnerDrawBits) == kOwnerDrawBits;
}

LONG_PTR SkinButtonWnd::Attach(HWND hwnd) {
    if ((GetWindowLongA(hwnd, GWL_STYLE) & kOwnerDrawBits) == kOwnerDrawBits)
        return 0;
    return SkinControlWnd::Attach(hwnd);
}

std::string SkinButtonWnd::WindowText(int limit) const {
    std::string text(static_cast<std::size_t>(limit) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(GetHwnd(), text.data(), limit + 1)));
    return text;
}

void SkinButtonWnd::RepaintNow() {
    HWND hwnd = GetHwnd();
    if (!hwnd || !IsWindow(hwnd))
        return;
    HDC dc = GetDC(hwnd);
    const RECT client = ClientRect();
    {
        SkinMemDC memory(dc, client.right, client.bottom);
        Draw(memory.GetDC());
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.GetDC(), 0, 0, SRCCOPY);
    }
    ReleaseDC(dc);
}

void SkinButtonWnd::SetPressed(bool pressed) {
    if (m_pressed == pressed)
        return;
    m_pressed = pressed;
    RepaintNow();
}

void SkinButtonWnd::Click() {
    OnClick();
    RepaintNow();
    HWND hwnd = GetHwnd();
    PostMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetWindowLongA(hwnd, GWL_ID), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

SIZE SkinButtonWnd::MeasureText(HDC dc, const std::string& text) const {
    const std::string limited = text.substr(0, 499);
    SIZE size{};
    int lines = 0;
    std::size_t start = 0;
    while (start <= limited.size()) {
        std::size_t end = limited.find('\n', start);
        if (end == std::string::npos)
            end = limited.size();
        SIZE line{};
        GetTextExtentPoint32A(dc, limited.data() + start, static_cast<int>(end - start), &line);
        size.cx = std::max(size.cx, line.cx);
        size.cy = std::max(size.cy, line.cy);
        ++lines;
        start = end + 1;
    }
    size.cy *= lines;
    if (const ControlSkin* control = Control(); control && control->font.font.lfItalic) {
        SIZE a{};
        GetTextExtentPoint32A(dc, "A", 1, &a);
        size.cx += a.cx;
    }
    return size;
}

RECT SkinButtonWnd::PlaceText(const RECT& area, SIZE text, DWORD style) {
    RECT r = area;
    const LONG width = area.right - area.left;
    const LONG height = area.bottom - area.top;
    const DWORD horizontal = style & BS_CENTER;
    const DWORD type = style & 0xF;
    const bool centred = horizontal == BS_CENTER ||
                         (horizontal == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ||
                                              type == BS_USERBUTTON));
    if (text.cx < width) {
        if (centred) {
            r.left = area.left + (width - text.cx) / 2;
            r.right = r.left + text.cx;
        } else if (horizontal == BS_RIGHT) {
            r.left = area.right - text.cx;
        } else {
            r.right = area.left + text.cx;
        }
    }
    if (text.cy < height) {
        const DWORD vertical = style & BS_VCENTER;
        if (vertical == BS_TOP) {
            r.bottom = area.top + text.cy;
        } else if (vertical == BS_BOTTOM) {
            r.top = area.bottom - text.cy;
        } else {
            r.top = area.top + (height - text.cy) / 2;
            r.bottom = r.top + text.cy;
        }
    }
    return r;
}

void SkinButtonWnd::LayoutBox(DWORD style, const RECT& area, SIZE box, RECT& boxRect,
                              RECT& textRect) {
    const DWORD vertical = style & BS_VCENTER;
    LONG top = area.top + (area.bottom - area.top - box.cy) / 2;
    if (vertical == BS_BOTTOM)
        top = area.bottom - box.cy;
    else if (vertical == BS_TOP)
        top = area.top;
    textRect = area;
    if (style & BS_LEFTTEXT) {
        boxRect = RECT{area.right - box.cx, top, area.right, top + box.cy};
        textRect.right = boxRect.left;
    } else {
        boxRect = RECT{area.left, top, area.left + box.cx, top + box.cy};
        textRect.left = boxRect.right + 2;
    }
}

void SkinButtonWnd::DrawBoxAndText(HDC dc, const SkinNineGridRef& background,
                                   const SkinImageRef& box, const SkinTextEffect& effect,
                                   bool transparent) {
    RECT area = ClientRect();
    if (transparent)
        PaintParentBackground(dc);
    else
        GlazeworkDrawNineGrid(dc, area, background, GetSysColor(COLOR_BTNFACE), TRUE);
    area.left += background.leftMargin;
    area.top += background.topMargin;
    area.right -= background.rightMargin;
    area.bottom -= background.bottomMargin;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT, 0, 0)));
    const DWORD style = static_cast<DWORD>(GetWindowLongA(GetHwnd(), GWL_STYLE));
    const SIZE boxSize{box.source.right - box.source.left, box.source.bottom - box.source.top};
    RECT boxRect{}, textArea{};
    LayoutBox(style, area, boxSize, boxRect, textArea);
    if (boxSize.cx > 0 && boxSize.cy > 0) {
        SkinMemDC boxDc(dc, boxSize.cx, boxSize.cy);
        const RECT inBox{0, 0, boxSize.cx, boxSize.cy};
        GlazeworkDrawImagePart(boxDc.GetDC(), inBox, box, KeyColor(), TRUE);
        GlazeworkDrawBitmapKeyed(dc, boxDc.GetBitmap(), boxRect, KeyColor());
    }
    const std::string text = WindowText(199);
    const COLORREF oldColor = SetTextColor(dc, effect.TextColor());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const RECT textRect = PlaceText(textArea, MeasureText(dc, text), style);
    GlazeworkDrawElementText(dc, effect, textRect, text.c_str(), static_cast<int>(text.size()),
                             DT_WORDBREAK);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    SelectObject(dc, oldFont);
}

LRESULT SkinButtonWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_STYLECHANGED && wParam == static_cast<WPARAM>(GWL_STYLE) && IsOwnerDrawn()) {
        // Made owner-drawn after it was skinned (as the image buttons are): the skinner lets
        // go of the button, which its owner draws from now on.
        HWND hwnd = GetHwnd();
        const LRESULT result = CallSaved(message, wParam, lParam);
        SkinManager::Instance().Remove(hwnd); // deletes this skinner
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    if (message != WM_NCDESTROY && IsOwnerDrawn())
        return CallSaved(message, wParam, lParam);
    HWND hwnd = GetHwnd();
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        // The button's own handling (notifications, an auto radio checked by the arrow keys)
        // stays; a lost focus ends a press.
        const auto alive = AliveToken();
        const LRESULT result = CallSaved(message, wParam, lParam);
        if (!*alive || !IsWindow(hwnd))
            return result;
        if (message == WM_KILLFOCUS) {
            if (HoldsCapture(hwnd))
                ReleaseCapture();
            m_pressed = false;
        }
        RepaintNow();
        return result;
    }
    case WM_ENABLE:
    case WM_SETTEXT:
    case BM_SETSTATE: {
        const LRESULT result = SkinControlWnd::WindowProc(message, wParam, lParam);
        RepaintNow();
        return result;
    }
    case BM_SETCHECK:
        // The button keeps the check state; nothing else of its state changes.
        CallSaved(message, wParam & 3, 0);
        RepaintNow();
        return 0;
    case WM_KEYDOWN:
        if (wParam != VK_SPACE)
            break;
        SetPressed(true);
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE)
            break;
        m_pressed = false;
        Click();
        return 0;
    case WM_CHAR:
    case WM_DEADCHAR:
        if (HoldsCapture(hwnd)) {
            ReleaseCapture();
            SetPressed(false);
        }
        break;
    case WM_MOUSEMOVE: {
        const RECT client = ClientRect();
        if ((wParam & MK_LBUTTON) && HoldsCapture(hwnd)) {
            const bool inside = PtInRect(&client, PointOf(lParam)) != FALSE;
            // Dragged off the button, the mouse is no longer over it.
            if (!inside)
                ClearHover();
            SetPressed(inside);
            return 0;
        }
        if (TrackMouseLeave())
            InvalidateRect(hwnd, nullptr, FALSE);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != hwnd)
            SetFocus(hwnd);
        SetCapture(hwnd);
        SetPressed(true);
        return 0;
    case WM_LBUTTONUP: {
        if (!HoldsCapture(hwnd))
            break;
        const RECT client = ClientRect();
        const bool inside = PtInRect(&client, PointOf(lParam)) != FALSE;
        ReleaseCapture();
        m_pressed = false;
        if (inside)
            Click();
        else
            RepaintNow();
        return 0;
    }
    default:
        break;
    }
    return SkinControlWnd::WindowProc(message, wParam, lParam);
}
