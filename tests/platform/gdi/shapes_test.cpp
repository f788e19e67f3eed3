#include "gdi_fixture.h"

using lv::gdi::testing::MemoryCanvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Selects a pen and a brush for the life of the object.
struct Tools {
    Tools(HDC dc, HPEN pen, HBRUSH brush) : dc(dc), pen(pen), brush(brush) {
        old_pen = SelectObject(dc, pen);
        old_brush = SelectObject(dc, brush);
    }
    ~Tools() {
        SelectObject(dc, old_pen);
        SelectObject(dc, old_brush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
    HDC dc;
    HPEN pen;
    HBRUSH brush;
    HGDIOBJ old_pen;
    HGDIOBJ old_brush;
};

} // namespace

TEST(Shapes, RectangleOutlineInsideAndNullPen) {
    MemoryCanvas canvas(12, 12, kWhite);
    {
        Tools tools(canvas.dc, CreatePen(PS_SOLID, 1, kRed), CreateSolidBrush(kBlue));
        EXPECT_TRUE(Rectangle(canvas.dc, 1, 1, 6, 6));
    }
    EXPECT_EQ(canvas.at(1, 1), kRed);
    EXPECT_EQ(canvas.at(5, 5), kRed); // right and bottom edges at right - 1, bottom - 1
    EXPECT_EQ(canvas.at(6, 6), kWhite);
    EXPECT_EQ(canvas.at(3, 3), kBlue);
    {
        Tools tools(canvas.dc, static_cast<HPEN>(GetStockObject(NULL_PEN)),
                    CreateSolidBrush(kBlack));
        EXPECT_TRUE(Rectangle(canvas.dc, 7, 7, 11, 11));
    }
    EXPECT_EQ(canvas.at(7, 7), kBlack);
    EXPECT_EQ(canvas.at(9, 9), kBlack);
    EXPECT_EQ(canvas.at(10, 10), kWhite); // one pixel less without a pen
}

TEST(Shapes, EllipseAndHollowBrush) {
    MemoryCanvas canvas(21, 21, kWhite);
    Tools tools(canvas.dc, CreatePen(PS_SOLID, 1, kRed),
                static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_TRUE(Ellipse(canvas.dc, 0, 0, 21, 21));
    EXPECT_EQ(canvas.at(10, 0), kRed);
    EXPECT_EQ(canvas.at(0, 10), kRed);
    EXPECT_EQ(canvas.at(20, 10), kRed);
    EXPECT_EQ(canvas.at(10, 10), kWhite); // the null brush leaves the inside
    EXPECT_EQ(canvas.at(1, 1), kWhite);   // corners stay outside
}

TEST(Shapes, LinesExcludeTheirEndPoint) {
    MemoryCanvas canvas(10, 10, kWhite);
    Tools tools(canvas.dc, CreatePen(PS_SOLID, 1, kBlack), CreateSolidBrush(kWhite));
    POINT previous;
    MoveToEx(canvas.dc, 1, 1, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc, 6, 1));
    EXPECT_EQ(canvas.at(1, 1), kBlack);
    EXPECT_EQ(canvas.at(5, 1), kBlack);
    EXPECT_EQ(canvas.at(6, 1), kWhite);
    EXPECT_TRUE(LineTo(canvas.dc, 6, 6)); // continues from the last end
    EXPECT_EQ(canvas.at(6, 1), kBlack);
    EXPECT_EQ(canvas.at(6, 5), kBlack);
    MoveToEx(canvas.dc, 0, 9, &previous);
    EXPECT_EQ(previous.x, 6);
    EXPECT_EQ(previous.y, 6);
    LineTo(canvas.dc, 9, 0); // a diagonal
    EXPECT_EQ(canvas.at(4, 5), kBlack);
    POINT zigzag[] = {{0, 8}, {3, 8}, {3, 5}};
    EXPECT_TRUE(Polyline(canvas.dc, zigzag, 3));
    EXPECT_EQ(canvas.at(2, 8), kBlack);
    EXPECT_EQ(canvas.at(3, 6), kBlack);
}

TEST(Shapes, XorPenTwiceRestores) {
    MemoryCanvas canvas(6, 6, RGB(10, 20, 30));
    Tools tools(canvas.dc, CreatePen(PS_SOLID, 1, kWhite), CreateSolidBrush(kWhite));
    SetROP2(canvas.dc, R2_XORPEN);
    MoveToEx(canvas.dc, 0, 2, nullptr);
    LineTo(canvas.dc, 6, 2);
    EXPECT_EQ(canvas.at(3, 2), RGB(245, 235, 225));
    MoveToEx(canvas.dc, 0, 2, nullptr);
    LineTo(canvas.dc, 6, 2);
    EXPECT_EQ(canvas.at(3, 2), RGB(10, 20, 30));
    EXPECT_EQ(GetROP2(canvas.dc), R2_XORPEN);
}

TEST(Shapes, PolygonFillsAndOutlines) {
    MemoryCanvas canvas(12, 12, kWhite);
    Tools tools(canvas.dc, CreatePen(PS_SOLID, 1, kRed), CreateSolidBrush(kBlue));
    POINT square[] = {{2, 2}, {10, 2}, {10, 10}, {2, 10}};
    EXPECT_TRUE(Polygon(canvas.dc, square, 4));
    EXPECT_EQ(canvas.at(6, 6), kBlue);
    EXPECT_EQ(canvas.at(2, 6), kRed);
    EXPECT_EQ(canvas.at(6, 2), kRed);
    EXPECT_EQ(canvas.at(1, 1), kWhite);
}

TEST(Shapes, FillFrameAndInvertRect) {
    MemoryCanvas canvas(8, 8, kWhite);
    RECT r{1, 1, 7, 7};
    // A system colour index + 1 serves as a brush.
    EXPECT_TRUE(
        FillRect(canvas.dc, &r, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(8 + 1))));
    EXPECT_EQ(canvas.at(1, 1), kBlack); // COLOR_WINDOWTEXT in the default scheme
    HBRUSH red = CreateSolidBrush(kRed);
    EXPECT_TRUE(FrameRect(canvas.dc, &r, red));
    EXPECT_EQ(canvas.at(1, 1), kRed);
    EXPECT_EQ(canvas.at(6, 6), kRed);
    EXPECT_EQ(canvas.at(2, 2), kBlack);
    EXPECT_TRUE(InvertRect(canvas.dc, &r));
    EXPECT_EQ(canvas.at(2, 2), kWhite);
    EXPECT_EQ(canvas.at(1, 1), RGB(0, 255, 255));
    EXPECT_FALSE(FillRect(canvas.dc, &r, nullptr));
    HRGN region = CreateEllipticRgn(0, 0, 8, 8);
    EXPECT_TRUE(FillRgn(canvas.dc, region, red));
    EXPECT_EQ(canvas.at(4, 4), kRed);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    DeleteObject(region);
    DeleteObject(red);
}

TEST(Shapes, PatternBrushTilesFromTheBrushOrigin) {
    std::uint8_t bits[4] = {0x80, 0x00, 0x40, 0x00}; // 2x2 checker: white at (0,0) and (1,1)
    HBITMAP pattern = CreateBitmap(2, 2, 1, 1, bits);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern); // the brush keeps its own copy
    MemoryCanvas canvas(4, 2, kRed);
    SetTextColor(canvas.dc, kBlack); // 0 bits
    SetBkColor(canvas.dc, kBlue);    // 1 bits
    RECT r{0, 0, 4, 2};
    FillRect(canvas.dc, &r, brush);
    EXPECT_EQ(canvas.at(0, 0), kBlue);
    EXPECT_EQ(canvas.at(1, 0), kBlack);
    EXPECT_EQ(canvas.at(2, 0), kBlue);
    EXPECT_EQ(canvas.at(3, 1), kBlue);
    DeleteObject(brush);
}

TEST(Shapes, StyledPensDashThinLines) {
    MemoryCanvas canvas(20, 3, kWhite);
    Tools tools(canvas.dc, CreatePen(PS_DOT, 1, kBlack), CreateSolidBrush(kWhite));
    MoveToEx(canvas.dc, 0, 1, nullptr);
    LineTo(canvas.dc, 12, 1);
    const COLORREF expected[] = {kBlack, kBlack, kBlack, kWhite, kWhite,
                                 kWhite, kBlack, kBlack, kBlack, kWhite};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(canvas.at(x, 1), expected[x]) << x;
    }
    // Far-away end points are refused rather than walked.
    EXPECT_TRUE(LineTo(canvas.dc, 0x7FFFFFFF, 1));
}
