#include "skin/skinners/skin_link_wnd.h"

#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/skin_paint_utils.h"

LRESULT SkinLinkWnd::PaintOverSkin(const StaticSkin& skin) {
    HWND hwnd = GetHwnd();
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    const RECT client = ClientRect();
    const COLORREF key = GetSysColor(COLOR_WINDOW);
    SkinMemDC printed(dc, client.right, client.bottom);
    GlazeworkFillRectColor(printed.GetDC(), client, key);
    CallSaved(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.GetDC()), PRF_CLIENT);
    SkinMemDC background(dc, client.right, client.bottom);
    if (skin.transparent)
        PaintParentBackground(background.GetDC());
    else
        GlazeworkDrawNineGrid(background.GetDC(), client, skin.background, skin.color1, TRUE);
    HBITMAP printout = printed.Detach();
    GlazeworkTransparentBlt(background.GetDC(), 0, 0, client.right, client.bottom, printout, 0, 0,
                            key, nullptr);
    DeleteObject(printout);
    BitBlt(dc, 0, 0, client.right, client.bottom, background.GetDC(), 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
    return 1;
}

LRESULT SkinLinkWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        if (const auto* skin = dynamic_cast<const StaticSkin*>(Object()))
            return PaintOverSkin(*skin);
        return CallSaved(message, wParam, lParam);
    }
    return SkinControlWnd::WindowProc(message, wParam, lParam);
}
