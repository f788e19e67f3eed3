#include "dialog/message_box_icon.h"

#include "win32/dialog.h"

#include <cstring>

namespace lv::dialog {
namespace {

struct IconLook {
    COLORREF fill;
    COLORREF mark;
    const char* symbol;
    bool triangle;
};

IconLook look_of(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return {RGB(220, 0, 0), RGB(255, 255, 255), "X", false};
    case MB_ICONQUESTION:
        return {RGB(0, 64, 200), RGB(255, 255, 255), "?", false};
    case MB_ICONEXCLAMATION:
        return {RGB(255, 210, 0), RGB(0, 0, 0), "!", true};
    default:
        return {RGB(0, 64, 200), RGB(255, 255, 255), "i", false};
    }
}

} // namespace

void draw_message_box_icon(HDC dc, const RECT& area, UINT type) {
    const IconLook look = look_of(type);
    HBRUSH brush = CreateSolidBrush(look.fill);
    HPEN pen = CreatePen(PS_SOLID, 1, look.fill);
    HGDIOBJ old_brush = SelectObject(dc, brush);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    if (look.triangle) {
        const POINT corners[] = {{(area.left + area.right) / 2, area.top},
                                 {area.right - 1, area.bottom - 1},
                                 {area.left, area.bottom - 1}};
        Polygon(dc, corners, 3);
    } else {
        Ellipse(dc, area.left, area.top, area.right, area.bottom);
    }
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);

    LOGFONTA font{};
    font.lfHeight = -(area.bottom - area.top) * 2 / 3;
    font.lfWeight = FW_BOLD;
    std::strncpy(font.lfFaceName, "Sans", sizeof(font.lfFaceName) - 1);
    HFONT mark_font = CreateFontIndirectA(&font);
    HGDIOBJ old_font = SelectObject(dc, mark_font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.mark);
    RECT r = area;
    if (look.triangle)
        r.top += (area.bottom - area.top) / 6;
    DrawTextA(dc, look.symbol, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old_font);
    DeleteObject(mark_font);
}

} // namespace lv::dialog
