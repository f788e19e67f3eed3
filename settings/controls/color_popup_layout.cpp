#include "settings/controls/color_popup_layout.h"

#include <algorithm>

namespace {

constexpr int kBoxSize = 18;
constexpr int kLastCell = ColorPopupLayout::kCells - 1;

} // namespace

RECT ColorPopupLayout::Cell(int cell) const {
    if (cell == kDefaultColourCell)
        return defaultCell;
    if (cell == kCustomColourCell)
        return customCell;
    if (cell < 0 || cell >= kCells)
        return RECT{};
    const int row = cell / kColumns, column = cell % kColumns;
    const int left = grid.x + column * box, top = grid.y + row * box;
    return RECT{left, top, left + box, top + box};
}

int ColorPopupLayout::CellAt(POINT client) const {
    if (PtInRect(&customCell, client))
        return kCustomColourCell;
    if (PtInRect(&defaultCell, client))
        return kDefaultColourCell;
    const int x = client.x - grid.x, y = client.y - grid.y;
    if (x < 0 || y < 0)
        return kNoColourCell;
    const int row = y / box, column = x / box;
    if (row >= kRows || column >= kColumns)
        return kNoColourCell;
    return row * kColumns + column;
}

ColorPopupLayout LayOutColorPopup(int margin, SIZE defaultText, SIZE customText) {
    ColorPopupLayout l;
    l.margin = margin;
    l.box = std::max(kBoxSize, 2 * margin + 7);
    l.window = SIZE{ColorPopupLayout::kColumns * l.box + 2 * margin,
                    ColorPopupLayout::kRows * l.box + 2 * margin};
    l.grid = POINT{margin, margin};
    const bool hasDefault = defaultText.cx > 0;
    const bool hasCustom = customText.cx > 0;
    if (!hasDefault && !hasCustom)
        return l;
    const int textHeight = std::max(defaultText.cy, customText.cy) + 4 * margin + 2;
    const int textWidth = std::max(defaultText.cx, customText.cx) + 2 * margin;
    l.window.cx = std::max(l.window.cx, textWidth);
    if (hasDefault) {
        l.defaultCell = RECT{margin, margin, l.window.cx - margin, margin + textHeight};
        l.grid.y += textHeight + 2 * margin;
        l.window.cy += textHeight + 2 * margin;
    }
    if (hasCustom) {
        const int top = l.grid.y + ColorPopupLayout::kRows * l.box + 2 * margin;
        l.customCell = RECT{margin, top, l.window.cx - margin, top + textHeight};
        l.window.cy += textHeight + 2 * margin;
    }
    return l;
}

int CellAfterKey(int cell, UINT key, bool hasDefault, bool hasCustom) {
    const int first = 0, last = kLastCell, columns = ColorPopupLayout::kColumns;
    // The text cells, else the grid's end, in the order the key tries them.
    auto customElseDefaultElse = [&](int fallback) {
        return hasCustom ? kCustomColourCell : hasDefault ? kDefaultColourCell : fallback;
    };
    auto defaultElseCustomElse = [&](int fallback) {
        return hasDefault ? kDefaultColourCell : hasCustom ? kCustomColourCell : fallback;
    };
    if (cell == kDefaultColourCell) {
        if (key == VK_DOWN || key == VK_RIGHT)
            return first;
        return hasCustom ? kCustomColourCell : last;
    }
    if (cell == kCustomColourCell) {
        if (key == VK_UP || key == VK_LEFT)
            return last;
        return hasDefault ? kDefaultColourCell : first;
    }
    if (cell < 0 || cell > last)
        return key == VK_UP || key == VK_LEFT ? last : first;
    switch (key) {
    case VK_DOWN:
        return cell + columns <= last ? cell + columns : customElseDefaultElse(first);
    case VK_UP:
        return cell >= columns ? cell - columns : defaultElseCustomElse(last);
    case VK_RIGHT:
        return cell + 1 <= last ? cell + 1 : customElseDefaultElse(first);
    case VK_LEFT:
        return cell > 0 ? cell - 1 : defaultElseCustomElse(last);
    default:
        return cell;
    }
}

POINT PlaceColorPopup(POINT at, SIZE window, SIZE screen, int buttonTop) {
    POINT p = at;
    if (p.x + window.cx > screen.cx)
        p.x = screen.cx - window.cx;
    if (p.x < 0)
        p.x = 0;
    if (p.y + window.cy > screen.cy)
        p.y = buttonTop - window.cy;
    return p;
}
