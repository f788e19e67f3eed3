// BMP decoding of every variant, and encoding.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "imagelib/px_image_bmp.h"
#include "tests/imagelib/core/bmp_test_support.h"
#include "util/le_bytes.h"

namespace {

using lvtest::BmpHeaderForm;
using lvtest::BmpRle;
using lvtest::BmpSpec;

struct Variant {
    int bitCount;
    BmpRle rle;
    bool bitfields;
    BmpHeaderForm form;
    bool fileHeader;
    bool topDown;
};

std::string VariantName(const ::testing::TestParamInfo<Variant>& info) {
    const Variant& v = info.param;
    std::string name = std::to_string(v.bitCount) + "bit";
    name += v.rle == BmpRle::Rle8 ? "_rle8" : v.rle == BmpRle::Rle4 ? "_rle4" : "";
    name += v.bitfields ? "_bitfields" : "";
    const char* forms[] = {"_core", "_info", "_os2v2", "_v5"};
    name += forms[static_cast<int>(v.form)];
    name += v.fileHeader ? "" : "_headerless";
    name += v.topDown ? "_topdown" : "";
    return name;
}

std::vector<Variant> AllVariants() {
    std::vector<Variant> out;
    const BmpHeaderForm forms[] = {BmpHeaderForm::Core12, BmpHeaderForm::Info40,
                                   BmpHeaderForm::Os2v2, BmpHeaderForm::V5};
    struct Depth {
        int bits;
        BmpRle rle;
        bool bitfields;
    } depths[] = {{1, BmpRle::None, false}, {4, BmpRle::None, false},  {4, BmpRle::Rle4, false},
                  {8, BmpRle::None, false}, {8, BmpRle::Rle8, false},  {16, BmpRle::None, false},
                  {16, BmpRle::None, true}, {24, BmpRle::None, false}, {32, BmpRle::None, false}};
    for (const Depth& d : depths) {
        for (BmpHeaderForm form : forms) {
            const bool compressed = d.rle != BmpRle::None || d.bitfields;
            if (form == BmpHeaderForm::Core12 && (d.bits == 16 || d.bits == 32 || compressed))
                continue;
            if (form == BmpHeaderForm::V5 && compressed)
                continue; // longer headers are taken for uncompressed pixels only
            for (bool fileHeader : {true, false}) {
                for (bool topDown : {false, true}) {
                    if (topDown && form == BmpHeaderForm::Core12)
                        continue;
                    out.push_back({d.bits, d.rle, d.bitfields, form, fileHeader, topDown});
                }
            }
        }
    }
    return out;
}

class BmpVariants : public ::testing::TestWithParam<Variant> {};

TEST_P(BmpVariants, DecodeToExactPixels) {
    const Variant& v = GetParam();
    BmpSpec spec = lvtest::PictureSpec(v.bitCount, 13, 5);
    spec.rle = v.rle;
    spec.bitfields = v.bitfields;
    spec.form = v.form;
    spec.fileHeader = v.fileHeader;
    spec.topDown = v.topDown;
    const std::vector<std::uint8_t> bytes = lvtest::WriteBmp(spec);

    for (DWORD format : {PXIMAGE_FORMAT_BMP, PXIMAGE_FORMAT_UNKNOWN}) {
        PxImage image;
        ASSERT_TRUE(image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), format))
            << image.GetLastError();
        EXPECT_EQ(image.GetBpp(), v.bitCount <= 8 ? v.bitCount : 24);
        EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_BMP);
        EXPECT_EQ(lvtest::ComparePicture(image, spec), "");
        if (v.form != BmpHeaderForm::Core12) {
            EXPECT_EQ(image.GetXDPI(), 96);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(All, BmpVariants, ::testing::ValuesIn(AllVariants()), VariantName);

TEST(BmpDecode, SixteenBitFiveSixFiveRed) {
    BmpSpec spec;
    spec.width = 1;
    spec.height = 1;
    spec.bitCount = 16;
    spec.bitfields = true;
    spec.pixels = {0xF800};
    const auto bytes = lvtest::WriteBmp(spec);
    PxImage image;
    ASSERT_TRUE(
        image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), PXIMAGE_FORMAT_BMP));
    EXPECT_EQ(image.GetPixelColor(0, 0), (PxRgbQuad{0, 0, 248, 0}));
}

TEST(BmpDecode, UnusualMasksAreScaledWithoutShiftFaults) {
    // Masks in an order and width that the usual shift formula cannot serve.
    struct Case {
        std::array<std::uint32_t, 3> masks;
        std::uint32_t word;
        PxRgbQuad want;
    } cases[] = {
        {{0x001F, 0x07E0, 0xF800}, 0x001F, {0, 0, 248, 0}}, // red in the low bits
        {{0xFFFF, 0x0000, 0x0000}, 0x8000, {0, 0, 128, 0}}, // 16-bit wide red
        {{0x0001, 0x0002, 0x0004}, 0x0007, {128, 128, 128, 0}},
        {{0x0000, 0x0000, 0x0000}, 0xFFFF, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        BmpSpec spec;
        spec.bitCount = 16;
        spec.bitfields = true;
        spec.masks = c.masks;
        spec.pixels = {c.word};
        const auto bytes = lvtest::WriteBmp(spec);
        PxImage image;
        ASSERT_TRUE(image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()),
                                           PXIMAGE_FORMAT_BMP));
        EXPECT_EQ(image.GetPixelColor(0, 0), c.want) << std::hex << c.masks[0];
    }
}

TEST(BmpDecode, ResolutionComesFromPixelsPerMetre) {
    BmpSpec spec = lvtest::PictureSpec(24, 2, 2);
    spec.xPelsPerMeter = 11811;
    spec.yPelsPerMeter = 0;
    const auto bytes = lvtest::WriteBmp(spec);
    PxImage image;
    ASSERT_TRUE(
        image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), PXIMAGE_FORMAT_BMP));
    EXPECT_EQ(image.GetXDPI(), 300);
    EXPECT_EQ(image.GetYDPI(), 0);
}

TEST(BmpDecode, ShortPaletteUsesOnlyTheEntriesTheFileHolds) {
    // An 8-bit file with 3 palette entries and no file header: the pixels follow the three.
    BmpSpec spec;
    spec.width = 3;
    spec.height = 1;
    spec.bitCount = 8;
    spec.fileHeader = false;
    spec.palette = {{10, 0, 0}, {0, 20, 0}, {0, 0, 30}};
    spec.pixels = {2, 0, 1};
    const auto bytes = lvtest::WriteBmp(spec);
    PxImage image;
    ASSERT_TRUE(
        image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), PXIMAGE_FORMAT_BMP))
        << image.GetLastError();
    EXPECT_EQ(lvtest::ComparePicture(image, spec), "");
    EXPECT_EQ(image.GetPaletteColor(200), (PxRgbQuad{0, 0, 0, 0}));
}

TEST(BmpDecode, CancelFlagStopsTheDecoder) {
    const auto bytes = lvtest::WriteBmp(lvtest::PictureSpec(8, 4, 4));
    PxImage image(2, 2, 24);
    image.SetCancel(1);
    EXPECT_FALSE(
        image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), PXIMAGE_FORMAT_BMP));
    EXPECT_STREQ(image.GetLastError(), "Cancelled");
    EXPECT_EQ(image.GetWidth(), 2u); // the image is as it was
}

TEST(BmpEncode, ThreeByTwoTwentyFourBitsIsSeventyEightBytes) {
    PxImage image(3, 2, 24, PXIMAGE_FORMAT_BMP);
    for (LONG y = 0; y < 2; ++y)
        for (LONG x = 0; x < 3; ++x)
            image.SetPixelColorRef(x, y, RGB(x * 40, y * 90, 7));
    BYTE* buffer = nullptr;
    LONG size = 0;
    ASSERT_TRUE(image.EncodeToMemory(buffer, size, PXIMAGE_FORMAT_BMP));
    ASSERT_EQ(size, 78);
    lv::ByteReader r(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(size)));
    std::uint16_t type = 0, reserved1 = 1, reserved2 = 1, planes = 0, bits = 0;
    std::uint32_t fileSize = 0, offset = 0, headerSize = 0, compression = 9, imageSize = 0,
                  used = 9;
    std::int32_t width = 0, height = 0, xppm = 0;
    r.u16(type);
    r.u32(fileSize);
    r.u16(reserved1);
    r.u16(reserved2);
    r.u32(offset);
    r.u32(headerSize);
    r.i32(width);
    r.i32(height);
    r.u16(planes);
    r.u16(bits);
    r.u32(compression);
    r.u32(imageSize);
    r.i32(xppm);
    r.skip(4);
    r.u32(used);
    EXPECT_EQ(type, 0x4D42);
    EXPECT_EQ(fileSize, 78u);
    EXPECT_EQ(reserved1 + reserved2, 0);
    EXPECT_EQ(offset, 54u);
    EXPECT_EQ(headerSize, 40u);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(planes, 1);
    EXPECT_EQ(bits, 24);
    EXPECT_EQ(compression, 0u);
    EXPECT_EQ(imageSize, 24u);
    EXPECT_EQ(xppm, 3780);
    EXPECT_EQ(used, 0u);
    // First stored row (the bottom row), pixel 1: blue 7, green 0, red 40.
    EXPECT_EQ(buffer[54 + 3], 7);
    EXPECT_EQ(buffer[54 + 5], 40);

    PxImage back;
    ASSERT_TRUE(back.DecodeFromMemory(buffer, static_cast<DWORD>(size), PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_EQ(back.GetPixelColor(2, 1), image.GetPixelColor(2, 1));
    std::free(buffer);
}

TEST(BmpEncode, PaletteImagesRoundTrip) {
    for (DWORD bpp : {1u, 4u, 8u}) {
        PxImage image(11, 3, bpp);
        for (DWORD i = 0; i < image.GetPaletteCount(); ++i)
            image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i),
                                  static_cast<BYTE>(i * 3), 9);
        for (LONG y = 0; y < 3; ++y)
            for (LONG x = 0; x < 11; ++x)
                image.SetPixelIndex(x, y, static_cast<BYTE>(x * 5 + y));
        BYTE* buffer = nullptr;
        LONG size = 0;
        ASSERT_TRUE(image.EncodeToMemory(buffer, size, PXIMAGE_FORMAT_BMP));
        EXPECT_EQ(static_cast<DWORD>(size), 14 + image.GetSize());
        PxImage back;
        ASSERT_TRUE(back.DecodeFromMemory(buffer, static_cast<DWORD>(size), PXIMAGE_FORMAT_BMP));
        std::free(buffer);
        ASSERT_EQ(back.GetBpp(), bpp);
        for (LONG y = 0; y < 3; ++y)
            for (LONG x = 0; x < 11; ++x)
                ASSERT_EQ(back.GetPixelColor(x, y), image.GetPixelColor(x, y)) << bpp << " " << x;
    }
}

// A stream that refuses every write after a number of bytes.
class FullFile : public PxMemoryFile {
public:
    explicit FullFile(std::size_t room) : m_room(room) { Open(); }
    std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override {
        if (size * count > m_room)
            return 0;
        m_room -= size * count;
        return PxMemoryFile::Write(buffer, size, count);
    }

private:
    std::size_t m_room;
};

TEST(BmpEncode, WriteFailuresFailTheEncode) {
    PxImage image(4, 4, 24);
    for (std::size_t room : {0u, 20u, 100u}) {
        FullFile file(room);
        EXPECT_FALSE(image.Encode(&file, PXIMAGE_FORMAT_BMP)) << room;
        EXPECT_STREQ(image.GetLastError(), "Can't write BMP file");
    }
    PxImageBMP empty;
    PxMemoryFile file;
    file.Open();
    EXPECT_FALSE(empty.Encode(&file));
    EXPECT_STREQ(empty.GetLastError(), "null image!!!");
    EXPECT_FALSE(image.Encode(nullptr, PXIMAGE_FORMAT_BMP));
    EXPECT_STREQ(image.GetLastError(), "null file handler");
}

} // namespace

namespace {

// Hand-written run-length streams on a 4 x 2 picture; rows are listed bottom row first.
TEST(BmpDecode, RunLengthCodes) {
    struct Case {
        const char* name;
        lvtest::BmpRle rle;
        std::vector<std::uint8_t> stream;
        std::array<std::array<BYTE, 4>, 2> rows;
    } cases[] = {
        {"rle8 runs and end of line",
         lvtest::BmpRle::Rle8,
         {3, 5, 0, 0, 4, 6, 0, 1},
         {{{5, 5, 5, 0}, {6, 6, 6, 6}}}},
        {"rle8 absolute run with pad",
         lvtest::BmpRle::Rle8,
         {0, 3, 1, 2, 3, 0, 1, 9, 0, 1},
         {{{1, 2, 3, 9}, {0, 0, 0, 0}}}},
        {"rle8 delta",
         lvtest::BmpRle::Rle8,
         {1, 7, 0, 2, 2, 1, 1, 8, 0, 1},
         {{{7, 0, 0, 0}, {0, 0, 0, 8}}}},
        {"rle4 alternates nibbles",
         lvtest::BmpRle::Rle4,
         {4, 0x12, 0, 0, 3, 0x34, 0, 1},
         {{{1, 2, 1, 2}, {3, 4, 3, 0}}}},
        {"rle4 absolute run",
         lvtest::BmpRle::Rle4,
         {0, 3, 0x56, 0x70, 0, 1},
         {{{5, 6, 7, 0}, {0, 0, 0, 0}}}},
        {"end of data without end code",
         lvtest::BmpRle::Rle8,
         {2, 4},
         {{{4, 4, 0, 0}, {0, 0, 0, 0}}}},
    };
    for (const Case& c : cases) {
        BmpSpec spec = lvtest::PictureSpec(c.rle == lvtest::BmpRle::Rle4 ? 4 : 8, 4, 2);
        spec.rle = c.rle;
        std::vector<std::uint8_t> bytes = lvtest::WriteBmp(spec);
        const std::size_t header = 54 + spec.palette.size() * 4;
        bytes.resize(header);
        bytes.insert(bytes.end(), c.stream.begin(), c.stream.end());
        PxImage image;
        ASSERT_TRUE(image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()),
                                           PXIMAGE_FORMAT_BMP))
            << c.name << ": " << image.GetLastError();
        for (LONG y = 0; y < 2; ++y)
            for (LONG x = 0; x < 4; ++x)
                EXPECT_EQ(image.GetPixelIndex(x, y), c.rows[y][x])
                    << c.name << " at " << x << "," << y;
    }
}

} // namespace
