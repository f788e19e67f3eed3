// The background colour dialog driven by injected clicks and keys: it opens with the theme's
// values, each kind and colour chosen is what the next show paints behind the pictures, and
// OK and Cancel leave the file as it was.
#include "saver/slide_composer.h"
#include "saver/theme_globals.h"
#include "settings/controls/color_button.h"
#include "settings/controls/color_popup.h"
#include "settings/dialogs/back_color_dlg.h"
#include "settings/dialogs/settings_dlg.h"
#include "testing/answers.h"
#include "testing/window_input.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/settings_fixture.h"
#include "tests/support/full_theme.h"
#include "tests/support/process_runner.h"

using dlgdrive::Click;
using dlgdrive::FindControl;
using dlgdrive::Pump;
using dlgdrive::TextOf;

namespace {

constexpr COLORREF kSolid = RGB(0x33, 0x22, 0x11);
constexpr COLORREF kStart = RGB(10, 20, 30);
constexpr COLORREF kEnd = RGB(200, 180, 160);

int CheckOf(HWND dialog, int id) {
    return static_cast<int>(SendMessageA(FindControl(dialog, id), BM_GETCHECK, 0, 0));
}

CColorButton& ColourButton(HWND dialog, int id) {
    return *dynamic_cast<CColorButton*>(CWnd::FromHandlePermanent(FindControl(dialog, id)));
}

// Opens the button's popup and clicks one of its 40 cells.
void PickCell(HWND dialog, int button, int cell) {
    Click(FindControl(dialog, button));
    HWND popup = GetCapture();
    ASSERT_NE(popup, nullptr);
    const RECT r = static_cast<CColorPopup*>(CWnd::FromHandlePermanent(popup))->Layout().Cell(cell);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(popup, &p);
    lv::testing::mouse_move(p.x, p.y);
    Pump(dialog);
    lv::testing::click(p.x, p.y);
    Pump(dialog);
}

class BackColorDialogTest : public SettingsFixture {
protected:
    lvtools::ThemeSpec Spec() const {
        lvtools::ThemeSpec spec = lvtest::FullThemeSpec("Background Test");
        spec.images.clear(); // the show paints the background alone
        spec.frame.reset();
        spec.settings.backgroundMode = 1;
        spec.settings.gradientKind = 3;
        spec.settings.solidColor = kSolid;
        spec.settings.gradientStartColor = kStart;
        spec.settings.gradientEndColor = kEnd;
        return spec;
    }
    INT_PTR RunBackground(const std::function<void(HWND)>& drive) {
        CBackColorDlg dialog;
        return RunModal(dialog, drive);
    }
    // The background the next show paints, as the composer draws a slide.
    static PxImage NextShow() {
        SlideComposer composer;
        PxImage canvas;
        composer.Compose(64, 48, false, canvas);
        return canvas;
    }
};

bool SamePixels(const PxImage& a, const PxImage& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return false;
    for (LONG y = 0; y < static_cast<LONG>(a.GetHeight()); ++y)
        for (LONG x = 0; x < static_cast<LONG>(a.GetWidth()); ++x)
            if (PxImage::RgbQuadToRgb(a.GetPixelColor(x, y, false)) !=
                PxImage::RgbQuadToRgb(b.GetPixelColor(x, y, false)))
                return false;
    return true;
}

TEST_F(BackColorDialogTest, OpensWithTheThemesBackground) {
    Install(Spec());
    RunBackground([](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "Background Color Advanced Setting");
        EXPECT_EQ(CheckOf(dialog, CBackColorDlg::kGradientId), BST_CHECKED);
        EXPECT_EQ(CheckOf(dialog, CBackColorDlg::kSolidId), BST_UNCHECKED);
        EXPECT_EQ(CheckOf(dialog, CBackColorDlg::kVerticalCenterId), BST_CHECKED);
        EXPECT_EQ(ColourButton(dialog, CBackColorDlg::kSolidColorId).GetColor(), kSolid);
        EXPECT_EQ(ColourButton(dialog, CBackColorDlg::kStartColorId).GetColor(), kStart);
        EXPECT_EQ(ColourButton(dialog, CBackColorDlg::kEndColorId).GetColor(), kEnd);
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

// Each kind chosen with its radio button is stored by its place in the tab order, and the next
// show paints exactly that gradient between the colours chosen in the popups.
TEST_F(BackColorDialogTest, EachKindChosenIsWhatTheNextShowPaints) {
    const std::pair<int, int> kinds[] = {
        {CBackColorDlg::kHorizontalId, 0}, {CBackColorDlg::kHorizontalCenterId, 1},
        {CBackColorDlg::kVerticalId, 2},   {CBackColorDlg::kVerticalCenterId, 3},
        {CBackColorDlg::kRectangleId, 4},  {CBackColorDlg::kEllipticId, 5},
    };
    const COLORREF red = CColorPopup::kColours[16].colour, sky = CColorPopup::kColours[29].colour;
    for (const auto& [radio, kind] : kinds) {
        SCOPED_TRACE(kind);
        ResetThemeGlobals();
        Install(Spec());
        RunFromAdvancedPage(CAdvancedPage::kBackgroundColorId, [&, radio = radio](HWND dialog) {
            Click(FindControl(dialog, CBackColorDlg::kSolidId));
            Click(FindControl(dialog, CBackColorDlg::kGradientId));
            Click(FindControl(dialog, radio));
            PickCell(dialog, CBackColorDlg::kStartColorId, 16);
            PickCell(dialog, CBackColorDlg::kEndColorId, 29);
            Click(FindControl(dialog, CAdvancedDlg::kApplyId));
        });
        EXPECT_TRUE(lv::testing::message_box_log().empty());
        const ThemeContents c = ReadTheme();
        EXPECT_EQ(c.settings.backgroundMode, 1);
        EXPECT_EQ(c.settings.gradientKind, kind);
        EXPECT_EQ(c.settings.gradientStartColor, red);
        EXPECT_EQ(c.settings.gradientEndColor, sky);
        EXPECT_EQ(c.settings.solidColor, kSolid);
        Reload();
        SaverSettingsValues expected = Spec().settings;
        expected.gradientKind = kind;
        expected.gradientStartColor = red;
        expected.gradientEndColor = sky;
        PxImage painted;
        painted.Create(64, 48, 24);
        PaintSlideBackground(painted, expected);
        EXPECT_TRUE(SamePixels(NextShow(), painted));
    }
}

TEST_F(BackColorDialogTest, ASolidBackgroundKeepsTheGradientAsShown) {
    Install(Spec());
    RunBackground([](HWND dialog) {
        Click(FindControl(dialog, CBackColorDlg::kSolidId));
        Click(FindControl(dialog, CBackColorDlg::kEllipticId));
        // "More Colors...": the colour dialog, where the colour is typed.
        lv::testing::push_modal_answer({0, [](HWND colours) {
                                            SetDlgItemInt(colours, kColorDialogRed, 90, FALSE);
                                            SetDlgItemInt(colours, kColorDialogGreen, 140, FALSE);
                                            SetDlgItemInt(colours, kColorDialogBlue, 200, FALSE);
                                            lv::testing::click_window(GetDlgItem(colours, IDOK));
                                        }});
        Click(FindControl(dialog, CBackColorDlg::kSolidColorId));
        lv::testing::key_press(VK_LEFT);  // the last colour
        lv::testing::key_press(VK_RIGHT); // "More Colors..."
        lv::testing::key_press(VK_RETURN);
        Pump(dialog);
        EXPECT_EQ(ColourButton(dialog, CBackColorDlg::kSolidColorId).GetColor(), RGB(90, 140, 200));
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    const ThemeContents c = ReadTheme();
    EXPECT_EQ(c.settings.backgroundMode, 0);
    EXPECT_EQ(c.settings.solidColor, RGB(90, 140, 200));
    EXPECT_EQ(c.settings.gradientKind, 5);
    EXPECT_EQ(c.settings.gradientStartColor, kStart);
    EXPECT_EQ(c.settings.gradientEndColor, kEnd);
    Reload();
    const PxImage shown = NextShow();
    for (const POINT p : {POINT{0, 0}, POINT{63, 47}, POINT{32, 24}})
        EXPECT_EQ(PxImage::RgbQuadToRgb(shown.GetPixelColor(p.x, p.y, false)), RGB(90, 140, 200));
}

TEST_F(BackColorDialogTest, AutomaticStoresTheMarker) {
    Install(Spec());
    RunBackground([](HWND dialog) {
        Click(FindControl(dialog, CBackColorDlg::kEndColorId));
        lv::testing::key_press(VK_RIGHT);
        lv::testing::key_press(VK_UP); // "Automatic"
        lv::testing::key_press(VK_RETURN);
        Pump(dialog);
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_EQ(ReadTheme().settings.gradientEndColor, kAutomaticColour);
}

TEST_F(BackColorDialogTest, OkAndCancelLeaveTheFileAsItWas) {
    Install(Spec());
    for (int button : {CAdvancedDlg::kOkId, CAdvancedDlg::kCancelId}) {
        SCOPED_TRACE(button);
        RunBackground([button](HWND dialog) {
            Click(FindControl(dialog, CBackColorDlg::kSolidId));
            PickCell(dialog, CBackColorDlg::kSolidColorId, 3);
            Click(FindControl(dialog, button));
        });
        EXPECT_EQ(lvtest::ReadFileBytes(ThemePath()), m_installed);
        EXPECT_EQ(SaverSettings.backgroundMode, 1);
        EXPECT_EQ(SaverSettings.solidColor, kSolid);
    }
}

TEST_F(BackColorDialogTest, ShowsEveryControlInEveryLanguageAndTheTextsFit) {
    Install(Spec());
    CheckEveryLanguage([this](auto drive) { return RunBackground(drive); },
                       {{"C", "Background Color Advanced Setting", "background_en.png"},
                        {"ja_JP.UTF-8", "背景色の詳細設定", "background_ja.png"},
                        {"ko_KR.UTF-8", "배경색 고급 설정", "background_ko.png"}},
                       {}, 16,
                       [](HWND dialog) {
                           for (int id : {CBackColorDlg::kSolidColorId,
                                          CBackColorDlg::kStartColorId, CBackColorDlg::kEndColorId})
                               EXPECT_TRUE(dlgdrive::HasDrawing(FindControl(dialog, id))) << id;
                       });
}

} // namespace
