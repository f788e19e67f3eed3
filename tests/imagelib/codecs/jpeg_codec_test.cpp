// The JPEG format class: decoding against libjpeg's own output, the option word, scaling,
// resolution, size-only and cancel requests, encoding and the EXIF carry-over.
#include "imagelib/px_image_jpg.h"

#include "codec_test_util.h"
#include "exif_builder.h"
#include "jpeg_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using lvtest::DecodeBytes;
using lvtest::EncodeBytes;

// The stored row of picture row y (counted from the top).
const BYTE* PictureRow(const PxImage& image, DWORD y) {
    return image.GetBits(image.GetHeight() - 1 - y);
}

struct DecodeCase {
    const char* name;
    int components;
    bool progressive;
    bool arithmetic;
};

class JpegDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(JpegDecode, MatchesLibjpeg) {
    const DecodeCase& c = GetParam();
    lvtest::JpegRecipe recipe = lvtest::JpegOf(37, 21, c.components);
    recipe.progressive = c.progressive;
    recipe.arithmetic = c.arithmetic;
    const auto jpeg = lvtest::MakeJpeg(recipe);
    const auto ref = lvtest::DecodeJpegReference(jpeg);

    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, jpeg, PXIMAGE_FORMAT_JPG)) << image.GetLastError();
    ASSERT_EQ(image.GetWidth(), 37u);
    ASSERT_EQ(image.GetHeight(), 21u);
    EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_JPG);
    EXPECT_EQ(image.GetBpp(), c.components == 1 ? 8 : 24);
    if (c.components == 1) {
        EXPECT_EQ(image.GetPaletteCount(), 256u);
        EXPECT_TRUE(image.IsGreyScale());
    }
    for (DWORD y = 0; y < 21; ++y) {
        const BYTE* row = PictureRow(image, y);
        for (DWORD x = 0; x < 37; ++x) {
            const std::uint8_t* s = &ref.samples[(y * 37 + x) * static_cast<DWORD>(ref.components)];
            if (c.components == 1) {
                ASSERT_EQ(row[x], s[0]) << x << "," << y;
            } else if (c.components == 3) {
                ASSERT_EQ(row[3 * x], s[2]) << x << "," << y;
                ASSERT_EQ(row[3 * x + 1], s[1]);
                ASSERT_EQ(row[3 * x + 2], s[0]);
            } else {
                ASSERT_EQ(row[3 * x], s[2] * s[3] / 255) << x << "," << y;
                ASSERT_EQ(row[3 * x + 1], s[1] * s[3] / 255);
                ASSERT_EQ(row[3 * x + 2], s[0] * s[3] / 255);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, JpegDecode,
                         ::testing::Values(DecodeCase{"grey", 1, false, false},
                                           DecodeCase{"rgb", 3, false, false},
                                           DecodeCase{"cmyk", 4, false, false},
                                           DecodeCase{"progressive", 3, true, false},
                                           DecodeCase{"arithmetic", 3, false, true}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(JpegDecodeOptions, GreyscaleOutputOfAColourJpeg) {
    PxImage image;
    image.SetCodecOption(PXJPG_OPTION_DECODE_GRAY, PXIMAGE_FORMAT_JPG);
    ASSERT_TRUE(DecodeBytes(image, lvtest::MakeJpeg(lvtest::JpegOf(16, 16)), PXIMAGE_FORMAT_JPG));
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_TRUE(image.IsGreyScale());
}

// The palette holds exactly the colours libjpeg delivered, and the bitmap stays consistent: a
// copy, a BMP round trip and the processing operations show the same pixels.
TEST(JpegDecodeOptions, QuantisedPaletteHasTheDeliveredColours) {
    struct Case {
        int components;
        DWORD options;
    };
    for (const Case c :
         {Case{3, PXJPG_OPTION_QUANTIZE}, Case{3, PXJPG_OPTION_QUANTIZE | PXJPG_OPTION_ONE_PASS},
          Case{1, PXJPG_OPTION_QUANTIZE}}) {
        PxImage image;
        image.SetCodecOption(c.options, PXIMAGE_FORMAT_JPG);
        image.SetJpegQuality(64);
        ASSERT_TRUE(DecodeBytes(image, lvtest::MakeJpeg(lvtest::JpegOf(40, 30, c.components)),
                                PXIMAGE_FORMAT_JPG))
            << image.GetLastError();
        ASSERT_EQ(image.GetBpp(), 8);
        const DWORD colours = image.GetPaletteCount();
        EXPECT_GT(colours, 1u);
        EXPECT_LE(colours, 64u);
        EXPECT_EQ(image.GetSize(), 40 + colours * 4 + image.GetHeader().biSizeImage);

        PxImage copy(image);
        EXPECT_EQ(copy.GetPaletteCount(), colours);
        PxImage flipped(image);
        ASSERT_TRUE(flipped.Rotate180());
        EXPECT_EQ(flipped.GetPaletteCount(), colours);
        auto bmp = EncodeBytes(image, PXIMAGE_FORMAT_BMP);
        PxImage fromBmp;
        ASSERT_TRUE(DecodeBytes(fromBmp, bmp, PXIMAGE_FORMAT_BMP));
        auto same = [](PxRgbQuad a, PxRgbQuad b) {
            return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
        };
        for (LONG y = 0; y < 30; ++y) {
            for (LONG x = 0; x < 40; ++x) {
                ASSERT_LT(image.GetPixelIndex(x, y), colours);
                const PxRgbQuad a = image.GetPixelColor(x, y, false);
                ASSERT_TRUE(same(a, copy.GetPixelColor(x, y, false)));
                ASSERT_TRUE(same(a, fromBmp.GetPixelColor(x, y, false)));
                ASSERT_TRUE(same(a, flipped.GetPixelColor(39 - x, 29 - y, false)));
                if (c.components == 1) {
                    ASSERT_TRUE(a.rgbRed == a.rgbGreen && a.rgbGreen == a.rgbBlue);
                }
            }
        }
    }
}

TEST(JpegDecodeOptions, TooFewColoursIsLibjpegsError) {
    PxImage image;
    image.SetCodecOption(PXJPG_OPTION_QUANTIZE, PXIMAGE_FORMAT_JPG);
    image.SetJpegQuality(2);
    EXPECT_FALSE(DecodeBytes(image, lvtest::MakeJpeg(lvtest::JpegOf(8, 8)), PXIMAGE_FORMAT_JPG));
    EXPECT_NE(std::string(image.GetLastError()).find("quantize"), std::string::npos)
        << image.GetLastError();
}

TEST(JpegDecodeOptions, ScaleDenominators) {
    struct Case {
        BYTE scale;
        DWORD width;
        DWORD height;
    };
    const Case cases[] = {{0, 64, 48}, {1, 64, 48}, {2, 32, 24}, {3, 32, 24},
                          {4, 16, 12}, {7, 16, 12}, {8, 8, 6},   {200, 8, 6}};
    const auto jpeg = lvtest::MakeJpeg(lvtest::JpegOf(64, 48));
    for (const Case& c : cases) {
        PxImage image;
        image.SetJpegScale(c.scale);
        ASSERT_TRUE(DecodeBytes(image, jpeg, PXIMAGE_FORMAT_JPG)) << int(c.scale);
        EXPECT_EQ(image.GetWidth(), c.width) << int(c.scale);
        EXPECT_EQ(image.GetHeight(), c.height) << int(c.scale);

        PxImage sizeOnly;
        sizeOnly.SetJpegScale(c.scale);
        sizeOnly.SetCancel(static_cast<DWORD>(-1));
        ASSERT_TRUE(DecodeBytes(sizeOnly, jpeg, PXIMAGE_FORMAT_JPG));
        EXPECT_FALSE(sizeOnly.IsValid());
        EXPECT_EQ(sizeOnly.GetWidth(), c.width);
        EXPECT_EQ(sizeOnly.GetHeight(), c.height);
    }
}

TEST(JpegDecodeOptions, CancelFailsWithoutTouchingTheErrorText) {
    PxImage image;
    image.SetCancel(1);
    EXPECT_FALSE(DecodeBytes(image, lvtest::MakeJpeg(lvtest::JpegOf(8, 8)), PXIMAGE_FORMAT_JPG));
    EXPECT_STREQ(image.GetLastError(), "");
    EXPECT_FALSE(image.IsValid());
}

TEST(JpegResolution, FromJfifAndExif) {
    struct Case {
        const char* name;
        int unit;
        int density;
        int exifRes; // 0: no EXIF block
        int exifUnit;
        LONG dpi;
    };
    const Case cases[] = {
        {"dots per centimetre", 2, 118, 0, 0, 300},
        {"dots per inch", 1, 72, 0, 0, 72},
        {"aspect only", 0, 1, 0, 0, 1},
        {"EXIF inch", 1, 300, 72, 2, 72},
        {"EXIF centimetre", 1, 300, 28, 3, 71},
    };
    for (const Case& c : cases) {
        lvtest::JpegRecipe recipe = lvtest::JpegOf(8, 8);
        recipe.densityUnit = c.unit;
        recipe.xDensity = recipe.yDensity = c.density;
        auto jpeg = lvtest::MakeJpeg(recipe);
        if (c.exifRes) {
            lvtest::ExifBuilder b(true);
            lvtest::ExifDirectory ifd0;
            ifd0.entries = {b.Rational(0x011A, c.exifRes, 1), b.Rational(0x011B, c.exifRes, 1),
                            b.Short(0x0128, static_cast<std::uint16_t>(c.exifUnit))};
            jpeg = lvtest::InsertAfterSoi(jpeg, b.Segment({ifd0}));
        }
        PxImage image;
        ASSERT_TRUE(DecodeBytes(image, jpeg, PXIMAGE_FORMAT_JPG)) << c.name;
        EXPECT_EQ(image.GetXDPI(), c.dpi) << c.name;
        EXPECT_EQ(image.GetYDPI(), c.dpi) << c.name;
    }
}

TEST(JpegDecodeErrors, EmptyAndForeignInput) {
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, {}, PXIMAGE_FORMAT_JPG));
    EXPECT_STREQ(image.GetLastError(), "Empty input file");
    std::vector<std::uint8_t> text(100, 'x');
    EXPECT_FALSE(DecodeBytes(image, text, PXIMAGE_FORMAT_JPG));
    EXPECT_NE(std::string(image.GetLastError()).find("Not a JPEG file"), std::string::npos);
}

TEST(JpegDecodeErrors, TruncatedStreamDecodesWhatIsThere) {
    auto jpeg = lvtest::MakeJpeg(lvtest::JpegOf(64, 64));
    jpeg.resize(jpeg.size() / 2);
    PxImage image;
    EXPECT_TRUE(DecodeBytes(image, jpeg, PXIMAGE_FORMAT_JPG)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 64u);
}

TEST(JpegDecodeErrors, OversizedPictureIsRefusedBeforeDecoding) {
    auto jpeg = lvtest::MakeJpeg(lvtest::JpegOf(16, 16));
    // Patch the frame header to 65000 x 65000 pixels.
    for (std::size_t i = 2; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = jpeg[i + 7] = 0xFD;
            jpeg[i + 6] = jpeg[i + 8] = 0xE8;
            break;
        }
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, jpeg, PXIMAGE_FORMAT_JPG));
    EXPECT_STREQ(image.GetLastError(), "PXIMAGE_MAX_MEMORY exceeded");
}

TEST(JpegDecode, DetectedByTrial) {
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, lvtest::MakeJpeg(lvtest::JpegOf(9, 5)), PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_JPG);
    EXPECT_EQ(image.GetWidth(), 9u);
}

// Encoding.

PxImage ColourPicture(LONG width, LONG height) {
    PxImage image(width, height, 24, PXIMAGE_FORMAT_BMP);
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            image.SetPixelColor(
                x, y, PxRgbQuad{static_cast<BYTE>(x * 4), static_cast<BYTE>(y * 4), 200, 0});
    return image;
}

TEST(JpegEncode, ColourRoundTrip) {
    PxImage image = ColourPicture(40, 24);
    image.SetJpegQuality(100);
    image.SetXDPI(150);
    image.SetYDPI(75);
    const auto jpeg = EncodeBytes(image, PXIMAGE_FORMAT_JPG);
    ASSERT_FALSE(jpeg.empty()) << image.GetLastError();

    const auto jfif = lvtest::JpegSegmentPayload(jpeg, 0xE0);
    ASSERT_GE(jfif.size(), 12u);
    EXPECT_EQ(jfif[7], 1);
    EXPECT_EQ(jfif[8] << 8 | jfif[9], 150);
    EXPECT_EQ(jfif[10] << 8 | jfif[11], 75);

    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, jpeg, PXIMAGE_FORMAT_JPG));
    ASSERT_EQ(back.GetBpp(), 24);
    EXPECT_EQ(back.GetXDPI(), 150);
    for (LONG y = 0; y < 24; ++y)
        for (LONG x = 0; x < 40; ++x) {
            const PxRgbQuad a = image.GetPixelColor(x, y, false);
            const PxRgbQuad b = back.GetPixelColor(x, y, false);
            ASSERT_NEAR(a.rgbRed, b.rgbRed, 6) << x << "," << y;
            ASSERT_NEAR(a.rgbGreen, b.rgbGreen, 6);
            ASSERT_NEAR(a.rgbBlue, b.rgbBlue, 6);
        }
}

TEST(JpegEncode, GreyPicturesOfEveryDepth) {
    for (DWORD bpp : {1u, 4u, 8u}) {
        const LONG width = 13, height = 7;
        PxImage image(width, height, bpp, PXIMAGE_FORMAT_BMP);
        for (DWORD i = 0; i < image.GetPaletteCount(); ++i)
            image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i),
                                  static_cast<BYTE>(i));
        for (LONG y = 0; y < height; ++y)
            for (LONG x = 0; x < width; ++x)
                image.SetPixelIndex(x, y, static_cast<BYTE>((x + y) % image.GetPaletteCount()));
        image.SetJpegQuality(100);
        const auto jpeg = EncodeBytes(image, PXIMAGE_FORMAT_JPG);
        ASSERT_FALSE(jpeg.empty()) << bpp << image.GetLastError();
        const auto ref = lvtest::DecodeJpegReference(jpeg);
        ASSERT_EQ(ref.components, 1);
        for (LONG y = 0; y < height; ++y)
            for (LONG x = 0; x < width; ++x)
                ASSERT_NEAR(ref.samples[static_cast<std::size_t>((height - 1 - y) * width + x)],
                            image.GetPixelIndex(x, y), 2)
                    << bpp << ": " << x << "," << y;
    }
}

TEST(JpegEncode, ColourPaletteIsRefused) {
    PxImage image(4, 4, 8, PXIMAGE_FORMAT_BMP);
    image.SetGreyPalette();
    image.SetPaletteColor(3, 255, 0, 0);
    EXPECT_TRUE(EncodeBytes(image, PXIMAGE_FORMAT_JPG).empty());
    EXPECT_STREQ(image.GetLastError(), "JPEG can save only RGB or GreyScale images");
}

TEST(JpegEncode, WriteFailureIsReported) {
    PxImage image = ColourPicture(300, 300);
    lvtest::RefusingFile file;
    EXPECT_FALSE(image.Encode(&file, PXIMAGE_FORMAT_JPG));
    EXPECT_NE(std::string(image.GetLastError()).find("write"), std::string::npos)
        << image.GetLastError();
}

TEST(JpegEncode, OptionWord) {
    struct Case {
        const char* name;
        DWORD options;
        int quality;
        int frameMarker;
        int components;
    };
    const Case cases[] = {
        {"baseline", 0, 90, 0xC0, 3},
        {"low quality without baseline tables", 0, 5, 0xC1, 3},
        {"low quality with baseline tables", PXJPG_OPTION_FORCE_BASELINE, 5, 0xC0, 3},
        {"arithmetic", PXJPG_OPTION_ARITHMETIC, 90, 0xC9, 3},
        {"greyscale", PXJPG_OPTION_GRAYSCALE, 90, 0xC0, 1},
        {"optimised", PXJPG_OPTION_OPTIMIZE, 90, 0xC0, 3},
        {"progressive", PXJPG_OPTION_PROGRESSIVE, 90, 0xC2, 3},
    };
    for (const Case& c : cases) {
        PxImage image = ColourPicture(32, 32);
        image.SetCodecOption(c.options, PXIMAGE_FORMAT_JPG);
        image.SetJpegQuality(static_cast<BYTE>(c.quality));
        const auto jpeg = EncodeBytes(image, PXIMAGE_FORMAT_JPG);
        ASSERT_FALSE(jpeg.empty()) << c.name;
        const auto markers = lvtest::JpegMarkers(jpeg);
        EXPECT_NE(std::find(markers.begin(), markers.end(), c.frameMarker), markers.end())
            << c.name;
        const auto frame = lvtest::JpegSegmentPayload(jpeg, c.frameMarker);
        ASSERT_GE(frame.size(), 6u) << c.name;
        EXPECT_EQ(frame[5], c.components) << c.name;
        PxImage back;
        EXPECT_TRUE(DecodeBytes(back, jpeg, PXIMAGE_FORMAT_JPG)) << c.name;
    }

    // Quality and optimised tables change the size of the stream.
    PxImage image = ColourPicture(64, 64);
    image.SetJpegQuality(95);
    const auto fine = EncodeBytes(image, PXIMAGE_FORMAT_JPG);
    image.SetJpegQuality(20);
    const auto coarse = EncodeBytes(image, PXIMAGE_FORMAT_JPG);
    image.SetCodecOption(PXJPG_OPTION_OPTIMIZE, PXIMAGE_FORMAT_JPG);
    const auto optimised = EncodeBytes(image, PXIMAGE_FORMAT_JPG);
    EXPECT_LT(coarse.size(), fine.size());
    EXPECT_LT(optimised.size(), coarse.size());
}

TEST(JpegEncode, SmoothingFactor) {
    PxImageJPG codec;
    EXPECT_EQ(codec.GetSmoothingFactor(), 0);
    EXPECT_EQ(codec.GetDitherMode(), PxImageJPG::kDitherFloydSteinberg);
    EXPECT_FALSE(codec.SetSmoothingFactor(101));
    EXPECT_FALSE(codec.SetDitherMode(3));

    PxImage source = ColourPicture(32, 32);
    auto encodeWith = [&](int factor) {
        PxImageJPG jpg;
        jpg.Copy(source);
        jpg.SetCodecOption(PXJPG_OPTION_SMOOTHING, PXIMAGE_FORMAT_JPG);
        EXPECT_TRUE(jpg.SetSmoothingFactor(factor));
        PxMemoryFile out;
        EXPECT_TRUE(out.Open());
        EXPECT_TRUE(jpg.Encode(&out));
        return lvtest::Contents(out);
    };
    EXPECT_NE(encodeWith(0), encodeWith(80));
}

// EXIF carry-over: one object decodes a camera file and encodes again.
class JpegExifCarryOver : public ::testing::TestWithParam<bool> {};

TEST_P(JpegExifCarryOver, KeepsTheExifAndCommentSections) {
    lvtest::ExifBuilder b(GetParam());
    lvtest::ExifDirectory ifd0;
    ifd0.entries = {b.Ascii(0x010F, "Makerly"), b.Rational(0x011A, 240, 1),
                    b.Rational(0x011B, 240, 1), b.Short(0x0128, 2)};
    const auto exifPayload = b.Payload({ifd0});
    const std::string comment = "from the camera";
    auto camera = lvtest::MakeJpeg(lvtest::JpegOf(20, 10));
    camera =
        lvtest::InsertAfterSoi(camera, lvtest::JpegSegment(0xFE, {comment.begin(), comment.end()}));
    camera = lvtest::InsertAfterSoi(camera, lvtest::JpegSegment(0xE1, exifPayload));

    PxImageJPG jpg;
    PxMemoryFile in(camera.data(), static_cast<DWORD>(camera.size()));
    ASSERT_TRUE(jpg.Decode(&in)) << jpg.GetLastError();
    EXPECT_TRUE(jpg.GetExifInfo().isExif);
    EXPECT_STREQ(jpg.GetExifInfo().cameraMake, "Makerly");
    EXPECT_EQ(jpg.GetXDPI(), 240);

    PxMemoryFile out;
    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(jpg.Encode(&out)) << jpg.GetLastError();
    const auto written = lvtest::Contents(out);
    const auto markers = lvtest::JpegMarkers(written);
    ASSERT_GE(markers.size(), 3u);
    EXPECT_EQ(markers[1], 0xE1);
    EXPECT_EQ(markers[2], 0xFE);
    EXPECT_EQ(std::count(markers.begin(), markers.end(), 0xE0), 0);
    EXPECT_EQ(lvtest::JpegSegmentPayload(written, 0xE1), exifPayload);
    const auto kept = lvtest::JpegSegmentPayload(written, 0xFE);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), comment);

    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, written, PXIMAGE_FORMAT_JPG));
    EXPECT_EQ(back.GetWidth(), 20u);
    EXPECT_EQ(back.GetXDPI(), 240);

    // Saving through the dispatch uses a fresh temporary: no EXIF travels.
    PxImage plain;
    ASSERT_TRUE(DecodeBytes(plain, camera, PXIMAGE_FORMAT_JPG));
    const auto saved = EncodeBytes(plain, PXIMAGE_FORMAT_JPG);
    EXPECT_TRUE(lvtest::JpegSegmentPayload(saved, 0xE1).empty());
}

INSTANTIATE_TEST_SUITE_P(BothOrders, JpegExifCarryOver, ::testing::Values(false, true),
                         [](const auto& param) { return param.param ? "Motorola" : "Intel"; });

} // namespace
