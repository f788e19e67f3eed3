// The JPEG and PNG codecs on disk files: Save and Load by format number and by detection, and
// the EXIF carry-over through a stdio stream.
#include "imagelib/px_image_jpg.h"

#include "codec_test_util.h"
#include "exif_builder.h"
#include "jpeg_fixtures.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string WindowsPath(const std::filesystem::path& host) {
    return "Z:" + host.string();
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CodecFiles : public ::testing::Test {
protected:
    lvtest::ScratchDir dir;
};

TEST_F(CodecFiles, SaveAndLoadBothFormats) {
    PxImage image(21, 9, 24);
    for (LONG y = 0; y < 9; ++y)
        for (LONG x = 0; x < 21; ++x)
            image.SetPixelColorRef(x, y, RGB(x * 4, y * 8, 128));
    image.SetJpegQuality(100);
    for (DWORD format : {PXIMAGE_FORMAT_JPG, PXIMAGE_FORMAT_PNG}) {
        const std::string path = WindowsPath(dir / ("picture" + std::to_string(format)));
        ASSERT_TRUE(image.Save(path.c_str(), format)) << image.GetLastError();
        PxImage loaded;
        ASSERT_TRUE(loaded.Load(path.c_str(), PXIMAGE_FORMAT_UNKNOWN)) << loaded.GetLastError();
        EXPECT_EQ(loaded.GetFormat(), format);
        EXPECT_EQ(loaded.GetWidth(), 21u);
        const PxRgbQuad a = image.GetPixelColor(20, 8), b = loaded.GetPixelColor(20, 8);
        const int tolerance = format == PXIMAGE_FORMAT_PNG ? 0 : 8; // JPEG halves the chroma
        EXPECT_NEAR(a.rgbRed, b.rgbRed, tolerance);
        EXPECT_NEAR(a.rgbGreen, b.rgbGreen, tolerance);
        EXPECT_NEAR(a.rgbBlue, b.rgbBlue, tolerance);

        // Asked as BMP, the file still loads through detection.
        PxImage wrong;
        EXPECT_TRUE(wrong.Load(path.c_str(), PXIMAGE_FORMAT_BMP)) << wrong.GetLastError();
        EXPECT_EQ(wrong.GetFormat(), format);
    }
}

TEST_F(CodecFiles, CorruptFileKeepsTheJpegDecodersReason) {
    WriteFile(dir / "corrupt.jpg", std::vector<std::uint8_t>(300, 'x'));
    PxImage image;
    EXPECT_FALSE(image.Load(WindowsPath(dir / "corrupt.jpg").c_str(), PXIMAGE_FORMAT_JPG));
    EXPECT_NE(std::string(image.GetLastError()).find("Not a JPEG file"), std::string::npos)
        << image.GetLastError();
}

TEST_F(CodecFiles, ExifTravelsThroughStdioStreams) {
    lvtest::ExifBuilder b(false);
    lvtest::ExifDirectory ifd0;
    ifd0.entries = {b.Ascii(0x0110, "Model 5"), b.Rational(0x011A, 180, 1),
                    b.Rational(0x011B, 180, 1), b.Short(0x0128, 2)};
    const auto exif = b.Payload({ifd0});
    WriteFile(dir / "camera.jpg", lvtest::InsertAfterSoi(lvtest::MakeJpeg(lvtest::JpegOf(30, 20)),
                                                         lvtest::JpegSegment(0xE1, exif)));

    PxImageJPG jpg;
    {
        PxStdioFile in;
        ASSERT_TRUE(in.Open(WindowsPath(dir / "camera.jpg").c_str(), "rb"));
        ASSERT_TRUE(jpg.Decode(&in)) << jpg.GetLastError();
    }
    EXPECT_STREQ(jpg.GetExifInfo().cameraModel, "Model 5");
    EXPECT_EQ(jpg.GetXDPI(), 180);
    {
        PxStdioFile out;
        ASSERT_TRUE(out.Open(WindowsPath(dir / "copy.jpg").c_str(), "w+b"));
        ASSERT_TRUE(jpg.Encode(&out)) << jpg.GetLastError();
    }
    const auto written = ReadFile(dir / "copy.jpg");
    EXPECT_EQ(lvtest::JpegSegmentPayload(written, 0xE1), exif);
    PxImage back;
    ASSERT_TRUE(back.Load(WindowsPath(dir / "copy.jpg").c_str(), PXIMAGE_FORMAT_JPG));
    EXPECT_EQ(back.GetWidth(), 30u);
    EXPECT_EQ(back.GetXDPI(), 180);
}

} // namespace
