// Overflow rules, interpolation kernels and colours at fractional positions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "imagelib/px_image.h"
#include "imagelib/px_interpolation_kernels.h"

namespace {

PxImage Ramp(LONG width, LONG height) {
    PxImage image(width, height, 24);
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            image.SetPixelColor(
                x, y, PxRgbQuad{static_cast<BYTE>(10 * x), static_cast<BYTE>(10 * y), 100, 0});
    return image;
}

TEST(PxKernels, ValuesAtChosenDistances) {
    struct Case {
        int method;
        double t;
        double value;
    } cases[] = {
        {3, 0.0, 2.0 / 3.0},
        {3, 1.0, 1.0 / 6.0},
        {3, 2.0, 0.0},
        {3, 2.5, 0.0},
        {4, 0.0, 1.0},
        {4, 1.0, 0.0},
        {4, 1.5, -0.125},
        {4, 2.0, 0.0},
        {5, 0.0, 1.0},
        {5, 0.5, 0.5625},
        {5, 1.5, -0.0625},
        {5, 2.0, 0.0},
        {6, 0.0, 1.0},
        {6, 1.0, 0.0},
        {6, 7.0, 0.0},
        {7, -0.5, 1.0},
        {7, 0.5, 0.0},
        {7, 0.49, 1.0},
        {8, 0.0, 1.0},
        {8, 0.5, 0.5},
        {8, 1.0, 0.0},
        {9, 0.0, 1.0},
        {9, 0.5, 1.0 - 0.92 * 0.5},
        {10, 0.0, 1.0},
        {10, 1.0, 0.0},
        {10, 0.5, 2.0 / M_PI},
        {11, 0.0, 1.0},
        {11, 1.0, 0.0},
        {12, 0.0, M_PI / 4.0},
        {12, 1.0, 0.5 * std::cyl_bessel_j(1.0, M_PI)},
        {13, 0.0, std::sqrt(2.0 / M_PI)},
        {13, 1.0, std::exp(-2.0) * std::sqrt(2.0 / M_PI)},
        {14, 0.0, 0.75},
        {14, 1.0, 0.125},
        {14, 1.5, 0.0},
        {15, 0.0, 0.8888889},
        {15, 1.0, 0.0555556},
        {15, 2.0, 0.0},
        {16, 0.0, 1.0},
        {16, 1.0, 0.0},
        {16, 0.5, 0.5625},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(PxInterpolationKernel(c.method, c.t), c.value, 1e-6)
            << "method " << c.method << " t " << c.t;
        EXPECT_NEAR(PxInterpolationKernel(c.method, -c.t),
                    c.method == 7 ? PxInterpolationKernel(7, -c.t) : c.value, 1e-6);
    }
    EXPECT_EQ(PxKernelTaps(2), 2);
    EXPECT_EQ(PxKernelTaps(6), 12);
    EXPECT_EQ(PxKernelTaps(16), 4);
}

TEST(PxOverflow, CoordinateRules) {
    PxImage image = Ramp(5, 4);
    struct Case {
        LONG x, y;
        int method;
        LONG wantX, wantY;
    } cases[] = {
        {-1, 0, 4, 4, 0},
        {5, 0, 4, 0, 0},
        {-6, -5, 4, 4, 3},
        {12, 9, 4, 2, 1},
        {-1, 0, 5, 0, 0},
        {9, -3, 5, 4, 0},
        {-1, 0, 6, 1, 0},
        {5, 0, 6, 4, 0},
        {7, 4, 6, 2, 3},
        {-2, 2, 1, -2, 2},
        {2, 2, 4, 2, 2},
        {std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max(), 6, 3, 0},
    };
    for (const Case& c : cases) {
        LONG x = c.x, y = c.y;
        image.OverflowCoordinates(x, y, c.method);
        EXPECT_EQ(x, c.wantX) << c.x << "," << c.y << " method " << c.method;
        EXPECT_EQ(y, c.wantY) << c.x << "," << c.y << " method " << c.method;
    }
    float fx = -1.5f, fy = 9.25f;
    image.OverflowCoordinates(fx, fy, 4);
    EXPECT_FLOAT_EQ(fx, 3.5f);
    EXPECT_FLOAT_EQ(fy, 1.25f);
    fx = std::numeric_limits<float>::infinity();
    image.OverflowCoordinates(fx, fy, 5);
    EXPECT_TRUE(std::isfinite(fx));
}

TEST(PxOverflow, ColoursOutsideTheImage) {
    PxImage image = Ramp(5, 4);
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, 4), image.GetPixelColor(4, 0));
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, 6), image.GetPixelColor(1, 0));
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, 1), (PxRgbQuad{255, 255, 255, 0}));
    const PxRgbQuad given{1, 2, 3, 4};
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, 1, &given), given);
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, 99, &given), given);
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, 2, &given), given); // no transparent index
    image.SetTransIndex(0);
    image.SetTransColor(PxRgbQuad{7, 7, 7, 0});
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, 2, &given), (PxRgbQuad{7, 7, 7, 0}));
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, 3, &given), (PxRgbQuad{7, 7, 7, 0}));
    ASSERT_TRUE(image.AlphaCreate());
    EXPECT_EQ(image.GetPixelColorWithOverflow(-1, 0, 3, &given), (PxRgbQuad{1, 2, 3, 0}));
    EXPECT_EQ(image.GetPixelColorWithOverflow(2, 1, 3).rgbReserved, 255); // inside: with alpha
}

TEST(PxInterpolation, BilinearAndKernelsAtInteriorPoints) {
    PxImage image = Ramp(12, 12);
    const PxRgbQuad mid = image.GetPixelColorInterpolated(4.5f, 6.25f, 2, 1);
    EXPECT_EQ(mid.rgbBlue, 45);
    EXPECT_EQ(mid.rgbGreen, 62);
    EXPECT_EQ(mid.rgbRed, 100);
    EXPECT_EQ(image.GetPixelColorInterpolated(4.4f, 6.6f, 1, 1), image.GetPixelColor(4, 7));
    // Interpolating kernels give the pixel itself at integer positions; every kernel keeps a
    // flat area flat (within its normalisation).
    for (int method : {4, 5, 6, 10, 16}) {
        const PxRgbQuad at = image.GetPixelColorInterpolated(6.0f, 5.0f, method, 5);
        EXPECT_NEAR(at.rgbBlue, 60, 1) << method;
        EXPECT_NEAR(at.rgbGreen, 50, 1) << method;
    }
    for (int method : {3, 14, 15}) {
        const PxRgbQuad at = image.GetPixelColorInterpolated(6.3f, 5.7f, method, 5);
        EXPECT_NEAR(at.rgbRed, 100, 1) << method;
        EXPECT_NEAR(at.rgbBlue, 63, 2) << method;
    }
}

TEST(PxInterpolation, BorderFarOutsideAndInvalidPositions) {
    PxImage image = Ramp(6, 6);
    const PxRgbQuad given{9, 9, 9, 9};
    EXPECT_EQ(image.GetPixelColorInterpolated(-50.0f, 2.0f, 2, 1, &given), given);
    EXPECT_EQ(image.GetPixelColorInterpolated(-50.0f, 2.0f, 16, 1, &given), given);
    const PxRgbQuad wrapped = image.GetPixelColorInterpolated(-50.0f, 2.0f, 2, 4);
    EXPECT_EQ(wrapped.rgbRed, 100);
    const PxRgbQuad edge = image.GetPixelColorInterpolated(5.5f, 0.0f, 2, 5);
    EXPECT_EQ(edge.rgbBlue, 50);
    for (float bad : {std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity(), 1.0e30f, -1.0e30f}) {
        for (int method : {1, 2, 6, 12, 99}) {
            for (int overflow : {1, 4, 5, 6}) {
                const PxRgbQuad c =
                    image.GetPixelColorInterpolated(bad, 1.0f, method, overflow, &given);
                (void)c; // defined behaviour is what counts here
            }
        }
    }
    PxImage palette(4, 4, 8);
    palette.SetPaletteColor(1, 200, 100, 0);
    palette.Clear(1);
    const PxRgbQuad p = palette.GetPixelColorInterpolated(1.5f, 1.5f, 2, 5);
    EXPECT_EQ(p.rgbRed, 200);
    EXPECT_EQ(p.rgbReserved, 0);
}

} // namespace
