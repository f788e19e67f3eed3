// The settings and transition dialogs as the saver shows them: framed by the toolkit from the
// default skin, in every language, closed by the skin's close button.
#include "settings/dialogs/settings_dlg.h"
#include "settings/dialogs/transition_dlg.h"
#include "skin/core/glazework.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_dialog_wnd.h"
#include "skin/skinners/skin_element.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/settings_fixture.h"
#include "tests/support/full_theme.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"

namespace {

constexpr COLORREF kDialogColour = RGB(250, 250, 250);

class SkinnedSettings : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        Install(lvtest::FullThemeSpec("Skinned Test"));
        // As the saver's start-up does it.
        ASSERT_EQ(GlazeworkStartup(AfxGetInstanceHandle(), "Lumivista", 0, 0), 1);
        ASSERT_EQ(GlazeworkLoadSkinResource(AfxGetInstanceHandle(), "DEFAULT_SKIN", "GLAZE_WORK"),
                  1);
        GlazeworkSetDialogSkinName("Dialog");
    }
    void TearDown() override {
        GlazeworkShutdown();
        SettingsFixture::TearDown();
    }

    // What the skinned frame shows: a shaped window, the skin's borders round the client, the
    // dialogs' colour inside; then the screenshot. Returns the close button's centre.
    POINT CheckFrame(HWND dialog, const std::string& shot) {
        auto* skinner = dynamic_cast<SkinDialogWnd*>(SkinManager::Instance().Find(dialog));
        EXPECT_NE(skinner, nullptr);
        if (!skinner)
            return {};
        RECT window{};
        GetWindowRect(dialog, &window);
        POINT origin{0, 0};
        ClientToScreen(dialog, &origin);
        EXPECT_EQ(origin.x - window.left, 10);
        EXPECT_EQ(origin.y - window.top, 30);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(dialog, region), COMPLEXREGION);
        EXPECT_FALSE(PtInRegion(region, 0, 0));
        DeleteObject(region);
        EXPECT_NE(WindowFromPoint(POINT{window.left, window.top}), dialog);
        EXPECT_EQ(lv::testing::window_pixel(dialog, 10, window.bottom - window.top - 13),
                  kDialogColour);
        EXPECT_TRUE(dlgdrive::SaveScreenshot(dialog, lvtest::ScreenshotPath(shot)));
        const RECT close = skinner->Elements().front()->Rect();
        return POINT{window.left + (close.left + close.right) / 2,
                     window.top + (close.top + close.bottom) / 2};
    }
};

struct Language {
    const char* locale;
    const char* tag;
};
constexpr Language kLanguages[] = {{"C", "en"}, {"ja_JP.UTF-8", "ja"}, {"ko_KR.UTF-8", "ko"}};

TEST_F(SkinnedSettings, TheSettingsDialogIsFramedByTheSkinAndClosesByItsButton) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.locale);
        lvtest::ScopedEnv locale("LC_ALL", language.locale);
        bool wasOpen = false;
        lv::testing::push_modal_answer(
            {IDOK, [&](HWND dialog) {
                 dlgdrive::MovePointerAway();
                 dlgdrive::Pump(dialog);
                 const POINT close =
                     CheckFrame(dialog, std::string("settings_skinned_") + language.tag + ".png");
                 wasOpen = IsWindowVisible(dialog);
                 lv::testing::click(close.x, close.y);
                 dlgdrive::Pump(dialog);
             }});
        CSettingsDlg dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_TRUE(wasOpen);
    }
    EXPECT_EQ(SkinManager::Instance().RegisteredCount(), 0u);
}

TEST_F(SkinnedSettings, TheTransitionDialogIsFramedByTheSkin) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.locale);
        lvtest::ScopedEnv locale("LC_ALL", language.locale);
        lv::testing::push_modal_answer(
            {IDOK, [&](HWND dialog) {
                 dlgdrive::MovePointerAway();
                 dlgdrive::Pump(dialog);
                 const POINT close =
                     CheckFrame(dialog, std::string("transition_skinned_") + language.tag + ".png");
                 lv::testing::click(close.x, close.y);
                 dlgdrive::Pump(dialog);
             }});
        CTransitionDlg dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

} // namespace
