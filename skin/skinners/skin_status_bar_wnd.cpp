#include "skin/skinners/skin_status_bar_wnd.h"

#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "win32/status_bar.h"

#include <string>

SkinObject* SkinStatusBarWnd::ApplySkin(SkinObject* object) {
    // Only the object changes; the next paint shows it.
    SkinObject* previous = SkinWnd::ApplySkin(object ? object : &m_ownSkin);
    const auto* control = Control();
    if (GetHwnd() && control && control->autoSkinFont)
        PostSetFont(control->createdFont, FALSE);
    return previous;
}

LONG_PTR SkinStatusBarWnd::Attach(HWND hwnd) {
    const LONG_PTR result = SkinControlWnd::Attach(hwnd);
    if (result)
        SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
    return result;
}

void SkinStatusBarWnd::OnPaint() {
    HWND hwnd = GetHwnd();
    const RECT client = ClientRect();
    HDC dc = ::GetDC(hwnd);
    {
        SkinMemDC memory(dc, client.right, client.bottom);
        ValidateRect(hwnd, &client);
        // The control's own paint ends the paint cycle (its BeginPaint finds nothing left to
        // draw); the skin's picture goes over it.
        CallSaved(WM_PAINT, 0, 0);
        Draw(memory.GetDC());
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.GetDC(), 0, 0, SRCCOPY);
    }
    ::ReleaseDC(hwnd, dc);
}

void SkinStatusBarWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const StatusBarSkin*>(Object());
    if (!skin)
        return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    GlazeworkDrawNineGrid(dc, ClientRect(), skin->background, face, TRUE);
    const TextScope scope(*this, dc, skin->font.color);
    const int parts = static_cast<int>(SendMessage(SB_GETPARTS, 0, 0));
    for (int i = 0; i < parts; ++i) {
        RECT r{};
        if (!SendMessage(SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
            continue;
        GlazeworkDrawNineGrid(dc, r, skin->itemImage, face, TRUE);
        r.left += skin->itemImage.leftMargin;
        r.right -= skin->itemImage.rightMargin;
        const auto length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(i), 0));
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        SendMessage(SB_GETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        DrawTextA(dc, text.c_str(), -1, &r, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    }
}
