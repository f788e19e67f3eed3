#include "transition_rig.h"

#include "testing/virtual_clock.h"

using namespace lv::transitions::testing;

namespace {

constexpr int kW = 64;
constexpr int kH = 48;

} // namespace

TEST(TransitionDelay, WaitsUntilTheTickCountHasMovedOnByMore) {
    struct Case {
        int ms;
        std::uint64_t lasts;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 2}, Case{5, 6}, Case{10, 11}, Case{-3, 0}}) {
        SCOPED_TRACE(c.ms);
        lv::testing::VirtualClockScope clock;
        CTransitionEngine engine;
        const auto start = lv::clock::now_ms();
        engine.Delay(c.ms);
        EXPECT_EQ(lv::clock::now_ms() - start, c.lasts);
    }
}

TEST(TransitionDelay, EndsWhenTheTickCountWrapsAround) {
    lv::testing::VirtualClockScope clock;
    lv::testing::advance(0xFFFFFFFEull - lv::clock::now_ms());
    ASSERT_EQ(GetTickCount(), 0xFFFFFFFEu);
    CTransitionEngine engine;
    const auto start = lv::clock::now_ms();
    engine.Delay(50);
    EXPECT_EQ(lv::clock::now_ms() - start, 2u);
}

namespace {

std::vector<UINT> g_served;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_USER)
        g_served.push_back(msg);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

TEST(TransitionDelay, ServesTheThreadsQueuedMessagesWhileItWaits) {
    lv::testing::VirtualClockScope clock;
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "TransitionDelayRecorder";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);
    g_served.clear();
    ASSERT_TRUE(PostMessageA(window, WM_USER + 1, 0, 0));
    ASSERT_TRUE(PostMessageA(window, WM_USER + 2, 0, 0));
    CTransitionEngine engine;
    const auto start = lv::clock::now_ms();
    engine.Delay(5);
    EXPECT_EQ(g_served, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_EQ(lv::clock::now_ms() - start, 6u); // serving does not shorten the wait
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, 0, 0, PM_NOREMOVE));
    DestroyWindow(window);
}

TEST(TransitionEngine, StepOfZeroOrBelowEndsEveryEffectOnTheNewSlide) {
    for (int step : {0, -7}) {
        for (int id = 0; id <= kTransitionLastEffect; ++id) {
            SCOPED_TRACE(testing::Message() << "effect " << id << " step " << step);
            lv::testing::VirtualClockScope clock;
            TransitionRig rig(kW, kH);
            const auto elapsed = rig.run(id, step);
            EXPECT_EQ(pixels_not_new(rig.snapshot()), 0);
            EXPECT_EQ(elapsed, rig.recorder.nominal_ms());
        }
    }
}

TEST(TransitionEngine, EmptyAreasEndEveryEffect) {
    struct Size {
        int width;
        int height;
    };
    for (Size size : {Size{0, 0}, Size{0, 48}, Size{64, 0}, Size{-5, -5}}) {
        for (int id = 0; id <= kTransitionLastEffect; ++id) {
            SCOPED_TRACE(testing::Message()
                         << "effect " << id << " size " << size.width << "x" << size.height);
            lv::testing::VirtualClockScope clock;
            TransitionRig rig(kW, kH);
            rig.engine.effectId = id;
            rig.engine.SetParams(rig.slide.dc, 0, 0, rig.screen.dc, 0, 0, size.width, size.height,
                                 1, 20);
            rig.engine.RunEffect();
            EXPECT_LE(rig.recorder.delays.size(), 64u);
        }
    }
}

TEST(TransitionEngine, ThreadRoutineRunsTheEffectAndClearsBusy) {
    lv::testing::VirtualClockScope clock;
    TransitionRig rig(kW, kH);
    rig.set(3);
    rig.engine.busy = 1;
    EXPECT_EQ(CTransitionEngine::TransitionThreadProc(&rig.engine), 0u);
    EXPECT_EQ(rig.engine.busy, 0);
    EXPECT_EQ(pixels_not_new(rig.snapshot()), 0);
}

TEST(TransitionEngine, IdsOutsideTheEffectsDrawNothingAndClearBusy) {
    for (int id : {-1, kTransitionFade, 99}) {
        SCOPED_TRACE(id);
        lv::testing::VirtualClockScope clock;
        TransitionRig rig(kW, kH);
        rig.set(id);
        rig.engine.busy = 1;
        EXPECT_EQ(CTransitionEngine::TransitionThreadProc(&rig.engine), 0u);
        EXPECT_EQ(rig.engine.busy, 0);
        EXPECT_TRUE(rig.recorder.blits.empty());
        EXPECT_EQ(pixels_not_new(rig.snapshot()), kW * kH);
    }
    EXPECT_EQ(CTransitionEngine::TransitionThreadProc(nullptr), 0u);
}

namespace {

// Notes the busy flag at every blit, on the thread that draws.
class BusyWatcher : public TransitionObserver {
public:
    explicit BusyWatcher(const CTransitionEngine& engine) : m_engine(engine) {}
    void OnBlit(const TransitionBlit&) override {
        ++blits;
        if (m_engine.busy != 1)
            ++notBusy;
    }
    int blits = 0;
    int notBusy = 0;

private:
    const CTransitionEngine& m_engine;
};

} // namespace

TEST(TransitionWorker, BusyIsSetWhileTheWorkerDrawsAndClearedAtItsEnd) {
    lv::testing::VirtualClockScope clock;
    TransitionRig rig(kW, kH);
    BusyWatcher watcher(rig.engine);
    rig.set(1);
    rig.engine.observer = &watcher;
    {
        std::jthread worker = StartTransitionWorker(rig.engine);
        while (rig.engine.busy != 0)
            std::this_thread::yield();
    }
    EXPECT_GT(watcher.blits, 0);
    EXPECT_EQ(watcher.notBusy, 0);
    EXPECT_EQ(rig.engine.busy, 0);
    EXPECT_EQ(pixels_not_new(rig.snapshot()), 0);
}
