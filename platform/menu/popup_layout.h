// Where the items of a popup menu go, and where a popup goes on the screen. Pure, so that
// painting and hit testing use the same rectangles and tests can check them as tables.
#pragma once

#include "win32/types.h"

#include <vector>

namespace lv::menu {

struct PopupItemSize {
    bool separator = false;
    int label_width = 0;       // the text before a tab, or an owner-drawn item's own width
    int shortcut_width = 0;    // the text after a tab
    int height = 0;            // 0: one text row
    bool column_break = false; // MFT_MENUBREAK, MFT_MENUBARBREAK: starts a new column
};

struct PopupMetrics {
    int border = 3;
    int row_height = 17;
    int separator_height = 8;
    int check_width = 19;
    int arrow_width = 17;
    int shortcut_gap = 12;
};

struct PopupLayout {
    SIZE size{};             // the popup window's size
    std::vector<RECT> items; // in the popup window's coordinates
};

// Every item of a column is as wide as the column: check column, widest label, the gap and the
// widest shortcut when any item has one, arrow column.
PopupLayout layout_popup(const std::vector<PopupItemSize>& items, const PopupMetrics& metrics);

// The item under a point of the popup window, or -1.
int item_at(const PopupLayout& layout, POINT point);

// TrackPopupMenu's placement: the alignment flags put the popup's corner or centre at `at`; a
// popup that would leave the screen is flipped to the other side of the point, then kept on the
// screen. With `exclude`, a popup that would cover it moves beside it.
POINT place_popup(POINT at, SIZE size, UINT flags, SIZE screen, const RECT* exclude);
// A submenu opens beside its parent item (its first item level with it), to the left when the
// right side has no room, and moves up when it would leave the bottom of the screen.
POINT place_submenu(const RECT& parent_item, const RECT& parent_popup, SIZE size, SIZE screen,
                    int border);
// A menu bar's drop-down opens below its title, above when there is no room below.
POINT place_dropdown(const RECT& title, SIZE size, SIZE screen);

} // namespace lv::menu
