#include "menu/menu_paint.h"

#include "menu/menu_metrics.h"
#include "win32/window.h"

#include <algorithm>

namespace lv::menu {
namespace {

void fill(HDC dc, RECT r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

bool is_predefined(HBITMAP bitmap) {
    auto value = reinterpret_cast<LONG_PTR>(bitmap);
    return value >= 1 && value <= 11;
}

// The maximised MDI child's icon: its own small or big icon, else its class's.
HICON child_icon(HWND child) {
    if (!IsWindow(child))
        return nullptr;
    auto icon = reinterpret_cast<HICON>(SendMessageA(child, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageA(child, WM_GETICON, ICON_BIG, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(child, GCLP_HICONSM));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(child, GCLP_HICON));
    return icon;
}

// A window without an icon of its own shows a little window: a frame with a title band.
void draw_window_glyph(HDC dc, RECT r) {
    fill(dc, r, GetSysColor(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
    fill(dc, r, GetSysColor(COLOR_WINDOW));
    fill(dc, RECT{r.left, r.top, r.right, r.top + 3}, GetSysColor(COLOR_ACTIVECAPTION));
}

} // namespace

void draw_menu_text(HDC dc, const std::string& text, RECT r, UINT format, TextLook look) {
    HGDIOBJ old_font = SelectObject(dc, menu_font());
    int old_mode = SetBkMode(dc, TRANSPARENT);
    COLORREF old_colour = GetTextColor(dc);
    format |= DT_SINGLELINE | DT_VCENTER;
    switch (look) {
    case TextLook::normal:
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        break;
    case TextLook::selected:
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        break;
    case TextLook::disabled_selected:
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        break;
    case TextLook::disabled: {
        RECT shadow = r;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextA(dc, text.c_str(), -1, &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
        break;
    }
    }
    DrawTextA(dc, text.c_str(), -1, &r, format);
    SetTextColor(dc, old_colour);
    SetBkMode(dc, old_mode);
    SelectObject(dc, old_font);
}

void draw_check_mark(HDC dc, const RECT& r, bool radio, COLORREF colour) {
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    if (radio) {
        for (int dy = -2; dy <= 2; ++dy) {
            int half = dy == -2 || dy == 2 ? 1 : 2;
            fill(dc, RECT{cx - half, cy + dy, cx + half + 1, cy + dy + 1}, colour);
        }
        return;
    }
    // A tick three pixels thick: down to the right for three columns, then up for four.
    for (int i = 0; i < 7; ++i) {
        int x = cx - 3 + i;
        int y = i < 3 ? cy - 1 + i : cy + 1 - (i - 2);
        fill(dc, RECT{x, y, x + 1, y + 3}, colour);
    }
}

void draw_submenu_arrow(HDC dc, const RECT& r, COLORREF colour) {
    int cx = (r.left + r.right) / 2 - 1, cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < 4; ++i)
        fill(dc, RECT{cx + i, cy - 3 + i, cx + i + 1, cy + 4 - i}, colour);
}

SIZE item_picture_size(const Item& item) {
    HBITMAP bitmap = item.type_bitmap;
    if (bitmap == HBMMENU_SYSTEM)
        return SIZE{GetSystemMetrics(SM_CXSMICON) + 4, GetSystemMetrics(SM_CYSMICON)};
    if (is_predefined(bitmap))
        return SIZE{GetSystemMetrics(SM_CXMENUSIZE), GetSystemMetrics(SM_CYMENUSIZE) - 3};
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap, sizeof(info), &info))
        return SIZE{info.bmWidth, info.bmHeight};
    return SIZE{0, 0};
}

void draw_item_picture(HDC dc, const Item& item, const RECT& r, bool pushed) {
    SIZE size = item_picture_size(item);
    int x = r.left + (r.right - r.left - size.cx) / 2;
    int y = r.top + (r.bottom - r.top - size.cy) / 2;
    HBITMAP bitmap = item.type_bitmap;
    if (bitmap == HBMMENU_SYSTEM) {
        int side = GetSystemMetrics(SM_CXSMICON);
        HICON icon = child_icon(reinterpret_cast<HWND>(item.data));
        if (icon)
            DrawIconEx(dc, x + 2, y, icon, side, side, 0, nullptr, DI_NORMAL);
        else
            draw_window_glyph(dc, RECT{x + 2, y, x + 2 + side, y + side});
        return;
    }
    if (is_predefined(bitmap)) {
        UINT glyph = bitmap == HBMMENU_MBAR_RESTORE || bitmap == HBMMENU_POPUP_RESTORE
                         ? DFCS_CAPTIONRESTORE
                     : bitmap == HBMMENU_MBAR_MINIMIZE || bitmap == HBMMENU_MBAR_MINIMIZE_D ||
                             bitmap == HBMMENU_POPUP_MINIMIZE
                         ? DFCS_CAPTIONMIN
                     : bitmap == HBMMENU_POPUP_MAXIMIZE ? DFCS_CAPTIONMAX
                                                        : DFCS_CAPTIONCLOSE;
        if (bitmap == HBMMENU_MBAR_CLOSE_D || bitmap == HBMMENU_MBAR_MINIMIZE_D)
            glyph |= DFCS_INACTIVE;
        if (pushed)
            glyph |= DFCS_PUSHED;
        RECT button{x, y, x + size.cx, y + size.cy};
        DrawFrameControl(dc, &button, DFC_CAPTION, glyph);
        return;
    }
    if (!bitmap)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace lv::menu
