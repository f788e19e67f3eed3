// Painting of "SysListView32": the header row of a report view, the rows with their selection,
// and the grid lines.
#include "controls/control_support.h"
#include "controls/list_view_state.h"

#include <algorithm>

namespace lv::controls {
namespace {

void fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

UINT alignment(int format) {
    switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

void draw_text(HDC dc, const std::string& text, RECT r, UINT align) {
    InflateRect(&r, -4, 0);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void paint_header(HWND hwnd, HDC dc, const ListViewState& s) {
    const int height = header_height(hwnd, s);
    if (height == 0)
        return;
    RECT client{};
    GetClientRect(hwnd, &client);
    RECT bar{0, 0, client.right, height};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_3DFACE));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    int right = 0;
    for (int c = 0; c < static_cast<int>(s.columns.size()); ++c) {
        RECT cell = column_span(hwnd, s, c);
        cell.top = 0;
        cell.bottom = height;
        const ListColumn& column = s.columns[static_cast<std::size_t>(c)];
        draw_text(dc, column.text, cell, alignment(column.format));
        DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
        right = cell.right;
    }
    RECT rest{right, 0, client.right, height};
    DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT);
}

void draw_owner_row(HWND hwnd, HDC dc, const ListViewState& s, int item) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_LISTVIEW;
    d.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    d.itemID = static_cast<UINT>(item);
    d.itemAction = ODA_DRAWENTIRE;
    const UINT state = s.rows[static_cast<std::size_t>(item)].state;
    d.itemState = ((state & LVIS_SELECTED) ? ODS_SELECTED : 0) |
                  ((state & LVIS_FOCUSED) && s.focused ? ODS_FOCUS : 0) |
                  (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
    d.hwndItem = hwnd;
    d.hDC = dc;
    d.rcItem = row_bounds(hwnd, s, item);
    d.itemData = static_cast<ULONG_PTR>(s.rows[static_cast<std::size_t>(item)].param);
    if (HWND parent = parent_of(hwnd))
        SendMessageA(parent, WM_DRAWITEM, d.CtlID, reinterpret_cast<LPARAM>(&d));
}

void paint_row(HWND hwnd, HDC dc, const ListViewState& s, int item) {
    const ListRow& row = s.rows[static_cast<std::size_t>(item)];
    const bool selected = (row.state & LVIS_SELECTED) != 0;
    const bool highlighted = selected && s.focused;
    const bool kept = selected && !s.focused && (style_of(hwnd) & LVS_SHOWSELALWAYS);
    const bool full_row = (s.extended & LVS_EX_FULLROWSELECT) != 0;
    for (int c = 0; c < column_count(hwnd, s); ++c) {
        RECT cell = cell_rect(hwnd, s, item, c);
        const bool marked = (highlighted || kept) && (c == 0 || full_row);
        COLORREF ink = s.text;
        if (marked) {
            FillRect(dc, &cell, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_3DFACE));
            ink = GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
        } else if (s.text_back != CLR_NONE && s.text_back != s.back) {
            fill(dc, cell, s.text_back);
        }
        if (!IsWindowEnabled(hwnd))
            ink = GetSysColor(COLOR_GRAYTEXT);
        SetTextColor(dc, ink);
        const int sub_item =
            report_view(hwnd) ? s.columns[static_cast<std::size_t>(c)].sub_item : 0;
        const int format = report_view(hwnd) ? s.columns[static_cast<std::size_t>(c)].format : 0;
        draw_text(dc, sub_item_text(row, sub_item), cell, alignment(c == 0 ? 0 : format));
    }
    if ((row.state & LVIS_FOCUSED) && s.focused) {
        RECT focus = full_row ? row_bounds(hwnd, s, item) : cell_rect(hwnd, s, item, 0);
        DrawFocusRect(dc, &focus);
    }
}

void paint_grid(HWND hwnd, HDC dc, const ListViewState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const COLORREF colour = GetSysColor(COLOR_3DLIGHT);
    const int h = list_row_height(s);
    for (int y = header_height(hwnd, s) + h - 1; y < client.bottom; y += h)
        fill(dc, RECT{0, y, client.right, y + 1}, colour);
    for (int c = 0; c < column_count(hwnd, s); ++c) {
        const RECT span = column_span(hwnd, s, c);
        fill(dc, RECT{span.right - 1, header_height(hwnd, s), span.right, client.bottom}, colour);
    }
}

} // namespace

void paint_list_view(HWND hwnd, HDC dc, const ListViewState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (s.back != CLR_NONE)
        fill(dc, client, s.back);
    HGDIOBJ old_font = SelectObject(dc, font_or_default(s.font));
    SetBkMode(dc, TRANSPARENT);
    paint_header(hwnd, dc, s);
    const int last = std::min(static_cast<int>(s.rows.size()), s.top + rows_per_page(hwnd, s) + 1);
    const bool owner_drawn = report_view(hwnd) && (style_of(hwnd) & LVS_OWNERDRAWFIXED);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, header_height(hwnd, s), client.right, client.bottom);
    for (int item = s.top; item < last; ++item) {
        if (owner_drawn)
            draw_owner_row(hwnd, dc, s, item);
        else
            paint_row(hwnd, dc, s, item);
    }
    if (report_view(hwnd) && (s.extended & LVS_EX_GRIDLINES))
        paint_grid(hwnd, dc, s);
    RestoreDC(dc, saved);
    SelectObject(dc, old_font);
}

} // namespace lv::controls
