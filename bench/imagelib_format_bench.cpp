// Decoding and encoding a screen-sized picture in GIF, TIFF, TGA and PCX (and icons and
// wireless bitmaps at the sizes those formats hold), and the GIF LZW coder's throughput. The
// encoded files and the source picture are left on disk for bench/peers_formats.sh, which times
// ImageMagick doing the same work.
#include "imagelib/px_image.h"

#include "bench_pictures.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr LONG kWidth = 1920;
constexpr LONG kHeight = 1080;
constexpr DWORD kTiffLzw = 5;

using lvbench::Encoded;
using lvbench::FixtureDir;

void Leave(const std::string& name, const std::vector<BYTE>& bytes) {
    const std::string path = (FixtureDir() / ("lumivista_bench_" + name)).string();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// Smooth colours with some noise, like a photograph.
PxImage Photo(LONG width, LONG height) {
    PxImage image(width, height, 24, PXIMAGE_FORMAT_BMP);
    std::uint32_t noise = 99;
    for (LONG y = 0; y < height; ++y) {
        BYTE* row = image.GetBits(static_cast<DWORD>(y));
        for (LONG x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = static_cast<int>(noise >> 29);
            row[3 * x] = static_cast<BYTE>(60 + 150.0 * x / width + n);
            row[3 * x + 1] = static_cast<BYTE>(128 + 90 * std::cos(y * 0.01 - x * 0.003));
            row[3 * x + 2] = static_cast<BYTE>(128 + 100 * std::sin(x * 0.004 + y * 0.002) + n);
        }
    }
    return image;
}

// The same picture reduced to 256 colours (3-3-2 bits), as a GIF holds it.
PxImage Palette(const PxImage& photo) {
    const LONG width = static_cast<LONG>(photo.GetWidth());
    const LONG height = static_cast<LONG>(photo.GetHeight());
    PxImage image(width, height, 8, PXIMAGE_FORMAT_BMP);
    for (DWORD i = 0; i < 256; ++i)
        image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>((i >> 5) * 255 / 7),
                              static_cast<BYTE>(((i >> 2) & 7) * 255 / 7),
                              static_cast<BYTE>((i & 3) * 255 / 3));
    for (LONG y = 0; y < height; ++y) {
        const BYTE* from = photo.GetBits(static_cast<DWORD>(y));
        BYTE* to = image.GetBits(static_cast<DWORD>(y));
        for (LONG x = 0; x < width; ++x)
            to[x] = static_cast<BYTE>((from[3 * x + 2] >> 5) << 5 | (from[3 * x + 1] >> 5) << 2 |
                                      from[3 * x] >> 6);
    }
    return image;
}

struct Fixture {
    DWORD format;
    PxImage picture;
    std::vector<BYTE> file;
};

Fixture& Screen(DWORD format) {
    static PxImage photo = Photo(kWidth, kHeight);
    static Fixture fixtures[] = {
        {PXIMAGE_FORMAT_GIF, Palette(photo), {}},
        {PXIMAGE_FORMAT_TIF, photo, {}},
        {PXIMAGE_FORMAT_TGA, photo, {}},
        {PXIMAGE_FORMAT_PCX, photo, {}},
        {PXIMAGE_FORMAT_ICO, Photo(255, 255), {}},
        {PXIMAGE_FORMAT_WBMP, PxImage(255, 255, 1, PXIMAGE_FORMAT_BMP), {}},
    };
    static const bool prepared = [] {
        static const char* names[] = {"gif", "tif", "tga", "pcx", "ico", "wbmp"};
        for (std::size_t i = 0; i < std::size(fixtures); ++i) {
            Fixture& f = fixtures[i];
            if (f.format == PXIMAGE_FORMAT_TIF)
                f.picture.SetCodecOption(kTiffLzw, PXIMAGE_FORMAT_TIF);
            if (f.format == PXIMAGE_FORMAT_WBMP) {
                f.picture.SetGreyPalette();
                for (LONG y = 0; y < 255; ++y)
                    for (LONG x = 0; x < 255; ++x)
                        f.picture.SetPixelIndex(x, y, static_cast<BYTE>((x ^ y) & 1));
            }
            f.file = Encoded(f.picture, f.format);
            Leave(std::string("screen.") + names[i], f.file);
        }
        // The source pictures for the peers' encoders.
        Leave("screen_photo.bmp", Encoded(photo, PXIMAGE_FORMAT_BMP));
        Leave("screen_palette.bmp", Encoded(fixtures[0].picture, PXIMAGE_FORMAT_BMP));
        return true;
    }();
    (void)prepared;
    for (Fixture& f : fixtures)
        if (f.format == format)
            return f;
    return fixtures[0];
}

void SetPixelRate(benchmark::State& state, const PxImage& picture) {
    state.counters["Mpixel/s"] =
        benchmark::Counter(static_cast<double>(picture.GetWidth()) * picture.GetHeight() / 1e6 *
                               static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_FormatDecode(benchmark::State& state) {
    Fixture& f = Screen(static_cast<DWORD>(state.range(0)));
    for (auto _ : state) {
        PxImage image;
        if (!image.DecodeFromMemory(f.file.data(), static_cast<DWORD>(f.file.size()), f.format))
            state.SkipWithError(image.GetLastError());
        benchmark::DoNotOptimize(image.GetBits());
    }
    SetPixelRate(state, f.picture);
}

void BM_FormatEncode(benchmark::State& state) {
    Fixture& f = Screen(static_cast<DWORD>(state.range(0)));
    for (auto _ : state) {
        std::vector<BYTE> bytes = Encoded(f.picture, f.format);
        if (bytes.empty())
            state.SkipWithError(f.picture.GetLastError());
        benchmark::DoNotOptimize(bytes.data());
    }
    SetPixelRate(state, f.picture);
}

// Argument: the format number (GIF 2, TIFF 6, TGA 7, PCX 8 at 1920 x 1080; ICO 5 and WBMP 9 at
// 255 x 255, the most they hold).
BENCHMARK(BM_FormatDecode)
    ->Arg(PXIMAGE_FORMAT_GIF)
    ->Arg(PXIMAGE_FORMAT_TIF)
    ->Arg(PXIMAGE_FORMAT_TGA)
    ->Arg(PXIMAGE_FORMAT_PCX)
    ->Arg(PXIMAGE_FORMAT_ICO)
    ->Arg(PXIMAGE_FORMAT_WBMP)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FormatEncode)
    ->Arg(PXIMAGE_FORMAT_GIF)
    ->Arg(PXIMAGE_FORMAT_TIF)
    ->Arg(PXIMAGE_FORMAT_TGA)
    ->Arg(PXIMAGE_FORMAT_PCX)
    ->Arg(PXIMAGE_FORMAT_ICO)
    ->Arg(PXIMAGE_FORMAT_WBMP)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// LZW throughput in uncompressed pixel bytes per second, each of the three GIF data forms.
void BM_GifLzwEncode(benchmark::State& state) {
    PxImage picture = Screen(PXIMAGE_FORMAT_GIF).picture;
    picture.SetCodecOption(static_cast<DWORD>(state.range(0)), PXIMAGE_FORMAT_GIF);
    for (auto _ : state) {
        std::vector<BYTE> bytes = Encoded(picture, PXIMAGE_FORMAT_GIF);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight);
}
BENCHMARK(BM_GifLzwEncode)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GifLzwDecode(benchmark::State& state) {
    const Fixture& f = Screen(PXIMAGE_FORMAT_GIF);
    for (auto _ : state) {
        PxImage image;
        image.DecodeFromMemory(f.file.data(), static_cast<DWORD>(f.file.size()), f.format);
        benchmark::DoNotOptimize(image.GetBits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight);
}
BENCHMARK(BM_GifLzwDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
