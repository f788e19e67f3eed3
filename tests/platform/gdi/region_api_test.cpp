#include "gdi_fixture.h"

#include <vector>

TEST(RegionApi, CombineReturnsTheResultKind) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN far = CreateRectRgn(20, 20, 30, 30);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    struct Case {
        const char* name;
        HRGN second;
        int mode;
        int expected;
        POINT inside;
        POINT outside;
    };
    const Case cases[] = {
        {"and", b, RGN_AND, SIMPLEREGION, {6, 6}, {2, 2}},
        {"or", b, RGN_OR, COMPLEXREGION, {14, 14}, {14, 2}},
        {"xor", b, RGN_XOR, COMPLEXREGION, {2, 2}, {6, 6}},
        {"diff", b, RGN_DIFF, COMPLEXREGION, {2, 2}, {6, 6}},
        {"copy", nullptr, RGN_COPY, SIMPLEREGION, {9, 9}, {10, 10}},
        {"and of disjoint", far, RGN_AND, NULLREGION, {-1, -1}, {5, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CombineRgn(out, a, c.second, c.mode), c.expected);
        if (c.inside.x >= 0) {
            EXPECT_TRUE(PtInRegion(out, c.inside.x, c.inside.y));
        }
        EXPECT_FALSE(PtInRegion(out, c.outside.x, c.outside.y));
    }
    EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_AND), ERROR);
    EXPECT_EQ(CombineRgn(out, a, b, 9), ERROR);
    // The target may be one of the sources.
    EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
    RECT box;
    EXPECT_EQ(GetRgnBox(a, &box), COMPLEXREGION);
    EXPECT_EQ(box.right, 15);
    EXPECT_EQ(box.bottom, 15);
    for (HRGN r : {a, b, far, out}) {
        DeleteObject(r);
    }
}

TEST(RegionApi, ShapesCoverPixelCentres) {
    HRGN ellipse = CreateEllipticRgn(0, 0, 10, 10);
    EXPECT_TRUE(PtInRegion(ellipse, 5, 5));
    EXPECT_TRUE(PtInRegion(ellipse, 0, 5));
    EXPECT_TRUE(PtInRegion(ellipse, 9, 5));
    EXPECT_FALSE(PtInRegion(ellipse, 0, 0));
    EXPECT_FALSE(PtInRegion(ellipse, 10, 5));
    RECT box;
    GetRgnBox(ellipse, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, 10);

    HRGN round = CreateRoundRectRgn(0, 0, 20, 10, 6, 6);
    EXPECT_FALSE(PtInRegion(round, 0, 0));
    EXPECT_TRUE(PtInRegion(round, 3, 0));
    EXPECT_TRUE(PtInRegion(round, 0, 5));
    EXPECT_TRUE(PtInRegion(round, 19, 5));

    // A five-pointed star: its centre is outside under ALTERNATE, inside under WINDING.
    POINT star[] = {{50, 0}, {79, 90}, {2, 35}, {97, 35}, {21, 90}};
    HRGN alternate = CreatePolygonRgn(star, 5, ALTERNATE);
    HRGN winding = CreatePolygonRgn(star, 5, WINDING);
    EXPECT_FALSE(PtInRegion(alternate, 50, 50));
    EXPECT_TRUE(PtInRegion(winding, 50, 50));
    EXPECT_TRUE(PtInRegion(alternate, 50, 10));
    POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    HRGN tri = CreatePolygonRgn(triangle, 3, ALTERNATE);
    EXPECT_TRUE(PtInRegion(tri, 1, 1));
    EXPECT_FALSE(PtInRegion(tri, 8, 8));
    EXPECT_EQ(CreatePolygonRgn(triangle, 3, 7), nullptr);
    for (HRGN r : {ellipse, round, alternate, winding, tri}) {
        DeleteObject(r);
    }
}

TEST(RegionApi, QueriesAndEditing) {
    HRGN r = CreateRectRgn(10, 10, 0, 0); // corners in any order
    RECT box;
    EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.bottom, 10);
    RECT overlapping{9, 9, 20, 20};
    RECT touching{10, 0, 20, 10};
    EXPECT_TRUE(RectInRegion(r, &overlapping));
    EXPECT_FALSE(RectInRegion(r, &touching));
    EXPECT_EQ(OffsetRgn(r, 5, 5), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(r, 14, 14));
    EXPECT_FALSE(PtInRegion(r, 4, 4));
    HRGN same = CreateRectRgn(5, 5, 15, 15);
    EXPECT_TRUE(EqualRgn(r, same));
    EXPECT_TRUE(SetRectRgn(r, 0, 0, 0, 0));
    EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);
    EXPECT_FALSE(EqualRgn(r, same));
    DeleteObject(r);
    EXPECT_EQ(GetRgnBox(r, &box), ERROR);
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    DeleteObject(same);
}

TEST(RegionApi, RegionDataRoundTripsAndScales) {
    HRGN a = CreateRectRgn(0, 0, 10, 4);
    HRGN b = CreateRectRgn(0, 4, 4, 8);
    CombineRgn(a, a, b, RGN_OR);
    DWORD size = GetRegionData(a, 0, nullptr);
    EXPECT_EQ(size, sizeof(RGNDATAHEADER) + 2 * sizeof(RECT));
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(a, size - 1, data), 0u);
    EXPECT_EQ(GetRegionData(a, size, data), size);
    std::vector<char> roomy(size + 64);
    EXPECT_EQ(GetRegionData(a, size + 64, reinterpret_cast<RGNDATA*>(roomy.data())), size + 64);
    EXPECT_EQ(data->rdh.nCount, 2u);
    EXPECT_EQ(data->rdh.iType, RDH_RECTANGLES);
    EXPECT_EQ(data->rdh.rcBound.right, 10);

    HRGN copy = ExtCreateRegion(nullptr, size, data);
    EXPECT_TRUE(EqualRgn(copy, a));
    XFORM twice{2.0f, 0.0f, 0.0f, 2.0f, 1.0f, 0.0f};
    HRGN scaled = ExtCreateRegion(&twice, size, data);
    ASSERT_NE(scaled, nullptr);
    EXPECT_TRUE(PtInRegion(scaled, 20, 7));
    EXPECT_FALSE(PtInRegion(scaled, 0, 0)); // moved right by one
    EXPECT_TRUE(PtInRegion(scaled, 8, 15));
    EXPECT_FALSE(PtInRegion(scaled, 10, 15));
    // A count larger than the buffer is refused.
    data->rdh.nCount = 1000;
    EXPECT_EQ(ExtCreateRegion(nullptr, size, data), nullptr);
    // So is a header that claims to be larger than the buffer.
    data->rdh.nCount = 2;
    data->rdh.dwSize = 0xFFFFFFF0;
    EXPECT_EQ(ExtCreateRegion(nullptr, size, data), nullptr);
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    XFORM rotate{0.0f, 1.0f, -1.0f, 0.0f, 0.0f, 0.0f};
    data->rdh.nCount = 2;
    EXPECT_EQ(ExtCreateRegion(&rotate, size, data), nullptr);
    for (HRGN r : {a, b, copy, scaled}) {
        DeleteObject(r);
    }
}

TEST(Rects, HelpersFollowTheirContracts) {
    RECT a{0, 0, 10, 10};
    RECT b{5, 5, 15, 15};
    RECT out;
    EXPECT_TRUE(IntersectRect(&out, &a, &b));
    EXPECT_EQ(out.left, 5);
    EXPECT_EQ(out.right, 10);
    RECT far{20, 20, 30, 30};
    EXPECT_FALSE(IntersectRect(&out, &a, &far));
    EXPECT_TRUE(IsRectEmpty(&out));
    EXPECT_TRUE(UnionRect(&out, &a, &b));
    EXPECT_EQ(out.right, 15);
    RECT empty{3, 3, 3, 3};
    EXPECT_TRUE(UnionRect(&out, &empty, &a));
    EXPECT_TRUE(EqualRect(&out, &a));
    // SubtractRect only cuts when the rest is a rectangle.
    RECT top_band{0, 0, 10, 4};
    EXPECT_TRUE(SubtractRect(&out, &a, &top_band));
    EXPECT_EQ(out.top, 4);
    EXPECT_EQ(out.bottom, 10);
    EXPECT_TRUE(SubtractRect(&out, &a, &b));
    EXPECT_TRUE(EqualRect(&out, &a));
    EXPECT_FALSE(SubtractRect(&out, &a, &a));
    EXPECT_TRUE(PtInRect(&a, POINT{0, 9}));
    EXPECT_FALSE(PtInRect(&a, POINT{10, 9}));
    RECT r;
    SetRect(&r, 1, 2, 3, 4);
    InflateRect(&r, 1, 2);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.bottom, 6);
    OffsetRect(&r, 10, 0);
    EXPECT_EQ(r.left, 10);
    CopyRect(&out, &r);
    EXPECT_TRUE(EqualRect(&out, &r));
    SetRectEmpty(&r);
    EXPECT_TRUE(IsRectEmpty(&r));
}

TEST(MulDiv, RoundsAndFails) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {10, 3, 4, 8},          // 7.5 rounds up
        {-10, 3, 4, -8},        // and away from zero when negative
        {10, 1, 3, 3},          // 3.33
        {5, 1, 0, -1},          // divisor 0
        {0x7FFFFFFF, 2, 1, -1}, // overflow
        {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
        {-12, 96, 72, -16},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
    }
}
