// What a list view keeps and where its pieces lie; shared by its messages and its painting.
// A report view (LVS_REPORT) shows columns under a header row drawn by the view itself; the
// other views show one column of labels.
#pragma once

#include "controls/control_scroll_bar.h"
#include "win32/list_view.h"

#include <string>
#include <vector>

namespace lv::controls {

struct ListColumn {
    int format = LVCFMT_LEFT;
    int width = 60;
    std::string text;
    int sub_item = 0;
};

struct ListRow {
    std::vector<std::string> texts; // by sub-item
    LPARAM param = 0;
    UINT state = 0;
    int image = 0;
    int indent = 0;
};

struct ListViewState {
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    int top = 0;
    int mark = -1; // the selection mark
    COLORREF back = 0;
    COLORREF text_back = 0;
    COLORREF text = 0;
    DWORD extended = 0;
    HFONT font = nullptr;
    bool focused = false;
    ThumbDrag thumb;
};

bool report_view(HWND hwnd);
int list_font_height(HFONT font);
int header_height(HWND hwnd, const ListViewState& s);
int list_row_height(const ListViewState& s);
// Whole rows that fit under the header.
int rows_per_page(HWND hwnd, const ListViewState& s);
ScrollModel list_scroll_model(HWND hwnd, const ListViewState& s);

// The column's left edge and its right edge, in client coordinates; a view that is not a
// report has one column the width of the client area.
RECT column_span(HWND hwnd, const ListViewState& s, int column);
int column_count(HWND hwnd, const ListViewState& s);
// The whole row (all columns), the label (column 0) or one sub-item's cell.
RECT row_bounds(HWND hwnd, const ListViewState& s, int item);
RECT cell_rect(HWND hwnd, const ListViewState& s, int item, int column);
// The item under a client point (-1 for none), with its column.
int list_item_at(HWND hwnd, const ListViewState& s, POINT at, int& column, UINT& flags);
const std::string& sub_item_text(const ListRow& row, int sub_item);

void paint_list_view(HWND hwnd, HDC dc, const ListViewState& s);

} // namespace lv::controls
