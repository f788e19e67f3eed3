// JP2 decoding of a screen-sized picture (the file is left on disk for bench/peers.sh, which
// times OpenJPEG's own opj_decompress on it), and PNM decoding against a plain read of the same
// bytes.
#include "imagelib/px_file.h"
#include "imagelib/px_image.h"

#include <benchmark/benchmark.h>

#include "bench_pictures.h"

namespace {

const std::vector<BYTE>& ScreenJp2() {
    static const std::vector<BYTE> jp2 = [] {
        PxImage photo = lvbench::PhotoLike(1920, 1080);
        photo.SetJpegQuality(10); // a tenth of the raw size, as photographs are kept
        std::vector<BYTE> bytes = lvbench::Encoded(photo, PXIMAGE_FORMAT_JP2);
        lvbench::WriteFixture("lumivista_bench_screen_1920x1080.jp2", bytes);
        return bytes;
    }();
    return jp2;
}

const std::vector<BYTE>& ScreenPnm() {
    static const std::vector<BYTE> pnm = [] {
        PxImage photo = lvbench::PhotoLike(1920, 1080);
        return lvbench::Encoded(photo, PXIMAGE_FORMAT_PNM);
    }();
    return pnm;
}

void DecodeEach(benchmark::State& state, const std::vector<BYTE>& bytes, DWORD format) {
    for (auto _ : state) {
        PxImage image;
        if (!image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), format))
            state.SkipWithError(image.GetLastError());
        benchmark::DoNotOptimize(image.GetBits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}

void BM_Jp2Decode1920x1080(benchmark::State& state) {
    DecodeEach(state, ScreenJp2(), PXIMAGE_FORMAT_JP2);
}
BENCHMARK(BM_Jp2Decode1920x1080)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PnmDecode1920x1080(benchmark::State& state) {
    DecodeEach(state, ScreenPnm(), PXIMAGE_FORMAT_PNM);
}
BENCHMARK(BM_PnmDecode1920x1080)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor for PNM: the same bytes read through the same stream into one buffer.
void BM_PnmPlainRead1920x1080(benchmark::State& state) {
    const std::vector<BYTE>& pnm = ScreenPnm();
    std::vector<BYTE> target(pnm.size());
    for (auto _ : state) {
        PxMemoryFile file(const_cast<BYTE*>(pnm.data()), static_cast<DWORD>(pnm.size()));
        benchmark::DoNotOptimize(file.Read(target.data(), 1, target.size()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(pnm.size()) * state.iterations());
}
BENCHMARK(BM_PnmPlainRead1920x1080)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
