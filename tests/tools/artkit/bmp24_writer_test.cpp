#include "tools/artkit/bmp24_writer.h"

#include "imagelib/px_image.h"
#include "util/le_bytes.h"

#include <gtest/gtest.h>

namespace {

TEST(Bmp24Writer, WritesBottomUpRowsPaddedToFourBytesThatTheDecoderReads) {
    Canvas canvas(3, 2, RGB(10, 20, 30));
    canvas.SetPixel(0, 0, RGB(255, 0, 0));
    canvas.SetPixel(2, 1, RGB(0, 0, 255));
    const std::vector<std::uint8_t> file = EncodeBmp24(canvas);
    ASSERT_EQ(file.size(), 14u + 40u + 2u * 12u);

    lv::ByteReader r(file);
    std::uint16_t magic = 0;
    std::uint32_t fileSize = 0;
    r.u16(magic);
    r.u32(fileSize);
    EXPECT_EQ(magic, 0x4D42);
    EXPECT_EQ(fileSize, file.size());
    // The first stored row is the bottom one: its last pixel is blue (B, G, R order).
    EXPECT_EQ(file[54 + 6], 255);
    EXPECT_EQ(file[54 + 7], 0);
    EXPECT_EQ(file[54 + 9], 0); // padding
    // The top row begins with red.
    EXPECT_EQ(file[54 + 12 + 2], 255);

    PxImage image;
    ASSERT_TRUE(
        image.DecodeFromMemory(file.data(), static_cast<DWORD>(file.size()), PXIMAGE_FORMAT_BMP));
    EXPECT_EQ(image.GetWidth(), 3u);
    EXPECT_EQ(image.GetHeight(), 2u);
    EXPECT_EQ(PxImage::RgbQuadToRgb(image.GetPixelColor(0, 1, false)), RGB(255, 0, 0));
    EXPECT_EQ(PxImage::RgbQuadToRgb(image.GetPixelColor(2, 0, false)), RGB(0, 0, 255));
    EXPECT_EQ(PxImage::RgbQuadToRgb(image.GetPixelColor(1, 0, false)), RGB(10, 20, 30));
}

TEST(Canvas, RoundedCornersAreKeyColouredOutsideTheCurve) {
    Canvas canvas(20, 20, RGB(200, 200, 200));
    canvas.RoundedFrame({0, 0, 20, 20}, 5, RGB(0, 0, 0), true, false);
    EXPECT_EQ(canvas.Pixel(0, 0), Canvas::kKey);
    EXPECT_EQ(canvas.Pixel(19, 0), Canvas::kKey);
    EXPECT_NE(canvas.Pixel(0, 19), Canvas::kKey);
    EXPECT_EQ(canvas.Pixel(10, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(10, 10), RGB(200, 200, 200));
    EXPECT_EQ(canvas.Pixel(0, 10), RGB(0, 0, 0));
}

} // namespace
