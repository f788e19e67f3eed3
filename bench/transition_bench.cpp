// Each transition effect at full HD on memory DCs. BM_TransitionStep runs the effect whole
// under the virtual clock, so its delays cost no real time, and counts the processor time of
// the drawing thread (a busy machine's waits do not count): the reported time is the drawing of
// one step (the work between two delays), "draw/delay" its share of the step's nominal time.
// A delay ends when the tick count moves on, so drawing that stays well under a millisecond
// per step costs the transition no time at all. BM_TransitionDuration runs each effect on the
// real clock; BM_TransitionDelayFloor is a delay of 1 with nothing drawn, the machine's floor
// (how late sleeping threads wake).
#include "saver/transition_engine.h"
#include "system/clock.h"
#include "testing/virtual_clock.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <ctime>

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

// Processor time of the calling thread.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One effect set up to run from a grey slide onto a black screen at full HD.
struct EffectRun {
    explicit EffectRun(int id) {
        engine.observer = &counter;
        engine.effectId = id;
        engine.SetParams(slide.dc(), 0, 0, screen.dc(), 0, 0, kWidth, kHeight, kDelayUnit, kStep);
    }
    SlideCanvas slide{kWidth, kHeight, 0x00A5A5A5};
    SlideCanvas screen{kWidth, kHeight, 0};
    StepCounter counter;
    CTransitionEngine engine;
};

void BM_TransitionStep(benchmark::State& state) {
    const int id = static_cast<int>(state.range(0));
    lv::testing::VirtualClockScope clock;
    EffectRun run(id);
    CTransitionEngine& engine = run.engine;
    StepCounter& counter = run.counter;

    double drawSeconds = 0;
    std::int64_t steps = 0;
    std::int64_t nominalMs = 0;
    for (auto _ : state) {
        counter = StepCounter{};
        const double start = ThreadSeconds();
        engine.RunEffect();
        const double took = ThreadSeconds() - start;
        const std::int64_t runSteps = counter.steps > 0 ? counter.steps : 1;
        state.SetIterationTime(took / static_cast<double>(runSteps));
        drawSeconds += took;
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

namespace {

// Each effect on the real clock: how long it lasts against its nominal time (the sum of its
// delays, each lasting one millisecond more than it asks for).
void BM_TransitionDuration(benchmark::State& state) {
    const int id = static_cast<int>(state.range(0));
    EffectRun run(id);
    CTransitionEngine& engine = run.engine;
    StepCounter& counter = run.counter;
    double seconds = 0;
    std::int64_t nominalMs = 0;
    for (auto _ : state) {
        counter = StepCounter{};
        const auto start = std::chrono::steady_clock::now();
        engine.RunEffect();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        seconds += took.count();
        nominalMs += counter.nominalMs;
    }
    state.counters["nominal_ms"] =
        static_cast<double>(nominalMs) / static_cast<double>(state.iterations());
    state.counters["vs_nominal"] =
        nominalMs > 0 ? seconds * 1000 / static_cast<double>(nominalMs) : 0;
}

void BM_TransitionDelayFloor(benchmark::State& state) {
    CTransitionEngine engine;
    constexpr int kDelays = 200;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kDelays; ++i)
            engine.Delay(kDelayUnit);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        state.counters["vs_nominal"] = took.count() * 1000 / (kDelays * (kDelayUnit + 1));
    }
}

} // namespace

BENCHMARK(BM_TransitionDelayFloor)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_TransitionDuration)
    ->DenseRange(kTransitionFirstEffect, kTransitionLastEffect)
    ->ArgName("effect")
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
