// The animation control played by its skinner: open, a range played with repeats, stop, the
// control's own stop at the end of its passes, transparency over the parent's skin, clips
// refused, and stops that meet the playback thread in the middle of its drawing.
#include "skin/skinners/skin_animate_wnd.h"
#include "skin/skinners/skin_wnd.h"
#include "testing/screen_capture.h"
#include "system/clock.h"
#include "testing/virtual_clock.h"
#include "tests/skin/control_skinners/control_skinners_fixture.h"
#include "tests/support/avi_writer.h"
#include "tests/support/scratch_dir.h"
#include "window/message_queue.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

namespace lvtest {
namespace {

constexpr int kAnimateId = 1500;
// A free place on the dialog, clear of its other controls.
constexpr int kLeft = 400;
constexpr int kTop = 230;
constexpr int kClipWidth = 8;
constexpr int kClipHeight = 6;
constexpr std::uint32_t kKey = 0x00FF00; // the transparent clip's top-left colour
constexpr COLORREF kNoFrame = RGB(1, 2, 3); // the colour of no frame of the test clips

// Frame n of the test clips: one colour a frame, told apart at a glance.
std::uint32_t FrameColour(int n) {
    return 0x102030u * static_cast<std::uint32_t>(n + 1);
}

COLORREF AsColorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

class AnimateTest : public ControlDialog {
protected:
    std::string SaveClip(const std::string& name, int frames, std::uint32_t rate = 10,
                         std::uint32_t scale = 1, bool keyedLeftHalf = false) {
        AviSpec spec;
        spec.picture.width = kClipWidth;
        spec.picture.height = kClipHeight;
        spec.picture.bitCount = 24;
        spec.rate = rate;
        spec.scale = scale;
        for (int n = 0; n < frames; ++n) {
            std::vector<std::uint32_t> pixels = SolidPixels(spec.picture, FrameColour(n));
            if (keyedLeftHalf)
                for (int y = 0; y < kClipHeight; ++y)
                    std::fill_n(pixels.begin() + y * kClipWidth, kClipWidth / 2, kKey);
            spec.frames.push_back(pixels);
        }
        const std::vector<std::uint8_t> bytes = WriteAvi(spec);
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
        return path;
    }

    // An animation control on the skinned dialog, skinned as the dialog's own controls are.
    HWND Create(DWORD style, int width = 40, int height = 30) {
        HWND control = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | style, kLeft,
                                       kTop, width, height, dialog,
                                       reinterpret_cast<HMENU>(kAnimateId), nullptr, nullptr);
        EXPECT_NE(control, nullptr);
        FindSkinWnd(dialog)->SkinChild(control);
        skinner = dynamic_cast<SkinAnimateWnd*>(FindSkinWnd(control));
        EXPECT_NE(skinner, nullptr) << "the control is played by the toolkit";
        Pump();
        return control;
    }

    LRESULT OpenClip(HWND control, const std::string& path) {
        return SendMessageA(control, ACM_OPENA, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }

    bool Shows(HWND control, int x, int y, COLORREF colour) {
        return lv::testing::window_pixel(control, x, y) == colour;
    }

    // Serves the dialog (and the thread's requests for the background) until the control
    // shows the colour at (x, y), or a generous real-time limit passes. The playback thread
    // blocks on the clock once it has drawn (waiting for its next frame, or for this thread to
    // serve what it sent), or posts its end here and leaves: the check is made again then.
    bool WaitToShow(HWND control, int x, int y, COLORREF colour) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (;;) {
            Pump();
            if (Shows(control, x, y, colour))
                return true;
            if (std::chrono::steady_clock::now() >= limit)
                return false;
            if (lv::window::wait_for_arrival(std::chrono::milliseconds(0)))
                continue; // something to serve first
            if (lv::clock::wait_for_virtual_waiter(std::chrono::milliseconds(50)))
                std::this_thread::yield(); // it may still be in the wait it is leaving
            else
                lv::window::wait_for_arrival(std::chrono::milliseconds(50));
        }
    }

    // One frame interval of virtual time, then the frame expected next. The clock moves once
    // the thread waits for its next frame, its deadline taken; the control is covered with a
    // colour of no frame first, so that only the thread's drawing after this step shows the
    // frame (one already on the screen proves nothing, and would leave the thread behind).
    bool StepTo(HWND control, int x, int y, COLORREF colour, unsigned interval = 100) {
        if (!lv::testing::wait_for_waiter())
            return false;
        // A paint still due (a clip just opened) would cover the frame with the last one shown.
        Pump();
        HDC dc = GetDC(control);
        RECT client{};
        GetClientRect(control, &client);
        HBRUSH none = CreateSolidBrush(kNoFrame);
        FillRect(dc, &client, none);
        DeleteObject(none);
        ReleaseDC(control, dc);
        if (!Shows(control, x, y, kNoFrame))
            return false;
        lv::testing::advance(interval);
        return WaitToShow(control, x, y, colour);
    }

    int Count(int code) const {
        return static_cast<int>(
            std::count(g_commands.begin(), g_commands.end(), std::make_pair(kAnimateId, code)));
    }

    // The playback thread's end is finished on this thread, from a posted message: each
    // arrival in the queue is served and the count looked at again.
    bool WaitForStop(int stops) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (;;) {
            Pump();
            if (Count(ACN_STOP) >= stops || std::chrono::steady_clock::now() >= limit)
                return Count(ACN_STOP) == stops;
            lv::window::wait_for_arrival(std::chrono::seconds(1));
        }
    }

    lv::testing::VirtualClockScope clock_;
    ScratchDir dir_;
    SkinAnimateWnd* skinner = nullptr;
};

TEST_F(AnimateTest, PlaysARangeWithRepeatsThenStopsItselfAndPlaysAgain) {
    Open();
    HWND control = Create(0);
    ASSERT_EQ(OpenClip(control, SaveClip("six.avi", 6)), 1);
    RECT placed{};
    GetWindowRect(control, &placed);
    EXPECT_EQ(placed.right - placed.left, kClipWidth) << "the control takes the clip's size";
    EXPECT_EQ(placed.bottom - placed.top, kClipHeight);
    UpdateWindow(control);
    EXPECT_EQ(lv::testing::window_pixel(control, 4, 3), AsColorRef(FrameColour(0)))
        << "the first frame shows";

    ASSERT_EQ(SendMessageA(control, ACM_PLAY, 2, MAKELPARAM(2, 4)), 1);
    EXPECT_EQ(Count(ACN_START), 1);
    EXPECT_TRUE(skinner->IsPlaying());
    for (int frame : {2, 3, 4, 2, 3, 4})
        ASSERT_TRUE(StepTo(control, 4, 3, AsColorRef(FrameColour(frame)))) << "frame " << frame;
    ASSERT_TRUE(WaitForStop(1)) << "the parent hears of the end of the last pass";
    EXPECT_FALSE(skinner->IsPlaying());
    EXPECT_EQ(SendMessageA(control, ACM_ISPLAYING, 0, 0), FALSE);
    // The thread has ended: nothing is left that could draw another frame.
    lv::testing::advance(500);
    Pump();
    EXPECT_FALSE(Shows(control, 4, 3, AsColorRef(FrameColour(2)))) << "the last frame stays";

    // Played again, up to the clip's end (-1), one pass.
    ASSERT_EQ(SendMessageA(control, ACM_PLAY, 1, MAKELPARAM(4, -1)), 1);
    EXPECT_EQ(Count(ACN_START), 2);
    for (int frame : {4, 5})
        ASSERT_TRUE(StepTo(control, 4, 3, AsColorRef(FrameColour(frame)))) << "frame " << frame;
    ASSERT_TRUE(WaitForStop(2));

    // Stopped by hand while playing for ever.
    ASSERT_EQ(SendMessageA(control, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 1)), 1);
    ASSERT_TRUE(StepTo(control, 4, 3, AsColorRef(FrameColour(0))));
    ASSERT_TRUE(StepTo(control, 4, 3, AsColorRef(FrameColour(1))));
    ASSERT_TRUE(StepTo(control, 4, 3, AsColorRef(FrameColour(0))));
    EXPECT_EQ(SendMessageA(control, ACM_STOP, 0, 0), 1);
    EXPECT_EQ(Count(ACN_STOP), 3);
    EXPECT_EQ(SendMessageA(control, ACM_STOP, 0, 0), 1) << "stopping a stopped control";
    EXPECT_EQ(Count(ACN_STOP), 3);
}

TEST_F(AnimateTest, OpeningAnotherClipStopsTheOneThatPlaysAndRefusesClipsWithoutARate) {
    Open();
    HWND control = Create(ACS_CENTER, 30, 20);
    ASSERT_EQ(OpenClip(control, SaveClip("first.avi", 3)), 1);
    RECT placed{};
    GetWindowRect(control, &placed);
    EXPECT_EQ(placed.right - placed.left, 30) << "a centred control keeps its size";
    ASSERT_EQ(SendMessageA(control, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, -1)), 1);
    ASSERT_TRUE(StepTo(control, 15, 10, AsColorRef(FrameColour(0))));

    // The second clip: faster (25 a second), with other colours from its third frame on.
    ASSERT_EQ(OpenClip(control, SaveClip("second.avi", 5, 25)), 1);
    EXPECT_EQ(Count(ACN_STOP), 1) << "the first clip stopped before the second opened";
    EXPECT_FALSE(skinner->IsPlaying());
    ASSERT_EQ(SendMessageA(control, ACM_PLAY, 1, MAKELPARAM(3, 4)), 1);
    ASSERT_TRUE(StepTo(control, 15, 10, AsColorRef(FrameColour(3)), 40));
    ASSERT_TRUE(StepTo(control, 15, 10, AsColorRef(FrameColour(4)), 40));
    ASSERT_TRUE(WaitForStop(2));

    // Refused: no rate, no scale, no file; the control is then closed and plays nothing.
    EXPECT_EQ(OpenClip(control, SaveClip("norate.avi", 2, 0, 1)), 0);
    EXPECT_EQ(OpenClip(control, SaveClip("noscale.avi", 2, 10, 0)), 0);
    EXPECT_EQ(OpenClip(control, (dir_ / "missing.avi").string()), 0);
    EXPECT_EQ(SendMessageA(control, ACM_PLAY, 1, MAKELPARAM(0, -1)), 0);
    EXPECT_FALSE(skinner->IsPlaying());
    // A null name closes.
    ASSERT_EQ(OpenClip(control, SaveClip("again.avi", 2)), 1);
    EXPECT_EQ(SendMessageA(control, ACM_OPENA, 0, 0), 1);
    EXPECT_EQ(SendMessageA(control, ACM_PLAY, 1, MAKELPARAM(0, -1)), 0);
}

TEST_F(AnimateTest, ATransparentClipShowsTheParentsSkinWhereItHasItsKeyColour) {
    Open();
    // What the dialog's skin shows where the control will be, before it is there.
    RECT frame{};
    GetWindowRect(dialog, &frame);
    POINT at{kLeft, kTop};
    ClientToScreen(dialog, &at);
    const int dx = at.x - frame.left, dy = at.y - frame.top;
    const COLORREF under[3] = {lv::testing::window_pixel(dialog, dx + 1, dy + 1),
                               lv::testing::window_pixel(dialog, dx + 13, dy + 10),
                               lv::testing::window_pixel(dialog, dx + 18, dy + 10)};

    HWND control = Create(ACS_TRANSPARENT | ACS_CENTER, 32, 20);
    ASSERT_EQ(OpenClip(control, SaveClip("keyed.avi", 2, 10, 1, true)), 1);
    ASSERT_EQ(SendMessageA(control, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, -1)), 1);
    // The clip sits centred: x 12..19, y 7..12; its left half is the key colour.
    ASSERT_TRUE(StepTo(control, 18, 10, AsColorRef(FrameColour(0))));
    EXPECT_EQ(lv::testing::window_pixel(control, 1, 1), under[0]) << "around the clip";
    EXPECT_EQ(lv::testing::window_pixel(control, 13, 10), under[1]) << "the clip's key colour";
    EXPECT_NE(under[2], AsColorRef(FrameColour(0)));
    ASSERT_TRUE(StepTo(control, 18, 10, AsColorRef(FrameColour(1))));
    EXPECT_EQ(lv::testing::window_pixel(control, 13, 10), under[1]);
    EXPECT_EQ(SendMessageA(control, ACM_STOP, 0, 0), 1);
}

TEST_F(AnimateTest, StopWhileTheThreadWaitsForTheParentsBackgroundDoesNotDeadlock) {
    Open();
    HWND control = Create(ACS_TRANSPARENT | ACS_CENTER, 32, 20);
    ASSERT_EQ(OpenClip(control, SaveClip("keyed.avi", 2, 10, 1, true)), 1);
    ASSERT_EQ(SendMessageA(control, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, -1)), 1);
    // Time moves without this thread serving anything: the playback thread wakes and sends
    // for the background, and waits for this thread.
    ASSERT_TRUE(lv::testing::wait_for_waiter());
    lv::testing::advance(100);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (GetQueueStatus(QS_SENDMESSAGE) == 0 && std::chrono::steady_clock::now() < limit)
        lv::window::wait_for_arrival(std::chrono::seconds(1));
    ASSERT_NE(GetQueueStatus(QS_SENDMESSAGE), 0u) << "the thread sent for the background";
    EXPECT_EQ(SendMessageA(control, ACM_STOP, 0, 0), 1);
    EXPECT_EQ(Count(ACN_STOP), 1);
    EXPECT_FALSE(skinner->IsPlaying());

    // Destroyed while playing: the window's end stops the thread first.
    ASSERT_EQ(SendMessageA(control, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, -1)), 1);
    lv::testing::advance(100);
    EXPECT_TRUE(DestroyWindow(control));
    EXPECT_EQ(Count(ACN_STOP), 2);
}

} // namespace
} // namespace lvtest
