// The slide show's work per slide at full HD: composing a slide from a 4000 x 3000 JPEG (load,
// fit, background, frame, caption and the bitmap the window shows), each background kind
// alone, and one tick of the fade (AlphaBlend of the whole screen).
#include "imagelib/px_image.h"
#include "saver/slide_composer.h"
#include "saver/theme_globals.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace {

constexpr LONG kWidth = 1920;
constexpr LONG kHeight = 1080;

// A photograph-sized JPEG and a frame picture, written once per run.
class SlideFiles {
public:
    static const SlideFiles& Get() {
        static const SlideFiles files;
        return files;
    }
    std::filesystem::path folder;

private:
    SlideFiles() {
        folder = std::filesystem::temp_directory_path() / "lv_saver_bench";
        std::filesystem::create_directories(folder);
        PxImage photo;
        photo.Create(4000, 3000, 24);
        for (LONG y = 0; y < 3000; ++y)
            for (LONG x = 0; x < 4000; ++x)
                photo.SetPixelColor(x, y,
                                    PxRgbQuad{static_cast<BYTE>(x * 255 / 4000),
                                              static_cast<BYTE>(y * 255 / 3000),
                                              static_cast<BYTE>((x ^ y) & 0xFF), 0});
        photo.Save((folder / "photo.jpg").string().c_str(), PXIMAGE_FORMAT_JPG);
        PxImage frame;
        frame.Create(30, 30, 24);
        for (LONG y = 0; y < 30; ++y)
            for (LONG x = 0; x < 30; ++x)
                frame.SetPixelColor(x, y,
                                    (x / 10 == 1 && y / 10 == 1) ? PxRgbQuad{255, 0, 255, 0}
                                                                 : PxRgbQuad{200, 180, 160, 0});
        frame.Save((folder / "frame.png").string().c_str(), PXIMAGE_FORMAT_PNG);
    }
};

void SetUpTheme(bool framed) {
    const SlideFiles& files = SlideFiles::Get();
    ResetThemeGlobals();
    WorkFolder = files.folder.string().c_str();
    ImageNames.Add("photo.jpg");
    ImageCaptions.Add("Morning in the valley");
    SaverSettings.imageSizing = 1;
    SaverSettings.imageOrder = 0;
    SaverSettings.backgroundMode = 1;
    SaverSettings.gradientKind = 0;
    SaverSettings.gradientStartColor = RGB(10, 20, 60);
    SaverSettings.gradientEndColor = RGB(0, 0, 0);
    SaverSettings.captionPosition = 5;
    SaverSettings.captionColor = RGB(255, 255, 255);
    SaverSettings.captionFont.lfHeight = 28;
    SaverSettings.captionFont.lfWeight = 700;
    SaverSettings.framePresent = framed ? 1 : 0;
    FrameSettings.format = 1;
    FrameSettings.type = 0;
    FrameSettings.stretch_mode = 1;
    FrameSettings.upleft = FrameSettings.upmid = FrameSettings.upright = FrameSettings.ctleft =
        "10 10";
    FrameSettings.ctright = FrameSettings.btleft = FrameSettings.btmid = FrameSettings.btright =
        "10 10";
    FrameSettings.extraspace = "20 20";
    FrameSettings.framePicturePath = (files.folder / "frame.png").string().c_str();
}

// Arg 0: no frame; 1: the PNG frame of type 0.
void BM_ComposeSlideFromPhoto(benchmark::State& state) {
    SetUpTheme(state.range(0) != 0);
    SlideComposer composer;
    for (auto _ : state) {
        PxImage canvas;
        composer.pictureIndex = 0;
        composer.Compose(kWidth, kHeight, false, canvas);
        HBITMAP slide = canvas.MakeBitmap(nullptr);
        benchmark::DoNotOptimize(slide);
        DeleteObject(slide);
    }
    ResetThemeGlobals();
}
BENCHMARK(BM_ComposeSlideFromPhoto)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Arg -1: the solid colour; 0..5: the gradient kinds.
void BM_SlideBackground(benchmark::State& state) {
    SaverSettingsValues settings;
    settings.backgroundMode = state.range(0) < 0 ? 0 : 1;
    settings.gradientKind = static_cast<std::int32_t>(state.range(0) < 0 ? 0 : state.range(0));
    settings.solidColor = RGB(10, 20, 30);
    settings.gradientStartColor = RGB(10, 20, 60);
    settings.gradientEndColor = RGB(200, 180, 40);
    PxImage canvas;
    canvas.Create(kWidth, kHeight, 24);
    for (auto _ : state) {
        PaintSlideBackground(canvas, settings);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SlideBackground)->DenseRange(-1, 5)->Unit(benchmark::kMillisecond);

HBITMAP FullScreenBitmap(std::uint32_t seed) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < static_cast<std::size_t>(kWidth) * kHeight; ++i)
        p[i] = static_cast<std::uint32_t>(i * 2654435761u) ^ seed;
    return bitmap;
}

// One of the fade's 123 ticks: the slide blended over the whole screen at a constant alpha.
void BM_FadeTick(benchmark::State& state) {
    HBITMAP screen = FullScreenBitmap(1);
    HBITMAP slide = FullScreenBitmap(2);
    HDC screenDC = CreateCompatibleDC(nullptr);
    HDC slideDC = CreateCompatibleDC(nullptr);
    HGDIOBJ oldScreen = SelectObject(screenDC, screen);
    HGDIOBJ oldSlide = SelectObject(slideDC, slide);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            AlphaBlend(screenDC, 0, 0, kWidth, kHeight, slideDC, 0, 0, kWidth, kHeight, blend));
    state.counters["tick_budget_ms"] = 10;
    SelectObject(screenDC, oldScreen);
    SelectObject(slideDC, oldSlide);
    DeleteDC(screenDC);
    DeleteDC(slideDC);
    DeleteObject(screen);
    DeleteObject(slide);
}
BENCHMARK(BM_FadeTick)->Unit(benchmark::kMillisecond);

} // namespace
