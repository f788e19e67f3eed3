// The PNG format class: every colour type and depth, interlacing, transparency, resolution,
// encoding with palettes, keys and alpha, and the failure texts.
#include "imagelib/px_image_png.h"

#include "codec_test_util.h"
#include "png_fixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using lvtest::DecodeBytes;
using lvtest::EncodeBytes;
using lvtest::PngOf;
using lvtest::PngRecipe;

// Sample value of pixel (x, y), channel c, for a depth: a pattern that uses the whole range.
unsigned Sample(int x, int y, int c, int depth) {
    const unsigned max = (1u << depth) - 1;
    return static_cast<unsigned>(x * 37 + y * 101 + c * 53) % (max + 1);
}

int ChannelsOf(int colorType) {
    return colorType == 0 || colorType == 3 ? 1 : colorType == 4 ? 2 : colorType == 2 ? 3 : 4;
}

// Packs the pattern into PNG rows.
void FillPattern(PngRecipe& recipe) {
    const int channels = ChannelsOf(recipe.colorType);
    const std::size_t rowBytes = lvtest::PngRowBytes(recipe);
    recipe.rows.assign(rowBytes * static_cast<std::size_t>(recipe.height), 0);
    for (int y = 0; y < recipe.height; ++y) {
        std::uint8_t* row = recipe.rows.data() + rowBytes * static_cast<std::size_t>(y);
        for (int x = 0; x < recipe.width; ++x)
            for (int c = 0; c < channels; ++c) {
                unsigned v = Sample(x, y, c, recipe.bitDepth);
                if (recipe.colorType == 3)
                    v %= static_cast<unsigned>(recipe.palette.size());
                const std::size_t i = static_cast<std::size_t>(x * channels + c);
                if (recipe.bitDepth == 16) {
                    row[2 * i] = static_cast<std::uint8_t>(v >> 8);
                    row[2 * i + 1] = static_cast<std::uint8_t>(v);
                } else if (recipe.bitDepth == 8) {
                    row[i] = static_cast<std::uint8_t>(v);
                } else {
                    const std::size_t bit = i * static_cast<std::size_t>(recipe.bitDepth);
                    row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - recipe.bitDepth - bit % 8));
                }
            }
    }
}

std::vector<lvtest::PngRgb> TestPalette(int entries) {
    std::vector<lvtest::PngRgb> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back({static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i),
                           static_cast<std::uint8_t>(i * 3)});
    return palette;
}

struct DecodeCase {
    const char* name;
    int colorType;
    int bitDepth;
    bool interlaced;
    WORD bpp;
    bool alpha;
};

class PngDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PngDecode, EveryPixel) {
    const DecodeCase& c = GetParam();
    PngRecipe recipe = PngOf(13, 11, c.colorType, c.bitDepth);
    recipe.interlaced = c.interlaced;
    if (c.colorType == 3)
        recipe.palette = TestPalette(1 << std::min(c.bitDepth, 7));
    FillPattern(recipe);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, lvtest::MakePng(recipe), PXIMAGE_FORMAT_PNG))
        << image.GetLastError();
    ASSERT_EQ(image.GetWidth(), 13u);
    ASSERT_EQ(image.GetHeight(), 11u);
    EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_PNG);
    EXPECT_EQ(image.GetBpp(), c.bpp);
    EXPECT_EQ(image.AlphaIsValid(), c.alpha);
    EXPECT_EQ(image.GetCodecOption(PXIMAGE_FORMAT_PNG), c.interlaced ? 1u : 0u);

    const int shift = c.bitDepth == 16 ? 8 : 0;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x) {
            const LONG sx = x, sy = 10 - y;
            const PxRgbQuad got = image.GetPixelColor(sx, sy, false);
            auto s = [&](int ch) { return Sample(x, y, ch, c.bitDepth) >> shift; };
            if (c.colorType == 3) {
                const auto want =
                    recipe.palette[Sample(x, y, 0, c.bitDepth) % recipe.palette.size()];
                ASSERT_EQ(image.GetPixelIndex(sx, sy),
                          Sample(x, y, 0, c.bitDepth) % recipe.palette.size());
                ASSERT_EQ(got.rgbRed, want.red) << x << "," << y;
                ASSERT_EQ(got.rgbGreen, want.green);
            } else if (c.colorType == 0) {
                ASSERT_EQ(image.GetPixelIndex(sx, sy), s(0)) << x << "," << y;
                const unsigned level =
                    c.bitDepth == 16 ? s(0) : s(0) * 255 / ((1u << c.bitDepth) - 1);
                ASSERT_EQ(got.rgbRed, level) << x << "," << y;
            } else if (c.colorType == 2 || (c.colorType == 6 && c.bitDepth == 8)) {
                ASSERT_EQ(got.rgbRed, s(0)) << x << "," << y;
                ASSERT_EQ(got.rgbGreen, s(1));
                ASSERT_EQ(got.rgbBlue, s(2));
                if (c.alpha) {
                    ASSERT_EQ(image.AlphaGet(sx, sy), s(3));
                }
            } else if (c.colorType == 4 && c.bitDepth == 16) {
                ASSERT_EQ(got.rgbRed, s(0)) << x << "," << y;
                ASSERT_EQ(got.rgbBlue, s(0));
                ASSERT_EQ(image.AlphaGet(sx, sy), s(1));
            } else if (c.colorType == 6) {
                // 16-bit RGBA is flattened over the grey background; the plane is opaque.
                const unsigned a = s(3);
                const unsigned red = (s(0) * a + 192 * (255 - a) + 127) / 255;
                ASSERT_NEAR(got.rgbRed, red, 2) << x << "," << y;
                ASSERT_EQ(image.AlphaGet(sx, sy), 255);
            } else if (c.colorType == 4) {
                const unsigned a = s(1);
                ASSERT_NEAR(image.GetPixelIndex(sx, sy), (s(0) * a + 192 * (255 - a) + 127) / 255,
                            2)
                    << x << "," << y;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Kinds, PngDecode,
                         ::testing::Values(DecodeCase{"rgb8", 2, 8, false, 24, false},
                                           DecodeCase{"rgb16", 2, 16, false, 24, false},
                                           DecodeCase{"rgba8", 6, 8, false, 24, true},
                                           DecodeCase{"rgba16", 6, 16, false, 24, true},
                                           DecodeCase{"grey1", 0, 1, false, 1, false},
                                           DecodeCase{"grey2", 0, 2, false, 4, false},
                                           DecodeCase{"grey4", 0, 4, false, 4, false},
                                           DecodeCase{"grey8", 0, 8, false, 8, false},
                                           DecodeCase{"grey16", 0, 16, false, 8, false},
                                           DecodeCase{"greyalpha8", 4, 8, false, 8, false},
                                           DecodeCase{"greyalpha16", 4, 16, false, 24, true},
                                           DecodeCase{"palette1", 3, 1, false, 1, false},
                                           DecodeCase{"palette2", 3, 2, false, 4, false},
                                           DecodeCase{"palette4", 3, 4, false, 4, false},
                                           DecodeCase{"palette8", 3, 8, false, 8, false},
                                           DecodeCase{"interlaced_rgb8", 2, 8, true, 24, false},
                                           DecodeCase{"interlaced_rgba8", 6, 8, true, 24, true},
                                           DecodeCase{"interlaced_grey2", 0, 2, true, 4, false},
                                           DecodeCase{"interlaced_palette4", 3, 4, true, 4, false}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(PngTransparency, PaletteTrns) {
    PngRecipe recipe = PngOf(4, 4, 3, 8);
    recipe.palette = TestPalette(6);
    FillPattern(recipe);

    recipe.trnsAlpha = {0};
    PxImage single;
    ASSERT_TRUE(DecodeBytes(single, lvtest::MakePng(recipe), PXIMAGE_FORMAT_PNG));
    EXPECT_EQ(single.GetTransIndex(), 0);
    EXPECT_FALSE(single.GetPaletteAlpha());

    recipe.trnsAlpha = {10, 128, 0};
    PxImage several;
    ASSERT_TRUE(DecodeBytes(several, lvtest::MakePng(recipe), PXIMAGE_FORMAT_PNG));
    EXPECT_EQ(several.GetTransIndex(), -1);
    EXPECT_TRUE(several.GetPaletteAlpha());
    EXPECT_EQ(several.GetPaletteColor(0).rgbReserved, 10);
    EXPECT_EQ(several.GetPaletteColor(1).rgbReserved, 128);
    EXPECT_EQ(several.GetPaletteColor(2).rgbReserved, 0);
    EXPECT_EQ(several.GetPaletteColor(3).rgbReserved, 255);
    EXPECT_EQ(several.GetPaletteColor(200).rgbReserved, 255);
}

// libpng hands a grey key over as a 16-bit level (its alpha array holds only the level's
// raw bytes): the level itself becomes the transparent index and its pixels stay as they are.
TEST(PngTransparency, GreyKey) {
    struct Case {
        int depth;
        std::uint16_t key;
        LONG index;
    };
    for (const Case c :
         {Case{8, 128, 128}, Case{8, 0, 0}, Case{2, 2, 2}, Case{4, 9, 9}, Case{1, 1, 1}}) {
        PngRecipe recipe = PngOf(16, 3, 0, c.depth);
        FillPattern(recipe);
        recipe.trnsGrey = c.key;
        PxImage image;
        ASSERT_TRUE(DecodeBytes(image, lvtest::MakePng(recipe), PXIMAGE_FORMAT_PNG)) << c.depth;
        EXPECT_EQ(image.GetTransIndex(), c.index) << c.depth;
        EXPECT_FALSE(image.GetPaletteAlpha()) << c.depth;
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(image.GetPixelIndex(x, 2), Sample(x, 0, 0, c.depth)) << c.depth << " x " << x;
    }

    // 16-bit grey is flattened over the background instead: no key survives the depth cut.
    PngRecipe deep = PngOf(4, 1, 0, 16);
    deep.rows = {0x12, 0x34, 0, 0, 0x12, 0x34, 0xFF, 0xFF};
    deep.trnsGrey = 0x1234;
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, lvtest::MakePng(deep), PXIMAGE_FORMAT_PNG));
    EXPECT_EQ(image.GetTransIndex(), -1);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 192);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 0);
    EXPECT_EQ(image.GetPixelIndex(2, 0), 192);
    EXPECT_EQ(image.GetPixelIndex(3, 0), 255);
}

TEST(PngTransparency, RgbKeyAndBackground) {
    PngRecipe recipe = PngOf(2, 1, 2, 8);
    recipe.rows = {10, 20, 30, 1, 2, 3};
    recipe.trnsRgb = lvtest::PngRgb{10, 20, 30};
    PxImage grey;
    ASSERT_TRUE(DecodeBytes(grey, lvtest::MakePng(recipe), PXIMAGE_FORMAT_PNG));
    EXPECT_EQ(grey.GetPixelColor(0, 0, false).rgbRed, 192);
    EXPECT_EQ(grey.GetPixelColor(1, 0, false).rgbRed, 1);

    recipe.background = lvtest::PngRgb{200, 100, 50};
    PxImage file;
    ASSERT_TRUE(DecodeBytes(file, lvtest::MakePng(recipe), PXIMAGE_FORMAT_PNG));
    const PxRgbQuad c = file.GetPixelColor(0, 0, false);
    EXPECT_EQ(c.rgbRed, 200);
    EXPECT_EQ(c.rgbGreen, 100);
    EXPECT_EQ(c.rgbBlue, 50);

    // With an alpha channel the file's background becomes the transparent colour.
    PngRecipe rgba = PngOf(1, 1, 6, 8);
    rgba.rows = {1, 2, 3, 4};
    rgba.background = lvtest::PngRgb{7, 8, 9};
    PxImage withAlpha;
    ASSERT_TRUE(DecodeBytes(withAlpha, lvtest::MakePng(rgba), PXIMAGE_FORMAT_PNG));
    EXPECT_EQ(withAlpha.GetTransColor().rgbRed, 7);
    EXPECT_EQ(withAlpha.GetTransColor().rgbBlue, 9);
    EXPECT_EQ(withAlpha.AlphaGet(0, 0), 4);
}

TEST(PngResolution, PhysChunk) {
    struct Case {
        std::uint32_t value;
        int unit;
        LONG dpi;
    };
    for (const Case c : {Case{2835, 1, 72}, Case{11811, 1, 300}, Case{3, 0, 3}}) {
        PngRecipe recipe = PngOf(2, 2, 2, 8);
        recipe.pixelsPerMetre = c.value;
        recipe.physUnit = c.unit;
        PxImage image;
        ASSERT_TRUE(DecodeBytes(image, lvtest::MakePng(recipe), PXIMAGE_FORMAT_PNG));
        EXPECT_EQ(image.GetXDPI(), c.dpi);
        EXPECT_EQ(image.GetYDPI(), c.dpi);
    }
}

TEST(PngDecodeErrors, TextsAndCancel) {
    PngRecipe recipe = PngOf(64, 64, 2, 8);
    FillPattern(recipe);
    const auto png = lvtest::MakePng(recipe);
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, {png.begin(), png.begin() + static_cast<long>(png.size() / 2)},
                             PXIMAGE_FORMAT_PNG));
    EXPECT_STREQ(image.GetLastError(), "Read Error");
    EXPECT_FALSE(image.IsValid());

    std::vector<std::uint8_t> foreign(64, 'x');
    EXPECT_FALSE(DecodeBytes(image, foreign, PXIMAGE_FORMAT_PNG));
    EXPECT_STRNE(image.GetLastError(), "");

    PxImage cancelled;
    cancelled.SetCancel(1);
    EXPECT_FALSE(DecodeBytes(cancelled, png, PXIMAGE_FORMAT_PNG));
    EXPECT_STREQ(cancelled.GetLastError(), "");

    PxImage found;
    ASSERT_TRUE(DecodeBytes(found, png, PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_EQ(found.GetFormat(), PXIMAGE_FORMAT_PNG);
}

// Encoding.

TEST(PngEncode, ColourRoundTripWithInterlaceOption) {
    for (DWORD interlace : {0u, 1u}) {
        PxImage image(9, 6, 24, PXIMAGE_FORMAT_BMP);
        for (LONG y = 0; y < 6; ++y)
            for (LONG x = 0; x < 9; ++x)
                image.SetPixelColor(x, y,
                                    PxRgbQuad{static_cast<BYTE>(x), static_cast<BYTE>(y), 77, 0});
        image.SetCodecOption(interlace, PXIMAGE_FORMAT_PNG);
        image.SetXDPI(72);
        const auto png = EncodeBytes(image, PXIMAGE_FORMAT_PNG);
        ASSERT_FALSE(png.empty()) << image.GetLastError();
        const auto ref = lvtest::DecodePngReference(png);
        EXPECT_EQ(ref.interlaced, interlace == 1);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 9; ++x) {
                const std::uint8_t* p = &ref.rgba[static_cast<std::size_t>((y * 9 + x) * 4)];
                ASSERT_EQ(p[0], 77);
                ASSERT_EQ(p[1], 5 - y);
                ASSERT_EQ(p[2], x);
                ASSERT_EQ(p[3], 255);
            }
        PxImage back;
        ASSERT_TRUE(DecodeBytes(back, png, PXIMAGE_FORMAT_PNG));
        EXPECT_EQ(back.GetCodecOption(PXIMAGE_FORMAT_PNG), interlace);
        EXPECT_EQ(back.GetXDPI(), 72);
    }
}

TEST(PngEncode, AlphaPlaneAndAlphaMax) {
    PxImage image(3, 2, 24, PXIMAGE_FORMAT_BMP);
    image.Clear(50);
    ASSERT_TRUE(image.AlphaCreate());
    image.AlphaSet(0, 1, 200);
    image.AlphaSet(1, 1, 0);
    image.SetAlphaMax(128);
    const auto ref = lvtest::DecodePngReference(EncodeBytes(image, PXIMAGE_FORMAT_PNG));
    EXPECT_EQ(ref.rgba[3], 200 * 128 / 255);
    EXPECT_EQ(ref.rgba[7], 0);
    EXPECT_EQ(ref.rgba[11], 128);
    EXPECT_EQ(ref.rgba[0], 50);
}

TEST(PngEncode, PaletteDepthsRoundTrip) {
    for (DWORD bpp : {1u, 4u, 8u}) {
        PxImage image(10, 5, bpp, PXIMAGE_FORMAT_BMP);
        for (DWORD i = 0; i < image.GetPaletteCount(); ++i)
            image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 3), 40,
                                  static_cast<BYTE>(255 - i));
        for (LONG y = 0; y < 5; ++y)
            for (LONG x = 0; x < 10; ++x)
                image.SetPixelIndex(x, y, static_cast<BYTE>((x * 3 + y) % image.GetPaletteCount()));
        const auto png = EncodeBytes(image, PXIMAGE_FORMAT_PNG);
        ASSERT_FALSE(png.empty()) << bpp;
        PxImage back;
        ASSERT_TRUE(DecodeBytes(back, png, PXIMAGE_FORMAT_PNG)) << bpp;
        EXPECT_EQ(back.GetBpp(), bpp);
        for (LONG y = 0; y < 5; ++y)
            for (LONG x = 0; x < 10; ++x) {
                ASSERT_EQ(back.GetPixelIndex(x, y), image.GetPixelIndex(x, y)) << bpp;
                ASSERT_EQ(back.GetPixelColor(x, y, false).rgbRed,
                          image.GetPixelColor(x, y, false).rgbRed);
            }
    }
}

TEST(PngEncode, TransparentIndexMovesToEntryZero) {
    PxImage image(4, 4, 8, PXIMAGE_FORMAT_BMP);
    for (int i = 0; i < 8; ++i)
        image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 30), 0, 0);
    for (LONG y = 0; y < 4; ++y)
        for (LONG x = 0; x < 4; ++x)
            image.SetPixelIndex(x, y, static_cast<BYTE>((x + y) % 8));
    image.SetTransIndex(5);
    const auto png = EncodeBytes(image, PXIMAGE_FORMAT_PNG);
    ASSERT_FALSE(png.empty());

    // The caller's image now has entries 0 and 5 swapped, pixels with them, and index 0.
    EXPECT_EQ(image.GetTransIndex(), 0);
    EXPECT_EQ(image.GetPaletteColor(0).rgbRed, 150);
    EXPECT_EQ(image.GetPaletteColor(5).rgbRed, 0);
    EXPECT_EQ(image.GetPixelIndex(2, 3), 0); // was 5
    EXPECT_EQ(image.GetPixelIndex(0, 0), 5); // was 0
    EXPECT_EQ(image.GetNearestIndex(PxRgbQuad{0, 0, 150, 0}), 0);

    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, png, PXIMAGE_FORMAT_PNG));
    EXPECT_EQ(back.GetTransIndex(), 0);
    EXPECT_EQ(back.GetPaletteColor(0).rgbRed, 150);
    // A small picture writes only the entries its pixels use.
    const auto ref = lvtest::DecodePngReference(png);
    EXPECT_EQ(ref.rgba[3], 255);
    for (LONG y = 0; y < 4; ++y)
        for (LONG x = 0; x < 4; ++x)
            EXPECT_EQ(back.GetPixelIndex(x, y), image.GetPixelIndex(x, y));
}

TEST(PngEncode, ColourKeyBecomesAlpha) {
    PxImage image(3, 1, 24, PXIMAGE_FORMAT_BMP);
    image.SetPixelColor(0, 0, PxRgbQuad{255, 0, 255, 0});
    image.SetPixelColor(1, 0, PxRgbQuad{1, 2, 3, 0});
    image.SetPixelColor(2, 0, PxRgbQuad{255, 0, 255, 0});
    image.SetTransIndex(0);
    image.SetTransColor(PxRgbQuad{255, 0, 255, 0});
    const auto ref = lvtest::DecodePngReference(EncodeBytes(image, PXIMAGE_FORMAT_PNG));
    EXPECT_EQ(ref.rgba[3], 0);
    EXPECT_EQ(ref.rgba[7], 255);
    EXPECT_EQ(ref.rgba[11], 0);
    EXPECT_EQ(ref.rgba[4], 3);
    EXPECT_FALSE(image.AlphaIsValid());
}

TEST(PngEncode, Failures) {
    PxImage image(300, 300, 24, PXIMAGE_FORMAT_BMP);
    image.Clear(3);
    lvtest::RefusingFile file;
    EXPECT_FALSE(image.Encode(&file, PXIMAGE_FORMAT_PNG));
    EXPECT_STREQ(image.GetLastError(), "Error saving PNG file");

    PxImage empty;
    EXPECT_TRUE(EncodeBytes(empty, PXIMAGE_FORMAT_PNG).empty());
    EXPECT_STREQ(empty.GetLastError(), "null image!!!");
}

} // namespace
