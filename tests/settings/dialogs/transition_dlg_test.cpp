// The transition dialog driven by injected clicks and keys: the theme's effects checked at the
// start, one toggle per click whether it lands in the check square or (with selection) on the
// text, none for a selection made with the keyboard, check all and uncheck all, and the trio:
// OK and Cancel change nothing, Apply rewrites the theme with exactly the checked effects.
#include "saver/file_theme_source.h"
#include "saver/theme_globals.h"
#include "saver/theme_loader.h"
#include "saver/theme_reader.h"
#include "settings/dialogs/settings_dlg.h"
#include "settings/dialogs/transition_dlg.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/settings_fixture.h"
#include "tests/support/full_theme.h"
#include "tests/support/process_runner.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"

#include <array>
#include <numeric>

using dlgdrive::Click;
using dlgdrive::FindControl;
using dlgdrive::Pump;

namespace {

std::vector<int> Enabled() {
    std::vector<int> indices;
    for (int i = 0; i < EnabledTransitions.GetSize(); ++i)
        indices.push_back(EnabledTransitions[i]);
    return indices;
}

// The effect list as the dialog made it.
class EffectList {
public:
    explicit EffectList(HWND dialog)
        : m_hwnd(FindControl(dialog, CTransitionDlg::kEffectListId)),
          m_list(dynamic_cast<CCheckListBox*>(CWnd::FromHandlePermanent(m_hwnd))) {}

    HWND hwnd() const { return m_hwnd; }
    int Count() const { return m_list->GetCount(); }
    int Check(int index) const { return m_list->GetCheck(index); }
    std::vector<int> Checked() const {
        std::vector<int> indices;
        for (int i = 0; i < Count(); ++i)
            if (Check(i) == 1)
                indices.push_back(i);
        return indices;
    }

    // Scrolls with the wheel, as a person would, until the item is wholly in view; its rectangle
    // in the list's client coordinates.
    RECT ShowItem(int index) const {
        RECT client{}, item{};
        GetClientRect(m_hwnd, &client);
        for (int turns = 0; turns < 40; ++turns) {
            m_list->GetItemRect(index, &item);
            if (item.top >= client.top && item.bottom <= client.bottom)
                break;
            POINT middle{client.right / 2, client.bottom / 2};
            ClientToScreen(m_hwnd, &middle);
            lv::testing::mouse_move(middle.x, middle.y);
            lv::testing::wheel(item.top < client.top ? WHEEL_DELTA : -WHEEL_DELTA);
            Pump(GetAncestor(m_hwnd, GA_ROOT));
        }
        return item;
    }

    // The client columns [first, last] of the item's check square, found the way the list
    // itself tells.
    std::pair<int, int> CheckColumn(int index) const {
        const RECT item = ShowItem(index);
        const int y = (item.top + item.bottom) / 2;
        int first = -1, last = -1;
        for (int x = item.left; x < item.right; ++x) {
            BOOL inCheck = FALSE;
            if (m_list->CheckFromPoint(CPoint(x, y), inCheck) != index || !inCheck)
                continue;
            if (first < 0)
                first = x;
            last = x;
        }
        EXPECT_GE(first, 0) << "no check square for item " << index;
        return {first, last};
    }
    POINT InSquare(int index) const {
        const RECT item = ShowItem(index);
        const auto [first, last] = CheckColumn(index);
        return POINT{(first + last) / 2, (item.top + item.bottom) / 2};
    }
    POINT OnText(int index) const {
        const RECT item = ShowItem(index);
        return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    }

    void ClickAt(POINT client) const {
        ClientToScreen(m_hwnd, &client);
        lv::testing::click(client.x, client.y);
        Pump(GetAncestor(m_hwnd, GA_ROOT));
    }

private:
    HWND m_hwnd;
    CCheckListBox* m_list;
};

class TransitionDialogTest : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        Install(lvtest::FullThemeSpec("Transition Test"));
    }

    // Runs the transition dialog by itself; `drive` gets it once it shows and closes it.
    INT_PTR RunTransitions(const std::function<void(HWND)>& drive) {
        CTransitionDlg dialog;
        return RunModal(dialog, drive);
    }

    // The 260 transition flags of the theme file as it is now.
    std::array<std::uint8_t, 260> FlagsInTheFile() const {
        return ReadTheme().settings.transitionFlags;
    }
};

TEST_F(TransitionDialogTest, ListsTheEffectsWithTheThemesOnesChecked) {
    ASSERT_EQ(Enabled(), (std::vector<int>{0, 20}));
    RunTransitions([](HWND dialog) {
        EffectList list(dialog);
        ASSERT_EQ(list.Count(), 21);
        for (int i = 0; i < 21; ++i) {
            char text[64] = {};
            SendMessageA(list.hwnd(), LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text));
            EXPECT_STREQ(text, CTransitionDlg::kEffectNames[i]);
        }
        EXPECT_STREQ(CTransitionDlg::kEffectNames[20], "Fade In/Out");
        EXPECT_EQ(list.Checked(), (std::vector<int>{0, 20}));
        EXPECT_NE(GetWindowLongA(list.hwnd(), GWL_STYLE) & LBS_NOSEL, 0);
        EXPECT_EQ(dlgdrive::TextOf(dialog), "Transition Advanced Setting");
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

TEST_F(TransitionDialogTest, AClickInACheckSquareTogglesItOnce) {
    RunTransitions([](HWND dialog) {
        EffectList list(dialog);
        list.ClickAt(list.InSquare(2));
        EXPECT_EQ(list.Checked(), (std::vector<int>{0, 2, 20}));
        list.ClickAt(list.InSquare(20));
        EXPECT_EQ(list.Checked(), (std::vector<int>{0, 2}));
        list.ClickAt(list.InSquare(2));
        EXPECT_EQ(list.Checked(), (std::vector<int>{0}));
        // Without a selection, a click on the text changes nothing.
        list.ClickAt(list.OnText(5));
        EXPECT_EQ(list.Checked(), (std::vector<int>{0}));
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

TEST_F(TransitionDialogTest, WithSelectionEachClickStillTogglesOnceAndTheKeyboardNone) {
    RunTransitions([](HWND dialog) {
        EffectList list(dialog);
        SetWindowLongA(list.hwnd(), GWL_STYLE, GetWindowLongA(list.hwnd(), GWL_STYLE) & ~LBS_NOSEL);
        list.ClickAt(list.OnText(5));
        EXPECT_EQ(list.Checked(), (std::vector<int>{0, 5, 20}));
        list.ClickAt(list.InSquare(7));
        EXPECT_EQ(list.Checked(), (std::vector<int>{0, 5, 7, 20}));
        list.ClickAt(list.OnText(5));
        EXPECT_EQ(list.Checked(), (std::vector<int>{0, 7, 20}));
        list.ClickAt(list.InSquare(5));
        EXPECT_EQ(list.Checked(), (std::vector<int>{0, 5, 7, 20}));

        // The pointer elsewhere: the arrow keys move the selection and toggle nothing.
        dlgdrive::MovePointerAway();
        Pump(dialog);
        const int selected = static_cast<int>(SendMessageA(list.hwnd(), LB_GETCURSEL, 0, 0));
        lv::testing::key_press(VK_DOWN);
        Pump(dialog);
        lv::testing::key_press(VK_DOWN);
        Pump(dialog);
        EXPECT_EQ(SendMessageA(list.hwnd(), LB_GETCURSEL, 0, 0), selected + 2);
        EXPECT_EQ(list.Checked(), (std::vector<int>{0, 5, 7, 20}));
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
    EXPECT_EQ(Enabled(), (std::vector<int>{0, 20}));
}

TEST_F(TransitionDialogTest, OkAndCancelChangeNeitherTheSettingsNorTheFile) {
    for (int button : {CAdvancedDlg::kOkId, CAdvancedDlg::kCancelId}) {
        SCOPED_TRACE(button);
        const INT_PTR result = RunTransitions([button](HWND dialog) {
            Click(FindControl(dialog, CTransitionDlg::kCheckAllId));
            EXPECT_EQ(EffectList(dialog).Checked().size(), 21u);
            Click(FindControl(dialog, button));
        });
        EXPECT_EQ(result, button == CAdvancedDlg::kOkId ? IDOK : IDCANCEL);
        EXPECT_EQ(Enabled(), (std::vector<int>{0, 20}));
        EXPECT_EQ(lvtest::ReadFileBytes(ThemePath()), m_installed);
    }
}

// The whole road: the settings dialog's advanced page opens the dialog, Apply rewrites the
// theme behind "Please Wait...", and reading the file again finds exactly the checked effects.
TEST_F(TransitionDialogTest, ApplyRewritesTheThemeWithExactlyTheCheckedEffects) {
    std::vector<int> all(21);
    std::iota(all.begin(), all.end(), 0);
    struct Case {
        int startButton; // check all or uncheck all
        std::vector<int> clicked;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {CTransitionDlg::kUncheckAllId, {1, 4, 9, 14, 20}, {1, 4, 9, 14, 20}},
        {CTransitionDlg::kUncheckAllId, {}, {}},
        {CTransitionDlg::kCheckAllId, {}, all},
        {CTransitionDlg::kCheckAllId, {0, 20}, std::vector<int>(all.begin() + 1, all.end() - 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.size());
        lv::testing::clear_answers();
        RunSettings([&](HWND settings) {
            Click(FindControl(settings, CSettingsDlg::kAdvancedTabId));
            lv::testing::push_modal_answer({IDCANCEL, [&](HWND dialog) {
                                                Pump(dialog);
                                                EffectList list(dialog);
                                                Click(FindControl(dialog, c.startButton));
                                                for (int index : c.clicked)
                                                    list.ClickAt(list.InSquare(index));
                                                Click(FindControl(dialog, CAdvancedDlg::kApplyId));
                                            }});
            Click(FindControl(settings, CAdvancedPage::kTransitionId));
            EXPECT_TRUE(IsWindowVisible(settings));
            EXPECT_TRUE(IsWindowEnabled(settings));
            Click(FindControl(settings, IDCANCEL));
        });
        EXPECT_TRUE(lv::testing::message_box_log().empty());
        EXPECT_EQ(Enabled(), c.expected);
        const auto flags = FlagsInTheFile();
        for (std::size_t i = 0; i < flags.size(); ++i) {
            const bool chosen = std::count(c.expected.begin(), c.expected.end(), int(i)) != 0;
            EXPECT_EQ(flags[i], chosen ? 1 : 0) << i;
        }
        Reload();
        EXPECT_EQ(Enabled(), c.expected);
    }
}

TEST_F(TransitionDialogTest, AFailedRewriteSaysWhyAndEndsTheDialog) {
    std::filesystem::remove(ThemePath());
    const INT_PTR result = RunTransitions([](HWND dialog) {
        Click(FindControl(dialog, CTransitionDlg::kCheckAllId));
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_EQ(result, IDCANCEL);
    const auto boxes = lv::testing::message_box_log();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Screensaver cannot be looked for.\nReinstall screensaver file.\n");
    EXPECT_FALSE(std::filesystem::exists(ThemePath()));
}

// Pixels of the item's check column that differ from the list's background.
int MarksInCheckColumn(const EffectList& list, int index) {
    const RECT item = list.ShowItem(index);
    const auto [first, last] = list.CheckColumn(index);
    RECT window{};
    GetWindowRect(list.hwnd(), &window);
    POINT origin{0, 0};
    ClientToScreen(list.hwnd(), &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    const COLORREF background =
        lv::testing::window_pixel(list.hwnd(), dx + item.right - 2, dy + item.top + 1);
    int marks = 0;
    for (int y = item.top; y < item.bottom; ++y)
        for (int x = first; x <= last; ++x)
            if (lv::testing::window_pixel(list.hwnd(), dx + x, dy + y) != background)
                ++marks;
    return marks;
}

TEST_F(TransitionDialogTest, ShowsEveryControl) {
    RunTransitions([this](HWND dialog) {
        dlgdrive::MovePointerAway();
        Pump(dialog);
        EXPECT_TRUE(dlgdrive::SaveScreenshot(dialog, lvtest::ScreenshotPath("transition.png")));
        const std::pair<int, UINT> buttons[] = {
            {CTransitionDlg::kCheckAllId, 292}, {CTransitionDlg::kUncheckAllId, 295},
            {CAdvancedDlg::kOkId, 173},         {CAdvancedDlg::kCancelId, 164},
            {CAdvancedDlg::kApplyId, 161},
        };
        for (const auto& [id, bitmap] : buttons)
            EXPECT_TRUE(dlgdrive::ShowsBitmap(FindControl(dialog, id), bitmap)) << id;
        EffectList list(dialog);
        EXPECT_TRUE(dlgdrive::HasDrawing(list.hwnd()));
        // A checked box carries its mark; an empty one only its frame.
        EXPECT_GE(MarksInCheckColumn(list, 0), MarksInCheckColumn(list, 1) + 4);
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

TEST_F(TransitionDialogTest, EveryLanguageHasTheSameControls) {
    struct Case {
        const char* locale;
        const char* caption;
    };
    const Case cases[] = {{"C", "Transition Advanced Setting"},
                          {"ja_JP.UTF-8", "トランジションの詳細設定"},
                          {"ko_KR.UTF-8", "전환 효과 고급 설정"}};
    std::vector<std::pair<int, LONG>> english;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        lvtest::ScopedEnv locale("LC_ALL", c.locale);
        std::vector<std::pair<int, LONG>> controls;
        RunTransitions([&](HWND dialog) {
            EXPECT_EQ(dlgdrive::TextOf(dialog), c.caption);
            for (HWND child = GetWindow(dialog, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                controls.emplace_back(GetDlgCtrlID(child), GetWindowLongA(child, GWL_STYLE));
            Click(FindControl(dialog, CAdvancedDlg::kCancelId));
        });
        EXPECT_EQ(controls.size(), 7u);
        if (english.empty())
            english = controls;
        EXPECT_EQ(controls, english);
    }
}

} // namespace
