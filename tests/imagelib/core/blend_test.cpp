// Mixing one image into another: BlendFrom and BlendFromEx.
#include <gtest/gtest.h>

#include "imagelib/px_image.h"

namespace {

PxImage Filled(LONG width, LONG height, PxRgbQuad colour) {
    PxImage image(width, height, 24);
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            image.SetPixelColor(x, y, colour);
    return image;
}

const PxRgbQuad kRed{0, 0, 200, 0};
const PxRgbQuad kBlue{200, 0, 0, 0};
const PxRgbQuad kBlack{0, 0, 0, 0};

TEST(ImageBlend, PlainSourceCopiesTheRectangleCountedFromTheTop) {
    PxImage source(4, 3, 24);
    for (LONG y = 0; y < 3; ++y)
        for (LONG x = 0; x < 4; ++x)
            source.SetPixelColor(x, y, PxRgbQuad{static_cast<BYTE>(x), static_cast<BYTE>(y), 9, 0});
    PxImage target = Filled(10, 10, kBlue);
    ASSERT_TRUE(target.BlendFrom(source, 1, 0, 3, 2, 5, 6));
    // Source picture (1, 0) is stored row 2; it lands at picture (5, 6), stored row 3.
    EXPECT_EQ(target.GetPixelColor(5, 3), source.GetPixelColor(1, 2));
    EXPECT_EQ(target.GetPixelColor(6, 2), source.GetPixelColor(2, 1));
    EXPECT_EQ(target.GetPixelColor(7, 3), kBlue); // right edge is exclusive
    EXPECT_EQ(target.GetPixelColor(5, 1), kBlue); // bottom edge is exclusive
    EXPECT_EQ(target.GetPixelColor(4, 3), kBlue);
}

TEST(ImageBlend, RectanglesPartlyOutsideEitherImageMixOnlyTheOverlap) {
    PxImage source = Filled(4, 4, kRed);
    PxImage target = Filled(5, 5, kBlue);
    // Source column and row -1 would land on picture (3, 3): nothing outside the source is
    // drawn; source (0, 0) lands on picture (4, 4), the stored row 0.
    ASSERT_TRUE(target.BlendFromEx(source, -1, -1, 100, 100, 3, 3, false, true));
    EXPECT_EQ(target.GetPixelColor(4, 0), kRed);
    EXPECT_EQ(target.GetPixelColor(3, 1), kBlue);
    EXPECT_EQ(target.GetPixelColor(4, 1), kBlue);
    ASSERT_TRUE(target.BlendFrom(source, 0, 0, 4, 4, -2, 3));
    EXPECT_EQ(target.GetPixelColor(1, 1), kRed);
    EXPECT_TRUE(target.BlendFrom(source, 0, 0, 4, 4, 1000000, -1000000));
    EXPECT_TRUE(target.BlendFrom(source, 0x7FFFFFF0, 0, 0x7FFFFFFF, 4, -0x7FFFFFFF, 0));
}

struct OpacityCase {
    BYTE alpha;
    BYTE alphaMax;
    bool blend;
    PxRgbQuad want;
};

class BlendOpacity : public ::testing::TestWithParam<OpacityCase> {};

TEST_P(BlendOpacity, OpacityRule) {
    const OpacityCase& c = GetParam();
    PxImage source = Filled(2, 2, kRed);
    ASSERT_TRUE(source.AlphaCreate());
    source.AlphaFill(c.alpha);
    source.SetAlphaMax(c.alphaMax);
    PxImage target = Filled(2, 2, kBlue);
    if (c.blend)
        ASSERT_TRUE(target.BlendFromEx(source, 0, 0, 2, 2, 0, 0, false, true));
    else
        ASSERT_TRUE(target.BlendFrom(source, 0, 0, 2, 2, 0, 0));
    EXPECT_EQ(target.GetPixelColor(1, 1, false), c.want);
}

// Opacity = alpha x (alpha max + 1) >> 8; a blend gives (s a + d (255 - a)) >> 8.
INSTANTIATE_TEST_SUITE_P(
    Cases, BlendOpacity,
    ::testing::Values(OpacityCase{255, 255, false, kRed}, OpacityCase{0, 255, false, kBlue},
                      OpacityCase{128, 255, false, kRed}, // BlendFrom never mixes partially
                      OpacityCase{255, 0, false, kBlue},  // alpha max 0: nothing shows
                      OpacityCase{255, 255, true, kRed}, OpacityCase{0, 255, true, kBlue},
                      OpacityCase{128, 255, true, PxRgbQuad{99, 0, 100, 0}},
                      OpacityCase{255, 127, true, PxRgbQuad{100, 0, 99, 0}}));

TEST(ImageBlend, TransparentIndexOfTheSourceKeepsTheTarget) {
    PxImage source = Filled(3, 1, kRed);
    source.SetPixelColor(1, 0, kBlack);
    source.SetTransIndex(0);
    source.SetTransColor(kBlack);
    PxImage target = Filled(3, 1, kBlue);
    ASSERT_TRUE(target.BlendFrom(source, 0, 0, 3, 1, 0, 0));
    EXPECT_EQ(target.GetPixelColor(0, 0), kRed);
    EXPECT_EQ(target.GetPixelColor(1, 0), kBlue);

    PxImage palette(2, 1, 8);
    palette.SetPaletteColor(1, 0, 200, 0);
    palette.SetPixelIndex(0, 0, 1);
    palette.SetPixelIndex(1, 0, 0);
    palette.SetTransIndex(0);
    PxImage other = Filled(2, 1, kBlue);
    ASSERT_TRUE(other.BlendFromEx(palette, 0, 0, 2, 1, 0, 0, false, true));
    EXPECT_EQ(other.GetPixelColor(0, 0), (PxRgbQuad{0, 200, 0, 0}));
    EXPECT_EQ(other.GetPixelColor(1, 0), kBlue);
}

TEST(ImageBlend, MixAlphaWritesTheResultOpacity) {
    PxImage source = Filled(2, 1, kRed);
    ASSERT_TRUE(source.AlphaCreate());
    source.AlphaSet(0, 0, 255);
    source.AlphaSet(1, 0, 0);
    PxImage target = Filled(2, 1, kBlue);
    ASSERT_TRUE(target.BlendFromEx(source, 0, 0, 2, 1, 0, 0, true, true));
    ASSERT_TRUE(target.AlphaIsValid());
    EXPECT_EQ(target.AlphaGet(0, 0), 255);
    EXPECT_EQ(target.AlphaGet(1, 0), 0); // a see-through source pixel clears the target
    EXPECT_EQ(target.GetPixelColor(1, 0, false), kBlue);

    // BlendFrom too: the colour stays, the opacity under a see-through pixel becomes 0.
    PxImage plain = Filled(2, 1, kBlue);
    ASSERT_TRUE(plain.BlendFrom(source, 0, 0, 2, 1, 0, 0, true));
    EXPECT_EQ(plain.AlphaGet(0, 0), 255);
    EXPECT_EQ(plain.GetPixelColor(0, 0, false), kRed);
    EXPECT_EQ(plain.AlphaGet(1, 0), 0);
    EXPECT_EQ(plain.GetPixelColor(1, 0, false), kBlue);
    // A keyed (transparent-colour) source pixel counts as see-through as well.
    PxImage keyedSource = Filled(2, 1, kRed);
    ASSERT_TRUE(keyedSource.AlphaCreate());
    keyedSource.SetPixelColor(1, 0, kBlack);
    keyedSource.SetTransIndex(0);
    keyedSource.SetTransColor(kBlack);
    PxImage underKey = Filled(2, 1, kBlue);
    ASSERT_TRUE(underKey.BlendFrom(keyedSource, 0, 0, 2, 1, 0, 0, true));
    EXPECT_EQ(underKey.AlphaGet(0, 0), 255);
    EXPECT_EQ(underKey.AlphaGet(1, 0), 0);
    EXPECT_EQ(underKey.GetPixelColor(1, 0, false), kBlue);
    // Without mix alpha nothing under a see-through pixel changes.
    PxImage untouched = Filled(2, 1, kBlue);
    ASSERT_TRUE(untouched.AlphaCreate());
    untouched.AlphaSet(1, 0, 77);
    ASSERT_TRUE(untouched.BlendFrom(source, 0, 0, 2, 1, 0, 0, false));
    EXPECT_EQ(untouched.AlphaGet(1, 0), 77);

    PxImage noAlpha = Filled(2, 1, kRed);
    PxImage keep = Filled(2, 1, kBlue);
    ASSERT_TRUE(keep.BlendFrom(noAlpha, 0, 0, 2, 1, 0, 0, true));
    EXPECT_FALSE(keep.AlphaIsValid()); // mix alpha needs a source plane
}

TEST(ImageBlend, KeyedDestinationTakesTheSourceOnlyWhenAKeyIsSet) {
    PxImage source = Filled(2, 1, kRed);
    source.SetPixelColor(1, 0, kBlack);
    source.SetTransIndex(0);
    source.SetTransColor(kBlack);
    // No key on the target: black target pixels are ordinary pixels.
    PxImage target = Filled(2, 1, kBlack);
    ASSERT_TRUE(target.BlendFromEx(source, 0, 0, 2, 1, 0, 0, false, false));
    EXPECT_EQ(target.GetPixelColor(0, 0), kRed);
    EXPECT_EQ(target.GetPixelColor(1, 0), kBlack);
    // With a key, target pixels of that colour take the source even where it is transparent.
    PxImage keyed = Filled(2, 1, kBlue);
    keyed.SetTransIndex(0);
    keyed.SetTransColor(kBlue);
    PxImage transparentSource = Filled(2, 1, PxRgbQuad{5, 6, 7, 0});
    transparentSource.SetTransIndex(0);
    transparentSource.SetTransColor(PxRgbQuad{5, 6, 7, 0});
    ASSERT_TRUE(keyed.BlendFromEx(transparentSource, 0, 0, 2, 1, 0, 0, false, false));
    EXPECT_EQ(keyed.GetPixelColor(0, 0), (PxRgbQuad{5, 6, 7, 0}));
}

TEST(ImageBlend, PaletteTargetsStoreTheNearestIndex) {
    PxImage target(2, 2, 8);
    target.SetPaletteColor(0, 0, 0, 0);
    target.SetPaletteColor(1, 190, 0, 10);
    target.Clear(0);
    PxImage source = Filled(2, 2, kRed);
    ASSERT_TRUE(target.BlendFrom(source, 0, 0, 2, 2, 0, 0));
    EXPECT_EQ(target.GetPixelIndex(1, 1), 1);
}

TEST(ImageBlend, CancelAndEmptyImages) {
    PxImage source = Filled(4, 4, kRed);
    PxImage target = Filled(4, 4, kBlue);
    target.SetCancel(1);
    EXPECT_FALSE(target.BlendFrom(source, 0, 0, 4, 4, 0, 0));
    EXPECT_EQ(target.GetPixelColor(0, 0), kBlue);
    PxImage empty;
    EXPECT_FALSE(empty.BlendFrom(source, 0, 0, 4, 4, 0, 0));
    target.SetCancel(0);
    EXPECT_FALSE(target.BlendFromEx(empty, 0, 0, 4, 4, 0, 0));
}

} // namespace
