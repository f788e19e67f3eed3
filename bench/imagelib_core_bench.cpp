// Image library core: resampling, rotation and mixing of slide-sized pictures.
#include <benchmark/benchmark.h>

#include "imagelib/px_image.h"

namespace {

PxImage Photo(LONG width, LONG height, bool alpha = false) {
    PxImage image(width, height, 24);
    for (LONG y = 0; y < height; ++y) {
        BYTE* row = image.GetBits(static_cast<DWORD>(y));
        for (LONG x = 0; x < width; ++x) {
            row[3 * x] = static_cast<BYTE>(x * 3 + y);
            row[3 * x + 1] = static_cast<BYTE>((x ^ y) & 0xFF);
            row[3 * x + 2] = static_cast<BYTE>(y * 5 - x);
        }
    }
    if (alpha) {
        image.AlphaCreate();
        for (LONG y = 0; y < height; ++y)
            for (LONG x = 0; x < width; ++x)
                image.AlphaSet(x, y, static_cast<BYTE>(x + y));
    }
    return image;
}

const PxImage& Large() {
    static const PxImage image = Photo(4000, 3000);
    return image;
}

void BM_Resample4000x3000To1920x1080(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    PxImage source(Large());
    for (auto _ : state) {
        PxImage out;
        benchmark::DoNotOptimize(source.Resample(1920, 1080, mode, &out));
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}
// 1 nearest, 2 bicubic, 0 area averaging.
BENCHMARK(BM_Resample4000x3000To1920x1080)->Arg(1)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_ResampleBilinearUpTo1920x1080(benchmark::State& state) {
    PxImage source = Photo(1000, 750);
    for (auto _ : state) {
        PxImage out;
        benchmark::DoNotOptimize(source.Resample(1920, 1080, 3, &out));
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}
BENCHMARK(BM_ResampleBilinearUpTo1920x1080)->Unit(benchmark::kMillisecond);

void BM_Rotate30Degrees1920x1080(benchmark::State& state) {
    PxImage source = Photo(1920, 1080, true);
    for (auto _ : state) {
        PxImage out;
        benchmark::DoNotOptimize(source.Rotate(30.0, &out));
    }
}
BENCHMARK(BM_Rotate30Degrees1920x1080)->Unit(benchmark::kMillisecond);

void BM_RotateLeft4000x3000(benchmark::State& state) {
    PxImage source(Large());
    for (auto _ : state) {
        PxImage out;
        benchmark::DoNotOptimize(source.RotateLeft(&out));
    }
}
BENCHMARK(BM_RotateLeft4000x3000)->Unit(benchmark::kMillisecond);

void BM_BlendFromEx1920x1080(benchmark::State& state) {
    const bool blend = state.range(0) != 0;
    const PxImage source = Photo(1920, 1080, true);
    PxImage target = Photo(1920, 1080);
    target.SetTransIndex(0);
    target.SetTransColor(PxRgbQuad{0, 0, 0, 0});
    for (auto _ : state)
        benchmark::DoNotOptimize(target.BlendFromEx(source, 0, 0, 1920, 1080, 0, 0, false, blend));
    state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}
// 1 blends by opacity, 0 keys on the target's transparent colour.
BENCHMARK(BM_BlendFromEx1920x1080)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
