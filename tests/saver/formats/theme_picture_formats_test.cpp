// A theme holding one picture in each of GIF (animated: its first frame shows), TIFF (three
// pages: the first shows), ICO, TGA, PCX and WBMP plays them all: the headless saver captures
// each slide and every picture's colour sits in the middle of the screen.
#include "imagelib/px_image.h"
#include "imagelib/px_image_tif.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "tools/themebuilder/theme_builder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

constexpr char kTitle[] = LV_THEME_TITLE;
constexpr LONG kWidth = 40;
constexpr LONG kHeight = 30;

std::vector<std::uint8_t> Encoded(PxImage& image, DWORD format) {
    BYTE* buffer = nullptr;
    LONG size = 0;
    EXPECT_TRUE(image.EncodeToMemory(buffer, size, format)) << image.GetLastError();
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

PxImage Solid(COLORREF colour, DWORD bpp) {
    PxImage image(kWidth, kHeight, bpp, PXIMAGE_FORMAT_BMP);
    if (bpp <= 8) {
        image.SetPaletteColor(0, GetRValue(colour), GetGValue(colour), GetBValue(colour));
        image.SetPaletteColor(1, 0, 0, 0);
        image.Clear(0);
        return image;
    }
    for (LONG y = 0; y < kHeight; ++y)
        for (LONG x = 0; x < kWidth; ++x)
            image.SetPixelColorRef(x, y, colour);
    return image;
}

std::vector<std::uint8_t> AnimatedGif(COLORREF first, COLORREF second) {
    // Two frames: the second covers the first whole, so showing it would change the colour.
    PxImage a = Solid(first, 8);
    a.SetPaletteColor(1, GetRValue(second), GetGValue(second), GetBValue(second));
    std::vector<std::uint8_t> gif = Encoded(a, PXIMAGE_FORMAT_GIF);
    PxImage b = a;
    b.Clear(1);
    std::vector<std::uint8_t> frame = Encoded(b, PXIMAGE_FORMAT_GIF);
    // Frame 2: the image body of the second file (after its header, table and extension).
    const std::size_t body = 13 + 768;
    gif.pop_back(); // the trailer
    gif.insert(gif.end(), frame.begin() + static_cast<long>(body), frame.end());
    return gif;
}

std::vector<std::uint8_t> ThreePageTiff(COLORREF first) {
    PxImageTIF writer;
    PxMemoryFile out;
    EXPECT_TRUE(out.Open());
    const COLORREF pages[] = {first, RGB(1, 2, 3), RGB(4, 5, 6)};
    for (int page = 0; page < 3; ++page) {
        writer.Copy(Solid(pages[page], 24));
        writer.SetCodecOption(1, PXIMAGE_FORMAT_TIF); // uncompressed: exact colours
        EXPECT_TRUE(writer.Encode(&out, page < 2)) << writer.GetLastError();
    }
    const BYTE* bytes = out.DetachBuffer(false);
    return {bytes, bytes + out.Size()};
}

COLORREF CapturedPixel(const PxImage& capture, LONG x, LONG yFromTop) {
    return PxImage::RgbQuadToRgb(
        capture.GetPixelColor(x, static_cast<LONG>(capture.GetHeight()) - 1 - yFromTop, false));
}

TEST(ThemePictureFormats, TheSaverPlaysAPictureOfEachFormat) {
    lvtest::ScratchDir scratch;
    const fs::path programDir = scratch / "saver";
    fs::create_directories(programDir);
    const fs::path program = programDir / (std::string(kTitle) + ".scr");
    fs::copy_file(LV_SAVER_UNDER_TEST, program);

    struct Picture {
        const char* name;
        COLORREF colour;
        std::vector<std::uint8_t> data;
    };
    PxImage ico = Solid(RGB(30, 160, 60), 24);
    PxImage tga = Solid(RGB(200, 40, 160), 24);
    PxImage pcx = Solid(RGB(250, 200, 20), 24);
    PxImage wbmp(kWidth, kHeight, 1, PXIMAGE_FORMAT_BMP);
    wbmp.SetGreyPalette();
    wbmp.Clear(1); // white
    const std::vector<Picture> pictures = {
        {"moving.gif", RGB(220, 30, 30), AnimatedGif(RGB(220, 30, 30), RGB(0, 0, 0))},
        {"pages.tif", RGB(20, 90, 210), ThreePageTiff(RGB(20, 90, 210))},
        {"icon.ico", RGB(30, 160, 60), Encoded(ico, PXIMAGE_FORMAT_ICO)},
        {"truevision.tga", RGB(200, 40, 160), Encoded(tga, PXIMAGE_FORMAT_TGA)},
        {"paint.pcx", RGB(250, 200, 20), Encoded(pcx, PXIMAGE_FORMAT_PCX)},
        {"phone.wbmp", RGB(255, 255, 255), Encoded(wbmp, PXIMAGE_FORMAT_WBMP)},
    };

    constexpr COLORREF kBackground = RGB(10, 20, 30);
    lvtools::ThemeSpec spec;
    spec.header.title = kTitle;
    spec.settings.imageTime = 1;
    spec.settings.imageOrder = 0;
    spec.settings.imageSizing = 0;
    spec.settings.backgroundMode = 0;
    spec.settings.solidColor = kBackground;
    spec.settings.captionPosition = 0;
    spec.settings.transitionFlags.fill(0);
    spec.settings.transitionFlags[20] = 1; // the fade
    for (const Picture& p : pictures)
        spec.images.push_back({p.name, "", p.data});
    lvtest::WriteFileBytes(programDir / (std::string(kTitle) + ".dat"),
                           lvtools::BuildTheme(spec).bytes);

    const fs::path captures = scratch / "captures";
    const auto result =
        lvtest::RunProgram(program, {"/s"},
                           {{"LUMIVISTA_ROOT", (scratch / "root").string()},
                            {"LUMIVISTA_CAPTURE", captures.string()},
                            {"LUMIVISTA_QUIT_AFTER", std::to_string(pictures.size())},
                            {"LUMIVISTA_CLOCK", "virtual"},
                            {"LUMIVISTA_SCREEN", "160x120"}});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find(" 6 picture(s)"), std::string::npos) << result.out;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        SCOPED_TRACE(pictures[i].name);
        char name[32];
        std::snprintf(name, sizeof name, "slide-%03zu.png", i + 1);
        PxImage capture;
        ASSERT_TRUE(capture.Load((captures / name).string().c_str(), PXIMAGE_FORMAT_PNG))
            << capture.GetLastError();
        EXPECT_EQ(CapturedPixel(capture, 80, 60), pictures[i].colour);
        EXPECT_EQ(CapturedPixel(capture, 61, 46), pictures[i].colour);
        EXPECT_EQ(CapturedPixel(capture, 5, 5), kBackground);
    }
}

} // namespace
