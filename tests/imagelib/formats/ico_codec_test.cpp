// The ICO codec: hand-made icons for the mask rules, ImageMagick's multi-size icons (with a
// 256-pixel PNG entry) read by us, and our icons read by it.
#include "reference_tools.h"
#include "tests/imagelib/codecs/codec_test_util.h"
#include "tests/support/scratch_dir.h"
#include "util/le_bytes.h"

#include <gtest/gtest.h>

namespace {

using lvtest::DecodeBytes;
using lvtest::EncodeBytes;

struct IconImage {
    int width = 4, height = 4, bits = 4;
    std::vector<PxRgbQuad> palette;
    std::vector<std::uint8_t> pixels; // bottom-up rows as stored, padded to 4 bytes
    std::vector<std::uint8_t> mask;   // bottom-up rows, padded to 4 bytes
};

std::vector<std::uint8_t> Icon(const std::vector<IconImage>& images) {
    std::vector<std::uint8_t> out;
    lv::ByteWriter w(out);
    w.u16(0);
    w.u16(1);
    w.u16(static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    std::vector<std::uint8_t> bodies;
    for (const IconImage& image : images) {
        std::vector<std::uint8_t> body;
        lv::ByteWriter b(body);
        b.u32(40);
        b.i32(image.width);
        b.i32(image.height * 2);
        b.u16(1);
        b.u16(static_cast<std::uint16_t>(image.bits));
        b.zeros(24);
        for (const PxRgbQuad& c : image.palette)
            b.bytes(&c, 4);
        b.bytes(image.pixels);
        b.bytes(image.mask);
        w.u8(static_cast<std::uint8_t>(image.width));
        w.u8(static_cast<std::uint8_t>(image.height));
        w.u8(0);
        w.u8(0);
        w.u16(1);
        w.u16(static_cast<std::uint16_t>(image.bits));
        w.u32(static_cast<std::uint32_t>(body.size()));
        w.u32(offset);
        offset += static_cast<std::uint32_t>(body.size());
        bodies.insert(bodies.end(), body.begin(), body.end());
    }
    w.bytes(bodies);
    return out;
}

// A 4 x 4, 4-bit icon whose border is masked and which never uses indices 0 to 6 but 5.
IconImage Bordered() {
    IconImage image;
    for (int i = 0; i < 16; ++i)
        image.palette.push_back({static_cast<BYTE>(i * 16), 0, 0, 0});
    image.pixels.assign(16, 0);
    for (int y = 0; y < 4; ++y) {
        image.pixels[y * 4] = 0x89;
        image.pixels[y * 4 + 1] = 0xAB;
    }
    image.pixels[0] = 0x00; // index 0 used in a masked corner
    image.mask = {0xF0, 0, 0, 0, 0x90, 0, 0, 0, 0x90, 0, 0, 0, 0xF0, 0, 0, 0};
    return image;
}

TEST(IcoDecode, MaskRules) {
    PxImage image;
    IconImage bordered = Bordered();
    // A 4-bit icon: the lowest unused index (1) marks the masked border.
    ASSERT_TRUE(DecodeBytes(image, Icon({bordered}), PXIMAGE_FORMAT_ICO));
    EXPECT_EQ(image.GetTransIndex(), 1);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
    EXPECT_EQ(image.GetPixelIndex(1, 1), 9);
    EXPECT_FALSE(image.AlphaIsValid());

    // Third of three images; its 24-bit masked pixels are all magenta.
    IconImage magenta;
    magenta.width = magenta.height = 2;
    magenta.bits = 24;
    magenta.pixels = {255, 0, 255, 1, 2, 3, 0, 0, 4, 5, 6, 255, 0, 255, 0, 0};
    magenta.mask = {0x80, 0, 0, 0, 0x40, 0, 0, 0};
    image.SetFrameIndex(2);
    ASSERT_TRUE(DecodeBytes(image, Icon({bordered, bordered, magenta}), PXIMAGE_FORMAT_ICO));
    EXPECT_EQ(image.GetNumFrames(), 3);
    EXPECT_EQ(image.GetWidth(), 2u);
    EXPECT_EQ(image.GetTransIndex(), 0);
    EXPECT_EQ(image.GetTransColor(), (PxRgbQuad{255, 0, 255, 0}));
    EXPECT_FALSE(image.AlphaIsValid());

    // 32 bits keep their alpha; the mask only adds transparency.
    IconImage alpha;
    alpha.width = alpha.height = 2;
    alpha.bits = 32;
    alpha.pixels = {1, 2, 3, 200, 4, 5, 6, 0, 7, 8, 9, 255, 1, 1, 1, 255};
    alpha.mask = {0, 0, 0, 0, 0x40, 0, 0, 0};
    PxImage withAlpha;
    ASSERT_TRUE(DecodeBytes(withAlpha, Icon({alpha}), PXIMAGE_FORMAT_ICO));
    EXPECT_EQ(withAlpha.AlphaGet(0, 0), 200);
    EXPECT_EQ(withAlpha.AlphaGet(1, 0), 0);
    EXPECT_EQ(withAlpha.AlphaGet(1, 1), 0);
    EXPECT_EQ(withAlpha.AlphaGet(0, 1), 255);

    // A mask of all ones inverts the picture and marks index 0.
    IconImage hidden = Bordered();
    hidden.mask.assign(16, 0xFF);
    PxImage inverted;
    ASSERT_TRUE(DecodeBytes(inverted, Icon({hidden}), PXIMAGE_FORMAT_ICO));
    EXPECT_EQ(inverted.GetTransIndex(), 0);
    EXPECT_EQ(inverted.GetPaletteColor(8).rgbBlue, 255 - 128);

    PxImage beyond;
    beyond.SetFrameIndex(1);
    EXPECT_FALSE(DecodeBytes(beyond, Icon({alpha}), PXIMAGE_FORMAT_ICO));
    EXPECT_EQ(beyond.GetNumFrames(), 1);
}

// A directory size byte of 0 stands for 256 pixels.
TEST(IcoDecode, BitmapEntryOf256Pixels) {
    IconImage big;
    big.width = big.height = 256;
    big.bits = 1;
    big.palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    big.pixels.assign(32 * 256, 0);
    big.pixels[32 * 255] = 0x80; // top-left pixel white
    big.mask.assign(32 * 256, 0);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, Icon({big}), PXIMAGE_FORMAT_ICO));
    EXPECT_EQ(image.GetWidth(), 256u);
    EXPECT_EQ(image.GetHeight(), 256u);
    EXPECT_EQ(lvtest::PictureColour(image, 0, 0).rgbRed, 255);
    EXPECT_EQ(lvtest::PictureColour(image, 1, 0).rgbRed, 0);
}

TEST(IcoEncode, AlphaBecomesA32BitIconWithItsMask) {
    PxImage picture = lvtest::ColourPattern(5, 3);
    picture.AlphaCreate();
    picture.AlphaSet(2, 1, 0);
    const auto bytes = EncodeBytes(picture, PXIMAGE_FORMAT_ICO);
    ASSERT_EQ(bytes.size(), 6u + 16 + 40 + 5 * 3 * 4 + 3 * 4);
    EXPECT_EQ(bytes[6 + 6], 32);
    const std::size_t mask = 6 + 16 + 40 + 60;
    EXPECT_EQ(bytes[mask + 4], 0x20); // row 1, pixel 2
    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_EQ(back.GetFormat(), PXIMAGE_FORMAT_ICO);
    EXPECT_EQ(back.AlphaGet(2, 1), 0);
    EXPECT_EQ(back.GetPixelColor(4, 2, false), picture.GetPixelColor(4, 2, false));

    PxImage wide = lvtest::ColourPattern(300, 20);
    EXPECT_TRUE(EncodeBytes(wide, PXIMAGE_FORMAT_ICO).empty());
    EXPECT_STREQ(wide.GetLastError(), "Can't save this image as icon");
}

TEST(IcoCrossCheck, MultiSizeIconsWithAPngEntry) {
    LV_REQUIRE_TOOL("convert");
    lvtest::ScratchDir dir;
    PxImage colours = lvtest::ColourPattern(256, 256);
    const std::string source = (dir / "source.bmp").string();
    ASSERT_TRUE(colours.Save(("Z:" + source).c_str(), PXIMAGE_FORMAT_BMP));
    const std::string icon = (dir / "theirs.ico").string();
    ASSERT_TRUE(
        lvtest::RunTool("convert", {source, "-define", "icon:auto-resize=16,48,256", icon}));
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        PxImage ours;
        ours.SetFrameIndex(frame);
        ASSERT_TRUE(ours.Load(("Z:" + icon).c_str(), PXIMAGE_FORMAT_ICO)) << ours.GetLastError();
        EXPECT_EQ(ours.GetNumFrames(), 3);
        EXPECT_EQ(ours.GetFormat(), PXIMAGE_FORMAT_ICO);
        ASSERT_TRUE(lvtest::RunTool("convert", {icon + "[" + std::to_string(frame) + "]", "-depth",
                                                "8", (dir / "frame.ppm").string()}));
        const auto theirs = lvtest::ReadPnm(dir / "frame.ppm");
        ASSERT_TRUE(theirs);
        EXPECT_EQ(lvtest::CountDifferences(ours, *theirs), 0);
    }
    PxImage palette = lvtest::PalettePattern(32, 32, 8);
    lvtest::WriteBytes(dir / "ours.ico", EncodeBytes(palette, PXIMAGE_FORMAT_ICO));
    ASSERT_TRUE(lvtest::RunTool(
        "convert", {(dir / "ours.ico").string(), "-depth", "8", (dir / "ours.ppm").string()}));
    const auto theirs = lvtest::ReadPnm(dir / "ours.ppm");
    ASSERT_TRUE(theirs);
    EXPECT_EQ(lvtest::CountDifferences(palette, *theirs), 0);
}

} // namespace
