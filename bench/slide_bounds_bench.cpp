// What a small hostile file costs a slide at full HD: GIFs whose logical screen or frame claims
// far more pixels than the file holds, and frame records with huge pieces. Each file is under
// 64 KB and each slide should stay within budget_ms. The attack GIFs are our own writer's
// files with their sizes raised.
#include "imagelib/px_image.h"
#include "saver/slide_composer.h"
#include "saver/theme_globals.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr LONG kWidth = 1920;
constexpr LONG kHeight = 1080;

void PutWord(std::vector<BYTE>& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<BYTE>(value & 0xFF);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}

// A two-colour GIF of our writer, its logical screen (and, when frameWidth > 0, its frame)
// claiming another size. Empty when the writer's layout is not the one expected.
std::vector<BYTE> RaisedGif(LONG width, LONG height, unsigned screenWidth, unsigned screenHeight,
                            unsigned frameWidth = 0, unsigned frameHeight = 0) {
    PxImage picture(width, height, 1, PXIMAGE_FORMAT_GIF);
    picture.SetPaletteColor(0, 0, 0, 0);
    picture.SetPaletteColor(1, 255, 255, 255);
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            picture.SetPixelIndex(x, y, static_cast<BYTE>((x ^ y) & 1));
    BYTE* buffer = nullptr;
    LONG size = 0;
    if (!picture.EncodeToMemory(buffer, size, PXIMAGE_FORMAT_GIF))
        return {};
    std::vector<BYTE> bytes(buffer, buffer + size);
    std::free(buffer);
    // Header and a two-entry table, then the graphic control extension, then the frame.
    const std::size_t descriptor = 13 + 2 * 3 + 8;
    if (bytes.size() < descriptor + 10 || bytes[descriptor] != ',')
        return {};
    PutWord(bytes, 6, screenWidth);
    PutWord(bytes, 8, screenHeight);
    if (frameWidth > 0) {
        PutWord(bytes, descriptor + 5, frameWidth);
        PutWord(bytes, descriptor + 7, frameHeight);
    }
    return bytes;
}

std::filesystem::path Folder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "lv_slide_bounds_bench";
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<BYTE>& bytes) {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f)
        return false;
    const bool good =
        !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && good;
}

void SetUpTheme(const char* picture) {
    ResetThemeGlobals();
    WorkFolder = Folder().string().c_str();
    ImageNames.Add(picture);
    ImageCaptions.Add("");
    SaverSettings.imageSizing = 1;
    SaverSettings.imageOrder = 0;
    SaverSettings.backgroundMode = 0;
    SaverSettings.framePresent = 0;
}

void ComposeSlides(benchmark::State& state, std::size_t fileBytes) {
    SlideComposer composer;
    for (auto _ : state) {
        PxImage canvas;
        composer.pictureIndex = 0;
        composer.Compose(kWidth, kHeight, false, canvas);
        benchmark::DoNotOptimize(canvas.GetBits(0));
    }
    state.counters["file_bytes"] = static_cast<double>(fileBytes);
    state.counters["budget_ms"] = 50;
    ResetThemeGlobals();
}

// Arg 0: a 2 x 2 frame on a screen of 25367 x 28528; 1: a frame claiming 10240 x 7680 with the
// data of 64 x 48 pixels on a screen of 17448 x 19782.
void BM_SlideFromHostileGif(benchmark::State& state) {
    const bool frameClaims = state.range(0) != 0;
    const std::vector<BYTE> bytes =
        frameClaims ? RaisedGif(64, 48, 17448, 19782, 10240, 7680) : RaisedGif(2, 2, 25367, 28528);
    if (!WriteFile(Folder() / "hostile.gif", bytes)) {
        state.SkipWithError("the attack GIF could not be written");
        return;
    }
    SetUpTheme("hostile.gif");
    ComposeSlides(state, bytes.size());
}
BENCHMARK(BM_SlideFromHostileGif)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A PNG frame of type 0, tiled, whose upper-middle piece and extra space are both range(0)
// square, around a small picture.
void BM_SlideWithHugeFramePieces(benchmark::State& state) {
    PxImage picture(64, 48, 24, PXIMAGE_FORMAT_BMP);
    picture.Clear(90);
    PxImage frame(30, 30, 24, PXIMAGE_FORMAT_PNG);
    frame.Clear(200);
    if (!picture.Save((Folder() / "small.bmp").string().c_str(), PXIMAGE_FORMAT_BMP) ||
        !frame.Save((Folder() / "frame.png").string().c_str(), PXIMAGE_FORMAT_PNG)) {
        state.SkipWithError("the theme's pictures could not be written");
        return;
    }
    SetUpTheme("small.bmp");
    SaverSettings.framePresent = 1;
    FrameSettings.format = 1;
    FrameSettings.type = 0;
    FrameSettings.stretch_mode = 0;
    const std::string huge = std::to_string(state.range(0)) + " " + std::to_string(state.range(0));
    FrameSettings.upleft = FrameSettings.upright = FrameSettings.ctleft = FrameSettings.ctright =
        "10 10";
    FrameSettings.btleft = FrameSettings.btmid = FrameSettings.btright = "10 10";
    FrameSettings.upmid = huge.c_str();
    FrameSettings.extraspace = huge.c_str();
    FrameSettings.framePicturePath = (Folder() / "frame.png").string().c_str();
    ComposeSlides(state, 0);
}
BENCHMARK(BM_SlideWithHugeFramePieces)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

// Tiled edges of an honest frame whose pieces fill its picture, around a picture with 2000
// pixels of extra space: each edge is built once, however long its run.
void BM_SlideWithLongTiledEdges(benchmark::State& state) {
    PxImage picture(64, 48, 24, PXIMAGE_FORMAT_BMP);
    picture.Clear(90);
    PxImage frame(300, 300, 24, PXIMAGE_FORMAT_PNG);
    frame.Clear(200);
    if (!picture.Save((Folder() / "small.bmp").string().c_str(), PXIMAGE_FORMAT_BMP) ||
        !frame.Save((Folder() / "frame300.png").string().c_str(), PXIMAGE_FORMAT_PNG)) {
        state.SkipWithError("the theme's pictures could not be written");
        return;
    }
    SetUpTheme("small.bmp");
    SaverSettings.framePresent = 1;
    FrameSettings.format = 1;
    FrameSettings.type = 0;
    FrameSettings.stretch_mode = 0;
    FrameSettings.upleft = FrameSettings.upright = FrameSettings.ctleft = FrameSettings.ctright =
        "100 100";
    FrameSettings.btleft = FrameSettings.btmid = FrameSettings.btright = FrameSettings.upmid =
        "100 100";
    FrameSettings.extraspace = "2000 2000";
    FrameSettings.framePicturePath = (Folder() / "frame300.png").string().c_str();
    ComposeSlides(state, 0);
}
BENCHMARK(BM_SlideWithLongTiledEdges)->Unit(benchmark::kMillisecond);

} // namespace
