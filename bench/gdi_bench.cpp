// The blits every transition runs, on full-HD surfaces, beside memcpy of the same bytes (the
// memory bandwidth they cannot beat). Reported in megapixels per second.
#include "win32/win32.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A memory DC over a 32-bit top-down DIB section filled with a pattern.
class Canvas {
public:
    Canvas(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        auto* p = static_cast<std::uint32_t*>(bits);
        for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
            p[i] = static_cast<std::uint32_t>(i * 2654435761u);
        }
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~Canvas() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    HDC dc() const { return m_dc; }

private:
    HBITMAP m_bitmap{nullptr};
    HDC m_dc{nullptr};
    HGDIOBJ m_old{nullptr};
};

void report(benchmark::State& state, std::int64_t pixels) {
    state.counters["Mpix/s"] = benchmark::Counter(static_cast<double>(pixels) *
                                                      static_cast<double>(state.iterations()) / 1e6,
                                                  benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * pixels * 4);
}

void BM_GdiMemcpyFloor(benchmark::State& state) {
    std::vector<std::uint32_t> src(static_cast<std::size_t>(kWidth) * kHeight, 1);
    std::vector<std::uint32_t> dst(src.size(), 0);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    report(state, std::int64_t{kWidth} * kHeight);
}
BENCHMARK(BM_GdiMemcpyFloor)->Unit(benchmark::kMillisecond);

void BM_GdiBitBltSrcCopy(benchmark::State& state) {
    Canvas src(kWidth, kHeight);
    Canvas dst(kWidth, kHeight);
    for (auto _ : state) {
        BitBlt(dst.dc(), 0, 0, kWidth, kHeight, src.dc(), 0, 0, SRCCOPY);
    }
    report(state, std::int64_t{kWidth} * kHeight);
}
BENCHMARK(BM_GdiBitBltSrcCopy)->Unit(benchmark::kMillisecond);

// Full HD onto a 1600 x 900 target, in the two modes the callers set.
void BM_GdiStretchBlt(benchmark::State& state) {
    int mode = static_cast<int>(state.range(0));
    Canvas src(kWidth, kHeight);
    Canvas dst(1600, 900);
    SetStretchBltMode(dst.dc(), mode);
    for (auto _ : state) {
        StretchBlt(dst.dc(), 0, 0, 1600, 900, src.dc(), 0, 0, kWidth, kHeight, SRCCOPY);
    }
    report(state, std::int64_t{1600} * 900);
    state.SetLabel(mode == HALFTONE ? "HALFTONE" : "COLORONCOLOR");
}
BENCHMARK(BM_GdiStretchBlt)->Arg(COLORONCOLOR)->Arg(HALFTONE)->Unit(benchmark::kMillisecond);

void BM_GdiAlphaBlendConstant(benchmark::State& state) {
    Canvas src(kWidth, kHeight);
    Canvas dst(kWidth, kHeight);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 100, 0};
    for (auto _ : state) {
        AlphaBlend(dst.dc(), 0, 0, kWidth, kHeight, src.dc(), 0, 0, kWidth, kHeight, blend);
    }
    report(state, std::int64_t{kWidth} * kHeight);
}
BENCHMARK(BM_GdiAlphaBlendConstant)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The slide composer reads its background back one GetPixel at a time.
void BM_GdiGetPixel(benchmark::State& state) {
    Canvas canvas(256, 256);
    COLORREF sum = 0;
    for (auto _ : state) {
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                sum += GetPixel(canvas.dc(), x, y);
            }
        }
    }
    benchmark::DoNotOptimize(sum);
    report(state, 256 * 256);
}
BENCHMARK(BM_GdiGetPixel)->Unit(benchmark::kMillisecond);

} // namespace
