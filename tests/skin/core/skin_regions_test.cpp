// Regions from bitmaps of every depth, scaled regions and regions repeated over a rectangle.
#include "skin/core/skin_regions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kKey = 0xFF00FF;

// A DIB section of the depth whose pixels are written by `put` (x, y from the top, bits).
template <typename Put>
HBITMAP MakeBitmap(int width, int height, int bits, Put put, bool bitfields565 = false) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = bitfields565 ? BI_BITFIELDS : BI_RGB;
    if (bitfields565) {
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(info.colors, masks, sizeof masks);
    } else if (bits <= 8) {
        // Entry 0 white, entry 1 the key, entry 2 black.
        info.colors[0] = RGBQUAD{255, 255, 255, 0};
        info.colors[1] = RGBQUAD{255, 0, 255, 0};
        info.colors[2] = RGBQUAD{0, 0, 0, 0};
        info.header.biClrUsed = bits == 1 ? 2 : 3;
    }
    void* bits_out = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits_out, nullptr, 0);
    EXPECT_NE(bitmap, nullptr);
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    auto* rows = static_cast<std::uint8_t*>(bits_out);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put(rows + y * stride, x, y);
    return bitmap;
}

// The picture every depth shows: the key colour in column 1 and in the whole of row 2.
bool IsKeyPixel(int x, int y) {
    return x == 1 || y == 2;
}

void ExpectPicture(HRGN region, int width, int height) {
    ASSERT_NE(region, nullptr);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(PtInRegion(region, x, y) != FALSE, !IsKeyPixel(x, y)) << x << "," << y;
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, width);
    EXPECT_EQ(box.bottom, height);
}

TEST(RegionFromBitmap, EveryDepthLeavesTheKeyColourOut) {
    const int w = 5, h = 4;
    const std::vector<std::pair<const char*, HBITMAP>> bitmaps = {
        {"32", MakeBitmap(w, h, 32,
                          [](std::uint8_t* row, int x, int y) {
                              const std::uint32_t v = IsKeyPixel(x, y) ? 0xFF00FF : 0x102030;
                              std::memcpy(row + x * 4, &v, 4);
                          })},
        {"24", MakeBitmap(w, h, 24,
                          [](std::uint8_t* row, int x, int y) {
                              const bool key = IsKeyPixel(x, y);
                              row[x * 3] = key ? 255 : 40;
                              row[x * 3 + 1] = key ? 0 : 50;
                              row[x * 3 + 2] = key ? 255 : 60;
                          })},
        {"16 (5-6-5)", MakeBitmap(
                           w, h, 16,
                           [](std::uint8_t* row, int x, int y) {
                               const std::uint16_t v = IsKeyPixel(x, y) ? 0xF81F : 0xF81E;
                               std::memcpy(row + x * 2, &v, 2);
                           },
                           true)},
        {"16 (5-5-5)", MakeBitmap(w, h, 16,
                                  [](std::uint8_t* row, int x, int y) {
                                      const std::uint16_t v = IsKeyPixel(x, y) ? 0x7C1F : 0x0421;
                                      std::memcpy(row + x * 2, &v, 2);
                                  })},
        {"8",
         MakeBitmap(w, h, 8,
                    [](std::uint8_t* row, int x, int y) { row[x] = IsKeyPixel(x, y) ? 1 : 2; })},
        {"4", MakeBitmap(w, h, 4,
                         [](std::uint8_t* row, int x, int y) {
                             const std::uint8_t index = IsKeyPixel(x, y) ? 1 : 0;
                             row[x / 2] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
                         })},
        {"1", MakeBitmap(w, h, 1,
                         [](std::uint8_t* row, int x, int y) {
                             if (IsKeyPixel(x, y))
                                 row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                         })},
    };
    for (const auto& [name, bitmap] : bitmaps) {
        SCOPED_TRACE(name);
        HRGN region = GlazeworkRegionFromBitmap(bitmap, kKey);
        ExpectPicture(region, w, h);
        DeleteObject(region);
        DeleteObject(bitmap);
    }
}

TEST(RegionFromBitmap, OtherKeysAllKeyAndNoBitmap) {
    // A key other than magenta is compared as a colour too.
    HBITMAP bitmap = MakeBitmap(3, 1, 24, [](std::uint8_t* row, int x, int) {
        row[x * 3] = x == 0 ? 0x30 : 0;     // blue
        row[x * 3 + 1] = x == 0 ? 0x20 : 0; // green
        row[x * 3 + 2] = x == 0 ? 0x10 : 0; // red
    });
    HRGN region = GlazeworkRegionFromBitmap(bitmap, RGB(0x10, 0x20, 0x30));
    ASSERT_NE(region, nullptr);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 1, 0));
    DeleteObject(region);
    region = GlazeworkRegionFromBitmap(bitmap, RGB(0, 0, 0));
    RECT box{};
    EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 1);
    DeleteObject(region);
    DeleteObject(bitmap);

    HBITMAP allKey = MakeBitmap(4, 4, 32, [](std::uint8_t* row, int x, int) {
        const std::uint32_t v = 0xFF00FF;
        std::memcpy(row + x * 4, &v, 4);
    });
    region = GlazeworkRegionFromBitmap(allKey, kKey);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
    DeleteObject(region);
    DeleteObject(allKey);

    EXPECT_EQ(GlazeworkRegionFromBitmap(nullptr, kKey), nullptr);
}

TEST(ScaleRegion, ScalesThenMovesAndLeavesTheSource) {
    HRGN source = CreateRectRgn(1, 2, 4, 5);
    HRGN scaled = GlazeworkScaleRegion(source, 2.0f, 3.0f, 10, 20);
    ASSERT_NE(scaled, nullptr);
    RECT box{};
    GetRgnBox(scaled, &box);
    EXPECT_EQ(box.left, 12);
    EXPECT_EQ(box.top, 26);
    EXPECT_EQ(box.right, 18);
    EXPECT_EQ(box.bottom, 35);
    GetRgnBox(source, &box);
    EXPECT_EQ(box.right, 4);
    DeleteObject(scaled);
    DeleteObject(source);
}

TEST(NineGridRegion, RepeatsTheSourceOverTheTargetAndCutsItThere) {
    // A 4 x 4 tile whose top-left 2 x 2 is missing.
    HRGN tile = CreateRectRgn(0, 0, 4, 4);
    HRGN hole = CreateRectRgn(0, 0, 2, 2);
    CombineRgn(tile, tile, hole, RGN_DIFF);
    DeleteObject(hole);
    const RECT target{10, 20, 20, 28};
    HRGN repeated = GlazeworkNineGridRegion(tile, 4, 4, target);
    ASSERT_NE(repeated, nullptr);
    for (int y = 18; y < 30; ++y) {
        for (int x = 8; x < 22; ++x) {
            const bool inside =
                x >= target.left && x < target.right && y >= target.top && y < target.bottom;
            const bool inHole = (x - target.left) % 4 < 2 && (y - target.top) % 4 < 2;
            EXPECT_EQ(PtInRegion(repeated, x, y) != FALSE, inside && !inHole) << x << "," << y;
        }
    }
    DeleteObject(repeated);

    // A step of 0 would never end: that axis is not repeated.
    for (const auto& [stepX, stepY] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{0, 0}}) {
        HRGN once = GlazeworkNineGridRegion(tile, stepX, stepY, target);
        ASSERT_NE(once, nullptr);
        EXPECT_TRUE(PtInRegion(once, 13, 23));
        EXPECT_EQ(PtInRegion(once, 17, 27) != FALSE, stepX > 0 && stepY > 0);
        DeleteObject(once);
    }
    RECT box{};
    EXPECT_EQ(GetRgnBox(tile, &box), COMPLEXREGION);
    DeleteObject(tile);
}

// A skin rectangle of 0x10000000 pixels: the copies double instead of being placed one by one,
// and with a window to cut to only what the window holds is built.
TEST(NineGridRegion, HugeTargetsEndQuicklyAndKeepTheirPhase) {
    HRGN pixel = CreateRectRgn(0, 0, 1, 1);
    HRGN row = GlazeworkNineGridRegion(pixel, 1, 1, RECT{0, 0, 0x10000000, 1});
    ASSERT_NE(row, nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(row, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_GT(box.right, 1000000);
    DeleteObject(row);
    DeleteObject(pixel);

    // A 2 x 2 chequer from a corner 3 pixels left of and above a 64 x 48 window.
    HRGN chequer = CreateRectRgn(0, 0, 1, 1);
    HRGN other = CreateRectRgn(1, 1, 2, 2);
    CombineRgn(chequer, chequer, other, RGN_OR);
    DeleteObject(other);
    const RECT window{0, 0, 64, 48};
    const RECT target{-3, -3, 0x10000000, 0x10000000};
    HRGN tiled = GlazeworkNineGridRegion(chequer, 2, 2, target, &window);
    ASSERT_NE(tiled, nullptr);
    for (int y = -2; y < 50; ++y)
        for (int x = -2; x < 66; ++x) {
            const bool inWindow = x >= 0 && x < 64 && y >= 0 && y < 48;
            const bool set = (x + 3) % 2 == (y + 3) % 2;
            EXPECT_EQ(PtInRegion(tiled, x, y) != FALSE, inWindow && set) << x << "," << y;
        }
    DeleteObject(tiled);
    DeleteObject(chequer);
}

} // namespace
