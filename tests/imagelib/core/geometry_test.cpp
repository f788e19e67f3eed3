// Flip, mirror, rotations, crop, negative and resampling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "imagelib/px_image.h"
#include "imagelib/px_interpolation_kernels.h"

namespace {

// An image whose every pixel differs, at the given depth (palette images get a distinct
// palette entry per index).
PxImage Pattern(LONG width, LONG height, DWORD bpp, bool alpha = false) {
    PxImage image(width, height, bpp);
    for (DWORD i = 0; i < image.GetPaletteCount(); ++i)
        image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i),
                              static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3));
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            const LONG n = x * 7 + y * 13;
            if (bpp == 24)
                image.SetPixelColor(
                    x, y,
                    PxRgbQuad{static_cast<BYTE>(x), static_cast<BYTE>(y), static_cast<BYTE>(n), 0});
            else
                image.SetPixelIndex(x, y, static_cast<BYTE>(n));
        }
    }
    if (alpha) {
        image.AlphaCreate();
        for (LONG y = 0; y < height; ++y)
            for (LONG x = 0; x < width; ++x)
                image.AlphaSet(x, y, static_cast<BYTE>(x + 3 * y));
    }
    return image;
}

std::string Differs(const PxImage& a, const PxImage& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || a.GetBpp() != b.GetBpp())
        return "shape";
    for (LONG y = 0; y < static_cast<LONG>(a.GetHeight()); ++y)
        for (LONG x = 0; x < static_cast<LONG>(a.GetWidth()); ++x)
            if (!(a.GetPixelColor(x, y) == b.GetPixelColor(x, y)))
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
    return {};
}

class EveryDepth : public ::testing::TestWithParam<DWORD> {};

TEST_P(EveryDepth, IdentitiesOfFlipMirrorAndTurns) {
    const DWORD bpp = GetParam();
    const PxImage original = Pattern(70, 67, bpp, true); // more than one 64-pixel tile

    PxImage image(original);
    ASSERT_TRUE(image.Flip());
    EXPECT_EQ(image.GetPixelColor(3, 0), original.GetPixelColor(3, 66));
    ASSERT_TRUE(image.Flip());
    EXPECT_EQ(Differs(image, original), "");

    ASSERT_TRUE(image.Mirror());
    EXPECT_EQ(image.GetPixelColor(0, 5), original.GetPixelColor(69, 5));
    ASSERT_TRUE(image.Mirror());
    EXPECT_EQ(Differs(image, original), "");

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(image.RotateLeft());
    EXPECT_EQ(Differs(image, original), "");
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(image.RotateRight());
    EXPECT_EQ(Differs(image, original), "");
    ASSERT_TRUE(image.RotateLeft());
    ASSERT_TRUE(image.RotateRight());
    EXPECT_EQ(Differs(image, original), "");

    PxImage half;
    ASSERT_TRUE(image.Rotate180(&half));
    EXPECT_EQ(half.GetPixelColor(69 - 4, 66 - 9), original.GetPixelColor(4, 9));
    ASSERT_TRUE(half.Rotate180());
    EXPECT_EQ(Differs(half, original), "");
    EXPECT_EQ(Differs(image, original), ""); // an output leaves the source alone
}

TEST_P(EveryDepth, CropCopiesTheRectangleCountedFromTheTop) {
    const DWORD bpp = GetParam();
    PxImage original = Pattern(20, 12, bpp, true);
    PxImage crop;
    ASSERT_TRUE(original.Crop(8, 2, 3, 7, &crop));
    EXPECT_EQ(crop.GetWidth(), 5u);
    EXPECT_EQ(crop.GetHeight(), 5u);
    // Top-left of the crop is picture (3, 2), stored row 12 - 1 - 2.
    EXPECT_EQ(crop.GetPixelColor(0, 4), original.GetPixelColor(3, 9));
    EXPECT_EQ(crop.GetPixelColor(4, 0), original.GetPixelColor(7, 5));
    EXPECT_EQ(crop.AlphaGet(4, 0), original.AlphaGet(7, 5));
}

INSTANTIATE_TEST_SUITE_P(Depths, EveryDepth, ::testing::Values(1u, 4u, 8u, 24u));

TEST(ImageRotate, LeftTurnOfThreeByTwo) {
    PxImage image = Pattern(3, 2, 24);
    PxImage turned;
    ASSERT_TRUE(image.RotateLeft(&turned));
    EXPECT_EQ(turned.GetWidth(), 2u);
    EXPECT_EQ(turned.GetHeight(), 3u);
    // Top-left picture pixel of the result is the source's top-right one.
    EXPECT_EQ(turned.GetPixelColor(0, 2), image.GetPixelColor(2, 1));
}

TEST(ImageRotate, NinetyDegreesOfTenByTen) {
    PxImage image = Pattern(10, 10, 24, true);
    PxImage turned;
    ASSERT_TRUE(image.Rotate(90.0, &turned));
    ASSERT_EQ(turned.GetWidth(), 12u);
    ASSERT_EQ(turned.GetHeight(), 12u);
    // The turned picture is the quarter turn, somewhere in the box: find (0,0)'s colour and
    // check the whole picture against RotateRight from there.
    PxImage quarter;
    ASSERT_TRUE(image.RotateRight(&quarter));
    bool found = false;
    for (LONG oy = 0; oy <= 2 && !found; ++oy) {
        for (LONG ox = 0; ox <= 2 && !found; ++ox) {
            bool all = true;
            for (LONG y = 0; y < 10 && all; ++y)
                for (LONG x = 0; x < 10 && all; ++x)
                    all = turned.GetPixelColor(ox + x, oy + y) == quarter.GetPixelColor(x, y);
            found = all;
        }
    }
    EXPECT_TRUE(found);
}

TEST(ImageRotate, AnyAngleKeepsThePictureAndClearsTheMargin) {
    PxImage image = Pattern(40, 30, 24, true);
    PxImage turned;
    ASSERT_TRUE(image.Rotate(30.0f, &turned));
    EXPECT_GT(turned.GetWidth(), 40u);
    EXPECT_GT(turned.GetHeight(), 30u);
    EXPECT_EQ(turned.AlphaGet(0, static_cast<LONG>(turned.GetHeight()) - 1), 0);
    // Result positions sample half a pixel back, so no turn shifts the picture by one.
    ASSERT_TRUE(image.Rotate(0.0, &turned));
    EXPECT_EQ(turned.GetPixelColor(5, 5), image.GetPixelColor(4, 4));
    EXPECT_EQ(turned.GetPixelColor(40, 30), image.GetPixelColor(39, 29));
    EXPECT_FALSE(image.Rotate(std::numeric_limits<double>::quiet_NaN()));
}

TEST(ImageCrop, EmptyAndClampedRectangles) {
    PxImage image = Pattern(10, 10, 8);
    PxImage out;
    EXPECT_FALSE(image.Crop(5, 5, 5, 9, &out));
    EXPECT_FALSE(image.Crop(20, 0, 30, 5, &out)); // clamped to an empty width
    ASSERT_TRUE(image.Crop(-5, -5, 3, 100, &out));
    EXPECT_EQ(out.GetWidth(), 3u);
    EXPECT_EQ(out.GetHeight(), 10u);
    image.SetTransIndex(4);
    image.SetXDPI(300);
    ASSERT_TRUE(image.Crop(0, 0, 2, 2));
    EXPECT_EQ(image.GetTransIndex(), 4);
    EXPECT_EQ(image.GetXDPI(), 96); // the rest of the information block starts afresh
}

TEST(ImageNegative, GreyPaletteColourPaletteAndRgb) {
    PxImage grey(4, 1, 8);
    grey.SetGreyPalette();
    grey.SetPixelIndex(0, 0, 0);
    grey.SetPixelIndex(1, 0, 200);
    ASSERT_TRUE(grey.Negative());
    EXPECT_EQ(grey.GetPixelIndex(0, 0), 255);
    EXPECT_EQ(grey.GetPixelIndex(1, 0), 55);

    PxImage colour(4, 1, 4);
    colour.SetPaletteColor(1, 10, 20, 30);
    colour.SetPixelIndex(2, 0, 1);
    ASSERT_TRUE(colour.Negative());
    EXPECT_EQ(colour.GetPixelIndex(2, 0), 1);
    EXPECT_EQ(colour.GetPaletteColor(1), (PxRgbQuad{225, 235, 245, 0}));

    PxImage rgb(2, 2, 24);
    rgb.Clear(0);
    rgb.SetTransColor(PxRgbQuad{0, 0, 0, 0});
    ASSERT_TRUE(rgb.SelectionCreate());
    rgb.SelectionSet(1, 1, 1);
    ASSERT_TRUE(rgb.Negative());
    EXPECT_EQ(rgb.GetPixelColor(1, 1), (PxRgbQuad{255, 255, 255, 0}));
    EXPECT_EQ(rgb.GetPixelColor(0, 1), (PxRgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(rgb.GetTransColor(), (PxRgbQuad{255, 255, 255, 0}));
}

TEST(ImageResample, FailuresAndSameSize) {
    PxImage image = Pattern(20, 10, 24);
    EXPECT_FALSE(image.Resample(0, 10));
    EXPECT_FALSE(image.Resample(10, -1));
    PxImage copy;
    ASSERT_TRUE(image.Resample(20, 10, 1, &copy));
    EXPECT_EQ(Differs(copy, image), "");
    EXPECT_FALSE(image.Resample(1 << 20, 1 << 20)); // too large to create
    EXPECT_EQ(image.GetWidth(), 20u);
}

TEST(ImageResample, HalvingAveragesBlocksOrTakesEverySecondPixel) {
    PxImage image(100, 100, 24);
    for (LONG y = 0; y < 100; ++y)
        for (LONG x = 0; x < 100; ++x)
            image.SetPixelColor(x, y,
                                PxRgbQuad{static_cast<BYTE>(((x ^ y) & 1) * 100),
                                          static_cast<BYTE>(x), static_cast<BYTE>(2 * y), 0});
    PxImage average, nearest;
    ASSERT_TRUE(image.Resample(50, 50, 0, &average));
    ASSERT_TRUE(image.Resample(50, 50, 1, &nearest));
    for (LONG y = 0; y < 50; ++y) {
        for (LONG x = 0; x < 50; ++x) {
            const PxRgbQuad a = average.GetPixelColor(x, y);
            EXPECT_NEAR(a.rgbBlue, 50, 1) << x << "," << y;
            EXPECT_NEAR(a.rgbGreen, 2 * x + 0.5, 1);
            EXPECT_NEAR(a.rgbRed, 4 * y + 1, 1);
            EXPECT_EQ(nearest.GetPixelColor(x, y), image.GetPixelColor(2 * x, 2 * y));
        }
    }
}

TEST(ImageResample, EveryModeKeepsAFlatColourAndCarriesAlpha) {
    struct Case {
        DWORD bpp;
        int mode;
        LONG width, height;
    } cases[] = {{24, 0, 37, 23},  {24, 1, 37, 23},  {24, 2, 37, 23},
                 {24, 3, 150, 90}, {24, 2, 150, 90}, {8, 0, 37, 23},
                 {8, 2, 150, 90},  {4, 1, 150, 90},  {24, 0, 97, 3}};
    for (const Case& c : cases) {
        PxImage image(100, 60, c.bpp);
        if (c.bpp != 24)
            image.SetPaletteColor(3, 90, 140, 190);
        image.Clear(c.bpp == 24 ? 0 : 3);
        for (LONG y = 0; y < 60 && c.bpp == 24; ++y)
            for (LONG x = 0; x < 100; ++x)
                image.SetPixelColorRef(x, y, RGB(90, 140, 190));
        ASSERT_TRUE(image.AlphaCreate());
        image.AlphaSet(99, 59, 7);
        PxImage out;
        ASSERT_TRUE(image.Resample(c.width, c.height, c.mode, &out)) << c.mode;
        ASSERT_EQ(out.GetWidth(), static_cast<DWORD>(c.width));
        for (LONG y = 0; y < c.height; ++y) {
            for (LONG x = 0; x < c.width; ++x) {
                const PxRgbQuad p = out.GetPixelColor(x, y, false);
                ASSERT_NEAR(p.rgbRed, 90, 1) << c.bpp << " mode " << c.mode << " " << x << "," << y;
                ASSERT_NEAR(p.rgbGreen, 140, 1);
                ASSERT_NEAR(p.rgbBlue, 190, 1);
            }
        }
        ASSERT_TRUE(out.AlphaIsValid());
        EXPECT_EQ(out.AlphaGet(0, 0), 255);
    }
}

TEST(ImageResample, OntoItselfAndWithAnOutputThatIsItself) {
    PxImage image = Pattern(30, 20, 24, true);
    ASSERT_TRUE(image.Resample(15, 10, 2, &image));
    EXPECT_EQ(image.GetWidth(), 15u);
    ASSERT_TRUE(image.Resample(45, 30, 3));
    EXPECT_EQ(image.GetWidth(), 45u);
    ASSERT_TRUE(image.RotateLeft(&image));
    ASSERT_TRUE(image.Crop(0, 0, 5, 5, &image));
    EXPECT_EQ(image.GetWidth(), 5u);
}

TEST(ImageCancel, CancelledOperationsFailAndLeaveTheImage) {
    PxImage original = Pattern(80, 70, 24, true);
    for (int op = 0; op < 5; ++op) {
        PxImage image(original);
        image.SetCancel(1);
        bool ok = true;
        switch (op) {
        case 0:
            ok = image.Resample(40, 35, 1);
            break;
        case 1:
            ok = image.Resample(40, 35, 0);
            break;
        case 2:
            ok = image.Resample(160, 140, 2);
            break;
        case 3:
            ok = image.Rotate(30.0);
            break;
        case 4:
            ok = image.RotateLeft();
            break;
        }
        EXPECT_FALSE(ok) << op;
        image.SetCancel(0);
        EXPECT_EQ(Differs(image, original), "") << op;
    }
}

TEST(ImageGeometry, EmptyImagesAreRefused) {
    PxImage empty;
    PxImage out;
    EXPECT_FALSE(empty.Flip());
    EXPECT_FALSE(empty.Mirror());
    EXPECT_FALSE(empty.RotateLeft());
    EXPECT_FALSE(empty.Rotate180(&out));
    EXPECT_FALSE(empty.Rotate(10.0));
    EXPECT_FALSE(empty.Crop(0, 0, 1, 1));
    EXPECT_FALSE(empty.Negative());
    EXPECT_FALSE(empty.Resample(2, 2));
}

} // namespace

namespace {

// Direct forms of the bicubic (B-spline) and bilinear resampling formulas, for comparison.
PxRgbQuad BicubicReference(const PxImage& image, double sx, double sy, LONG j, LONG i) {
    const LONG width = static_cast<LONG>(image.GetWidth());
    const LONG height = static_cast<LONG>(image.GetHeight());
    const double fx = j * sx - 0.5, fy = i * sy - 0.5;
    const double ix = std::floor(fx), iy = std::floor(fy);
    double sum[3] = {0, 0, 0};
    for (int n = -1; n <= 2; ++n) {
        for (int m = -1; m <= 2; ++m) {
            const LONG x = std::clamp<LONG>(static_cast<LONG>(ix) + m, 0, width - 1);
            const LONG y = std::clamp<LONG>(static_cast<LONG>(iy) + n, 0, height - 1);
            const double w =
                PxInterpolationKernel(3, m - (fx - ix)) * PxInterpolationKernel(3, n - (fy - iy));
            const PxRgbQuad c = image.GetPixelColor(x, y);
            sum[0] += w * c.rgbBlue;
            sum[1] += w * c.rgbGreen;
            sum[2] += w * c.rgbRed;
        }
    }
    return PxRgbQuad{static_cast<BYTE>(sum[0]), static_cast<BYTE>(sum[1]),
                     static_cast<BYTE>(sum[2]), 0};
}

PxRgbQuad BilinearReference(const PxImage& image, double sx, double sy, LONG j, LONG i) {
    const LONG width = static_cast<LONG>(image.GetWidth());
    const LONG height = static_cast<LONG>(image.GetHeight());
    const double fx = j * sx, fy = i * sy;
    const LONG ix = static_cast<LONG>(fx), iy = static_cast<LONG>(fy);
    const LONG nx = std::min(ix + 1, width - 1), ny = std::min(iy + 1, height - 1);
    const double dx = fx - ix, dy = fy - iy;
    const auto channel = [&](BYTE PxRgbQuad::*c) {
        return static_cast<BYTE>(
            ((1 - dy) * (image.GetPixelColor(ix, iy).*c) + dy * (image.GetPixelColor(ix, ny).*c)) *
                (1 - dx) +
            ((1 - dy) * (image.GetPixelColor(nx, iy).*c) + dy * (image.GetPixelColor(nx, ny).*c)) *
                dx);
    };
    return PxRgbQuad{channel(&PxRgbQuad::rgbBlue), channel(&PxRgbQuad::rgbGreen),
                     channel(&PxRgbQuad::rgbRed), 0};
}

TEST(ImageResample, BicubicAndBilinearFollowTheirFormulas) {
    PxImage image(23, 17, 24);
    for (LONG y = 0; y < 17; ++y)
        for (LONG x = 0; x < 23; ++x)
            image.SetPixelColor(x, y,
                                PxRgbQuad{static_cast<BYTE>((x * 37 + y * 11) & 0xFF),
                                          static_cast<BYTE>((x * y * 5) & 0xFF),
                                          static_cast<BYTE>(y * 15), 0});
    struct Case {
        int mode;
        LONG width, height;
    } cases[] = {{2, 11, 7}, {2, 40, 33}, {3, 40, 33}, {3, 30, 10}};
    for (const Case& c : cases) {
        PxImage out;
        ASSERT_TRUE(image.Resample(c.width, c.height, c.mode, &out));
        const double sx = 23.0 / c.width, sy = 17.0 / c.height;
        for (LONG i = 0; i < c.height; ++i) {
            for (LONG j = 0; j < c.width; ++j) {
                const PxRgbQuad want = c.mode == 2 ? BicubicReference(image, sx, sy, j, i)
                                                   : BilinearReference(image, sx, sy, j, i);
                const PxRgbQuad got = out.GetPixelColor(j, i);
                ASSERT_NEAR(got.rgbBlue, want.rgbBlue, 1) << c.mode << " " << j << "," << i;
                ASSERT_NEAR(got.rgbGreen, want.rgbGreen, 1) << c.mode << " " << j << "," << i;
                ASSERT_NEAR(got.rgbRed, want.rgbRed, 1) << c.mode << " " << j << "," << i;
            }
        }
    }
}

} // namespace
