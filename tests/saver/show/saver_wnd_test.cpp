// The saver window on the virtual clock and the headless screen: the timer script around
// transitions and the fade, the input rules through injected input, a clean destroy, a close
// during a transition, the preview as a child window and the music poll.
#include "saver/saver_wnd.h"
#include "saver/slide_show_rules.h"
#include "saver/theme_globals.h"
#include "system/clock.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"
#include "tests/platform/media/tone_track.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace {

// Small slides keep each composition quick, when nothing has asked for the screen's size
// before this runs; the checks below hold at any size.
const bool kSmallScreen = (::setenv("LUMIVISTA_SCREEN", "160x120", 1), true);

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);

void WritePicture(const std::filesystem::path& file, COLORREF colour) {
    PxImage image;
    image.Create(40, 30, 24);
    for (LONG y = 0; y < 30; ++y)
        for (LONG x = 0; x < 40; ++x)
            image.SetPixelColor(x, y, PxImage::RgbToRgbQuad(colour));
    ASSERT_TRUE(image.Save(file.string().c_str(), PXIMAGE_FORMAT_BMP)) << image.GetLastError();
}

// The work folder as the program names it: a drive path with backslashes.
CString WindowsPath(const std::filesystem::path& path) {
    std::string text = "Z:" + path.string();
    for (char& c : text)
        if (c == '/')
            c = '\\';
    return text.c_str();
}

COLORREF Centre() {
    return lv::testing::screen_pixel(GetSystemMetrics(SM_CXSCREEN) / 2,
                                     GetSystemMetrics(SM_CYSCREEN) / 2);
}

class SaverWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kSmallScreen);
        ResetThemeGlobals();
        ForgetFirstMousePosition();
        std::filesystem::create_directories(m_work);
        WritePicture(m_work / "red.bmp", kRed);
        WritePicture(m_work / "blue.bmp", kBlue);
        WorkFolder = WindowsPath(m_work);
        ImageNames.Add("red.bmp");
        ImageNames.Add("blue.bmp");
        ImageCaptions.Add("");
        ImageCaptions.Add("");
        SaverSettings.imageTime = 2;
        SaverSettings.imageOrder = 0;
        SaverSettings.imageSizing = 0;
        SaverSettings.backgroundMode = 0;
        SaverSettings.solidColor = kBackground;
        SaverSettings.captionPosition = 0;
        SaverSettings.musicCount = 0;
        SaverSettings.framePresent = 0;
        SaverSettings.disableMouseMove = 0;
    }
    void TearDown() override {
        if (::IsWindow(m_hwnd))
            ::DestroyWindow(m_hwnd);
        Pump(0);
        ResetThemeGlobals();
    }

    CSaverWnd* Start(HWND parent = nullptr) {
        auto* window = new CSaverWnd;
        if (!window->Create(parent)) {
            delete window;
            return nullptr;
        }
        m_window = window;
        m_hwnd = window->m_hWnd;
        return window;
    }
    bool Alive() const { return ::IsWindow(m_hwnd) != FALSE; }
    int Shown() const { return Alive() ? m_window->Observation().SlidesShown() : -1; }

    // Runs the thread's messages as the application's loop does, until the clock reaches
    // `until` (ms since the test's start of time).
    void PumpUntil(lv::clock::Milliseconds until) {
        for (;;) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (Alive() && m_window->PreTranslateMessage(&msg))
                    continue;
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (lv::clock::now_ms() >= until)
                return;
            lv::testing::advance(1);
        }
    }
    void Pump(lv::clock::Milliseconds duration) { PumpUntil(lv::clock::now_ms() + duration); }
    lv::clock::Milliseconds At(lv::clock::Milliseconds offset) const { return m_start + offset; }
    void MarkStart() { m_start = lv::clock::now_ms(); }

    lvtest::ScratchDir m_scratch;
    std::filesystem::path m_work = m_scratch.path() / "work";
    lv::testing::VirtualClockScope m_clock;
    CSaverWnd* m_window = nullptr;
    HWND m_hwnd = nullptr;
    lv::clock::Milliseconds m_start = 0;
};

} // namespace

TEST_F(SaverWndTest, Timer11IsKilledDuringATransitionAndRestartedAfterIt) {
    EnabledTransitions.Add(0); // Blinds Vertical: twenty passes of at least 3 ms each
    MarkStart();
    ASSERT_NE(Start(), nullptr);
    Pump(5);
    EXPECT_EQ(Shown(), 1);
    EXPECT_EQ(Centre(), kRed);
    EXPECT_EQ(lv::testing::screen_pixel(0, 0), kBackground);
    PumpUntil(At(1990));
    EXPECT_EQ(Shown(), 1);
    PumpUntil(At(2200));
    EXPECT_EQ(Shown(), 2);
    EXPECT_EQ(Centre(), kBlue);
    // The next interval counts from the transition's end, not from the timer's last tick.
    PumpUntil(At(4020));
    EXPECT_EQ(Shown(), 2);
    PumpUntil(At(4400));
    EXPECT_EQ(Shown(), 3);
    EXPECT_EQ(Centre(), kRed);
}

TEST_F(SaverWndTest, TheFadeRuns123TicksWithTheSlideTimerHeldAndZeroMeansOneSecond) {
    SaverSettings.imageTime = 0;
    EnabledTransitions.Add(20); // "Fade In/Out"
    MarkStart();
    ASSERT_NE(Start(), nullptr);
    Pump(5);
    ASSERT_EQ(Shown(), 1);
    PumpUntil(At(1100));
    // Ten ticks at alpha 10 so far: blue is on its way over red.
    COLORREF midway = Centre();
    EXPECT_GT(GetBValue(midway), 0);
    EXPECT_LT(GetBValue(midway), 200);
    // 1000 ms + 124 ticks of 10 ms; a slide timer left running would have started another
    // slide at 2000 ms.
    PumpUntil(At(2220));
    EXPECT_EQ(Shown(), 1);
    PumpUntil(At(2300));
    EXPECT_EQ(Shown(), 2);
    EXPECT_EQ(Centre(), kBlue);
    PumpUntil(At(3200));
    EXPECT_EQ(Shown(), 2);
    EXPECT_EQ(Centre(), kBlue);
    PumpUntil(At(4600));
    EXPECT_EQ(Shown(), 3);
    EXPECT_EQ(Centre(), kRed);
}

TEST_F(SaverWndTest, KeysEndTheShowOnlyForEscapeAndEnter) {
    for (int key : {VK_ESCAPE, VK_RETURN}) {
        SCOPED_TRACE(key);
        ASSERT_NE(Start(), nullptr);
        Pump(5);
        lv::testing::key_press('A');
        lv::testing::key_press(VK_SPACE);
        lv::testing::key_press(VK_F1);
        Pump(20);
        ASSERT_TRUE(Alive());
        lv::testing::key_press(key);
        Pump(20);
        EXPECT_FALSE(Alive());
    }
}

TEST_F(SaverWndTest, MouseMovementOfSixPixelsEndsUnlessDisabledAndClicksNudgeTowardsIt) {
    ASSERT_NE(Start(), nullptr);
    Pump(5);
    lv::testing::mouse_move(50, 50);
    Pump(5);
    lv::testing::mouse_move(53, 52); // 5
    Pump(5);
    lv::testing::mouse_move(47, 48); // 5
    Pump(5);
    ASSERT_TRUE(Alive());
    SaverSettings.disableMouseMove = 1;
    lv::testing::mouse_move(80, 80);
    Pump(5);
    ASSERT_TRUE(Alive());
    SaverSettings.disableMouseMove = 0;
    lv::testing::mouse_move(53, 53); // 6
    Pump(5);
    EXPECT_FALSE(Alive());

    // From a resting cursor, three single clicks.
    ForgetFirstMousePosition();
    ASSERT_NE(Start(), nullptr);
    Pump(5);
    lv::testing::mouse_move(70, 70);
    Pump(5);
    for (int click = 1; click <= 2; ++click) {
        lv::testing::mouse_down();
        lv::testing::mouse_up();
        // Apart by more than the double-click time.
        Pump(600);
        ASSERT_TRUE(Alive()) << click;
    }
    lv::testing::mouse_down();
    lv::testing::mouse_up();
    Pump(5);
    EXPECT_FALSE(Alive());
}

// Every press nudges, however soon it follows the last one: presses within the double-click
// time arrive as double clicks and count the same. Three presses end the show at any pace and
// with any button; two do not.
TEST_F(SaverWndTest, EveryClickNudgesAtAnyPace) {
    struct Pace {
        lv::clock::Milliseconds apartMs;
        lv::testing::MouseButton button;
    };
    const Pace paces[] = {
        {50, lv::testing::MouseButton::left},   {300, lv::testing::MouseButton::left},
        {300, lv::testing::MouseButton::right}, {300, lv::testing::MouseButton::middle},
        {499, lv::testing::MouseButton::left},  {500, lv::testing::MouseButton::left},
        {700, lv::testing::MouseButton::left},
    };
    for (const Pace& pace : paces) {
        SCOPED_TRACE(::testing::Message()
                     << pace.apartMs << " ms apart, button " << static_cast<int>(pace.button));
        // Well apart from the last case's clicks, so that none pairs with them.
        Pump(2000);
        ForgetFirstMousePosition();
        ASSERT_NE(Start(), nullptr);
        Pump(5);
        lv::testing::mouse_move(70, 70);
        Pump(5);
        for (int click = 1; click <= 3; ++click) {
            ASSERT_TRUE(Alive()) << "before click " << click;
            lv::testing::mouse_down(pace.button);
            lv::testing::mouse_up(pace.button);
            Pump(click < 3 ? pace.apartMs : 5);
        }
        EXPECT_FALSE(Alive());
        if (Alive())
            ::DestroyWindow(m_hwnd);
        Pump(0);
    }
}

TEST_F(SaverWndTest, DestroyStopsTimersShowsTheCursorClearsTheRunningFlagAndDeletesTheWorkFolder) {
    int before = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    ASSERT_NE(Start(), nullptr);
    Pump(5);
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    EXPECT_TRUE(running);
    EXPECT_EQ(ShowCursor(TRUE), before); // hidden while the show runs
    ShowCursor(FALSE);

    lv::testing::key_press(VK_ESCAPE);
    Pump(20);
    ASSERT_FALSE(Alive());
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    EXPECT_FALSE(running);
    EXPECT_EQ(ShowCursor(TRUE), before + 1);
    ShowCursor(FALSE);
    EXPECT_FALSE(std::filesystem::exists(m_work));
    // No timer of the window is left to fire.
    Pump(5000);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

namespace {

// Asks for the close as soon as the effect draws, and notes whether the window still exists at
// each later block transfer.
class CloseOnFirstBlit : public TransitionObserver {
public:
    explicit CloseOnFirstBlit(HWND window) : m_window(window) {}
    void OnBlit(const TransitionBlit&) override {
        if (blits++ == 0)
            ::PostMessageA(m_window, WM_CLOSE, 0, 0);
        if (!::IsWindow(m_window))
            blitsAfterDestroy++;
    }
    std::atomic<int> blits{0};
    std::atomic<int> blitsAfterDestroy{0};

private:
    HWND m_window;
};

} // namespace

TEST_F(SaverWndTest, ACloseDuringATransitionWaitsForTheWorkerToFinish) {
    EnabledTransitions.Add(4); // Dripping Paint: many pieces, many delays
    CSaverWnd* window = Start();
    ASSERT_NE(window, nullptr);
    CloseOnFirstBlit observer(m_hwnd);
    window->engine.observer = &observer;
    Pump(5);
    PumpUntil(lv::clock::now_ms() + 2500);
    EXPECT_FALSE(Alive());
    EXPECT_GT(observer.blits.load(), 10);
    EXPECT_EQ(observer.blitsAfterDestroy.load(), 0);
}

TEST_F(SaverWndTest, PreviewIsAChildFillingTheGivenWindowAndIgnoresTheEndingRules) {
    LPCTSTR className = AfxRegisterWndClass(0);
    HWND parent = ::CreateWindowExA(0, className, "Display", WS_POPUP | WS_VISIBLE, 20, 10, 100, 80,
                                    nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    CSaverWnd* window = Start(parent);
    ASSERT_NE(window, nullptr);
    Pump(5);
    EXPECT_EQ(::GetParent(m_hwnd), parent);
    EXPECT_EQ(window->isPreview, 1);
    EXPECT_EQ(window->stillPreview, 0);
    RECT client{};
    ::GetClientRect(m_hwnd, &client);
    EXPECT_EQ(client.right, 100);
    EXPECT_EQ(client.bottom, 80);
    // The preview always fits the picture: 40 x 30 becomes 100 x 75.
    EXPECT_EQ(lv::testing::screen_pixel(20 + 50, 10 + 40), kRed);
    EXPECT_EQ(lv::testing::screen_pixel(20 + 1, 10 + 4), kRed);
    EXPECT_EQ(lv::testing::screen_pixel(20 + 1, 10 + 1), kBackground);
    lv::testing::mouse_move(30, 30);
    lv::testing::mouse_move(90, 70);
    Pump(5);
    EXPECT_TRUE(Alive());
    ::DestroyWindow(parent);
    Pump(5);
    EXPECT_FALSE(Alive());
    // A handle that names no window creates nothing.
    EXPECT_EQ(Start(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7777))), nullptr);
}

TEST_F(SaverWndTest, NoPicturesShowTheBackgroundAlone) {
    ImageNames.RemoveAll();
    ImageCaptions.RemoveAll();
    ASSERT_NE(Start(), nullptr);
    Pump(5);
    EXPECT_EQ(Shown(), 1);
    EXPECT_EQ(Centre(), kBackground);
    PumpUntil(lv::clock::now_ms() + 2500);
    EXPECT_EQ(Shown(), 2);
    EXPECT_EQ(Centre(), kBackground);
}

namespace {

// The music plays on real time; the show's timers run on the real clock here.
class SaverMusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetThemeGlobals();
        WorkFolder = m_work.string().c_str();
        MusicNames.Add("one.wav");
        MusicNames.Add("two.wav");
        SaverSettings.musicCount = 2;
        SaverSettings.imageTime = 600;
        SaverSettings.backgroundMode = 0;
        SaverSettings.captionPosition = 0;
    }
    void TearDown() override {
        if (::IsWindow(m_hwnd))
            ::DestroyWindow(m_hwnd);
        ResetThemeGlobals();
    }
    // Handles what is in the queue, counting the show's music polls.
    void PumpPending() {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            if (msg.message == WM_TIMER && msg.hwnd == m_hwnd && msg.wParam == kMusicTimer)
                ++m_musicPolls;
        }
    }
    // Pumps for real until `done` holds or `seconds` pass.
    bool PumpFor(double seconds, const std::function<bool()>& done) {
        auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < end) {
            PumpPending();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return done();
    }
    CSaverWnd* Start() {
        auto* window = new CSaverWnd;
        if (!window->Create(nullptr)) {
            delete window;
            return nullptr;
        }
        m_hwnd = window->m_hWnd;
        return window;
    }

    lvtest::ScratchDir m_scratch;
    std::filesystem::path m_work = m_scratch.path() / "work";
    HWND m_hwnd = nullptr;
    int m_musicPolls = 0;
};

constexpr int kModePlay = 526;

} // namespace

TEST_F(SaverMusicTest, TheLastTrackStopsWithoutLoopAndStartsOverWithIt) {
    for (int loop : {0, 1}) {
        SCOPED_TRACE(loop);
        SaverSettings.musicLoop = loop;
        // Each show deletes its work folder when it ends.
        std::filesystem::create_directories(m_work);
        lvtest::write_tone_wav(m_work / "one.wav", {.milliseconds = 1000});
        lvtest::write_tone_wav(m_work / "two.wav", {.milliseconds = 1000});
        CSaverWnd* window = Start();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->trackIndex, 0);
        EXPECT_EQ(window->player.GetMode(), kModePlay);
        ASSERT_TRUE(PumpFor(10, [&] { return window->trackIndex == 1; }));
        EXPECT_EQ(window->player.GetMode(), kModePlay);
        if (loop) {
            EXPECT_TRUE(PumpFor(10, [&] { return window->trackIndex == 0; }));
            EXPECT_EQ(window->player.GetMode(), kModePlay);
        } else {
            // The last track ends; the polls that see its end start nothing after it.
            ASSERT_TRUE(PumpFor(10, [&] { return window->player.GetMode() != kModePlay; }));
            const int polls = m_musicPolls;
            EXPECT_TRUE(PumpFor(10, [&] { return m_musicPolls >= polls + 2; }));
            EXPECT_EQ(window->trackIndex, 1);
            EXPECT_NE(window->player.GetMode(), kModePlay);
        }
        ::DestroyWindow(m_hwnd);
        PumpPending();
    }
}

namespace {

// Closes the preview's parent as soon as the effect draws.
class CloseParentOnFirstBlit : public TransitionObserver {
public:
    explicit CloseParentOnFirstBlit(HWND parent) : m_parent(parent) {}
    void OnBlit(const TransitionBlit&) override {
        if (blits++ == 0)
            ::PostMessageA(m_parent, WM_CLOSE, 0, 0);
    }
    std::atomic<int> blits{0};

private:
    HWND m_parent;
};

} // namespace

TEST_F(SaverWndTest, APreviewWhoseParentClosesDuringATransitionOutlivesTheWorker) {
    EnabledTransitions.Add(4); // Dripping Paint
    LPCTSTR className = AfxRegisterWndClass(0);
    HWND parent = ::CreateWindowExA(0, className, "Display", WS_POPUP | WS_VISIBLE, 0, 0, 160, 120,
                                    nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    CSaverWnd* window = Start(parent);
    ASSERT_NE(window, nullptr);
    CloseParentOnFirstBlit observer(parent);
    window->engine.observer = &observer;
    Pump(5);
    PumpUntil(lv::clock::now_ms() + 2500);
    EXPECT_FALSE(::IsWindow(parent));
    EXPECT_FALSE(Alive());
    EXPECT_GT(observer.blits.load(), 10);
}
