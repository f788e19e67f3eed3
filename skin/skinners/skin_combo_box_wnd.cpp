#include "skin/skinners/skin_combo_box_wnd.h"

#include "skin/core/skin_draw.h"
#include "skin/core/skin_geometry.h"

#include <string>

SkinComboBoxWnd::~SkinComboBoxWnd() {
    if (m_normalBrush)
        DeleteObject(m_normalBrush);
    if (m_disabledBrush)
        DeleteObject(m_disabledBrush);
}

LONG_PTR SkinComboBoxWnd::Attach(HWND hwnd) {
    const auto style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if ((style & CBS_DROPDOWNLIST) == CBS_SIMPLE ||
        (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)))
        return 0;
    return SkinControlWnd::Attach(hwnd);
}

SkinObject* SkinComboBoxWnd::ApplySkin(SkinObject* object) {
    for (HBRUSH* brush : {&m_normalBrush, &m_disabledBrush}) {
        if (*brush)
            DeleteObject(*brush);
        *brush = nullptr;
    }
    if (const auto* skin = dynamic_cast<const ComboBoxSkin*>(object)) {
        m_normalBrush = CreateSolidBrush(skin->color1);
        m_disabledBrush = CreateSolidBrush(skin->disabledBackground);
    }
    return SkinControlWnd::ApplySkin(object);
}

namespace {

// The client rectangle less the background's margins, however large the skin made them.
RECT Inside(const RECT& client, const SkinNineGridRef& frame) {
    return RECT{client.left + SkinCoordinate(frame.leftMargin),
                client.top + SkinCoordinate(frame.topMargin),
                client.right - SkinCoordinate(frame.rightMargin),
                client.bottom - SkinCoordinate(frame.bottomMargin)};
}

} // namespace

RECT SkinComboBoxWnd::ButtonRect() const {
    const RECT client = ClientRect();
    const ComboBoxSkin* skin = Combo();
    const RECT inside = Inside(client, skin ? skin->background : SkinNineGridRef{});
    return RECT{client.right - 18, inside.top, inside.right, inside.bottom};
}

RECT SkinComboBoxWnd::HotRect() const {
    RECT hot = ButtonRect();
    hot.left = ClientRect().right - 16;
    return hot;
}

void SkinComboBoxWnd::Draw(HDC dc) {
    const ComboBoxSkin* skin = Combo();
    if (!skin)
        return;
    HWND hwnd = GetHwnd();
    const RECT client = ClientRect();
    const SkinNineGridRef& frame = skin->background;
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    const bool focused = GetFocus() == hwnd || IsChild(hwnd, GetFocus());
    const RECT button = ButtonRect();
    GlazeworkDrawNineGridBorder(dc, client, frame, skin->color1, TRUE);
    const RECT inner = Inside(client, frame);
    FillRect(dc, &inner, enabled ? m_normalBrush : m_disabledBrush);
    RECT text{inner.left + 1, inner.top + 1, button.left - 2, inner.bottom - 1};
    if (focused && enabled) {
        HBRUSH brush = CreateSolidBrush(skin->focusColor);
        FillRect(dc, &text, brush);
        DeleteObject(brush);
    } else if (!enabled) {
        FillRect(dc, &text, m_disabledBrush);
    }
    const auto index = static_cast<int>(SendMessage(CB_GETCURSEL, 0, 0));
    if (index != CB_ERR) {
        const auto length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        std::string item(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(item.data()));
        item.resize(std::char_traits<char>::length(item.c_str()));
        HGDIOBJ oldFont =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT, 0, 0)));
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        COLORREF color = skin->font.color;
        if (focused)
            color = skin->focusTextColor;
        if (!enabled)
            color = skin->disabledText;
        const COLORREF oldColor = SetTextColor(dc, color);
        DrawTextA(dc, item.c_str(), static_cast<int>(item.size()), &text,
                  DT_SINGLELINE | DT_VCENTER);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
        SelectObject(dc, oldFont);
    }
    const SkinNineGridRef* look = &skin->thumbs[ComboBoxSkin::Normal];
    if (!enabled) {
        if (!GlazeworkIsNineGridEmpty(skin->thumbs[ComboBoxSkin::Disabled]))
            look = &skin->thumbs[ComboBoxSkin::Disabled];
    } else if (m_button == kButtonHot &&
               !GlazeworkIsNineGridEmpty(skin->thumbs[ComboBoxSkin::Hovered])) {
        look = &skin->thumbs[ComboBoxSkin::Hovered];
    } else if (m_button == kButtonPressed &&
               !GlazeworkIsNineGridEmpty(skin->thumbs[ComboBoxSkin::Pressed])) {
        look = &skin->thumbs[ComboBoxSkin::Pressed];
    }
    GlazeworkDrawTransparent(dc, button, *look, KeyColor());
}

void SkinComboBoxWnd::SetButton(ButtonState state) {
    if (m_button == state)
        return;
    m_button = state;
    InvalidateRect(GetHwnd(), nullptr, FALSE);
}

void SkinComboBoxWnd::RedrawIfDirty() {
    m_button = kButtonNormal;
    SkinControlWnd::RedrawIfDirty();
}

HBRUSH SkinComboBoxWnd::EditColors(HDC dc, bool enabled) {
    const ComboBoxSkin* skin = Combo();
    SetBkColor(dc, enabled ? skin->color1 : skin->disabledBackground);
    SetTextColor(dc, enabled ? skin->color2 : skin->disabledText);
    return enabled ? m_normalBrush : m_disabledBrush;
}

LRESULT SkinComboBoxWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto alive = AliveToken();
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_COMMAND:
    case CB_SELECTSTRING:
    case CB_SETCURSEL:
        return CallSavedThenRepaint(message, wParam, lParam);
    case WM_CTLCOLOREDIT:
        if (!Combo() || !m_normalBrush)
            break;
        return reinterpret_cast<LRESULT>(
            EditColors(reinterpret_cast<HDC>(wParam), IsWindowEnabled(GetHwnd()) != FALSE));
    case WM_CTLCOLORSTATIC:
        if (!Combo() || !m_disabledBrush)
            break;
        return reinterpret_cast<LRESULT>(EditColors(reinterpret_cast<HDC>(wParam), false));
    case WM_MOUSEMOVE: {
        const LRESULT result = CallSaved(message, wParam, lParam);
        if (!*alive)
            return result;
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const RECT hot = HotRect();
        if (PtInRect(&hot, at) && m_button == kButtonNormal)
            SetButton(kButtonHot);
        TrackMouseLeave();
        return result;
    }
    case WM_LBUTTONDOWN: {
        const LRESULT result = CallSaved(message, wParam, lParam);
        if (*alive)
            SetButton(kButtonPressed);
        return result;
    }
    case WM_LBUTTONUP: {
        const LRESULT result = CallSaved(message, wParam, lParam);
        if (*alive)
            SetButton(kButtonNormal);
        return result;
    }
    default:
        break;
    }
    return SkinControlWnd::WindowProc(message, wParam, lParam);
}
