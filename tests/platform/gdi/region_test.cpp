#include "gdi/region.h"

#include <gtest/gtest.h>

#include <vector>

using lv::gdi::Region;

namespace {

Region rect(int l, int t, int r, int b) {
    return Region(RECT{l, t, r, b});
}

// Every pixel of the 0..20 square that the region holds, as a bitmap of rows.
std::vector<std::vector<bool>> pixels(const Region& region) {
    std::vector<std::vector<bool>> out(20, std::vector<bool>(20));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            out[y][x] = region.contains(x, y);
        }
    }
    return out;
}

// Rectangles of a canonical region are sorted, disjoint and banded.
void expect_canonical(const Region& region) {
    const auto& rs = region.rects();
    for (std::size_t i = 0; i < rs.size(); ++i) {
        EXPECT_LT(rs[i].left, rs[i].right);
        EXPECT_LT(rs[i].top, rs[i].bottom);
        if (i == 0) {
            continue;
        }
        const RECT& p = rs[i - 1];
        if (p.top == rs[i].top) {
            EXPECT_EQ(p.bottom, rs[i].bottom);
            EXPECT_LT(p.right, rs[i].left); // touching spans would have been merged
        } else {
            EXPECT_LE(p.bottom, rs[i].top);
        }
    }
}

} // namespace

TEST(Region, SetOperationsMatchPixelLogic) {
    Region a = rect(2, 2, 10, 10).united(rect(12, 4, 16, 14));
    Region b = rect(6, 0, 14, 6).united(rect(0, 8, 4, 18));
    struct Case {
        const char* name;
        Region result;
        bool (*rule)(bool, bool);
    };
    Case cases[] = {
        {"union", a.united(b), [](bool x, bool y) { return x || y; }},
        {"intersect", a.intersected(b), [](bool x, bool y) { return x && y; }},
        {"subtract", a.subtracted(b), [](bool x, bool y) { return x && !y; }},
        {"xor", a.xored(b), [](bool x, bool y) { return x != y; }},
    };
    auto pa = pixels(a);
    auto pb = pixels(b);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expect_canonical(c.result);
        auto pr = pixels(c.result);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                ASSERT_EQ(pr[y][x], c.rule(pa[y][x], pb[y][x])) << x << "," << y;
            }
        }
    }
}

TEST(Region, EqualSetsHaveEqualRectangles) {
    // The same L shape built two ways.
    Region one = rect(0, 0, 10, 5).united(rect(0, 5, 5, 10));
    Region two = rect(0, 0, 5, 10).united(rect(5, 0, 10, 5));
    EXPECT_TRUE(one == two);
    EXPECT_EQ(one.rects().size(), 2u);
    // Two halves of a rectangle merge back into one.
    EXPECT_TRUE(rect(0, 0, 4, 8).united(rect(4, 0, 10, 8)) == rect(0, 0, 10, 8));
    EXPECT_TRUE(rect(0, 0, 10, 3).united(rect(0, 3, 10, 8)).is_rect());
}

TEST(Region, EmptyAndBounds) {
    EXPECT_TRUE(rect(5, 5, 5, 10).empty());
    EXPECT_TRUE(rect(5, 5, 2, 10).empty());
    EXPECT_TRUE(rect(0, 0, 4, 4).intersected(rect(4, 0, 8, 4)).empty());
    EXPECT_TRUE(rect(0, 0, 4, 4).subtracted(rect(-1, -1, 5, 5)).empty());
    RECT b = rect(2, 3, 4, 5).united(rect(10, 1, 12, 2)).bounds();
    EXPECT_EQ(b.left, 2);
    EXPECT_EQ(b.top, 1);
    EXPECT_EQ(b.right, 12);
    EXPECT_EQ(b.bottom, 5);
    RECT none = Region().bounds();
    EXPECT_EQ(none.right - none.left, 0);
}

TEST(Region, OffsetContainsAndIntersects) {
    Region r = rect(0, 0, 4, 4).united(rect(6, 0, 8, 2));
    r.offset(10, 20);
    EXPECT_TRUE(r.contains(10, 20));
    EXPECT_TRUE(r.contains(13, 23));
    EXPECT_FALSE(r.contains(14, 23)); // right and bottom edges are outside
    EXPECT_FALSE(r.contains(15, 20)); // the gap
    EXPECT_TRUE(r.contains(17, 21));
    EXPECT_TRUE(r.intersects(RECT{15, 20, 17, 22}));
    EXPECT_FALSE(r.intersects(RECT{14, 20, 16, 30}));
}

TEST(Region, FromOverlappingRectangles) {
    Region r = Region::from_rects(
        {RECT{0, 0, 10, 10}, RECT{5, 5, 15, 15}, RECT{0, 0, 10, 10}, RECT{3, 3, 3, 9}});
    expect_canonical(r);
    EXPECT_TRUE(r == rect(0, 0, 10, 10).united(rect(5, 5, 15, 15)));
}
