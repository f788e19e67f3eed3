// Pixel, palette, transparency, alpha and selection access at every bit depth.
#include <gtest/gtest.h>

#include "imagelib/px_image.h"

namespace {

struct PlacementCase {
    DWORD bpp;
    LONG x;
    LONG y;
    BYTE index;
    DWORD byteOffset;  // inside the stored row
    BYTE expectedByte; // that byte after the write into a cleared image
};

class IndexPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(IndexPlacement, StoresTheIndexWhereTheLayoutSays) {
    const PlacementCase& c = GetParam();
    PxImage image(16, 3, c.bpp);
    image.Clear(0);
    image.SetPixelIndex(c.x, c.y, c.index);
    EXPECT_EQ(image.GetBits(static_cast<DWORD>(c.y))[c.byteOffset], c.expectedByte);
    const BYTE kept = static_cast<BYTE>(c.index & ((1u << (c.bpp > 8 ? 8 : c.bpp)) - 1));
    EXPECT_EQ(image.GetPixelIndex(c.x, c.y), kept);
    EXPECT_EQ(image.GetPixelIndexUnchecked(c.x, c.y), kept);
    // Neighbours in the same byte are untouched.
    if (c.bpp < 8) {
        EXPECT_EQ(image.GetPixelIndex(c.x ^ 1, c.y), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Depths, IndexPlacement,
    ::testing::Values(PlacementCase{8, 5, 1, 200, 5, 200}, PlacementCase{4, 4, 2, 0x0B, 2, 0xB0},
                      PlacementCase{4, 5, 2, 0x0B, 2, 0x0B}, PlacementCase{4, 3, 0, 0xFE, 1, 0x0E},
                      PlacementCase{1, 0, 0, 1, 0, 0x80}, PlacementCase{1, 9, 1, 1, 1, 0x40},
                      PlacementCase{1, 15, 2, 3, 1, 0x01}));

TEST(PxImagePixels, TwentyFourBitColoursAreStoredBlueGreenRed) {
    PxImage image(4, 2, 24);
    image.SetPixelColorRef(2, 1, RGB(10, 20, 30));
    const BYTE* p = image.GetBits(1) + 6;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(image.GetPixelPointer(2, 1), p);
    EXPECT_EQ(image.GetPixelColor(2, 1), (PxRgbQuad{30, 20, 10, 0}));
}

TEST(PxImagePixels, WritesOutsideAreIgnoredAndReadsFollowTheOutsideRules) {
    PxImage image(3, 3, 24);
    image.Clear(0);
    image.SetPixelColor(0, 0, PxRgbQuad{1, 2, 3, 0});
    image.SetPixelColor(-1, 0, PxRgbQuad{9, 9, 9, 0});
    image.SetPixelColor(3, 0, PxRgbQuad{9, 9, 9, 0});
    image.SetPixelColor(0, 3, PxRgbQuad{9, 9, 9, 0});
    // Without a transparent index the outside is pixel (0, 0).
    EXPECT_EQ(image.GetPixelColor(-5, 7), (PxRgbQuad{1, 2, 3, 0}));
    image.SetTransIndex(0);
    image.SetTransColor(PxRgbQuad{4, 5, 6, 99});
    EXPECT_EQ(image.GetPixelColor(-5, 7), (PxRgbQuad{4, 5, 6, 0}));

    PxImage palette(3, 3, 8);
    palette.Clear(2);
    palette.SetPaletteColor(2, 50, 60, 70);
    palette.SetPaletteColor(5, 1, 1, 1);
    EXPECT_EQ(palette.GetPixelIndex(9, 9), 2); // first pixel byte
    palette.SetTransIndex(5);
    EXPECT_EQ(palette.GetPixelIndex(9, 9), 5);
    EXPECT_EQ(palette.GetPixelColor(-1, -1), (PxRgbQuad{1, 1, 1, 0}));
    EXPECT_EQ(palette.GetTransColor(), (PxRgbQuad{1, 1, 1, 0}));

    PxImage empty;
    EXPECT_EQ(empty.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(empty.AlphaGet(0, 0), 0);
    empty.SetPixelColor(0, 0, PxRgbQuad{1, 1, 1, 1}); // no image: nothing happens
}

TEST(PxImagePalette, OutOfRangeIndicesAreRefused) {
    PxImage image(2, 2, 4); // 16 entries
    image.SetPaletteColor(16, 1, 2, 3);
    image.SetPaletteColor(255, 1, 2, 3);
    EXPECT_EQ(image.GetPaletteColor(16), (PxRgbQuad{0, 0, 0, 0}));
    BYTE r = 0, g = 0, b = 0;
    EXPECT_FALSE(image.GetPaletteColor(200, &r, &g, &b));
    image.SetPaletteColor(15, 7, 8, 9);
    EXPECT_TRUE(image.GetPaletteColor(15, &r, &g, &b));
    EXPECT_EQ(r, 7);
    EXPECT_EQ(b, 9);
    image.SetTransIndex(300); // a transparent index past the palette never reads beyond it
    EXPECT_EQ(image.GetTransColor(), (PxRgbQuad{0, 0, 0, 0}));
    image.SwapIndex(3, 40); // ignored
    PxRgbQuad many[256] = {};
    many[0] = PxRgbQuad{5, 5, 5, 0};
    image.SetPalette(many, 256); // only the 16 entries are written
    EXPECT_EQ(image.GetPaletteColor(0), (PxRgbQuad{5, 5, 5, 0}));

    PxImage rgb(2, 2, 24);
    EXPECT_EQ(rgb.GetPalette(), nullptr);
    rgb.SetPaletteColor(0, 1, 1, 1);
    EXPECT_EQ(rgb.GetPaletteColor(0), (PxRgbQuad{0, 0, 0, 0}));
}

TEST(PxImagePalette, PaletteFormsAndGreyRamps) {
    PxImage image(2, 2, 4);
    image.SetGreyPalette();
    for (BYTE i = 0; i < 16; ++i)
        EXPECT_EQ(image.GetPaletteColor(i).rgbGreen, i * 17);
    EXPECT_FALSE(image.IsGreyScale()); // levels of 17, not the identity ramp

    PxImage ramp(2, 2, 8);
    ramp.SetGreyPalette();
    EXPECT_TRUE(ramp.IsGreyScale());
    const BYTE triplets[] = {1, 2, 3, 4, 5, 6};
    ramp.SetPalette(triplets, 2);
    EXPECT_EQ(ramp.GetPaletteColor(1), (PxRgbQuad{6, 5, 4, 0}));
    EXPECT_FALSE(ramp.IsGreyScale());
    const BYTE reds[] = {10, 11};
    const BYTE greens[] = {20, 21};
    ramp.SetPalette(2, reds, greens);
    EXPECT_EQ(ramp.GetPaletteColor(1), (PxRgbQuad{21, 21, 11, 0}));
    ramp.SetPalette(2, reds);
    EXPECT_EQ(ramp.GetPaletteColor(0), (PxRgbQuad{10, 10, 10, 0}));

    PxImage two(2, 2, 1);
    two.SetGreyPalette();
    EXPECT_EQ(two.GetPaletteColor(1), (PxRgbQuad{255, 255, 255, 0}));
}

TEST(PxImagePalette, NearestIndexIsCachedUntilThePaletteChanges) {
    PxImage image(2, 2, 8);
    image.SetPaletteColor(0, 0, 0, 0);
    image.SetPaletteColor(1, 250, 0, 0);
    image.SetPaletteColor(2, 0, 250, 0);
    const PxRgbQuad red{0, 0, 240, 0};
    EXPECT_EQ(image.GetNearestIndex(red), 1);
    EXPECT_EQ(image.GetNearestIndex(red), 1);
    image.SetPaletteColor(3, 240, 0, 0);
    EXPECT_EQ(image.GetNearestIndex(red), 3);
    PxRgbQuad moved[1] = {{0, 0, 240, 0}};
    image.SetPalette(moved, 1);
    EXPECT_EQ(image.GetNearestIndex(red), 0);
    image.SetPixelColor(1, 1, PxRgbQuad{0, 250, 0, 0});
    EXPECT_EQ(image.GetPixelIndex(1, 1), 2);
}

TEST(PxImagePalette, SwapIndexExchangesEntriesAndPixels) {
    PxImage image(3, 1, 4);
    image.SetPaletteColor(1, 1, 1, 1);
    image.SetPaletteColor(2, 2, 2, 2);
    image.SetPixelIndex(0, 0, 1);
    image.SetPixelIndex(1, 0, 2);
    image.SetPixelIndex(2, 0, 0);
    image.SwapIndex(1, 2);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 2);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 1);
    EXPECT_EQ(image.GetPixelIndex(2, 0), 0);
    EXPECT_EQ(image.GetPixelColor(0, 0), (PxRgbQuad{1, 1, 1, 0}));
}

TEST(PxImageColours, ConversionsAndLuma) {
    EXPECT_EQ(PxImage::RgbToRgbQuad(RGB(1, 2, 3)), (PxRgbQuad{3, 2, 1, 0}));
    EXPECT_EQ(PxImage::RgbQuadToRgb(PxRgbQuad{3, 2, 1, 9}), RGB(1, 2, 3));
    const BYTE white[] = {255, 255, 255}, black[] = {0, 0, 0};
    EXPECT_EQ(PxImage::CompareColorLuma(white, black), (117 * 255 + 601 * 255 + 306 * 255) >> 10);
    PxImage image(2, 1, 24);
    BYTE row[7] = {1, 2, 3, 4, 5, 6, 7};
    image.SwapRedBlue(row, 7); // only whole triplets inside the row stride (8)
    EXPECT_EQ(row[0], 3);
    EXPECT_EQ(row[3], 6);
    EXPECT_EQ(row[6], 7);
}

TEST(PxImageTransparency, TransparentPixelsByIndexColourAndAlpha) {
    PxImage palette(2, 1, 8);
    palette.SetPixelIndex(0, 0, 4);
    palette.SetPixelIndex(1, 0, 5);
    EXPECT_FALSE(palette.IsPixelTransparent(0, 0));
    palette.SetTransIndex(4);
    EXPECT_TRUE(palette.IsPixelTransparent(0, 0));
    EXPECT_FALSE(palette.IsPixelTransparent(1, 0));

    PxImage rgb(2, 1, 24);
    rgb.SetPixelColor(0, 0, PxRgbQuad{9, 8, 7, 0});
    rgb.SetPixelColor(1, 0, PxRgbQuad{1, 1, 1, 0});
    rgb.SetTransColor(PxRgbQuad{9, 8, 7, 200});
    EXPECT_EQ(rgb.GetTransColor().rgbReserved, 0);
    EXPECT_FALSE(rgb.IsPixelTransparent(0, 0)); // the colour counts only with an index set
    rgb.SetTransIndex(0);
    EXPECT_TRUE(rgb.IsPixelTransparent(0, 0));
    ASSERT_TRUE(rgb.AlphaCreate());
    EXPECT_FALSE(rgb.IsPixelTransparent(1, 0));
    rgb.AlphaSet(1, 0, 0);
    EXPECT_TRUE(rgb.IsPixelTransparent(1, 0));
}

TEST(PxImageAlpha, PlaneAccessFlipAndMirror) {
    PxImage image(3, 2, 24);
    EXPECT_EQ(image.GetColorKind(), 2u);
    ASSERT_TRUE(image.AlphaCreate());
    EXPECT_EQ(image.GetColorKind(), 4u);
    EXPECT_EQ(image.AlphaGet(2, 1), 255);
    for (LONG y = 0; y < 2; ++y)
        for (LONG x = 0; x < 3; ++x)
            image.AlphaSet(x, y, static_cast<BYTE>(10 * y + x));
    image.AlphaSet(3, 0, 77); // outside: ignored
    EXPECT_EQ(image.AlphaGet(3, 0), 0);
    EXPECT_EQ(image.AlphaGetPointer(3, 0), nullptr);
    EXPECT_EQ(*image.AlphaGetPointer(1, 1), 11);
    EXPECT_EQ(image.GetPixelColor(1, 1).rgbReserved, 11);
    EXPECT_EQ(image.GetPixelColor(1, 1, false).rgbReserved, 0);
    ASSERT_TRUE(image.AlphaFlip());
    EXPECT_EQ(image.AlphaGet(1, 0), 11);
    ASSERT_TRUE(image.AlphaMirror());
    EXPECT_EQ(image.AlphaGet(2, 0), 10);
    image.AlphaClear();
    EXPECT_EQ(image.AlphaGetUnchecked(0, 1), 0);
    image.SetPixelColor(0, 0, PxRgbQuad{1, 2, 3, 128}, true);
    EXPECT_EQ(image.AlphaGet(0, 0), 128);
    image.AlphaDelete();
    EXPECT_FALSE(image.AlphaIsValid());
    EXPECT_FALSE(image.AlphaFlip());

    PxImage palette(2, 2, 8);
    EXPECT_FALSE(palette.AlphaPaletteIsValid());
    palette.SetPaletteColor(7, 1, 1, 1, 3);
    EXPECT_TRUE(palette.AlphaPaletteIsValid());
}

TEST(PxImageSelection, MaskAndBox) {
    PxImage image(4, 4, 24);
    EXPECT_TRUE(image.SelectionIsInside(3, 3)); // no mask: everything
    EXPECT_FALSE(image.SelectionIsInside(4, 0));
    ASSERT_TRUE(image.SelectionCreate());
    EXPECT_FALSE(image.SelectionIsInside(1, 1));
    image.SelectionSet(1, 1, 1);
    image.SelectionSet(2, 3, 1);
    EXPECT_TRUE(image.SelectionIsInside(1, 1));
    const RECT box = image.GetInfo().selectionBox;
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(box.bottom, 1);
    EXPECT_EQ(box.top, 4);
    EXPECT_TRUE(image.SelectionDelete());
    EXPECT_EQ(image.GetInfo().selectionBox.left, 4);
    EXPECT_EQ(image.GetInfo().selectionBox.bottom, 4);
}

} // namespace
