// PxImageWMF: the placeable header and its checks, the picture's size on a 96-pixels-per-inch
// display, the 4000-pixel clamp, the background fill, the messages, and what is drawn.
#include <gtest/gtest.h>

#include "../codecs/codec_test_util.h"
#include "../formats/reference_tools.h"
#include "imagelib/px_image_wmf.h"
#include "tests/support/metafile_writer.h"
#include "tests/support/scratch_dir.h"
#include "win32/win32.h"

namespace {

using lvtest::DecodeBytes;

// A red rectangle on the left half of a 100 x 50 window.
lvtest::WmfWriter RedHalf() {
    lvtest::WmfWriter wmf;
    wmf.SetWindowOrg(0, 0);
    wmf.SetWindowExt(100, 50);
    wmf.CreatePen(PS_NULL, 0, 0);
    wmf.CreateBrush(BS_SOLID, RGB(255, 0, 0));
    wmf.SelectObject(0);
    wmf.SelectObject(1);
    wmf.Rectangle(0, 0, 50, 50);
    return wmf;
}

PxRgbQuad FromTop(const PxImage& image, LONG x, LONG y) {
    return image.GetPixelColor(x, static_cast<LONG>(image.GetHeight()) - 1 - y, false);
}

TEST(WmfDecoder, PlaceableSizeOnTheDisplayAndWhatIsDrawn) {
    // 2880 x 1440 units at 1440 units per inch: 2 x 1 inches, 192 x 96 pixels.
    const auto bytes = RedHalf().Placeable(0, 0, 2880, 1440, 1440);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, bytes, PXIMAGE_FORMAT_WMF)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 192u);
    EXPECT_EQ(image.GetHeight(), 96u);
    EXPECT_EQ(image.GetBpp(), 24); // the display has 32 bits
    EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_WMF);
    const PxRgbQuad red = FromTop(image, 40, 48);
    EXPECT_EQ(red.rgbRed, 255);
    EXPECT_EQ(red.rgbGreen, 0);
    // The rest is the window background colour.
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const PxRgbQuad back = FromTop(image, 150, 48);
    EXPECT_EQ(back.rgbRed, GetRValue(window));
    EXPECT_EQ(back.rgbGreen, GetGValue(window));
    EXPECT_EQ(back.rgbBlue, GetBValue(window));

    // Detection by trial finds it too.
    PxImage detected;
    ASSERT_TRUE(DecodeBytes(detected, bytes, PXIMAGE_FORMAT_UNKNOWN)) << detected.GetLastError();
    EXPECT_EQ(detected.GetWidth(), 192u);
}

TEST(WmfDecoder, EnhancedMetafileBoundsAndTheClamp) {
    struct Case {
        int width, height;
        DWORD expectWidth, expectHeight;
    };
    for (const Case& c : {Case{320, 200, 320, 200}, Case{6000, 3000, 4000, 2000},
                          Case{3000, 6000, 2000, 4000}, Case{9000, 1, 4000, 1}}) {
        lvtest::EmfWriter emf(0, 0, c.width, c.height);
        emf.CreateBrush(1, BS_SOLID, RGB(0, 0, 255));
        emf.SelectObject(1);
        emf.SelectObject(0x80000000 | NULL_PEN);
        emf.Rectangle(0, 0, c.width + 1, c.height + 1);
        PxImage image;
        ASSERT_TRUE(DecodeBytes(image, emf.Bytes(), PXIMAGE_FORMAT_WMF))
            << c.width << "x" << c.height << ": " << image.GetLastError();
        EXPECT_EQ(image.GetWidth(), c.expectWidth);
        EXPECT_EQ(image.GetHeight(), c.expectHeight);
        EXPECT_EQ(FromTop(image, 0, 0).rgbBlue, 255);
    }
}

TEST(WmfDecoder, ForcedSizeReplacesTheMetafilesOwn) {
    const auto bytes = RedHalf().Placeable(0, 0, 100, 50, 96);
    PxMemoryFile file(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    PxImageWMF image;
    ASSERT_TRUE(image.Decode(&file, 40, 30)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 40u);
    EXPECT_EQ(image.GetHeight(), 30u);
    EXPECT_EQ(FromTop(image, 5, 15).rgbRed, 255);
}

// A metafile that does not start the stream is read from where it starts.
TEST(WmfDecoder, ReadsFromTheStreamPosition) {
    std::vector<std::uint8_t> bytes(7, 0xAB);
    const auto wmf = RedHalf().Placeable(0, 0, 100, 50, 96);
    bytes.insert(bytes.end(), wmf.begin(), wmf.end());
    PxMemoryFile file(bytes.data(), static_cast<DWORD>(bytes.size()));
    ASSERT_TRUE(file.Seek(7, 0));
    PxImageWMF image;
    ASSERT_TRUE(image.Decode(&file)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 100u);
    EXPECT_EQ(FromTop(image, 10, 10).rgbRed, 255);
}

struct Refusal {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* error;
};

class WmfRefusals : public testing::TestWithParam<Refusal> {};

TEST_P(WmfRefusals, FailWithTheirMessage) {
    const Refusal& c = GetParam();
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, c.bytes, PXIMAGE_FORMAT_WMF));
    EXPECT_STREQ(image.GetLastError(), c.error);
    EXPECT_FALSE(image.IsValid());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WmfRefusals,
    testing::Values(
        // A wrong checksum makes the file an enhanced metafile, which it is not.
        Refusal{"wrong_checksum", RedHalf().Placeable(0, 0, 100, 50, 96, false), "corrupted WMF"},
        Refusal{"units_per_inch_zero", RedHalf().Placeable(0, 0, 100, 50, 0), "corrupted WMF"},
        Refusal{"units_per_inch_2541", RedHalf().Placeable(0, 0, 100, 50, 2541), "corrupted WMF"},
        Refusal{"empty_box", RedHalf().Placeable(10, 10, 10, 60, 96), "empty WMF"},
        Refusal{"box_backwards", RedHalf().Placeable(100, 0, 0, 50, 96), "empty WMF"},
        Refusal{"empty_enhanced_bounds", lvtest::EmfWriter(5, 5, 5, 9).Bytes(), "empty WMF"},
        Refusal{"enhanced_bounds_backwards", lvtest::EmfWriter(0, 50, 10, 0).Bytes(), "empty WMF"},
        Refusal{"no_metafile", std::vector<std::uint8_t>(64, 0x11), "corrupted WMF"}),
    [](const testing::TestParamInfo<Refusal>& param) { return std::string(param.param.name); });

TEST(WmfDecoder, CancelAndEncode) {
    const auto bytes = RedHalf().Placeable(0, 0, 100, 50, 96);
    PxImage cancelled;
    cancelled.SetCancel(1);
    EXPECT_FALSE(DecodeBytes(cancelled, bytes, PXIMAGE_FORMAT_WMF));
    EXPECT_STREQ(cancelled.GetLastError(), "Cancelled");

    PxImage picture(4, 4, 24);
    EXPECT_TRUE(lvtest::EncodeBytes(picture, PXIMAGE_FORMAT_WMF).empty());
    EXPECT_STREQ(picture.GetLastError(), "Save WMF not supported");
    PxImageWMF direct;
    EXPECT_FALSE(direct.Encode(nullptr));
}

} // namespace

// An enhanced metafile that a packaged converter wrote from PostScript (in its form whose header
// agrees with its drawing): a filled blue square and a red outlined triangle, PostScript's y
// axis pointing up.
TEST(WmfDecoder, AMetafileOfAPackagedConverterShowsWhatItDraws) {
    LV_REQUIRE_TOOL("pstoedit");
    lvtest::ScratchDir dir;
    const std::string ps = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 100 50\n"
                           "newpath 10 10 moveto 60 10 lineto 60 40 lineto 10 40 lineto closepath\n"
                           "0 0 1 setrgbcolor fill\n"
                           "newpath 70 10 moveto 95 10 lineto 82 40 lineto closepath\n"
                           "1 0 0 setrgbcolor 2 setlinewidth stroke\nshowpage\n";
    lvtest::WriteBytes(dir / "in.ps", std::vector<std::uint8_t>(ps.begin(), ps.end()));
    ASSERT_TRUE(lvtest::RunTool(
        "pstoedit", {"-q", "-f", "emf:-OO", (dir / "in.ps").string(), (dir / "out.emf").string()}));
    const auto bytes = lvtest::ReadBytes(dir / "out.emf");
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, bytes, PXIMAGE_FORMAT_WMF)) << image.GetLastError();
    const LONG w = static_cast<LONG>(image.GetWidth()), h = static_cast<LONG>(image.GetHeight());
    ASSERT_GT(w, 20);
    // The square's middle (35, 25 of 100 x 50 up from the bottom) is blue, the triangle's
    // middle stays the background, and red shows along the triangle's base.
    const PxRgbQuad square = FromTop(image, w * 35 / 100, h / 2);
    EXPECT_EQ(square.rgbBlue, 255);
    EXPECT_EQ(square.rgbRed, 0);
    const PxRgbQuad inside = FromTop(image, w * 82 / 100, h * 25 / 50);
    EXPECT_FALSE(inside.rgbRed == 255 && inside.rgbBlue == 0);
    int red = 0;
    for (LONG x = w * 72 / 100; x < w * 93 / 100; ++x)
        for (LONG y = h * 36 / 50; y < h * 43 / 50; ++y) {
            const PxRgbQuad c = FromTop(image, x, y);
            red += c.rgbRed > 200 && c.rgbGreen < 60 && c.rgbBlue < 60;
        }
    EXPECT_GT(red, 0);
}
