// Detection by trial finds each of the new formats, also behind a wrong format number, and a
// failed load by number keeps the decoder's own reason.
#include "reference_tools.h"
#include "tests/imagelib/codecs/codec_test_util.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatDetection, EachFormatIsFoundByTrial) {
    lvtest::ScratchDir dir;
    PxImage losslessTiff = lvtest::ColourPattern(12, 5);
    losslessTiff.SetCodecOption(5 /* LZW */, PXIMAGE_FORMAT_TIF);
    struct Case {
        DWORD format;
        PxImage picture;
    };
    const Case cases[] = {
        {PXIMAGE_FORMAT_GIF, lvtest::PalettePattern(12, 5, 8)},
        {PXIMAGE_FORMAT_ICO, lvtest::PalettePattern(12, 5, 4)},
        {PXIMAGE_FORMAT_TIF, losslessTiff},
        {PXIMAGE_FORMAT_TGA, lvtest::ColourPattern(12, 5)},
        {PXIMAGE_FORMAT_PCX, lvtest::ColourPattern(12, 5)},
        {PXIMAGE_FORMAT_WBMP, lvtest::PalettePattern(12, 5, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        PxImage source(c.picture);
        const std::string path = "Z:" + (dir / ("picture" + std::to_string(c.format))).string();
        ASSERT_TRUE(source.Save(path.c_str(), c.format)) << source.GetLastError();
        for (DWORD asked : {DWORD{PXIMAGE_FORMAT_UNKNOWN}, DWORD{PXIMAGE_FORMAT_BMP}, c.format}) {
            PxImage loaded;
            ASSERT_TRUE(loaded.Load(path.c_str(), asked)) << loaded.GetLastError();
            EXPECT_EQ(loaded.GetFormat(), c.format);
            EXPECT_EQ(loaded.GetWidth(), 12u);
            if (source.HasPalette())
                EXPECT_EQ(loaded.GetPixelIndex(11, 4), source.GetPixelIndex(11, 4));
            else
                EXPECT_EQ(loaded.GetPixelColor(11, 4, false), source.GetPixelColor(11, 4, false));
        }
    }
}

TEST(FormatDetection, AFailedLoadByNumberKeepsTheDecodersReason) {
    lvtest::ScratchDir dir;
    const auto path = dir / "broken.tga";
    lvtest::WriteBytes(path, {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 24, 0, 1, 2});
    PxImage image;
    EXPECT_FALSE(image.Load(("Z:" + path.string()).c_str(), PXIMAGE_FORMAT_TGA));
    EXPECT_STREQ(image.GetLastError(), "corrupted TGA");
}

} // namespace
