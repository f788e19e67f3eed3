// Each transition effect at full HD on memory DCs. The effect runs whole under the virtual
// clock, so its delays cost no real time and what is measured is its drawing; the reported
// time is the drawing of one step (the work between two delays). A transition lasts its
// nominal time within 5% when that drawing stays under 5% of the step's own delay:
// "draw/delay" is that share, "within5%" is 1 when it holds.
#include "saver/transition_engine.h"
#include "system/clock.h"
#include "testing/virtual_clock.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kStep = 20;
constexpr int kDelayUnit = 1;

class SlideCanvas {
public:
    SlideCanvas(int width, int height, std::uint32_t seed) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        auto* p = static_cast<std::uint32_t*>(bits);
        for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i)
            p[i] = static_cast<std::uint32_t>(i * 2654435761u) ^ seed;
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~SlideCanvas() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    SlideCanvas(const SlideCanvas&) = delete;
    SlideCanvas& operator=(const SlideCanvas&) = delete;
    HDC dc() const { return m_dc; }

private:
    HBITMAP m_bitmap{nullptr};
    HDC m_dc{nullptr};
    HGDIOBJ m_old{nullptr};
};

// Counts the steps of a run and the real time each delay would take.
class StepCounter : public TransitionObserver {
public:
    void OnDelay(int milliseconds) override {
        ++steps;
        if (milliseconds > 0)
            nominalMs += milliseconds + 1;
    }
    std::int64_t steps = 0;
    std::int64_t nominalMs = 0;
};

void BM_TransitionStep(benchmark::State& state) {
    const int id = static_cast<int>(state.range(0));
    lv::testing::VirtualClockScope clock;
    SlideCanvas slide(kWidth, kHeight, 0x00A5A5A5);
    SlideCanvas screen(kWidth, kHeight, 0);
    CTransitionEngine engine;
    StepCounter counter;
    engine.observer = &counter;
    engine.effectId = id;
    engine.SetParams(slide.dc(), 0, 0, screen.dc(), 0, 0, kWidth, kHeight, kDelayUnit, kStep);

    double drawSeconds = 0;
    std::int64_t steps = 0;
    std::int64_t nominalMs = 0;
    for (auto _ : state) {
        counter = StepCounter{};
        const auto start = std::chrono::steady_clock::now();
        engine.RunEffect();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const std::int64_t runSteps = counter.steps > 0 ? counter.steps : 1;
        state.SetIterationTime(took.count() / static_cast<double>(runSteps));
        drawSeconds += took.count();
        steps += counter.steps;
        nominalMs += counter.nominalMs;
    }
    const double stepDelayMs =
        steps > 0 ? static_cast<double>(nominalMs) / static_cast<double>(steps) : 0;
    const double drawMsPerStep = steps > 0 ? drawSeconds * 1000 / static_cast<double>(steps) : 0;
    const double share = stepDelayMs > 0 ? drawMsPerStep / stepDelayMs : 0;
    state.counters["steps"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
    state.counters["delay_ms"] = stepDelayMs;
    state.counters["draw/delay"] = share;
    state.counters["within5%"] = share <= 0.05 ? 1 : 0;
}

} // namespace

BENCHMARK(BM_TransitionStep)
    ->DenseRange(kTransitionPlainCopy, kTransitionLastEffect)
    ->ArgName("effect")
    ->UseManualTime()
    // A run holds up to thousands of steps; a few runs give a steady figure per step.
    ->Iterations(3)
    ->Unit(benchmark::kMicrosecond);
