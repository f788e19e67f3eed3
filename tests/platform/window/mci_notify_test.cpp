// MCI notifications reach the named window's queue once the poster is installed.
#include "media/notify_poster.h"
#include "win32/media.h"
#include "window/mci_notify.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

TEST(MciNotify, InstalledPosterQueuesTheNoticeForTheWindow) {
    HWND window = wintest::make_coloured(WS_POPUP, 0, 0, 10, 10, RGB(0, 0, 0));
    ASSERT_NE(window, nullptr);
    lv::window::install_mci_notify_poster();
    lv::media::post_notify(window, MCI_NOTIFY_SUCCESSFUL, 7);
    lv::media::post_notify(nullptr, MCI_NOTIFY_SUCCESSFUL, 8); // nobody to tell
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.wParam, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(msg.lParam, 7);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE));
    lv::media::set_notify_poster(nullptr);
    DestroyWindow(window);
}
