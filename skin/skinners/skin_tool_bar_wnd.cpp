#include "skin/skinners/skin_tool_bar_wnd.h"

#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_control_bar_wnd.h"
#include "win32/toolbar.h"

#include <cstring>

namespace {

bool IsSidewaysDockingBar(HWND bar) {
    char name[100] = {};
    if (!bar || GetClassNameA(bar, name, sizeof name) == 0)
        return false;
    if (std::strcmp(name, "AfxControlBar42sd") != 0 && std::strcmp(name, "AfxControlBar42s") != 0)
        return false;
    return IsDockedSideways(static_cast<DWORD>(GetWindowLongA(bar, GWL_STYLE)));
}

void DrawDropArrow(HDC dc, const RECT& r) {
    const int c = (r.top + r.bottom) / 2;
    const POINT outline[4] = {
        {r.right - 8, c - 2}, {r.right - 3, c - 2}, {r.right - 5, c + 2}, {r.right - 8, c - 2}};
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Polyline(dc, outline, 4);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    FloodFill(dc, r.right - 5, c, RGB(0, 0, 0));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

} // namespace

SkinToolBarWnd::ButtonImage SkinToolBarWnd::ImageOf(BYTE buttonState, bool hot) {
    if (buttonState & (TBSTATE_CHECKED | TBSTATE_PRESSED))
        return PressedImage;
    if ((buttonState & TBSTATE_INDETERMINATE) || !(buttonState & TBSTATE_ENABLED))
        return DisabledImage;
    return hot ? HotImage : NormalImage;
}

std::string SkinToolBarWnd::ButtonText(int command) const {
    // The message takes no buffer size: the text's length is asked first and the buffer made
    // to hold it, so that no text runs past its end.
    const LRESULT length = SendMessage(TB_GETBUTTONTEXTA, static_cast<WPARAM>(command), 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessage(TB_GETBUTTONTEXTA, static_cast<WPARAM>(command),
                                       reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 && copied <= length ? copied : 0));
    return text;
}

void SkinToolBarWnd::DrawBackground(HDC dc, const RECT& rect) {
    const ControlSkin* skin = Control();
    if (!skin)
        return;
    if (IsSidewaysDockingBar(GetParent(GetHwnd()))) {
        DrawBarFrame(dc, SIZE{rect.right - rect.left, rect.bottom - rect.top}, *skin, true);
        return;
    }
    GlazeworkDrawNineGrid(dc, rect, skin->background, skin->color1, TRUE);
}

void SkinToolBarWnd::DrawButton(HDC dc, int index, bool hot) {
    const auto* skin = dynamic_cast<const ToolBarSkin*>(Object());
    if (!skin)
        return;
    HIMAGELIST images = nullptr;
    if (hot)
        images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETHOTIMAGELIST, 0, 0));
    if (!images)
        images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST, 0, 0));
    if (!images)
        return;
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
        return;
    RECT r{};
    if (!SendMessage(TB_GETRECT, static_cast<WPARAM>(button.idCommand),
                     reinterpret_cast<LPARAM>(&r)) ||
        (button.fsStyle & TBSTYLE_SEP))
        return;
    const ButtonImage look = ImageOf(button.fsState, hot);
    GlazeworkDrawTransparent(dc, r, skin->images[look], KeyColor());
    if (button.fsStyle & (TBSTYLE_DROPDOWN | BTNS_WHOLEDROPDOWN)) {
        DrawDropArrow(dc, r);
        r.right -= 6;
    }
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    RECT iconArea = r;
    const auto style = static_cast<DWORD>(SendMessage(TB_GETSTYLE, 0, 0));
    if ((style & (CCS_NOPARENTALIGN | CCS_NODIVIDER)) == (CCS_NOPARENTALIGN | CCS_NODIVIDER)) {
        const std::string text = ButtonText(button.idCommand);
        const TextScope scope(*this, dc, skin->font.color);
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        RECT textRect{r.left, r.bottom - extent.cy, r.right, r.bottom};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        iconArea.bottom = textRect.top;
    }
    const int x = iconArea.left + (iconArea.right - iconArea.left - cx) / 2;
    const int y = iconArea.top + (iconArea.bottom - iconArea.top - cy) / 2;
    const bool enabled =
        (button.fsState & TBSTATE_ENABLED) && !(button.fsState & TBSTATE_INDETERMINATE);
    if (enabled) {
        ImageList_Draw(images, button.iBitmap, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    if (HICON icon = ImageList_GetIcon(images, button.iBitmap, ILD_NORMAL)) {
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, cx, cy,
                   DST_ICON | DSS_DISABLED);
        DestroyIcon(icon);
    }
}

void SkinToolBarWnd::Draw(HDC dc) {
    if (!dynamic_cast<const ToolBarSkin*>(Object()))
        return;
    DrawBackground(dc, ClientRect());
    const int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        DrawButton(dc, i, false);
    const int hot = static_cast<int>(SendMessage(TB_GETHOTITEM, 0, 0));
    if (hot >= 0 && hot < count)
        DrawButton(dc, hot, true);
}

void SkinToolBarWnd::OnPaint() {
    HWND hwnd = GetHwnd();
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    const RECT client = ClientRect();
    {
        SkinMemDC memory(dc, client.right, client.bottom);
        // The control keeps its own painting state up to date; what it draws is covered.
        CallSaved(WM_PAINT, reinterpret_cast<WPARAM>(memory.GetDC()), 0);
        Draw(memory.GetDC());
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.GetDC(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
}

void SkinToolBarWnd::PaintNonClient() {
    const RECT size = GetWindowSizeRect();
    const RECT client = ClientRect();
    POINT origin{0, 0};
    ClientToScreen(GetHwnd(), &origin);
    RECT window{};
    ::GetWindowRect(GetHwnd(), &window);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    HDC dc = GetWindowDC();
    ExcludeClipRect(dc, dx, dy, dx + client.right, dy + client.bottom);
    DrawBackground(dc, size);
    ReleaseDC(dc);
}

LRESULT SkinToolBarWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Object())
        return SkinControlWnd::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_NCPAINT:
        PaintNonClient();
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        CallSaved(message, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN: {
        HWND hwnd = GetHwnd();
        const auto alive = AliveToken();
        CallSaved(message, wParam, lParam);
        if (!*alive || !IsWindow(hwnd))
            return 0;
        // The button goes down at once, not only with the next paint.
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int index =
            static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)));
        if (index >= 0) {
            HDC dc = ::GetDC(hwnd);
            DrawButton(dc, index, false);
            ::ReleaseDC(hwnd, dc);
        }
        return 0;
    }
    default:
        return SkinControlWnd::WindowProc(message, wParam, lParam);
    }
}
