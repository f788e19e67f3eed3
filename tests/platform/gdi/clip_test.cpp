#include "gdi/surface_dc.h"
#include "gdi_fixture.h"

using lv::gdi::Region;
using lv::gdi::Surface;
using lv::gdi::testing::fill;
using lv::gdi::testing::MemoryCanvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

COLORREF surface_colour(const Surface& s, int x, int y) {
    std::uint32_t p = s.row(y)[x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

} // namespace

TEST(Clip, ExtSelectClipRgnModes) {
    struct Case {
        const char* name;
        int mode;
        bool at_2;  // inside the first clip only
        bool at_6;  // inside both
        bool at_12; // inside the second only
    };
    const Case cases[] = {
        {"and", RGN_AND, false, true, false},  {"or", RGN_OR, true, true, true},
        {"xor", RGN_XOR, true, false, true},   {"diff", RGN_DIFF, true, false, false},
        {"copy", RGN_COPY, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryCanvas canvas(16, 1, kWhite);
        HRGN first = CreateRectRgn(0, 0, 8, 1);
        HRGN second = CreateRectRgn(4, 0, 16, 1);
        SelectClipRgn(canvas.dc, first);
        EXPECT_NE(ExtSelectClipRgn(canvas.dc, second, c.mode), ERROR);
        fill(canvas.dc, 0, 0, 16, 1, kRed);
        SelectClipRgn(canvas.dc, nullptr);
        EXPECT_EQ(canvas.at(2, 0) == kRed, c.at_2);
        EXPECT_EQ(canvas.at(6, 0) == kRed, c.at_6);
        EXPECT_EQ(canvas.at(12, 0) == kRed, c.at_12);
        DeleteObject(first);
        DeleteObject(second);
    }
}

TEST(Clip, RectanglesBoxAndVisibility) {
    MemoryCanvas canvas(20, 20, kWhite);
    EXPECT_EQ(IntersectClipRect(canvas.dc, 2, 2, 12, 12), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(canvas.dc, 5, 5, 8, 8), COMPLEXREGION);
    fill(canvas.dc, 0, 0, 20, 20, kRed);
    EXPECT_EQ(canvas.raw(1, 1), kWhite);
    EXPECT_EQ(canvas.raw(2, 2), kRed);
    EXPECT_EQ(canvas.raw(6, 6), kWhite);
    EXPECT_EQ(canvas.raw(12, 12), kWhite);
    RECT box;
    EXPECT_EQ(GetClipBox(canvas.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 12);
    RECT hole{5, 5, 8, 8};
    RECT edge{11, 11, 15, 15};
    EXPECT_FALSE(RectVisible(canvas.dc, &hole));
    EXPECT_TRUE(RectVisible(canvas.dc, &edge));
    EXPECT_TRUE(PtVisible(canvas.dc, 4, 4));
    EXPECT_FALSE(PtVisible(canvas.dc, 6, 6));
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.dc, copy), 1);
    EXPECT_FALSE(PtInRegion(copy, 6, 6));
    EXPECT_TRUE(PtInRegion(copy, 3, 3));
    SelectClipRgn(canvas.dc, nullptr);
    EXPECT_EQ(GetClipRgn(canvas.dc, copy), 0);
    EXPECT_EQ(GetClipBox(canvas.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 20);
    DeleteObject(copy);
}

TEST(Clip, ClipIsInDeviceUnitsAndRectsInLogicalOnes) {
    MemoryCanvas canvas(20, 20, kWhite);
    SetViewportOrgEx(canvas.dc, 5, 5, nullptr);
    HRGN region = CreateRectRgn(0, 0, 10, 10); // device units: not moved by the origin
    SelectClipRgn(canvas.dc, region);
    fill(canvas.dc, -5, -5, 15, 15, kRed); // logical: covers device 0..20
    EXPECT_EQ(canvas.raw(0, 0), kRed);
    EXPECT_EQ(canvas.raw(9, 9), kRed);
    EXPECT_EQ(canvas.raw(10, 10), kWhite);
    RECT box;
    GetClipBox(canvas.dc, &box); // logical
    EXPECT_EQ(box.left, -5);
    EXPECT_EQ(box.right, 5);
    IntersectClipRect(canvas.dc, 0, 0, 2, 2); // logical: device 5..7
    EXPECT_TRUE(PtVisible(canvas.dc, 1, 1));
    EXPECT_FALSE(PtVisible(canvas.dc, -1, -1));
    DeleteObject(region);
}

TEST(Clip, WindowDcsStayInsideTheirVisibleRegion) {
    Surface surface(30, 30);
    // A child at (10, 10) whose visible part is 10..20 minus a sibling at 15..20 x 10..20.
    Region visible = Region(RECT{10, 10, 20, 20}).subtracted(Region(RECT{15, 10, 20, 20}));
    HDC dc = lv::gdi::create_surface_dc(&surface, POINT{10, 10}, visible);
    HRGN everything = CreateRectRgn(-100, -100, 100, 100);
    SelectClipRgn(dc, everything); // the application's clip never widens the visible region
    fill(dc, -10, -10, 40, 40, kRed);
    EXPECT_EQ(surface_colour(surface, 10, 10), kRed);
    EXPECT_EQ(surface_colour(surface, 14, 19), kRed);
    EXPECT_EQ(surface_colour(surface, 15, 10), RGB(0, 0, 0));
    EXPECT_EQ(surface_colour(surface, 9, 9), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
    EXPECT_EQ(GetPixel(dc, 6, 0), CLR_INVALID);
    RECT box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 5);
    // The window moved: new origin and clip, same DC.
    EXPECT_TRUE(lv::gdi::set_surface_dc_origin(dc, POINT{0, 0}));
    EXPECT_TRUE(lv::gdi::set_surface_dc_clip(dc, Region(RECT{0, 0, 5, 5})));
    SelectClipRgn(dc, nullptr);
    fill(dc, 0, 0, 30, 30, kWhite);
    EXPECT_EQ(surface_colour(surface, 4, 4), kWhite);
    EXPECT_EQ(surface_colour(surface, 5, 5), RGB(0, 0, 0));
    // Blits from a window DC read the surface through the origin.
    MemoryCanvas copy(2, 2, kRed);
    EXPECT_TRUE(BitBlt(copy.dc, 0, 0, 2, 2, dc, 4, 4, SRCCOPY));
    EXPECT_EQ(copy.at(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(copy.at(0, 0), kWhite);
    DeleteObject(everything);
    lv::gdi::release_surface_dc(dc);
}

TEST(DcState, SaveAndRestoreAreExact) {
    MemoryCanvas canvas(4, 4, kWhite);
    HDC dc = canvas.dc;
    SetTextColor(dc, kRed);
    SetBkMode(dc, TRANSPARENT);
    SetViewportOrgEx(dc, 1, 1, nullptr);
    int first = SaveDC(dc);
    EXPECT_EQ(first, 1);
    HBRUSH brush = CreateSolidBrush(kRed);
    HGDIOBJ old_brush = SelectObject(dc, brush);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    SetViewportOrgEx(dc, 3, 3, nullptr);
    IntersectClipRect(dc, 0, 0, 1, 1);
    EXPECT_EQ(SaveDC(dc), 2);
    SetTextColor(dc, RGB(4, 5, 6));
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_TRUE(RestoreDC(dc, first));
    EXPECT_EQ(GetTextColor(dc), kRed);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    POINT org;
    GetViewportOrgEx(dc, &org);
    EXPECT_EQ(org.x, 1);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), old_brush);
    RECT box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box.right - box.left, 4);
    EXPECT_FALSE(RestoreDC(dc, 1)); // nothing saved any more
    EXPECT_FALSE(RestoreDC(dc, -1));
    DeleteObject(brush);
}

TEST(DcState, OriginsAndDeviceCaps) {
    MemoryCanvas canvas(10, 10, kWhite);
    POINT previous;
    SetWindowOrgEx(canvas.dc, 2, 2, nullptr);
    OffsetViewportOrgEx(canvas.dc, 5, 5, &previous);
    EXPECT_EQ(previous.x, 0);
    SetPixel(canvas.dc, 2, 2, kRed); // logical (2,2) is device (5,5)
    SetWindowOrgEx(canvas.dc, 0, 0, nullptr);
    SetViewportOrgEx(canvas.dc, 0, 0, nullptr);
    EXPECT_EQ(canvas.at(5, 5), kRed);
    lv::gdi::set_screen_size(1280, 800);
    HDC ic = CreateIC("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(ic, nullptr);
    EXPECT_EQ(GetDeviceCaps(ic, HORZRES), 1280);
    EXPECT_EQ(GetDeviceCaps(ic, VERTRES), 800);
    EXPECT_EQ(GetDeviceCaps(ic, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(ic, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(ic, BITSPIXEL), 32);
    EXPECT_NE(GetDeviceCaps(ic, RASTERCAPS) & RC_STRETCHDIB, 0);
    EXPECT_EQ(GetDeviceCaps(ic, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_FALSE(
        BitBlt(ic, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS)); // an information context draws nowhere
    DeleteDC(ic);
    EXPECT_EQ(CreateDC("PRINTER", nullptr, nullptr, nullptr), nullptr);
    lv::gdi::set_screen_size(1024, 768);
    HPALETTE palette =
        SelectPalette(canvas.dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    EXPECT_NE(palette, nullptr);
    EXPECT_EQ(RealizePalette(canvas.dc), 0u);
}

TEST(DcState, DisplayDcDrawsIntoTheScreenSurface) {
    HDC display = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(display, nullptr);
    Surface screen(8, 8);
    lv::gdi::set_screen_surface(&screen); // set up after the DC was made
    EXPECT_NE(SetPixel(display, 3, 4, kRed), CLR_INVALID);
    EXPECT_EQ(surface_colour(screen, 3, 4), kRed);
    lv::gdi::set_screen_surface(nullptr);
    EXPECT_EQ(SetPixel(display, 3, 4, kRed), CLR_INVALID);
    EXPECT_TRUE(DeleteDC(display));
}
