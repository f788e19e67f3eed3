// The gallery's window of drawn scroll bars and a playing animation, opened by its button in
// the gallery: the list and the text scroll with bars drawn from the skin, the clip from the
// gallery's resources plays and stops, and the window reads whole in each language.
#include "skin/core/skin_manager.h"
#include "skin/skinners/drawn_scroll_bars.h"
#include "skin/skinners/skin_animate_wnd.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/key_pixels.h"
#include "tests/support/label_fit.h"
#include "tests/support/screenshots.h"
#include "tests/tools/skingallery/gallery_driving.h"
#include "tools/skingallery/gallery_dialog.h"
#include "tools/skingallery/gallery_ids.h"
#include "tools/skingallery/gallery_skin.h"
#include "window/message_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace {

using namespace gallery;
namespace input = lv::testing;

using gallerytest::Pump;

// Serves the window (and the playback thread's sends for the background) until `shown`
// holds, or a generous real-time limit passes. The thread draws on its own: what it shows is
// looked at again on each arrival in the queue and within a short slice.
bool PumpUntil(const std::function<bool()>& shown) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        Pump();
        if (shown())
            return true;
        if (std::chrono::steady_clock::now() >= limit)
            return false;
        lv::window::wait_for_arrival(std::chrono::milliseconds(10));
    }
}

// The gallery is opened, the window opened by its button and driven by `drive`, then both
// are closed.
void RunWindowDriven(const std::function<void(HWND)>& drive) {
    EXPECT_TRUE(gallerytest::DriveWindowOpenedBy(kScrollAnimButton, IDCANCEL, drive))
        << "the button opens the window";
}

// What the animation control shows.
std::vector<COLORREF> AnimationRow(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom - r.top; ++y)
        for (int x = 0; x < r.right - r.left; ++x)
            pixels.push_back(input::window_pixel(control, x, y));
    return pixels;
}

class GalleryScrollAnim : public gallerytest::SkinnedGallery {};

TEST_F(GalleryScrollAnim, TheListScrollsByItsDrawnBarsAndTheClipPlaysUntilStopped) {
    RunWindowDriven([](HWND window) {
        HWND list = GetDlgItem(window, kScrollAnimList);
        HWND edit = GetDlgItem(window, kScrollAnimEdit);
        EXPECT_TRUE(DrawnSB_IsInitialized(list));
        EXPECT_TRUE(DrawnSB_IsInitialized(edit));
        // The scroll functions answer from the drawn bars' state.
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
        EXPECT_EQ(info.nMax, 59);
        EXPECT_GT(info.nPage, 0u);
        // The down arrow at the foot of the drawn bar scrolls the list a line.
        const RECT bar = DrawnSB_GetBarRect(list, SB_VERT);
        ASSERT_FALSE(IsRectEmpty(&bar));
        RECT place{};
        GetWindowRect(list, &place);
        EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
        input::click(place.left + (bar.left + bar.right) / 2, place.top + bar.bottom - 3);
        Pump();
        EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1);
        EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);

        HWND animation = GetDlgItem(window, kScrollAnimate);
        auto* skinner = dynamic_cast<SkinAnimateWnd*>(SkinManager::Instance().Find(animation));
        ASSERT_NE(skinner, nullptr) << "the toolkit plays the animation";
        EXPECT_TRUE(skinner->IsPlaying()) << "the clip from the resources plays";
        Pump();
        const std::vector<COLORREF> before = AnimationRow(animation);
        EXPECT_TRUE(PumpUntil([&] { return AnimationRow(animation) != before; }))
            << "the ball has moved on";

        input::click_window(GetDlgItem(window, kScrollAnimStop));
        Pump();
        EXPECT_FALSE(skinner->IsPlaying());
        // Stopped, the playback thread has ended: nothing is left that could draw.
        const std::vector<COLORREF> stopped = AnimationRow(animation);
        Pump();
        EXPECT_EQ(AnimationRow(animation), stopped) << "a stopped clip stands still";
        input::click_window(GetDlgItem(window, kScrollAnimPlay));
        Pump();
        EXPECT_TRUE(skinner->IsPlaying());
    });
    // The clip went through a temporary file, which is gone.
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((std::string(folder) + "*.AVI").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

TEST_F(GalleryScrollAnim, ShowsWholeLabelsAndNoKeyColourInEveryLanguage) {
    InEachLanguage([](const std::string& code) {
        RunWindowDriven([&](HWND window) {
            // Painted, and the clip has drawn a frame of its own.
            HWND animation = GetDlgItem(window, kScrollAnimate);
            Pump();
            const std::vector<COLORREF> first = AnimationRow(animation);
            EXPECT_TRUE(PumpUntil([&] { return AnimationRow(animation) != first; }));
            for (const lvtest::ClippedLabel& label : lvtest::ClippedLabels(window))
                ADD_FAILURE() << label;
            // The drawn bars' arrows and thumbs leave their key-coloured corners out.
            const lvtest::KeyPixels keyed = lvtest::KeyPixelsShown(window);
            EXPECT_EQ(keyed.count, 0) << keyed;
            const std::string file = std::string("skingallery_scroll_anim_") + code + ".png";
            EXPECT_TRUE(input::save_window_png(window, lvtest::ScreenshotPath(file)));
        });
    });
}

} // namespace
