#include "controls/control_support.h"
#include "controls/list_view_state.h"

#include <algorithm>

namespace lv::controls {

bool report_view(HWND hwnd) {
    return (style_of(hwnd) & LVS_TYPEMASK) == LVS_REPORT;
}

int list_font_height(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_or_default(font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    return metrics.tmHeight;
}

int header_height(HWND hwnd, const ListViewState& s) {
    if (!report_view(hwnd) || (style_of(hwnd) & LVS_NOCOLUMNHEADER))
        return 0;
    return list_font_height(s.font) + 8;
}

int list_row_height(const ListViewState& s) {
    return std::max(16, list_font_height(s.font) + 4);
}

int rows_per_page(HWND hwnd, const ListViewState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return std::max(1,
                    static_cast<int>(client.bottom - header_height(hwnd, s)) / list_row_height(s));
}

ScrollModel list_scroll_model(HWND hwnd, const ListViewState& s) {
    return ScrollModel{s.top, rows_per_page(hwnd, s), static_cast<int>(s.rows.size())};
}

int column_count(HWND hwnd, const ListViewState& s) {
    return report_view(hwnd) ? static_cast<int>(s.columns.size()) : 1;
}

RECT column_span(HWND hwnd, const ListViewState& s, int column) {
    if (!report_view(hwnd)) {
        RECT client{};
        GetClientRect(hwnd, &client);
        return RECT{0, 0, client.right, 0};
    }
    int left = 0;
    for (int c = 0; c < column && c < static_cast<int>(s.columns.size()); ++c)
        left += s.columns[static_cast<std::size_t>(c)].width;
    const int width = column < static_cast<int>(s.columns.size())
                          ? s.columns[static_cast<std::size_t>(column)].width
                          : 0;
    return RECT{left, 0, left + width, 0};
}

RECT row_bounds(HWND hwnd, const ListViewState& s, int item) {
    const int h = list_row_height(s);
    const int top = header_height(hwnd, s) + (item - s.top) * h;
    const int columns = column_count(hwnd, s);
    const RECT last = column_span(hwnd, s, std::max(0, columns - 1));
    return RECT{0, top, columns ? last.right : 0, top + h};
}

RECT cell_rect(HWND hwnd, const ListViewState& s, int item, int column) {
    RECT r = row_bounds(hwnd, s, item);
    const RECT span = column_span(hwnd, s, column);
    r.left = span.left;
    r.right = span.right;
    return r;
}

int list_item_at(HWND hwnd, const ListViewState& s, POINT at, int& column, UINT& flags) {
    RECT client{};
    GetClientRect(hwnd, &client);
    column = -1;
    flags = 0;
    if (at.y < header_height(hwnd, s))
        flags |= LVHT_ABOVE;
    if (at.y >= client.bottom)
        flags |= LVHT_BELOW;
    if (at.x < 0)
        flags |= LVHT_TOLEFT;
    if (at.x >= client.right)
        flags |= LVHT_TORIGHT;
    if (flags)
        return -1;
    const int item = s.top + (at.y - header_height(hwnd, s)) / list_row_height(s);
    for (int c = 0; c < column_count(hwnd, s); ++c) {
        const RECT span = column_span(hwnd, s, c);
        if (at.x >= span.left && at.x < span.right)
            column = c;
    }
    if (item >= static_cast<int>(s.rows.size()) || column < 0) {
        flags = LVHT_NOWHERE;
        return -1;
    }
    flags = LVHT_ONITEMLABEL;
    return item;
}

const std::string& sub_item_text(const ListRow& row, int sub_item) {
    static const std::string kEmpty;
    return sub_item >= 0 && sub_item < static_cast<int>(row.texts.size())
               ? row.texts[static_cast<std::size_t>(sub_item)]
               : kEmpty;
}

} // namespace lv::controls
