// The colour popup's geometry and keyboard walk as tables: cell rectangles, hit testing, where
// the popup goes on the screen, and the cell each arrow key leads to.
#include "settings/controls/color_popup_layout.h"

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(ColorPopupLayout, TextCellsFrameTheGridAndTheWiderTextWidensThePopup) {
    const ColorPopupLayout both = LayOutColorPopup(2, SIZE{60, 13}, SIZE{80, 13});
    EXPECT_EQ(both.box, 18);
    EXPECT_EQ(both.window.cx, 8 * 18 + 4);
    EXPECT_TRUE(Same(both.defaultCell, RECT{2, 2, 146, 25}));
    EXPECT_EQ(both.grid.y, 2 + 23 + 4);
    EXPECT_TRUE(Same(both.customCell, RECT{2, 123, 146, 146}));
    EXPECT_EQ(both.window.cy, 5 * 18 + 4 + 27 + 27);
    EXPECT_TRUE(Same(both.Cell(0), RECT{2, 29, 20, 47}));
    EXPECT_TRUE(Same(both.Cell(39), RECT{128, 101, 146, 119}));
    EXPECT_TRUE(Same(both.Cell(kDefaultColourCell), both.defaultCell));

    const ColorPopupLayout bare = LayOutColorPopup(2, SIZE{0, 0}, SIZE{0, 0});
    EXPECT_EQ(bare.window.cx, 148);
    EXPECT_EQ(bare.window.cy, 94);
    EXPECT_EQ(bare.grid.y, 2);
    EXPECT_TRUE(Same(bare.customCell, RECT{}));

    // A wide margin makes the boxes larger; a wide text the popup.
    EXPECT_EQ(LayOutColorPopup(6, SIZE{0, 0}, SIZE{0, 0}).box, 19);
    EXPECT_EQ(LayOutColorPopup(2, SIZE{60, 13}, SIZE{200, 15}).window.cx, 204);
}

TEST(ColorPopupLayout, PointsFindTheirCell) {
    const ColorPopupLayout l = LayOutColorPopup(2, SIZE{60, 13}, SIZE{80, 13});
    const std::pair<POINT, int> cases[] = {
        {{10, 10}, kDefaultColourCell},
        {{10, 130}, kCustomColourCell},
        {{2, 29}, 0},
        {{19, 46}, 0},
        {{20, 29}, 1},
        {{145, 118}, 39},
        {{30, 50}, 9},
        {{1, 60}, kNoColourCell},
        {{147, 60}, kNoColourCell},
        {{10, 27}, kNoColourCell},
    };
    for (const auto& [point, cell] : cases)
        EXPECT_EQ(l.CellAt(point), cell) << point.x << "," << point.y;
}

TEST(ColorPopupLayout, ThePopupStaysOnTheScreen) {
    const SIZE window{148, 148}, screen{1024, 768};
    const std::pair<POINT, POINT> cases[] = {
        {{100, 200}, {100, 200}},
        {{950, 200}, {876, 200}},
        {{-20, 200}, {0, 200}},
        {{100, 700}, {100, 680 - 148}},
    };
    for (const auto& [at, expected] : cases) {
        const POINT p = PlaceColorPopup(at, window, screen, 680);
        EXPECT_EQ(p.x, expected.x) << at.x << "," << at.y;
        EXPECT_EQ(p.y, expected.y) << at.x << "," << at.y;
    }
}

TEST(ColorPopupLayout, ArrowKeysWalkTheGridAndTheTextCells) {
    struct Case {
        int from;
        UINT key;
        bool hasDefault, hasCustom;
        int to;
    };
    const int A = kDefaultColourCell, M = kCustomColourCell;
    const Case cases[] = {
        {A, VK_DOWN, true, true, 0},
        {A, VK_RIGHT, true, true, 0},
        {A, VK_UP, true, true, M},
        {A, VK_UP, true, false, 39},
        {A, VK_LEFT, true, true, M},
        {M, VK_DOWN, true, true, A},
        {M, VK_DOWN, false, true, 0},
        {M, VK_UP, true, true, 39},
        {M, VK_RIGHT, true, true, A},
        {M, VK_LEFT, true, true, 39},
        {5, VK_DOWN, true, true, 13},
        {37, VK_DOWN, true, true, M},
        {37, VK_DOWN, true, false, A},
        {37, VK_DOWN, false, false, 0},
        {13, VK_UP, true, true, 5},
        {5, VK_UP, true, true, A},
        {5, VK_UP, false, true, M},
        {5, VK_UP, false, false, 39},
        {7, VK_RIGHT, true, true, 8},
        {39, VK_RIGHT, true, true, M},
        {39, VK_RIGHT, true, false, A},
        {39, VK_RIGHT, false, false, 0},
        {8, VK_LEFT, true, true, 7},
        {0, VK_LEFT, true, true, A},
        {0, VK_LEFT, false, true, M},
        {0, VK_LEFT, false, false, 39},
        {kNoColourCell, VK_RIGHT, true, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellAfterKey(c.from, c.key, c.hasDefault, c.hasCustom), c.to)
            << c.from << " key " << c.key << " " << c.hasDefault << c.hasCustom;
}

} // namespace
