// The settings dialog driven by injected clicks and keys: what the options page shows and OK
// stores, a bad interval, the spin's range, switching pages, the advanced page's permission
// checks and the about page.
#include "saver/theme_globals.h"
#include "settings/dialogs/advanced_dlg.h"
#include "settings/dialogs/settings_dlg.h"
#include "testing/answers.h"
#include "testing/window_input.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/settings_fixture.h"
#include "tests/support/full_theme.h"

using dlgdrive::Click;
using dlgdrive::FindControl;
using dlgdrive::TextOf;
using dlgdrive::TypeInto;
using Stored = std::vector<std::pair<std::string, DWORD>>;

namespace {

constexpr int kMute = COptionsPage::kMuteId;
constexpr int kDisable = COptionsPage::kDisableMouseExitId;
constexpr int kInterval = COptionsPage::kIntervalId;
constexpr int kSpin = COptionsPage::kIntervalSpinId;

int CheckOf(HWND dialog, int id) {
    return static_cast<int>(SendMessageA(FindControl(dialog, id), BM_GETCHECK, 0, 0));
}

// The checked one of the three order buttons, -1 for none.
int OrderShown(HWND dialog) {
    for (int i = 0; i < 3; ++i) {
        if (CheckOf(dialog, COptionsPage::kSequentialId + i) == BST_CHECKED)
            return i;
    }
    return -1;
}

bool Visible(HWND dialog, int id) {
    return IsWindowVisible(FindControl(dialog, id)) != FALSE;
}

Stored FourValues(DWORD mute, DWORD disable, DWORD order, DWORD interval) {
    return {
        {"MUsicOff", mute}, {"Disable", disable}, {"ImageOrder", order}, {"ImageTime", interval}};
}

class SettingsDialogTest : public SettingsFixture {};

TEST_F(SettingsDialogTest, OpensWithTheThemesValuesAndOkStoresAllFourInOrder) {
    struct Case {
        int musicOff, disableMouseMove, imageOrder, imageTime;
        const char* intervalShown;
    };
    const Case cases[] = {{0, 0, 0, 6, "6"}, {1, 1, 2, 9, "9"}, {0, 1, 1, 30, "30"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.intervalShown);
        ClearProfile();
        ResetThemeGlobals();
        lvtools::ThemeSpec spec = lvtest::FullThemeSpec("Settings Test");
        spec.settings.musicOff = c.musicOff;
        spec.settings.disableMouseMove = c.disableMouseMove;
        spec.settings.imageOrder = c.imageOrder;
        spec.settings.imageTime = c.imageTime;
        Install(spec);
        const INT_PTR result = RunSettings([&](HWND dialog) {
            EXPECT_TRUE(Visible(dialog, kInterval));
            EXPECT_FALSE(Visible(dialog, CAdvancedPage::kTransitionId));
            EXPECT_FALSE(Visible(dialog, CAboutPage::kAboutTextId));
            EXPECT_EQ(CheckOf(dialog, kMute), c.musicOff);
            EXPECT_EQ(CheckOf(dialog, kDisable), c.disableMouseMove);
            EXPECT_EQ(OrderShown(dialog), c.imageOrder);
            EXPECT_EQ(TextOf(FindControl(dialog, kInterval)), c.intervalShown);
            EXPECT_EQ(CheckOf(dialog, CSettingsDlg::kOptionsTabId), 1);
            Click(FindControl(dialog, IDOK));
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(StoredValues(),
                  FourValues(c.musicOff, c.disableMouseMove, c.imageOrder, c.imageTime));
        EXPECT_TRUE(lv::testing::message_box_log().empty());
    }
}

TEST_F(SettingsDialogTest, OkStoresWhatTheUserChoseAndCancelStoresNothing) {
    Install(lvtest::FullThemeSpec("Settings Test"));
    auto choose = [](HWND dialog) {
        Click(FindControl(dialog, kMute));
        Click(FindControl(dialog, kDisable));
        Click(FindControl(dialog, COptionsPage::kSequentialId + 1));
        TypeInto(FindControl(dialog, kInterval), "17");
    };
    EXPECT_EQ(RunSettings([&](HWND dialog) {
                  choose(dialog);
                  Click(FindControl(dialog, IDCANCEL));
              }),
              IDCANCEL);
    EXPECT_TRUE(StoredValues().empty());

    EXPECT_EQ(RunSettings([&](HWND dialog) {
                  choose(dialog);
                  Click(FindControl(dialog, IDOK));
              }),
              IDOK);
    EXPECT_EQ(StoredValues(), FourValues(1, 0, 1, 17));
    // The running theme is not changed: the values count from the next start.
    EXPECT_EQ(SaverSettings.imageTime, 9);
}

TEST_F(SettingsDialogTest, AnIntervalOutsideOneToThirtyKeepsTheDialogOpenAndStoresNothing) {
    struct Case {
        const char* typed;
        const char* message;
        bool fromAboutPage;
    };
    const Case cases[] = {
        {"0", "Please enter an integer between 1 and 30.", false},
        {"31", "Please enter an integer between 1 and 30.", true},
        {"", "Please enter an integer.", false},
        {"99999999999", "Please enter an integer.", true},
    };
    Install(lvtest::FullThemeSpec("Settings Test"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        lv::testing::clear_answers();
        const INT_PTR result = RunSettings([&](HWND dialog) {
            HWND interval = FindControl(dialog, kInterval);
            Click(FindControl(dialog, kMute));
            TypeInto(interval, c.typed);
            if (c.fromAboutPage)
                Click(FindControl(dialog, CSettingsDlg::kAboutTabId));
            Click(FindControl(dialog, IDOK));

            const auto boxes = lv::testing::message_box_log();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, c.message);
            EXPECT_TRUE(IsWindowVisible(dialog));
            EXPECT_TRUE(Visible(dialog, kInterval));
            EXPECT_FALSE(Visible(dialog, CAboutPage::kAboutTextId));
            EXPECT_EQ(CheckOf(dialog, CSettingsDlg::kOptionsTabId), 1);
            EXPECT_EQ(GetFocus(), interval);
            DWORD start = 1, end = 0;
            SendMessageA(interval, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, std::string(c.typed).size());
            EXPECT_TRUE(StoredValues().empty());

            TypeInto(interval, "30");
            Click(FindControl(dialog, IDOK));
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(StoredValues(), FourValues(1, 1, 2, 30));
        ClearProfile();
    }
}

TEST_F(SettingsDialogTest, TheSpinStaysWithinOneToThirty) {
    Install(lvtest::FullThemeSpec("Settings Test"));
    RunSettings([](HWND dialog) {
        HWND interval = FindControl(dialog, kInterval);
        HWND spin = FindControl(dialog, kSpin);
        RECT r{};
        GetWindowRect(spin, &r);
        const int middle = (r.right - r.left) / 2, height = r.bottom - r.top;
        TypeInto(interval, "2");
        for (int i = 0; i < 3; ++i)
            dlgdrive::ClickAt(spin, middle, height - 3);
        EXPECT_EQ(TextOf(interval), "1");
        TypeInto(interval, "28");
        for (int i = 0; i < 3; ++i)
            dlgdrive::ClickAt(spin, middle, 2);
        EXPECT_EQ(TextOf(interval), "30");
        // The arrow keys step it from the edit as well.
        lv::testing::key_press(VK_UP);
        dlgdrive::Pump(dialog);
        EXPECT_EQ(TextOf(interval), "30");
        lv::testing::key_press(VK_DOWN);
        dlgdrive::Pump(dialog);
        EXPECT_EQ(TextOf(interval), "29");
        Click(FindControl(dialog, IDOK));
    });
    EXPECT_EQ(StoredValues(), FourValues(0, 1, 2, 29));
}

// The page a tab shows, by a control of it.
int PageControlOf(int tab) {
    switch (tab) {
    case CSettingsDlg::kAdvancedTabId:
        return CAdvancedPage::kTransitionId;
    case CSettingsDlg::kAboutTabId:
        return CAboutPage::kAboutTextId;
    default:
        return kInterval;
    }
}

// Exactly `tab` is checked and has the focus, and exactly its page shows.
void ExpectTabAndPage(HWND dialog, int tab) {
    const int tabs[] = {CSettingsDlg::kOptionsTabId, CSettingsDlg::kAdvancedTabId,
                        CSettingsDlg::kAboutTabId};
    for (int other : tabs) {
        EXPECT_EQ(CheckOf(dialog, other), other == tab ? 1 : 0) << other;
        EXPECT_EQ(Visible(dialog, PageControlOf(other)), other == tab) << other;
    }
    EXPECT_EQ(GetFocus(), FindControl(dialog, tab));
}

TEST_F(SettingsDialogTest, SwitchingPagesShowsOnePageAtATimeAndKeepsTheEntries) {
    Install(lvtest::FullThemeSpec("Settings Test"));
    RunSettings([](HWND dialog) {
        Click(FindControl(dialog, kMute));
        TypeInto(FindControl(dialog, kInterval), "12");
        const int steps[] = {CSettingsDlg::kAdvancedTabId, CSettingsDlg::kAboutTabId,
                             CSettingsDlg::kOptionsTabId};
        for (int tab : steps) {
            SCOPED_TRACE(tab);
            Click(FindControl(dialog, tab));
            ExpectTabAndPage(dialog, tab);
        }
        EXPECT_EQ(CheckOf(dialog, kMute), 1);
        EXPECT_EQ(TextOf(FindControl(dialog, kInterval)), "12");
        Click(FindControl(dialog, CSettingsDlg::kAboutTabId));
        Click(FindControl(dialog, IDOK));
    });
    EXPECT_EQ(StoredValues(), FourValues(1, 1, 2, 12));
}

// The tabs are one group of radio buttons: an arrow moves the focus and the check together,
// round the group, and the page follows.
TEST_F(SettingsDialogTest, ArrowKeysOnTheTabsMoveTheCheckAndThePageTogether) {
    Install(lvtest::FullThemeSpec("Settings Test"));
    RunSettings([](HWND dialog) {
        Click(FindControl(dialog, CSettingsDlg::kOptionsTabId));
        ExpectTabAndPage(dialog, CSettingsDlg::kOptionsTabId);
        struct Step {
            int key;
            int tab;
        };
        const Step steps[] = {
            {VK_RIGHT, CSettingsDlg::kAdvancedTabId}, {VK_DOWN, CSettingsDlg::kAboutTabId},
            {VK_RIGHT, CSettingsDlg::kOptionsTabId},  {VK_LEFT, CSettingsDlg::kAboutTabId},
            {VK_UP, CSettingsDlg::kAdvancedTabId},    {VK_LEFT, CSettingsDlg::kOptionsTabId}};
        for (const Step& step : steps) {
            SCOPED_TRACE(step.tab);
            lv::testing::key_press(step.key);
            dlgdrive::Pump(dialog);
            ExpectTabAndPage(dialog, step.tab);
        }
        Click(FindControl(dialog, IDCANCEL));
    });
}

// The buttons of the advanced dialogs that are not built yet.
constexpr const char* kNoSettingsChange =
    "This screensaver cannot change a setup.\nInquire to author.";
constexpr const char* kNoMediaChange = "It prevented from extracting or exchanging media from "
                                       "this screensaver.\nInquire to author.";

TEST_F(SettingsDialogTest, AdvancedButtonsAskForTheAuthorsPermissionFirst) {
    SetAuthoringToolFolder("C:\\Program Files\\Glimmerwright");
    struct Case {
        int settingsPermission, mediaPermission, button;
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        {0, 0, CAdvancedPage::kBackgroundColorId, kNoSettingsChange, "Error"},
        {0, 0, CAdvancedPage::kBackgroundMusicId, kNoSettingsChange, "Error"},
        {0, 0, CAdvancedPage::kTransitionId, kNoSettingsChange, "Error"},
        {0, 0, CAdvancedPage::kFrameId, kNoSettingsChange, "Error"},
        {0, 0, CAdvancedPage::kMediaId, kNoMediaChange, "Error"},
        {0, 1, CAdvancedPage::kFrameId, kNoSettingsChange, "Error"},
        {0, 1, CAdvancedPage::kMediaId, nullptr, nullptr}, // opens its dialog
        {1, 0, CAdvancedPage::kMediaId, kNoMediaChange, "Error"},
        {1, 0, CAdvancedPage::kBackgroundColorId, nullptr, nullptr},
        {1, 0, CAdvancedPage::kBackgroundMusicId, nullptr, nullptr},
        {1, 0, CAdvancedPage::kFrameId, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << " with permissions " << c.settingsPermission
                                        << "/" << c.mediaPermission);
        ResetThemeGlobals();
        lvtools::ThemeSpec spec = lvtest::FullThemeSpec("Settings Test");
        spec.info.settingsPermission = c.settingsPermission;
        spec.info.mediaPermission = c.mediaPermission;
        Install(spec);
        lv::testing::clear_answers();
        RunSettings([&](HWND dialog) {
            Click(FindControl(dialog, CSettingsDlg::kAdvancedTabId));
            bool opened = false;
            if (!c.text) {
                lv::testing::push_modal_answer(
                    {IDCANCEL, [&opened](HWND advanced) {
                         opened = true;
                         Click(FindControl(advanced, CAdvancedDlg::kCancelId));
                     }});
            }
            Click(FindControl(dialog, c.button));
            const auto boxes = lv::testing::message_box_log();
            if (!c.text) {
                EXPECT_TRUE(opened);
                EXPECT_TRUE(boxes.empty());
                Click(FindControl(dialog, IDCANCEL));
                return;
            }
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, c.text);
            EXPECT_EQ(boxes[0].caption, c.caption);
            EXPECT_EQ(boxes[0].type & 0xF, static_cast<UINT>(MB_OK));
            EXPECT_TRUE(IsWindowVisible(dialog));
            Click(FindControl(dialog, IDCANCEL));
        });
    }
}

TEST_F(SettingsDialogTest, TheFrameButtonNeedsTheAuthoringToolsFolder) {
    Install(lvtest::FullThemeSpec("Settings Test"));
    auto clickFrame = [this] {
        lv::testing::clear_answers();
        RunSettings([](HWND dialog) {
            Click(FindControl(dialog, CSettingsDlg::kAdvancedTabId));
            Click(FindControl(dialog, CAdvancedPage::kFrameId));
            Click(FindControl(dialog, IDCANCEL));
        });
        return lv::testing::message_box_log();
    };
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, CAdvancedPage::kAuthoringToolKey);
    // Not registered: only GetRegString's own report, when the thread has an error to tell.
    for (const auto& box : clickFrame())
        EXPECT_EQ(box.caption.rfind("Utility Class Error in GetRegString", 0), 0u) << box.caption;

    SetAuthoringToolFolder("");
    EXPECT_TRUE(clickFrame().empty());

    // Registered: the frame dialog opens.
    SetAuthoringToolFolder("C:\\Program Files\\Glimmerwright");
    bool opened = false;
    lv::testing::clear_answers();
    lv::testing::push_modal_answer({IDCANCEL, [&opened](HWND frames) {
                                        opened = true;
                                        Click(FindControl(frames, CAdvancedDlg::kCancelId));
                                    }});
    RunSettings([](HWND dialog) {
        Click(FindControl(dialog, CSettingsDlg::kAdvancedTabId));
        Click(FindControl(dialog, CAdvancedPage::kFrameId));
        Click(FindControl(dialog, IDCANCEL));
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(lv::testing::message_box_log().empty());
}

TEST_F(SettingsDialogTest, TheAboutPageShowsTheProgramsVersionAndTheThemesAboutText) {
    lvtools::ThemeSpec spec = lvtest::FullThemeSpec("Settings Test");
    spec.header.version = "3.1.4";
    spec.aboutText = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Made for \\b quiet\\b0  evenings."
                     "\\par Second line}";
    Install(spec);
    RunSettings([](HWND dialog) {
        Click(FindControl(dialog, CSettingsDlg::kAboutTabId));
        EXPECT_EQ(TextOf(FindControl(dialog, CAboutPage::kVersionId)), "Version 2.5.0");
        HWND text = FindControl(dialog, CAboutPage::kAboutTextId);
        EXPECT_EQ(TextOf(text), "Made for quiet evenings.\r\nSecond line");
        EXPECT_NE(GetWindowLongA(text, GWL_STYLE) & ES_READONLY, 0);
        Click(FindControl(dialog, IDCANCEL));
    });
}

} // namespace
