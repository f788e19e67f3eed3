// Where the colour popup's cells lie and which cell the arrow keys lead to: functions of the
// popup's metrics and texts alone, apart from its painting.
#pragma once

#include "mfc/mfc.h"

// Cell numbers: 0 to 39 the colour grid row by row, and the two text cells.
enum : int {
    kNoColourCell = -1,
    kCustomColourCell = -2,  // "More Colors..."
    kDefaultColourCell = -3, // "Automatic"
};

struct ColorPopupLayout {
    static constexpr int kColumns = 8;
    static constexpr int kRows = 5;
    static constexpr int kCells = kColumns * kRows;

    int box = 0;        // a grid cell's side
    int margin = 0;     // the 3-D edge
    SIZE window{};      // the popup's size
    POINT grid{};       // the grid's top-left corner, client coordinates
    RECT defaultCell{}; // empty without a default text
    RECT customCell{};  // empty without a custom text

    RECT Cell(int cell) const;
    // The cell under a client point; kNoColourCell when the point is on none.
    int CellAt(POINT client) const;
};

// `defaultText` and `customText` are the texts' extents in the popup's font ({0, 0} for none).
ColorPopupLayout LayOutColorPopup(int margin, SIZE defaultText, SIZE customText);

// The cell an arrow key leads to from `cell` (text cells take part only when they have text).
int CellAfterKey(int cell, UINT key, bool hasDefault, bool hasCustom);

// The popup's top-left corner: at `at`, moved to stay on a screen of `screen` size, and above
// the button (whose top is `buttonTop`) when it would pass the screen's bottom.
POINT PlaceColorPopup(POINT at, SIZE window, SIZE screen, int buttonTop);
