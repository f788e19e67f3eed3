// The pixel side of drawing: visible area, blending over a captured background, tiles and
// rendered text.
#include <gtest/gtest.h>

#include <vector>

#include "imagelib/px_draw_compose.h"

namespace {

// A captured background of the device area, filled with one colour.
struct Background {
    explicit Background(RECT area, PxRgbQuad fill = {10, 20, 30, 0})
        : stride(PxSectionStride(area.right - area.left)),
          bytes(static_cast<std::size_t>(stride) * (area.bottom - area.top)) {
        target = PxDrawTarget{bytes.data(), stride, area};
        for (LONG Y = area.top; Y < area.bottom; ++Y)
            for (LONG X = area.left; X < area.right; ++X)
                Set(X, Y, fill);
    }
    BYTE* At(LONG X, LONG Y) {
        const RECT& a = target.area;
        return bytes.data() + static_cast<std::size_t>(a.bottom - 1 - Y) * stride +
               3 * (X - a.left);
    }
    void Set(LONG X, LONG Y, PxRgbQuad c) {
        BYTE* p = At(X, Y);
        p[0] = c.rgbBlue;
        p[1] = c.rgbGreen;
        p[2] = c.rgbRed;
    }
    PxRgbQuad Get(LONG X, LONG Y) {
        const BYTE* p = At(X, Y);
        return PxRgbQuad{p[0], p[1], p[2], 0};
    }
    DWORD stride;
    std::vector<BYTE> bytes;
    PxDrawTarget target;
};

TEST(DrawCompose, VisibleAreaIsTheClipIntersection) {
    RECT visible{};
    ASSERT_TRUE(PxVisibleDrawArea(RECT{0, 0, 100, 100}, -10, 90, 50, 50, visible));
    EXPECT_EQ(visible.left, 0);
    EXPECT_EQ(visible.top, 90);
    EXPECT_EQ(visible.right, 40);
    EXPECT_EQ(visible.bottom, 100);
    EXPECT_FALSE(PxVisibleDrawArea(RECT{0, 0, 100, 100}, 100, 0, 5, 5, visible));
    EXPECT_FALSE(
        PxVisibleDrawArea(RECT{0, 0, 100, 100}, 0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0, 5, visible));
}

TEST(DrawCompose, TileOfTenByTenIntoTwentyFiveByFifteen) {
    std::vector<RECT> tiles;
    PxForEachTile(RECT{0, 0, 25, 15}, 10, 10, [&](const RECT& t) { tiles.push_back(t); });
    ASSERT_EQ(tiles.size(), 6u);
    EXPECT_EQ(tiles[2].right - tiles[2].left, 5);
    EXPECT_EQ(tiles[5].bottom - tiles[5].top, 5);
    EXPECT_EQ(tiles[3].top, 10);
    PxForEachTile(RECT{0, 0, 25, 15}, 0, 10, [&](const RECT&) { FAIL(); });
}

TEST(DrawCompose, UnscaledDrawPutsThePictureTopAtTheTop) {
    PxImage image(3, 2, 24);
    image.SetPixelColor(0, 1, PxRgbQuad{1, 2, 3, 0}); // top-left of the picture
    image.SetPixelColor(2, 0, PxRgbQuad{4, 5, 6, 0}); // bottom-right
    Background bg(RECT{0, 0, 10, 10});
    PxComposeDraw(image, 5, 4, 3, 2, false, bg.target);
    EXPECT_EQ(bg.Get(5, 4), (PxRgbQuad{1, 2, 3, 0}));
    EXPECT_EQ(bg.Get(7, 5), (PxRgbQuad{4, 5, 6, 0}));
    EXPECT_EQ(bg.Get(4, 4), (PxRgbQuad{10, 20, 30, 0}));
}

TEST(DrawCompose, ScaledDrawSamplesNearestPixels) {
    PxImage image(2, 2, 24);
    image.SetPixelColor(0, 1, PxRgbQuad{100, 0, 0, 0});
    image.SetPixelColor(1, 1, PxRgbQuad{0, 100, 0, 0});
    image.SetPixelColor(0, 0, PxRgbQuad{0, 0, 100, 0});
    image.SetPixelColor(1, 0, PxRgbQuad{9, 9, 9, 0});
    Background bg(RECT{0, 0, 4, 4});
    PxComposeDraw(image, 0, 0, 4, 4, false, bg.target);
    EXPECT_EQ(bg.Get(1, 1), (PxRgbQuad{100, 0, 0, 0}));
    EXPECT_EQ(bg.Get(2, 0), (PxRgbQuad{0, 100, 0, 0}));
    EXPECT_EQ(bg.Get(0, 3), (PxRgbQuad{0, 0, 100, 0}));
    EXPECT_EQ(bg.Get(3, 2), (PxRgbQuad{9, 9, 9, 0}));
    Background smooth(RECT{0, 0, 4, 4});
    PxComposeDraw(image, 0, 0, 4, 4, true, smooth.target);
    EXPECT_EQ(smooth.Get(0, 0), (PxRgbQuad{100, 0, 0, 0})); // corners keep their colour
}

TEST(DrawCompose, TransparentIndexAlphaMaxAndOpacity) {
    PxImage palette(2, 1, 8);
    palette.SetPaletteColor(1, 200, 0, 0);
    palette.SetPixelIndex(0, 0, 1);
    palette.SetPixelIndex(1, 0, 0);
    palette.SetTransIndex(0);
    Background bg(RECT{0, 0, 2, 1});
    PxComposeDraw(palette, 0, 0, 2, 1, false, bg.target);
    EXPECT_EQ(bg.Get(0, 0), (PxRgbQuad{0, 0, 200, 0}));
    EXPECT_EQ(bg.Get(1, 0), (PxRgbQuad{10, 20, 30, 0})); // untouched under the index

    PxImage faded(2, 1, 24);
    faded.SetPixelColor(0, 0, PxRgbQuad{250, 250, 250, 0});
    faded.SetPixelColor(1, 0, PxRgbQuad{250, 250, 250, 0});
    ASSERT_TRUE(faded.AlphaCreate());
    faded.AlphaSet(1, 0, 128);
    faded.SetAlphaMax(0);
    Background none(RECT{0, 0, 2, 1});
    PxComposeDraw(faded, 0, 0, 2, 1, false, none.target);
    EXPECT_EQ(none.Get(0, 0), (PxRgbQuad{10, 20, 30, 0}));
    faded.SetAlphaMax(255);
    PxComposeDraw(faded, 0, 0, 2, 1, false, none.target);
    EXPECT_EQ(none.Get(0, 0), (PxRgbQuad{250, 250, 250, 0}));
    // 128 x 256 >> 8 = 128: (250 x 128 + 10 x 127) >> 8 = 129.
    EXPECT_EQ(none.Get(1, 0).rgbBlue, 129);

    PxImage alphaPalette(1, 1, 8);
    alphaPalette.Clear(0);
    alphaPalette.SetPaletteColor(0, 0, 0, 250, 127);
    alphaPalette.SetPaletteAlpha(true);
    Background half(RECT{0, 0, 1, 1}, PxRgbQuad{0, 0, 0, 0});
    PxComposeDraw(alphaPalette, 0, 0, 1, 1, false, half.target);
    EXPECT_EQ(half.Get(0, 0).rgbBlue, (250 * 127) >> 8);
}

TEST(DrawCompose, TextMaskLandsWithItsBottomRowOnY) {
    PxImage target(30, 40, 24);
    target.Clear(0);
    PxImage mask(5, 13, 24);
    mask.Clear(255);
    PxPaintTextMask(target, mask, 2, 20, PxRgbQuad{0, 0, 255, 0}, false);
    for (LONG row = 0; row < 40; ++row) {
        const bool touched = target.GetPixelColor(2, 39 - row).rgbRed == 255;
        EXPECT_EQ(touched, row >= 8 && row <= 20) << "picture row " << row;
    }
    EXPECT_EQ(target.GetPixelColor(7, 39 - 10).rgbRed, 0);
    PxPaintTextMask(target, mask, 0x7FFFFFFF, -0x7FFFFFFF, PxRgbQuad{1, 1, 1, 0}, true);
}

} // namespace
