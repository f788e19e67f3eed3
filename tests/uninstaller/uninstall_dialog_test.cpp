// The confirmation dialog as a person sees it, read back from the headless screen.
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "tests/support/window_probe.h"
#include "uninstaller/uninstall_dlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Shown {
    std::string caption;
    std::string texts[3];
    bool text_drawn[3] = {};
    bool caption_bar = false;
    bool saved = false;
};

// Some pixel inside the window's rectangle that differs from the colour at its centre's left
// edge: text or a frame has been drawn there.
bool has_drawing(HWND parentTop, HWND control) {
    const RECT rect = lvtest::RectInWindow(parentTop, control);
    const COLORREF background = lv::testing::window_pixel(parentTop, rect.left + 1, rect.top + 1);
    int different = 0;
    for (int y = rect.top + 1; y < rect.bottom - 1; ++y)
        for (int x = rect.left + 1; x < rect.right - 1; ++x)
            if (lv::testing::window_pixel(parentTop, x, y) != background)
                ++different;
    return different > 10;
}

TEST(UninstallDialog, ShowsItsCaptionTextAndTwoButtons) {
    lv::testing::clear_answers();
    Shown shown;
    const std::string png = ::testing::TempDir() + "uninstall_dialog.png";
    lv::testing::push_modal_answer(
        {IDCANCEL, [&](HWND dialog) {
             RedrawWindow(dialog, nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
             shown.caption = lvtest::WindowText(dialog);
             const COLORREF bar =
                 lv::testing::window_pixel(dialog, 20, GetSystemMetrics(SM_CYFIXEDFRAME) + 6);
             shown.caption_bar = bar == GetSysColor(COLOR_ACTIVECAPTION) ||
                                 bar == GetSysColor(COLOR_INACTIVECAPTION);
             const int ids[3] = {0xFFFF, 1004, 1003};
             HWND control = GetWindow(dialog, GW_CHILD);
             for (int i = 0; i < 3 && control; ++i) {
                 EXPECT_EQ(GetDlgCtrlID(control), ids[i]);
                 shown.texts[i] = lvtest::WindowText(control);
                 shown.text_drawn[i] = has_drawing(dialog, control);
                 control = GetWindow(control, GW_HWNDNEXT);
             }
             shown.saved = lv::testing::save_window_png(dialog, png);
             PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
         }});
    CUninstallDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(shown.caption, "Uninstaller for Glimmerwright Saver");
    EXPECT_TRUE(shown.caption_bar);
    EXPECT_EQ(shown.texts[0], "Uninstall Screensaver?");
    EXPECT_EQ(shown.texts[1], "Uninstall");
    EXPECT_EQ(shown.texts[2], "Cancel");
    for (bool drawn : shown.text_drawn)
        EXPECT_TRUE(drawn);
    EXPECT_TRUE(shown.saved);
}

} // namespace
