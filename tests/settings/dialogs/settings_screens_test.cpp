// The settings dialog as a person sees it: a screenshot of each page, and the pixels that show
// each control drawn, the tabs and buttons with their bitmaps.
#include "saver/dialog_brush.h"
#include "settings/dialogs/settings_dlg.h"
#include "testing/screen_capture.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/settings_fixture.h"
#include "tests/support/full_theme.h"
#include "tests/support/screenshots.h"

#include <set>

using dlgdrive::FindControl;

namespace {

class SettingsScreens : public SettingsFixture {};

// Every visible control of the page's window, and of the page itself.
std::vector<HWND> VisibleControls(HWND page) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child))
            controls.push_back(child);
    }
    return controls;
}

TEST_F(SettingsScreens, EachPageShowsEveryControl) {
    lvtools::ThemeSpec spec = lvtest::FullThemeSpec("Settings Test");
    spec.aboutText = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 A theme of quiet evenings.}";
    Install(spec);
    struct Shot {
        int tab;
        const char* file;
        int pageControl; // a control that tells the page
    };
    const Shot shots[] = {
        {CSettingsDlg::kOptionsTabId, "settings_options.png", COptionsPage::kIntervalId},
        {CSettingsDlg::kAdvancedTabId, "settings_advanced.png", CAdvancedPage::kTransitionId},
        {CSettingsDlg::kAboutTabId, "settings_about.png", CAboutPage::kAboutTextId},
    };
    // The tabs' normal and pressed bitmaps; the chosen tab looks pressed.
    const std::pair<int, std::pair<UINT, UINT>> tabs[] = {
        {CSettingsDlg::kOptionsTabId, {165, 168}},
        {CSettingsDlg::kAdvancedTabId, {140, 139}},
        {CSettingsDlg::kAboutTabId, {167, 166}},
    };
    RunSettings([&](HWND dialog) {
        for (const Shot& shot : shots) {
            SCOPED_TRACE(shot.file);
            dlgdrive::Click(FindControl(dialog, shot.tab));
            dlgdrive::MovePointerAway();
            dlgdrive::Pump(dialog);
            EXPECT_TRUE(dlgdrive::SaveScreenshot(dialog, lvtest::ScreenshotPath(shot.file)));
            for (const auto& [tab, bitmaps] : tabs)
                EXPECT_TRUE(dlgdrive::ShowsBitmap(FindControl(dialog, tab),
                                                  tab == shot.tab ? bitmaps.second : bitmaps.first))
                    << tab;
            EXPECT_TRUE(dlgdrive::ShowsBitmap(FindControl(dialog, IDOK), 145));
            EXPECT_TRUE(dlgdrive::ShowsBitmap(FindControl(dialog, IDCANCEL), 142));
            HWND page = GetParent(FindControl(dialog, shot.pageControl));
            const std::vector<HWND> controls = VisibleControls(page);
            EXPECT_GE(controls.size(), 7u);
            for (HWND control : controls) {
                const int id = GetDlgCtrlID(control);
                EXPECT_TRUE(dlgdrive::HasDrawing(control))
                    << id << " \"" << dlgdrive::TextOf(control) << "\"";
            }
        }
        const std::pair<int, UINT> advancedButtons[] = {
            {CAdvancedPage::kBackgroundColorId, 188}, {CAdvancedPage::kBackgroundMusicId, 191},
            {CAdvancedPage::kTransitionId, 203},      {CAdvancedPage::kFrameId, 197},
            {CAdvancedPage::kMediaId, 194},
        };
        dlgdrive::Click(FindControl(dialog, CSettingsDlg::kAdvancedTabId));
        dlgdrive::MovePointerAway();
        dlgdrive::Pump(dialog);
        for (const auto& [id, bitmap] : advancedButtons)
            EXPECT_TRUE(dlgdrive::ShowsBitmap(FindControl(dialog, id), bitmap)) << id;
        dlgdrive::Click(FindControl(dialog, IDCANCEL));
    });
}

// The interval edit keeps its border all round while a person types into it and changes pages.
TEST_F(SettingsScreens, TheIntervalKeepsItsBorderWhileTypedAndShownAgain) {
    Install(lvtest::FullThemeSpec("Settings Test"));
    RunSettings([&](HWND dialog) {
        HWND interval = FindControl(dialog, COptionsPage::kIntervalId);
        RECT window{};
        GetWindowRect(interval, &window);
        const int w = window.right - window.left, h = window.bottom - window.top;
        const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
        auto bordered = [&] {
            dlgdrive::Pump(dialog);
            return lv::testing::window_pixel(interval, 0, h / 2) == frame &&
                   lv::testing::window_pixel(interval, w - 1, h / 2) == frame &&
                   lv::testing::window_pixel(interval, w / 2, 0) == frame &&
                   lv::testing::window_pixel(interval, w / 2, h - 1) == frame;
        };
        EXPECT_TRUE(bordered());
        dlgdrive::TypeInto(interval, "12");
        EXPECT_TRUE(bordered());
        // And when the page shows again after another one.
        dlgdrive::Click(FindControl(dialog, CSettingsDlg::kAdvancedTabId));
        dlgdrive::Click(FindControl(dialog, CSettingsDlg::kOptionsTabId));
        EXPECT_TRUE(bordered());
        EXPECT_TRUE(dlgdrive::SaveScreenshot(dialog, lvtest::ScreenshotPath("settings_typed.png")));
        dlgdrive::Click(FindControl(dialog, IDCANCEL));
    });
}

// Labels, check boxes, radio buttons and group-box captions sit on the colour of the dialog
// round them, on every page: the saver's near-white face.
TEST_F(SettingsScreens, LabelsSitOnTheFaceOfTheirDialog) {
    Install(lvtest::FullThemeSpec("Settings Test"));
    const std::pair<int, int> pages[] = {
        {CSettingsDlg::kOptionsTabId, COptionsPage::kIntervalId},
        {CSettingsDlg::kAdvancedTabId, CAdvancedPage::kTransitionId},
        {CSettingsDlg::kAboutTabId, CAboutPage::kAboutTextId},
    };
    RunSettings([&](HWND dialog) {
        // The dialog's face beside its tabs, above the pages.
        RECT window{};
        GetWindowRect(dialog, &window);
        POINT corner{3, 3};
        ClientToScreen(dialog, &corner);
        for (const auto& [tab, pageControl] : pages) {
            dlgdrive::Click(FindControl(dialog, tab));
            dlgdrive::MovePointerAway();
            dlgdrive::Pump(dialog);
            const COLORREF face =
                lv::testing::window_pixel(dialog, corner.x - window.left, corner.y - window.top);
            EXPECT_EQ(face, kDialogBackground);
            HWND page = GetParent(FindControl(dialog, pageControl));
            int labels = 0;
            for (HWND control : VisibleControls(page)) {
                char name[32] = {};
                GetClassNameA(control, name, sizeof name);
                const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
                const bool label =
                    std::string(name) == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
                const bool button = std::string(name) == "Button" &&
                                    (style & BS_TYPEMASK) != BS_OWNERDRAW &&
                                    (style & BS_TYPEMASK) > BS_DEFPUSHBUTTON;
                if (!label && !button)
                    continue;
                ++labels;
                // A group box colours only its caption, which starts inside its left edge.
                const int x = (style & BS_TYPEMASK) == BS_GROUPBOX && button ? 9 : 0;
                EXPECT_EQ(lv::testing::window_pixel(control, x, 0), face)
                    << tab << " " << GetDlgCtrlID(control) << " \"" << dlgdrive::TextOf(control)
                    << "\"";
            }
            EXPECT_GE(labels, 5) << tab;
        }
        dlgdrive::Click(FindControl(dialog, IDCANCEL));
    });
}

} // namespace
