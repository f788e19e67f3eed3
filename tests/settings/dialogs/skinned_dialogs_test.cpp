// The saver's dialogs as it shows them: framed by the toolkit from the default skin, in every
// language, with every label whole, closed by the skin's close button.
#include "settings/dialogs/back_color_dlg.h"
#include "settings/dialogs/frame_dlg.h"
#include "settings/dialogs/media_dlg.h"
#include "settings/dialogs/music_dlg.h"
#include "settings/dialogs/settings_dlg.h"
#include "settings/dialogs/transition_dlg.h"
#include "skin/core/glazework.h"
#include "skin/core/nine_part_frame_skin.h"
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
#include "tests/support/key_pixels.h"
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"

#include <functional>
#include <memory>
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

    // The title shows whole in the caption's middle part, between the icon and the buttons.
    static void ExpectTitleFits(HWND dialog, const SkinDialogWnd& skinner) {
        const auto* frame = dynamic_cast<const NinePartFrameSkin*>(skinner.Object());
        ASSERT_NE(frame, nullptr);
        char title[300] = {};
        const int length = GetWindowTextA(dialog, title, sizeof title);
        HDC dc = CreateCompatibleDC(nullptr);
        HFONT font = CreateFontIndirectA(&frame->font.font);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE needed{};
        GetTextExtentPoint32A(dc, title, length, &needed);
        SelectObject(dc, previous);
        DeleteObject(font);
        DeleteDC(dc);
        const RECT place = skinner.PartRects()[1];
        EXPECT_LE(needed.cx, place.right - place.left) << "the title \"" << title << "\" is cut";
    }

    // Text labels sit on the dialog's colour, not on a box of the system's face colour.
    static void ExpectLabelsOnTheDialogColour(HWND dialog, const RECT& window) {
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char name[16] = {};
            GetClassNameA(child, name, sizeof(name));
            const DWORD type = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & SS_TYPEMASK;
            if (lstrcmpiA(name, "Static") != 0 || type > SS_RIGHT || !IsWindowVisible(child))
                continue;
            POINT inside{0, 0}; // the client's corner: a border keeps its own colour
            ClientToScreen(child, &inside);
            EXPECT_EQ(
                lv::testing::window_pixel(dialog, inside.x - window.left, inside.y - window.top),
                kDialogColour)
                << "label " << GetDlgCtrlID(child);
        }
    }

    // What the skinned frame shows: a shaped window, the skin's borders round the client, the
    // dialogs' colour inside, every label whole, no pixel of the key colour; then the screenshot.
    // Returns the close button's centre.
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
        ExpectLabelsOnTheDialogColour(dialog, window);
        ExpectTitleFits(dialog, *skinner);
        // The skin's key colour marks what its images leave out (the edits' round corners).
        const lvtest::KeyPixels keyed = lvtest::KeyPixelsShown(dialog);
        EXPECT_EQ(keyed.count, 0) << keyed;
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

// A message box of the saver, as narrow as its text: its title shows whole too.
TEST_F(SkinnedSettings, AMessageBoxIsFramedByTheSkinWithItsTitleWhole) {
    bool framed = false;
    lv::testing::push_modal_answer({IDOK, [&](HWND box) {
                                        dlgdrive::MovePointerAway();
                                        dlgdrive::Pump(box);
                                        CheckFrame(box, "message_box_skinned.png");
                                        framed = SkinManager::Instance().Find(box) != nullptr;
                                    }});
    MessageBoxA(nullptr, "A file does not exist.", "Error", MB_OK | MB_ICONERROR);
    EXPECT_TRUE(framed);
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
