#include "controls/key_walk.h"

#include <gtest/gtest.h>

namespace {

struct Walk {
    WPARAM key;
    int current;
    int page;
    int count;
    int expected;
};

TEST(KeyWalkTest, KeysMoveTheCaretWithinTheList) {
    const Walk walks[] = {
        {VK_DOWN, -1, 4, 10, 0}, {VK_UP, -1, 4, 10, 0},   {VK_DOWN, 3, 4, 10, 4},
        {VK_UP, 3, 4, 10, 2},    {VK_DOWN, 9, 4, 10, 9},  {VK_UP, 0, 4, 10, 0},
        {VK_NEXT, 3, 4, 10, 7},  {VK_NEXT, 8, 4, 10, 9},  {VK_PRIOR, 3, 4, 10, 0},
        {VK_PRIOR, 9, 4, 10, 5}, {VK_NEXT, -1, 4, 10, 3}, {VK_HOME, 6, 4, 10, 0},
        {VK_END, 0, 4, 10, 9},   {VK_NEXT, 2, 0, 10, 2},  {VK_END, -1, 4, 1, 0},
    };
    for (const Walk& w : walks)
        EXPECT_EQ(lv::controls::walked_row(w.key, w.current, w.page, w.count), w.expected)
            << "key " << w.key << " from " << w.current << " page " << w.page << " of " << w.count;
}

TEST(KeyWalkTest, AnEmptyListOrAnotherKeyDoesNotWalk) {
    EXPECT_EQ(lv::controls::walked_row(VK_DOWN, -1, 4, 0), -1);
    EXPECT_EQ(lv::controls::walked_row(VK_END, 0, 4, 0), -1);
    EXPECT_EQ(lv::controls::walked_row(VK_LEFT, 3, 4, 10), -1);
    EXPECT_EQ(lv::controls::walked_row(VK_RETURN, 3, 4, 10), -1);
}

} // namespace
