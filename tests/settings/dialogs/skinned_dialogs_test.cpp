// The settings and transition dialogs as the saver shows them: framed by the toolkit from the
// default skin, in every language, closed by the skin's close button.
#include "settings/dialogs/settings_dlg.h"
#include "settings/dialogs/transition_dlg.h"
#include "skin/core/glazework.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_dialog_wnd.h"
#include "skin/skinners/skin_element.h"
#include "skin/skinners/skin_wnd.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/settings_fixture.h"
#include "tests/support/full_theme.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"

#include <string>
#include <vector>

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

// Every window below `parent`, depth first.
void CollectChildren(HWND parent, std::vector<HWND>& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        out.push_back(child);
        CollectChildren(child, out);
    }
}

// The dialog's controls by the default skin: check boxes, group boxes, statics, edits and
// progress bars have skinners; owner-drawn buttons (the image buttons) have none.
void ExpectControlsSkinned(HWND dialog, int& seenSkinned, int& seenOwnerDrawn) {
    std::vector<HWND> controls;
    CollectChildren(dialog, controls);
    for (HWND control : controls) {
        if (!IsWindowVisible(control))
            continue;
        char name[64] = {};
        GetClassNameA(control, name, sizeof name);
        const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        const std::uint32_t type = SkinWnd::GetControlType(control);
        SkinWnd* skinner = SkinManager::Instance().Find(control);
        if (std::string(name) == "Button" && (style & 0xF) == BS_OWNERDRAW) {
            EXPECT_EQ(skinner, nullptr) << "owner-drawn button " << GetDlgCtrlID(control);
            ++seenOwnerDrawn;
            continue;
        }
        const bool served =
            type == 5 || type == 8 || type == 7 || type == 10 ||
            (type == 14 && (style & SS_TYPEMASK) != SS_SIMPLE &&
             (style & SS_TYPEMASK) != SS_OWNERDRAW && (style & SS_TYPEMASK) != SS_ENHMETAFILE);
        if (!served)
            continue;
        EXPECT_NE(skinner, nullptr) << name << " " << GetDlgCtrlID(control) << " type " << type;
        if (skinner)
            ++seenSkinned;
    }
}

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

TEST_F(SkinnedSettings, TheDialogsControlsAreSkinnedAndImageButtonsStayTheirOwners) {
    int skinned = 0, ownerDrawn = 0;
    lv::testing::push_modal_answer({IDOK, [&](HWND open) {
                                        dlgdrive::MovePointerAway();
                                        dlgdrive::Pump(open);
                                        ExpectControlsSkinned(open, skinned, ownerDrawn);
                                        PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
                                    }});
    CSettingsDlg dialog;
    dialog.DoModal();
    EXPECT_GT(skinned, 0);
    EXPECT_GT(ownerDrawn, 0) << "the settings dialog's image buttons";
    skinned = ownerDrawn = 0;
    lv::testing::push_modal_answer({IDOK, [&](HWND open) {
                                        dlgdrive::MovePointerAway();
                                        dlgdrive::Pump(open);
                                        ExpectControlsSkinned(open, skinned, ownerDrawn);
                                        PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
                                    }});
    CTransitionDlg transitions;
    transitions.DoModal();
    EXPECT_GT(skinned, 0);
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
