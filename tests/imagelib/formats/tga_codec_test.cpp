// The TGA codec: hand-made files for the header variants (colour-map entry sizes, packets
// crossing rows, orientation bits), ImageMagick's files read by us and ours by it.
#include "reference_tools.h"
#include "tests/imagelib/codecs/codec_test_util.h"
#include "tests/support/scratch_dir.h"
#include "util/le_bytes.h"

#include <gtest/gtest.h>

namespace {

using lvtest::DecodeBytes;
using lvtest::EncodeBytes;

struct TgaHeader {
    std::uint8_t mapType = 0, type = 2;
    std::uint16_t mapLength = 0;
    std::uint8_t mapEntryBits = 0;
    std::uint16_t width = 1, height = 1;
    std::uint8_t depth = 24, descriptor = 0;
};

std::vector<std::uint8_t> Tga(const TgaHeader& h, const std::vector<std::uint8_t>& body) {
    std::vector<std::uint8_t> out;
    lv::ByteWriter w(out);
    w.u8(0);
    w.u8(h.mapType);
    w.u8(h.type);
    w.u16(0);
    w.u16(h.mapLength);
    w.u8(h.mapEntryBits);
    w.u16(0);
    w.u16(0);
    w.u16(h.width);
    w.u16(h.height);
    w.u8(h.depth);
    w.u8(h.descriptor);
    w.bytes(body);
    return out;
}

TEST(TgaDecode, HeaderVariantsAndPackets) {
    PxImage image;
    // 16-bit colour-map entries (the entry size is honoured), 8-bit indices.
    TgaHeader mapped;
    mapped.mapType = 1;
    mapped.type = 1;
    mapped.mapLength = 2;
    mapped.mapEntryBits = 16;
    mapped.width = 2;
    mapped.depth = 8;
    ASSERT_TRUE(DecodeBytes(image, Tga(mapped, {0xFF, 0x7F, 0x1F, 0x00, 1, 0}), PXIMAGE_FORMAT_TGA))
        << image.GetLastError();
    EXPECT_EQ(image.GetPaletteColor(0), (PxRgbQuad{248, 248, 248, 0}));
    EXPECT_EQ(image.GetPaletteColor(1), (PxRgbQuad{248, 0, 0, 0}));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);

    // A 16-bit pixel 0x7FFF is (248, 248, 248).
    TgaHeader sixteen;
    sixteen.depth = 16;
    ASSERT_TRUE(DecodeBytes(image, Tga(sixteen, {0xFF, 0x7F}), PXIMAGE_FORMAT_TGA));
    EXPECT_EQ(image.GetPixelColor(0, 0, false), (PxRgbQuad{248, 248, 248, 0}));

    // A run packet of 5 crossing from the first row (3 wide) into the second, then a raw one.
    TgaHeader rle;
    rle.type = 10;
    rle.width = 3;
    rle.height = 2;
    ASSERT_TRUE(DecodeBytes(image, Tga(rle, {0x84, 1, 2, 3, 0x00, 9, 8, 7}), PXIMAGE_FORMAT_TGA))
        << image.GetLastError();
    EXPECT_EQ(image.GetPixelColor(2, 0, false), (PxRgbQuad{1, 2, 3, 0}));
    EXPECT_EQ(image.GetPixelColor(1, 1, false), (PxRgbQuad{1, 2, 3, 0}));
    EXPECT_EQ(image.GetPixelColor(2, 1, false), (PxRgbQuad{9, 8, 7, 0}));

    // Greyscale gets the 256-level ramp; top-to-bottom 32 bits keep alpha with its pixel.
    TgaHeader grey;
    grey.type = 3;
    grey.depth = 8;
    grey.width = 2;
    ASSERT_TRUE(DecodeBytes(image, Tga(grey, {0, 200}), PXIMAGE_FORMAT_TGA));
    EXPECT_TRUE(image.IsGreyScale());
    TgaHeader topDown;
    topDown.depth = 32;
    topDown.height = 2;
    topDown.descriptor = 0x28;
    ASSERT_TRUE(DecodeBytes(image, Tga(topDown, {1, 1, 1, 10, 2, 2, 2, 20}), PXIMAGE_FORMAT_TGA));
    EXPECT_EQ(image.GetPixelColor(0, 1, false).rgbBlue, 1); // first file row on top
    EXPECT_EQ(image.AlphaGet(0, 1), 10);
    EXPECT_EQ(image.AlphaGet(0, 0), 20);
}

TEST(TgaEncode, DepthsAndRefusal) {
    PxImage palette = lvtest::PalettePattern(5, 3, 8);
    const auto bytes = EncodeBytes(palette, PXIMAGE_FORMAT_TGA);
    ASSERT_EQ(bytes.size(), 18u + 768 + 15);
    EXPECT_EQ(bytes[1], 1);
    EXPECT_EQ(bytes[2], 1);
    PxImage alpha = lvtest::ColourPattern(4, 2);
    alpha.AlphaCreate();
    alpha.AlphaSet(1, 0, 100);
    alpha.SetAlphaMax(128);
    const auto rgba = EncodeBytes(alpha, PXIMAGE_FORMAT_TGA);
    ASSERT_EQ(rgba.size(), 18u + 4 * 8);
    EXPECT_EQ(rgba[16], 32);
    EXPECT_EQ(rgba[18 + 4 + 3], 100 * 128 / 255);
    PxImage four = lvtest::PalettePattern(4, 4, 4);
    EXPECT_TRUE(EncodeBytes(four, PXIMAGE_FORMAT_TGA).empty());
    EXPECT_STREQ(four.GetLastError(), "Bit depth must be 8 or 24");
}

// netpbm is the reference here: the installed ImageMagick stores and reads rows the other way
// up from what the descriptor says.
TEST(TgaCrossCheck, NetpbmReadsOursAndWeReadTheirs) {
    LV_REQUIRE_TOOL("ppmtotga");
    LV_REQUIRE_TOOL("tgatoppm");
    lvtest::ScratchDir dir;
    PxImage colours = lvtest::ColourPattern(41, 13);
    ASSERT_TRUE(colours.Save(("Z:" + (dir / "source.bmp").string()).c_str(), PXIMAGE_FORMAT_BMP));
    const auto ppm = lvtest::ToolOutput("bmptoppm", {(dir / "source.bmp").string()});
    ASSERT_TRUE(ppm);
    lvtest::WriteBytes(dir / "source.ppm", *ppm);
    const auto grey = lvtest::ToolOutput("ppmtopgm", {(dir / "source.ppm").string()});
    ASSERT_TRUE(grey);
    lvtest::WriteBytes(dir / "source.pgm", *grey);
    const auto few = lvtest::ToolOutput("pnmquant", {"100", (dir / "source.ppm").string()});
    ASSERT_TRUE(few);
    lvtest::WriteBytes(dir / "few.ppm", *few);
    const std::vector<std::vector<std::string>> variants = {
        {"-rgb", "source.ppm"}, {"-rgb", "-norle", "source.ppm"}, {"-mono", "source.pgm"},
        {"-cmap", "few.ppm"},   {"-cmap", "-norle", "few.ppm"},
    };
    for (const auto& options : variants) {
        std::vector<std::string> args(options.begin(), options.end() - 1);
        args.push_back((dir / options.back()).string());
        SCOPED_TRACE(options.front() + " " + options.back());
        const auto tga = lvtest::ToolOutput("ppmtotga", args);
        ASSERT_TRUE(tga);
        PxImage ours;
        ASSERT_TRUE(DecodeBytes(ours, *tga, PXIMAGE_FORMAT_TGA)) << ours.GetLastError();
        const auto theirs = lvtest::ReadPnm(dir / options.back());
        ASSERT_TRUE(theirs);
        EXPECT_EQ(lvtest::CountDifferences(ours, *theirs), 0);
    }
    PxImage alpha = colours;
    alpha.AlphaCreate();
    alpha.AlphaSet(3, 3, 0);
    for (const PxImage& picture : {colours, lvtest::PalettePattern(30, 9, 8), alpha}) {
        PxImage copy(picture);
        lvtest::WriteBytes(dir / "ours.tga", EncodeBytes(copy, PXIMAGE_FORMAT_TGA));
        const auto back = lvtest::ToolOutput("tgatoppm", {(dir / "ours.tga").string()});
        ASSERT_TRUE(back);
        lvtest::WriteBytes(dir / "ours.ppm", *back);
        const auto theirs = lvtest::ReadPnm(dir / "ours.ppm");
        ASSERT_TRUE(theirs);
        EXPECT_EQ(lvtest::CountDifferences(picture, *theirs), 0);
    }
}

} // namespace
