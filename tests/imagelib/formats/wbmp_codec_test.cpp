// The WBMP codec: multi-byte sizes both ways, against netpbm's reader and writer.
#include "reference_tools.h"
#include "tests/imagelib/codecs/codec_test_util.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

namespace {

using lvtest::DecodeBytes;
using lvtest::EncodeBytes;

PxImage Bilevel(LONG width, LONG height) {
    PxImage image(width, height, 1, PXIMAGE_FORMAT_BMP);
    image.SetGreyPalette();
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            image.SetPixelIndex(x, y, static_cast<BYTE>((x * 3 + y * 5) % 7 < 3));
    return image;
}

TEST(WbmpCodec, SizesFromOneByteToThreeBytes) {
    struct Case {
        std::vector<std::uint8_t> header;
        DWORD width, height;
    };
    const Case cases[] = {
        {{0, 0, 5, 3}, 5, 3},
        {{0, 0, 0x81, 0x00, 2}, 128, 2},
        {{0, 0, 0x82, 0x2C, 0x81, 0x01}, 300, 129},
        {{0, 0x80, 0x81, 0x80, 0x01, 1}, 16385, 1}, // the fixed-header byte is not looked at
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        std::vector<std::uint8_t> file = c.header;
        const std::size_t rowBytes = (c.width + 7) / 8;
        for (DWORD y = 0; y < c.height; ++y)
            for (std::size_t i = 0; i < rowBytes; ++i)
                file.push_back(static_cast<std::uint8_t>(y == 0 && i == 0 ? 0x80 : 0));
        PxImage image;
        ASSERT_TRUE(DecodeBytes(image, file, PXIMAGE_FORMAT_WBMP)) << image.GetLastError();
        EXPECT_EQ(image.GetWidth(), c.width);
        EXPECT_EQ(image.GetHeight(), c.height);
        EXPECT_EQ(lvtest::PictureColour(image, 0, 0).rgbRed, 255); // 1 is white
        if (c.width > 1) {
            EXPECT_EQ(lvtest::PictureColour(image, 1, 0).rgbRed, 0);
        }
    }
}

TEST(WbmpCodec, WritingKeepsIndexBitsAndRefusesWhatItCannotHold) {
    PxImage image = Bilevel(200, 3);
    const auto bytes = EncodeBytes(image, PXIMAGE_FORMAT_WBMP);
    ASSERT_GE(bytes.size(), 5u);
    EXPECT_EQ(bytes[2], 0x81); // 200 as two bytes
    EXPECT_EQ(bytes[3], 0x48);
    EXPECT_EQ(bytes[4], 3);
    // A palette of (white, black) is not consulted: the picture reads back inverted.
    image.SetPaletteColor(0, 255, 255, 255);
    image.SetPaletteColor(1, 0, 0, 0);
    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, EncodeBytes(image, PXIMAGE_FORMAT_WBMP), PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_EQ(back.GetFormat(), PXIMAGE_FORMAT_WBMP);
    EXPECT_EQ(back.GetPixelIndex(7, 1), image.GetPixelIndex(7, 1));
    EXPECT_NE(back.GetPixelColor(7, 1).rgbRed, image.GetPixelColor(7, 1).rgbRed);

    for (PxImage refused : {Bilevel(300, 10), lvtest::PalettePattern(10, 10, 8)}) {
        EXPECT_TRUE(EncodeBytes(refused, PXIMAGE_FORMAT_WBMP).empty());
        EXPECT_STREQ(refused.GetLastError(), "Can't save this image as WBMP");
    }
}

TEST(WbmpCrossCheck, NetpbmReadsOursAndWeReadTheirs) {
    LV_REQUIRE_TOOL("wbmptopbm");
    LV_REQUIRE_TOOL("pbmtowbmp");
    lvtest::ScratchDir dir;
    PxImage image = Bilevel(150, 9);
    lvtest::WriteBytes(dir / "ours.wbmp", EncodeBytes(image, PXIMAGE_FORMAT_WBMP));
    const auto pbm = lvtest::ToolOutput("wbmptopbm", {(dir / "ours.wbmp").string()});
    ASSERT_TRUE(pbm);
    lvtest::WriteBytes(dir / "ours.pbm", *pbm);
    const auto theirs = lvtest::ReadPnm(dir / "ours.pbm");
    ASSERT_TRUE(theirs);
    EXPECT_EQ(lvtest::CountDifferences(image, *theirs), 0);

    const auto wbmp = lvtest::ToolOutput("pbmtowbmp", {(dir / "ours.pbm").string()});
    ASSERT_TRUE(wbmp);
    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, *wbmp, PXIMAGE_FORMAT_WBMP)) << back.GetLastError();
    EXPECT_EQ(lvtest::CountDifferences(back, *theirs), 0);
}

} // namespace
