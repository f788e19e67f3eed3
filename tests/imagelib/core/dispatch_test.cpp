// Load, Save, Encode and Decode by format number.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "imagelib/px_image.h"
#include "tests/imagelib/core/bmp_test_support.h"
#include "tests/support/scratch_dir.h"

namespace {

std::string WindowsPath(const std::filesystem::path& host) {
    return "Z:" + host.string();
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

TEST(ImageDispatch, UnknownFormatsAnswerAsUnknown) {
    PxImage image(4, 4, 24);
    PxMemoryFile file;
    ASSERT_TRUE(file.Open());
    for (DWORD format : {0u, 16u, 1000u}) {
        EXPECT_FALSE(image.Encode(&file, format)) << format;
        EXPECT_STREQ(image.GetLastError(), "Encode: Unknown format");
    }
    EXPECT_EQ(file.Size(), 0);

    const auto bytes = lvtest::WriteBmp(lvtest::PictureSpec(24, 3, 3));
    for (DWORD format : {16u, 1000u}) {
        EXPECT_FALSE(image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), format))
            << format;
        EXPECT_STREQ(image.GetLastError(), "Decode: Unknown or wrong format");
        EXPECT_EQ(image.GetWidth(), 4u);
    }
}

TEST(ImageDispatch, DetectionByTrialRestartsAtTheStartPosition) {
    // A BMP that begins 5 bytes into the stream.
    std::vector<std::uint8_t> bytes = {'j', 'u', 'n', 'k', '!'};
    const auto bmp = lvtest::WriteBmp(lvtest::PictureSpec(8, 5, 2));
    bytes.insert(bytes.end(), bmp.begin(), bmp.end());
    PxMemoryFile file(bytes.data(), static_cast<DWORD>(bytes.size()));
    ASSERT_TRUE(file.Seek(5, 0));
    PxImage image;
    ASSERT_TRUE(image.Decode(&file, PXIMAGE_FORMAT_UNKNOWN)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 5u);

    const std::vector<std::uint8_t> garbage(100, 0x5A);
    EXPECT_FALSE(image.DecodeFromMemory(garbage.data(), 100, PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_STREQ(image.GetLastError(), "Decode: Unknown or wrong format");
    EXPECT_EQ(image.GetWidth(), 5u);
    EXPECT_FALSE(image.Decode(nullptr, PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_STREQ(image.GetLastError(), "null file handler");
}

TEST(ImageDispatch, DecoderSeesTheCallersSettings) {
    const auto bytes = lvtest::WriteBmp(lvtest::PictureSpec(24, 3, 3));
    PxImage image;
    image.SetJpegQuality(33);
    image.SetCodecOption(5, PXIMAGE_FORMAT_PNG);
    ASSERT_TRUE(
        image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), PXIMAGE_FORMAT_BMP));
    EXPECT_EQ(image.GetJpegQuality(), 33);
    EXPECT_EQ(image.GetCodecOption(PXIMAGE_FORMAT_PNG), 5u);
    EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_BMP);
}

TEST(ImageDispatch, MemoryEncodeRules) {
    PxImage image(2, 2, 8);
    BYTE dummy = 0;
    BYTE* buffer = &dummy;
    LONG size = 0;
    EXPECT_FALSE(image.EncodeToMemory(buffer, size, PXIMAGE_FORMAT_BMP));
    EXPECT_EQ(buffer, &dummy);
    buffer = nullptr;
    EXPECT_FALSE(image.EncodeToMemory(buffer, size, PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_EQ(buffer, nullptr);
    PxImage empty;
    EXPECT_FALSE(empty.EncodeToMemory(buffer, size, PXIMAGE_FORMAT_BMP));
    EXPECT_STREQ(empty.GetLastError(), "null image!!!");
    EXPECT_EQ(buffer, nullptr);
}

class ImageFiles : public ::testing::Test {
protected:
    lvtest::ScratchDir dir;
};

TEST_F(ImageFiles, SaveAndLoadThroughWindowsPaths) {
    PxImage image(6, 4, 24);
    for (LONG y = 0; y < 4; ++y)
        for (LONG x = 0; x < 6; ++x)
            image.SetPixelColorRef(x, y, RGB(x * 10, y * 20, 99));
    const std::string path = WindowsPath(dir / "picture.bmp");
    ASSERT_TRUE(image.Save(path.c_str(), PXIMAGE_FORMAT_BMP)) << image.GetLastError();
    EXPECT_EQ(std::filesystem::file_size(dir / "picture.bmp"), 14u + image.GetSize());

    PxImage loaded;
    ASSERT_TRUE(loaded.Load(path.c_str(), PXIMAGE_FORMAT_UNKNOWN)) << loaded.GetLastError();
    EXPECT_EQ(loaded.GetPixelColor(5, 3), image.GetPixelColor(5, 3));

    // A wrong format number still loads when detection recognises the file.
    PxImage wrong;
    EXPECT_TRUE(wrong.Load(path.c_str(), PXIMAGE_FORMAT_PNG)) << wrong.GetLastError();
    EXPECT_EQ(wrong.GetFormat(), PXIMAGE_FORMAT_BMP);

    EXPECT_FALSE(image.Save(WindowsPath(dir / "x.bmp").c_str(), PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_STREQ(image.GetLastError(), "Encode: Unknown format");
    EXPECT_FALSE(loaded.Load(WindowsPath(dir / "missing.bmp").c_str(), PXIMAGE_FORMAT_BMP));
    EXPECT_FALSE(
        image.Save(WindowsPath(dir / "no" / "such" / "folder.bmp").c_str(), PXIMAGE_FORMAT_BMP));
}

TEST_F(ImageFiles, FailedLoadKeepsTheAskedDecodersReason) {
    auto bytes = lvtest::WriteBmp(lvtest::PictureSpec(24, 8, 8));
    bytes.resize(bytes.size() / 2);
    WriteFile(dir / "cut.bmp", bytes);
    PxImage image(3, 3, 24);
    EXPECT_FALSE(image.Load(WindowsPath(dir / "cut.bmp").c_str(), PXIMAGE_FORMAT_BMP));
    EXPECT_STREQ(image.GetLastError(), "BMP data truncated");
    EXPECT_EQ(image.GetWidth(), 3u);
    EXPECT_FALSE(image.Load(WindowsPath(dir / "cut.bmp").c_str(), PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_STREQ(image.GetLastError(), "Decode: Unknown or wrong format");
}

TEST_F(ImageFiles, FileHandlesStayTheCallers) {
    PxImage image(2, 2, 24);
    FILE* handle = std::tmpfile();
    ASSERT_TRUE(image.EncodeFileHandle(handle, PXIMAGE_FORMAT_BMP));
    std::rewind(handle);
    PxImage back;
    ASSERT_TRUE(back.DecodeFileHandle(handle, PXIMAGE_FORMAT_BMP));
    EXPECT_EQ(std::fseek(handle, 0, SEEK_SET), 0); // still open
    std::fclose(handle);
    EXPECT_FALSE(image.EncodeFileHandle(nullptr, PXIMAGE_FORMAT_BMP));
    EXPECT_STREQ(image.GetLastError(), "null file handler");
    EXPECT_FALSE(image.DecodeFileHandle(nullptr, PXIMAGE_FORMAT_BMP));
}

TEST_F(ImageFiles, WriteErrorsFailTheSave) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    PxImage image(64, 64, 24);
    image.Clear(0);
    EXPECT_FALSE(image.Save("Z:/dev/full", PXIMAGE_FORMAT_BMP));
    EXPECT_STRNE(image.GetLastError(), "");
}

} // namespace
