// The saver's dialogs as it shows them: framed by the toolkit from the default skin, in every
// language, with every label whole, closed by the skin's close button.
#include "settings/dialogs/back_color_dlg.h"
#include "settings/dialogs/frame_dlg.h"
#include "settings/dialogs/media_dlg.h"
#include "settings/dialogs/music_dlg.h"
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
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"

#include <functional>
#include <memory>

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
    // dialogs' colour inside, every label whole; then the screenshot. Returns the close
    // button's centre.
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
        for (const lvtest::ClippedLabel& label : lvtest::ClippedLabels(dialog))
            ADD_FAILURE() << label;
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

// The dialogs behind the advanced page's buttons, each opened on its own.
TEST_F(SkinnedSettings, TheAdvancedDialogsAreFramedByTheSkinWithTheirLabelsWhole) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CDialog>()> make;
    };
    const Case cases[] = {
        {"back_color", [] { return std::make_unique<CBackColorDlg>(); }},
        {"frame", [] { return std::make_unique<CFrameDlg>(); }},
        {"music", [] { return std::make_unique<CMusicDlg>(); }},
        {"media", [] { return std::make_unique<CMediaDlg>(); }},
    };
    for (const Language& language : kLanguages) {
        lvtest::ScopedEnv locale("LC_ALL", language.locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " in " + language.locale);
            bool framed = false;
            auto dialog = c.make();
            const INT_PTR result = RunModal(*dialog, [&](HWND shown) {
                dlgdrive::MovePointerAway();
                dlgdrive::Pump(shown);
                const POINT close =
                    CheckFrame(shown, std::string(c.name) + "_skinned_" + language.tag + ".png");
                framed = SkinManager::Instance().Find(shown) != nullptr;
                lv::testing::click(close.x, close.y);
                dlgdrive::Pump(shown);
            });
            EXPECT_TRUE(framed);
            EXPECT_EQ(result, IDCANCEL);
        }
    }
    EXPECT_EQ(SkinManager::Instance().RegisteredCount(), 0u);
}

// The layer's colour dialog, opened by "More Colors..." of a colour button's popup.
TEST_F(SkinnedSettings, TheColourDialogIsFramedByTheSkinWithItsLabelsWhole) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.locale);
        lvtest::ScopedEnv locale("LC_ALL", language.locale);
        bool framed = false;
        CBackColorDlg dialog;
        RunModal(dialog, [&](HWND shown) {
            lv::testing::push_modal_answer(
                {0, [&](HWND colours) {
                     dlgdrive::MovePointerAway();
                     dlgdrive::Pump(colours);
                     const POINT close = CheckFrame(colours, std::string("color_dialog_skinned_") +
                                                                 language.tag + ".png");
                     framed = SkinManager::Instance().Find(colours) != nullptr;
                     lv::testing::click(close.x, close.y);
                     dlgdrive::Pump(colours);
                 }});
            dlgdrive::Click(dlgdrive::FindControl(shown, CBackColorDlg::kSolidColorId));
            lv::testing::key_press(VK_LEFT);  // the last colour
            lv::testing::key_press(VK_RIGHT); // "More Colors..."
            lv::testing::key_press(VK_RETURN);
            dlgdrive::Pump(shown);
            dlgdrive::Click(dlgdrive::FindControl(shown, CAdvancedDlg::kCancelId));
        });
        EXPECT_TRUE(framed);
    }
}

} // namespace
