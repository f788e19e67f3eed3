// The JPEG-2000 family through the dispatch: round trips of every format, the component model
// (grey frames, colour, reduction to 8 bits), the rate, and the encoder's refusals.
#include <gtest/gtest.h>

#include "../codecs/codec_test_util.h"
#include "jas_fixtures.h"

namespace {

using lvtest::Bytes;
using lvtest::DecodeBytes;
using lvtest::EncodeBytes;

struct RoundTrip {
    DWORD format;
    bool colour;
};

class JasRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(JasRoundTrip, LosslessSaveLoadsTheSamePixels) {
    const RoundTrip& c = GetParam();
    PxImage source = c.colour ? lvtest::JasColourPattern(37, 23) : lvtest::JasGreyPattern(37, 23);
    source.SetJpegQuality(100);
    const auto bytes = EncodeBytes(source, c.format);
    ASSERT_FALSE(bytes.empty()) << source.GetLastError();

    PxImage decoded;
    ASSERT_TRUE(DecodeBytes(decoded, bytes, c.format)) << decoded.GetLastError();
    EXPECT_EQ(decoded.GetFormat(), c.format);
    EXPECT_EQ(decoded.GetBpp(), c.colour ? 24 : 8);
    EXPECT_EQ(lvtest::MaxDifference(decoded, source), 0);
    if (!c.colour) {
        EXPECT_TRUE(decoded.IsGreyScale());
        EXPECT_EQ(decoded.GetNumFrames(), 1);
    }

    // Detection by trial finds the same picture and leaves the format number 0.
    PxImage detected;
    ASSERT_TRUE(DecodeBytes(detected, bytes, PXIMAGE_FORMAT_UNKNOWN)) << detected.GetLastError();
    EXPECT_EQ(detected.GetFormat(), PXIMAGE_FORMAT_UNKNOWN);
    EXPECT_EQ(lvtest::MaxDifference(detected, source), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, JasRoundTrip,
    testing::Values(RoundTrip{PXIMAGE_FORMAT_JP2, true}, RoundTrip{PXIMAGE_FORMAT_JP2, false},
                    RoundTrip{PXIMAGE_FORMAT_JPC, true}, RoundTrip{PXIMAGE_FORMAT_JPC, false},
                    RoundTrip{PXIMAGE_FORMAT_PGX, false}, RoundTrip{PXIMAGE_FORMAT_PNM, true},
                    RoundTrip{PXIMAGE_FORMAT_PNM, false}, RoundTrip{PXIMAGE_FORMAT_RAS, true},
                    RoundTrip{PXIMAGE_FORMAT_RAS, false}));

TEST(JasCodec, QualityZeroIsLosslessAndLowerQualityWritesLess) {
    PxImage source = lvtest::JasColourPattern(96, 64);
    source.SetJpegQuality(0);
    const auto lossless = EncodeBytes(source, PXIMAGE_FORMAT_JP2);
    PxImage decoded;
    ASSERT_TRUE(DecodeBytes(decoded, lossless, PXIMAGE_FORMAT_JP2));
    EXPECT_EQ(lvtest::MaxDifference(decoded, source), 0);

    // The rate is quality x 0.01 of the raw size: quality 50 writes about half of it.
    const std::size_t raw = 96 * 64 * 3;
    source.SetJpegQuality(50);
    const auto half = EncodeBytes(source, PXIMAGE_FORMAT_JP2);
    source.SetJpegQuality(10);
    const auto tenth = EncodeBytes(source, PXIMAGE_FORMAT_JPC);
    ASSERT_FALSE(half.empty());
    ASSERT_FALSE(tenth.empty());
    EXPECT_LE(half.size(), raw / 2 + 200);
    EXPECT_LE(tenth.size(), raw / 10 + 100);
    EXPECT_LT(tenth.size(), half.size());
    PxImage lossy;
    ASSERT_TRUE(DecodeBytes(lossy, tenth, PXIMAGE_FORMAT_JPC));
    EXPECT_LT(lvtest::MaxDifference(lossy, source), 120);
}

TEST(JasCodec, EncoderRefusals) {
    PxImage colour = lvtest::JasColourPattern(4, 4);
    EXPECT_TRUE(EncodeBytes(colour, PXIMAGE_FORMAT_PGX).empty());
    EXPECT_STREQ(colour.GetLastError(), "PGX can save only GrayScale images");

    PxImage palette(4, 4, 4, PXIMAGE_FORMAT_BMP);
    palette.SetPaletteColor(1, 200, 10, 10);
    EXPECT_TRUE(EncodeBytes(palette, PXIMAGE_FORMAT_PNM).empty());
    EXPECT_STREQ(palette.GetLastError(), "JasPer can save only RGB or GrayScale images");

    PxImage empty;
    EXPECT_TRUE(EncodeBytes(empty, PXIMAGE_FORMAT_JP2).empty());
    EXPECT_STREQ(empty.GetLastError(), "null image!!!");
}

// A picture of several planes shows one plane at a time, chosen by the frame index.
TEST(JasCodec, TwoComponentCodestreamDecodesOnePlanePerFrame) {
    std::vector<std::int32_t> first(6 * 4), second(6 * 4);
    for (std::size_t i = 0; i < first.size(); ++i) {
        first[i] = static_cast<std::int32_t>(i);
        second[i] = static_cast<std::int32_t>(200 - i);
    }
    const auto jpc = lvtest::OpenJpegFile(PxJasCodec::jpc, 6, 4, {first, second});
    ASSERT_FALSE(jpc.empty());

    PxImage image;
    image.SetFrameIndex(1);
    ASSERT_TRUE(DecodeBytes(image, jpc, PXIMAGE_FORMAT_JPC)) << image.GetLastError();
    EXPECT_EQ(image.GetNumFrames(), 2);
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_TRUE(image.IsGreyScale());
    EXPECT_EQ(lvtest::PixelFromTop(image, 0, 0).g, 200);
    EXPECT_EQ(lvtest::PixelFromTop(image, 5, 3).g, 200 - 23);

    PxImage beyond;
    beyond.SetFrameIndex(2);
    EXPECT_FALSE(DecodeBytes(beyond, jpc, PXIMAGE_FORMAT_JPC));
    EXPECT_STREQ(beyond.GetLastError(), "wrong frame!");
}

TEST(JasCodec, MoreThanSixtyFourComponentsAreRefused) {
    const std::vector<std::vector<std::int32_t>> planes(65, std::vector<std::int32_t>(4, 7));
    const auto jpc = lvtest::OpenJpegFile(PxJasCodec::jpc, 2, 2, planes);
    ASSERT_FALSE(jpc.empty());
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, jpc, PXIMAGE_FORMAT_JPC));
    EXPECT_STREQ(image.GetLastError(), "error: too much components");
}

TEST(JasCodec, TwelveBitGreyBecomesTwentyFourBits) {
    std::vector<std::int32_t> grey = {0, 4095, 2048, 1000};
    const auto jpc = lvtest::OpenJpegFile(PxJasCodec::jpc, 2, 2, {grey}, 12);
    ASSERT_FALSE(jpc.empty());
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, jpc, PXIMAGE_FORMAT_JPC)) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_EQ(lvtest::PixelFromTop(image, 0, 0), (lvtest::Bgr{0, 0, 0}));
    EXPECT_EQ(lvtest::PixelFromTop(image, 1, 0), (lvtest::Bgr{255, 255, 255}));
    EXPECT_EQ(lvtest::PixelFromTop(image, 0, 1).g, 128);
    EXPECT_EQ(lvtest::PixelFromTop(image, 1, 1).g, 62);
}

// The text and binary PNM variants, with comments, odd widths and other maximum values.
struct PnmCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    WORD bpp;
    lvtest::Bgr topLeft;
    lvtest::Bgr bottomRight;
};

class PnmVariants : public testing::TestWithParam<PnmCase> {};

TEST_P(PnmVariants, Decode) {
    const PnmCase& c = GetParam();
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, c.bytes, PXIMAGE_FORMAT_PNM)) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), c.bpp);
    const LONG w = static_cast<LONG>(image.GetWidth()), h = static_cast<LONG>(image.GetHeight());
    EXPECT_EQ(lvtest::PixelFromTop(image, 0, 0), c.topLeft);
    EXPECT_EQ(lvtest::PixelFromTop(image, w - 1, h - 1), c.bottomRight);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PnmVariants,
    testing::Values(
        PnmCase{"P1", Bytes("P1\n# a comment\n3 2\n100\n0 0\n1\n"), 1, {0, 0, 0}, {0, 0, 0}},
        PnmCase{"P1_packed_digits", Bytes("P1 2 2 1001"), 1, {0, 0, 0}, {0, 0, 0}},
        PnmCase{"P4",
                lvtest::WithData("P4\n10 2\n", {0x80, 0x40, 0x00, 0x01}),
                1,
                {0, 0, 0},
                {255, 255, 255}},
        PnmCase{"P2_four_bits", Bytes("P2 2 2 15\n0 5\n10 15\n"), 4, {0, 0, 0}, {255, 255, 255}},
        PnmCase{"P3_max_100",
                Bytes("P3\n1 2\n100\n100 0 50\n0 100 0\n"),
                24,
                {129, 0, 255},
                {0, 255, 0}},
        PnmCase{"P5_sixteen_bits",
                lvtest::WithData("P5 2 1 65535\n", {0xFF, 0xFF, 0x80, 0x00}),
                24,
                {255, 255, 255},
                {128, 128, 128}},
        PnmCase{
            "P6", lvtest::WithData("P6 1 1 255\n", {10, 20, 30}), 24, {30, 20, 10}, {30, 20, 10}}),
    [](const testing::TestParamInfo<PnmCase>& param) { return std::string(param.param.name); });

// Sun raster kinds: standard, RGB-ordered, run-length, colour map, bitmap and 32 bits.
struct RasCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    WORD bpp;
    lvtest::Bgr topLeft;
    lvtest::Bgr bottomRight;
};

class RasVariants : public testing::TestWithParam<RasCase> {};

TEST_P(RasVariants, Decode) {
    const RasCase& c = GetParam();
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, c.bytes, PXIMAGE_FORMAT_RAS)) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), c.bpp);
    const LONG w = static_cast<LONG>(image.GetWidth()), h = static_cast<LONG>(image.GetHeight());
    EXPECT_EQ(lvtest::PixelFromTop(image, 0, 0), c.topLeft);
    EXPECT_EQ(lvtest::PixelFromTop(image, w - 1, h - 1), c.bottomRight);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RasVariants,
    testing::Values(
        // Rows padded to 16 bits: one 3-byte pixel takes four bytes.
        RasCase{"standard_bgr",
                lvtest::RasFile(1, 2, 24, 1, 0, {}, {1, 2, 3, 0, 4, 5, 6, 0}),
                24,
                {1, 2, 3},
                {4, 5, 6}},
        RasCase{"rgb_order",
                lvtest::RasFile(1, 1, 24, 3, 0, {}, {1, 2, 3, 0}),
                24,
                {3, 2, 1},
                {3, 2, 1}},
        RasCase{"old_without_length",
                lvtest::RasFile(2, 1, 8, 0, 0, {}, {9, 250}, 0),
                8,
                {9, 9, 9},
                {250, 250, 250}},
        // Runs: 0x80 n v is n + 1 copies of v; 0x80 0 is one 0x80 byte.
        RasCase{
            "run_length",
            lvtest::RasFile(4, 2, 8, 2, 0, {}, {0x80, 0x02, 0x11, 0x80, 0x00, 0x80, 0x03, 0x22}),
            8,
            {0x11, 0x11, 0x11},
            {0x22, 0x22, 0x22}},
        RasCase{"colour_map",
                lvtest::RasFile(2, 1, 8, 1, 1, {10, 20, 30, 40, 50, 60}, {1, 0}),
                24,
                {60, 40, 20},
                {50, 30, 10}},
        RasCase{"bitmap",
                lvtest::RasFile(3, 1, 1, 1, 0, {}, {0x40, 0x00}),
                1,
                {255, 255, 255},
                {255, 255, 255}},
        RasCase{"xbgr_32",
                lvtest::RasFile(1, 1, 32, 1, 0, {}, {0, 7, 8, 9}),
                24,
                {7, 8, 9},
                {7, 8, 9}}),
    [](const testing::TestParamInfo<RasCase>& param) { return std::string(param.param.name); });

TEST(JasCodec, PgxSignedAndLittleEndianSamples) {
    PxImage image;
    // Signed 8-bit: -128 is black, 127 white.
    ASSERT_TRUE(
        DecodeBytes(image, lvtest::WithData("PG ML - 8 2 1\n", {0x80, 0x7F}), PXIMAGE_FORMAT_PGX))
        << image.GetLastError();
    EXPECT_EQ(lvtest::PixelFromTop(image, 0, 0), (lvtest::Bgr{0, 0, 0}));
    EXPECT_EQ(lvtest::PixelFromTop(image, 1, 0), (lvtest::Bgr{255, 255, 255}));

    PxImage wide;
    ASSERT_TRUE(
        DecodeBytes(wide, lvtest::WithData("PG LM 10 1 1\n", {0xFF, 0x03}), PXIMAGE_FORMAT_PGX))
        << wide.GetLastError();
    EXPECT_EQ(lvtest::PixelFromTop(wide, 0, 0), (lvtest::Bgr{255, 255, 255}));
}

} // namespace
