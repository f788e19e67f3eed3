#include "gdi/surface_dc.h"
#include "gdi_fixture.h"

using lv::gdi::system_colour;
using lv::gdi::testing::MemoryCanvas;

namespace {

constexpr int kFace = 15;
constexpr int kShadow = 16;
constexpr int kHilight = 20;
constexpr int kDarkShadow = 21;
constexpr int kLight = 22;
constexpr COLORREF kWhite = RGB(255, 255, 255);

} // namespace

TEST(DrawEdge, RingsTakeTheirSystemColours) {
    struct Case {
        const char* name;
        UINT edge;
        int outer_top_left, outer_bottom_right, inner_top_left, inner_bottom_right;
    };
    const Case cases[] = {
        {"raised", EDGE_RAISED, kLight, kDarkShadow, kHilight, kShadow},
        {"sunken", EDGE_SUNKEN, kShadow, kHilight, kDarkShadow, kLight},
        {"etched", EDGE_ETCHED, kShadow, kHilight, kHilight, kShadow},
        {"bump", EDGE_BUMP, kLight, kDarkShadow, kDarkShadow, kLight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryCanvas canvas(10, 10, RGB(1, 2, 3));
        RECT r{0, 0, 10, 10};
        EXPECT_TRUE(DrawEdge(canvas.dc, &r, c.edge, BF_RECT | BF_MIDDLE | BF_ADJUST));
        EXPECT_EQ(canvas.at(5, 0), system_colour(c.outer_top_left));
        EXPECT_EQ(canvas.at(0, 5), system_colour(c.outer_top_left));
        EXPECT_EQ(canvas.at(5, 9), system_colour(c.outer_bottom_right));
        EXPECT_EQ(canvas.at(9, 5), system_colour(c.outer_bottom_right));
        EXPECT_EQ(canvas.at(5, 1), system_colour(c.inner_top_left));
        EXPECT_EQ(canvas.at(8, 5), system_colour(c.inner_bottom_right));
        EXPECT_EQ(canvas.at(5, 5), system_colour(kFace));
        EXPECT_EQ(r.left, 2); // BF_ADJUST: inside the two rings
        EXPECT_EQ(r.bottom, 8);
    }
}

TEST(DrawEdge, OnlyTheNamedSides) {
    MemoryCanvas canvas(6, 6, kWhite);
    RECT r{0, 0, 6, 6};
    EXPECT_TRUE(DrawEdge(canvas.dc, &r, BDR_SUNKENOUTER, BF_BOTTOM));
    EXPECT_EQ(canvas.at(3, 5), system_colour(kHilight));
    EXPECT_EQ(canvas.at(3, 0), kWhite);
    EXPECT_EQ(canvas.at(0, 3), kWhite);
    EXPECT_FALSE(DrawEdge(canvas.dc, &r, EDGE_RAISED, BF_DIAGONAL | BF_TOP));
}

TEST(DrawFrameControl, PushButtonsCheckBoxesAndCaptions) {
    MemoryCanvas canvas(40, 20, RGB(1, 2, 3));
    RECT button{0, 0, 20, 20};
    EXPECT_TRUE(DrawFrameControl(canvas.dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(canvas.at(10, 10), system_colour(kFace));
    EXPECT_EQ(canvas.at(19, 10), system_colour(kDarkShadow));
    EXPECT_TRUE(DrawFrameControl(canvas.dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED));
    EXPECT_EQ(canvas.at(0, 10), system_colour(kShadow)); // sunken when pushed

    RECT box{20, 0, 33, 13};
    EXPECT_TRUE(DrawFrameControl(canvas.dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK));
    EXPECT_EQ(canvas.at(26, 6), system_colour(5)); // COLOR_WINDOW well
    EXPECT_TRUE(DrawFrameControl(canvas.dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    bool marked = false;
    for (int y = 2; y < 11; ++y) {
        for (int x = 22; x < 31; ++x) {
            marked = marked || canvas.at(x, y) == system_colour(18);
        }
    }
    EXPECT_TRUE(marked);

    RECT close{0, 0, 16, 14};
    MemoryCanvas caption(16, 14, RGB(1, 2, 3));
    EXPECT_TRUE(DrawFrameControl(caption.dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    EXPECT_EQ(caption.at(2, 2), system_colour(kFace));
    EXPECT_EQ(caption.at(0, 0), system_colour(kHilight));
    EXPECT_EQ(DrawFrameControl(caption.dc, &close, DFC_MENU, 0), FALSE);
}

TEST(DrawFocusRect, TwiceRestores) {
    MemoryCanvas canvas(8, 8, RGB(10, 20, 30));
    RECT r{1, 1, 7, 7};
    EXPECT_TRUE(DrawFocusRect(canvas.dc, &r));
    EXPECT_EQ(canvas.at(1, 1), RGB(245, 235, 225));
    EXPECT_EQ(canvas.at(2, 1), RGB(10, 20, 30)); // dotted
    EXPECT_EQ(canvas.at(4, 4), RGB(10, 20, 30));
    EXPECT_TRUE(DrawFocusRect(canvas.dc, &r));
    EXPECT_EQ(canvas.at(1, 1), RGB(10, 20, 30));
}

TEST(Icons, MaskAndColourDrawAndComeBack) {
    // A 2x1 icon: left pixel opaque red, right pixel transparent.
    MemoryCanvas colour(2, 1, RGB(255, 0, 0));
    SetPixel(colour.dc, 1, 0, RGB(0, 0, 0));
    std::uint8_t mask_bits[2] = {0x40, 0x00}; // 1 = transparent, at x = 1
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, mask_bits);
    SelectObject(colour.dc, colour.old); // free the colour bitmap for the icon
    ICONINFO info{TRUE, 0, 0, mask, colour.bitmap};
    HICON icon = CreateIconIndirect(&info);
    colour.old = SelectObject(colour.dc, colour.bitmap);
    ASSERT_NE(icon, nullptr);
    DeleteObject(mask);

    MemoryCanvas canvas(4, 2, RGB(0, 0, 255));
    EXPECT_TRUE(DrawIcon(canvas.dc, 1, 0, icon));
    EXPECT_EQ(canvas.at(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(2, 0), RGB(0, 0, 255));
    EXPECT_TRUE(DrawIconEx(canvas.dc, 0, 0, icon, 4, 2, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(3, 1), RGB(0, 0, 255));

    MemoryCanvas disabled(4, 2, kWhite);
    EXPECT_TRUE(DrawState(disabled.dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, 0, 0, 0,
                          0, DST_ICON | DSS_DISABLED));
    EXPECT_EQ(disabled.at(0, 0), system_colour(kShadow));
    EXPECT_EQ(disabled.at(1, 1), system_colour(kHilight));

    ICONINFO back{};
    ASSERT_TRUE(GetIconInfo(icon, &back));
    EXPECT_TRUE(back.fIcon);
    BITMAP bm{};
    GetObject(back.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidth, 2);
    DeleteObject(back.hbmMask);
    DeleteObject(back.hbmColor);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(canvas.dc, 0, 0, icon));
}
