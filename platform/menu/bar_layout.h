// Where the titles of a menu bar go: rows of item rectangles for the bar's width. Pure, so that
// painting, hit testing and the window's non-client size all use the same answer.
#pragma once

#include "win32/types.h"

#include <vector>

namespace lv::menu {

struct BarItemSize {
    int width = 0;
    bool right_justify = false; // MFT_RIGHTJUSTIFY: this title and the rest of its row go right
    bool row_break = false;     // MFT_MENUBREAK, MFT_MENUBARBREAK: starts a new row
};

struct BarLayout {
    std::vector<RECT> items; // relative to the bar's top-left corner
    int height = 0;          // rows x row height; one row for an empty menu
};

// A title that does not fit the rest of its row starts the next one (a row's first title stays
// even when it is wider than the bar).
BarLayout layout_bar(const std::vector<BarItemSize>& items, int bar_width, int row_height);

} // namespace lv::menu
