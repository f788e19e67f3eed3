// JPEG decoding of a camera-sized picture and PNG encoding and decoding of a screen-sized
// one, through PxImage's memory dispatch. The JPEG is also left on disk for bench/peers.sh,
// which times libjpeg's own djpeg on the same file.
#include "imagelib/px_image.h"
#include "imagelib/px_image_jpg.h"

#include "bench_pictures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using lvbench::Encoded;
using lvbench::FixtureDir;
using lvbench::PhotoLike;

const std::vector<BYTE>& CameraJpeg() {
    static const std::vector<BYTE> jpeg = [] {
        PxImage photo = PhotoLike(4000, 3000);
        photo.SetJpegQuality(90);
        std::vector<BYTE> bytes = Encoded(photo, PXIMAGE_FORMAT_JPG);
        lvbench::WriteFixture("lumivista_bench_photo_4000x3000.jpg", bytes);
        return bytes;
    }();
    return jpeg;
}

PxImage& ScreenPicture() {
    static PxImage picture = PhotoLike(1920, 1080);
    return picture;
}

void SetPixelRate(benchmark::State& state, double megapixels) {
    state.counters["Mpixel/s"] = benchmark::Counter(
        megapixels * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_JpegDecode4000x3000(benchmark::State& state) {
    const std::vector<BYTE>& jpeg = CameraJpeg();
    for (auto _ : state) {
        PxImage image;
        if (!image.DecodeFromMemory(jpeg.data(), static_cast<DWORD>(jpeg.size()),
                                    PXIMAGE_FORMAT_JPG))
            state.SkipWithError(image.GetLastError());
        benchmark::DoNotOptimize(image.GetBits());
    }
    SetPixelRate(state, 12.0);
}
BENCHMARK(BM_JpegDecode4000x3000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PngEncode1920x1080(benchmark::State& state) {
    PxImage& picture = ScreenPicture();
    for (auto _ : state) {
        std::vector<BYTE> png = Encoded(picture, PXIMAGE_FORMAT_PNG);
        if (png.empty())
            state.SkipWithError(picture.GetLastError());
        benchmark::DoNotOptimize(png.data());
    }
    SetPixelRate(state, 1920.0 * 1080 / 1e6);
}
BENCHMARK(BM_PngEncode1920x1080)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PngDecode1920x1080(benchmark::State& state) {
    static const std::vector<BYTE> png = Encoded(ScreenPicture(), PXIMAGE_FORMAT_PNG);
    for (auto _ : state) {
        PxImage image;
        if (!image.DecodeFromMemory(png.data(), static_cast<DWORD>(png.size()), PXIMAGE_FORMAT_PNG))
            state.SkipWithError(image.GetLastError());
        benchmark::DoNotOptimize(image.GetBits());
    }
    SetPixelRate(state, 1920.0 * 1080 / 1e6);
}
BENCHMARK(BM_PngDecode1920x1080)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
