// The confirmation dialog as a person sees it, read back from the headless screen.
#include "installed_saver.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"
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

// The program icon (resource 128) on the dialog, shown the way a person meets it: as the
// window's icon and drawn in its colours (magenta is see-through).
TEST(UninstallDialog, CarriesTheProgramIcon) {
    lv::testing::clear_answers();
    HICON big = nullptr, small = nullptr;
    COLORREF middle = CLR_INVALID, corner = CLR_INVALID;
    bool saved = false;
    lv::testing::push_modal_answer(
        {IDCANCEL, [&](HWND dialog) {
             big = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));
             small = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0));
             // An icon static beside the dialog shows what the icon looks like.
             HWND shown = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_ICON, 0, 0,
                                          48, 48, dialog, nullptr, nullptr, nullptr);
             SendMessageA(shown, STM_SETICON, reinterpret_cast<WPARAM>(big), 0);
             RedrawWindow(shown, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
             middle = lv::testing::window_pixel(shown, 16, 16);
             corner = lv::testing::window_pixel(shown, 0, 0);
             saved = lv::testing::save_window_png(shown,
                                                  lvtest::ScreenshotPath("uninstaller_icon.png"));
             DestroyWindow(shown);
             PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
         }});
    CUninstallDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(small, big);
    EXPECT_TRUE(saved);
    EXPECT_NE(middle, RGB(255, 0, 255));
    EXPECT_NE(middle, corner); // the icon's picture, not the background around it
}

// The report after a removal whose saver was already gone, as a person reads it in each
// language: the failure, then the file that was not there.
TEST(UninstallDialog, TheReportNamesTheFileThatWasAlreadyGone) {
    uninstalltest::ScratchRoot root;
    struct Case {
        const char* locale;
        const char* failed;
        const char* notFound;
    };
    const Case cases[] = {
        {"C", "Uninstall Failed!", "Not found: "},
        {"ja_JP.UTF-8", "アンインストールに失敗しました。", "見つかりません: "},
        {"ko_KR.UTF-8", "제거하지 못했습니다.", "찾을 수 없음: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const lvtest::ScopedEnv language("LC_ALL", c.locale);
        const uninstalltest::InstalledSaver saver("Quiet Horizons");
        ASSERT_TRUE(DeleteFileA(saver.saverPath().c_str()));
        lv::testing::clear_answers();
        std::string shownText;
        bool fits = false, saved_png = false;
        // The report's answer is queued once the dialog shows, so that it goes to the report.
        auto lookAtReport = [&](HWND box) {
            RedrawWindow(box, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
            RECT client{};
            GetClientRect(box, &client);
            fits = true;
            for (HWND child = GetWindow(box, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                const std::string text = lvtest::WindowText(child);
                if (text.find(c.notFound) != std::string::npos)
                    shownText = text;
                RECT place{};
                GetWindowRect(child, &place);
                MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
                RECT inside{};
                IntersectRect(&inside, &place, &client);
                fits = fits && EqualRect(&inside, &place);
            }
            saved_png = lv::testing::save_window_png(
                box, lvtest::ScreenshotPath(std::string("uninstall_not_found_") +
                                            std::string(c.locale).substr(0, 2) + ".png"));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        };
        lv::testing::push_modal_answer(
            {IDOK, [&](HWND dialog) {
                 lv::testing::push_modal_answer({IDOK, lookAtReport});
                 lv::testing::click_window(GetDlgItem(dialog, CUninstallDlg::kUninstallButton));
             }});
        // The command line arrives lower-cased.
        const std::string path = uninstalltest::Lowered(saver.saverPath());
        CUninstallDlg dialog;
        dialog.m_strPath = path.c_str();
        EXPECT_EQ(dialog.DoModal(), IDOK);
        // The drive letter comes back in capitals from making the path absolute.
        EXPECT_EQ(uninstalltest::Lowered(shownText),
                  uninstalltest::Lowered(std::string(c.failed) + "\n" + c.notFound + path));
        EXPECT_TRUE(fits);
        EXPECT_TRUE(saved_png);
        EXPECT_FALSE(uninstalltest::FileExists(saver.dataPath()));
        EXPECT_FALSE(uninstalltest::KeyExists(saver.entry()));
    }
}

} // namespace
