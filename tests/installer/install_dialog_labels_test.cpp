// Every label of the installer's dialogs shows whole, in each language, with the texts the
// dialogs give their controls while they run.
#include "installer/install_dlg.h"
#include "installer/prepare_dlg.h"
#include "installer/staging_blocked.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(InstallerDialogLabels, EveryTemplateShowsItsLabelsWholeInEveryLanguage) {
    struct Template {
        int id;
        const char* name;
        std::vector<lvtest::ShownText> texts;
    };
    const Template templates[] = {
        {CInstallDlg::IDD, "install", {}},
        {CPrepareDlg::IDD, "prepare", {{CPrepareDlg::kResultText, "Preparing Successfully"}}},
        {CPrepareDlg::IDD, "prepare failed", {{CPrepareDlg::kResultText, "Preparing Failed"}}},
    };
    for (const char* locale : {"C", "ja_JP.UTF-8", "ko_KR.UTF-8"}) {
        lvtest::ScopedEnv language("LC_ALL", locale);
        for (const Template& t : templates) {
            SCOPED_TRACE(std::string(t.name) + " in " + locale);
            bool created = false;
            for (const lvtest::ClippedLabel& label :
                 lvtest::ClippedLabelsOfTemplate(t.id, created, t.texts))
                ADD_FAILURE() << label;
            EXPECT_TRUE(created);
        }
    }
}

// The boxes that say what keeps the installer from unpacking show their text whole, in each
// language, with the folder's path as deep as a long title makes it, inside the screen.
TEST(InstallerDialogLabels, TheStagingMessagesShowWholeInEveryLanguage) {
    const std::string folder =
        "C:\\Program Files\\" + std::string(LV_THEME_TITLE) + " Screensaver Collection 2026";
    std::set<std::string> texts;
    for (const char* locale : {"C", "ja_JP.UTF-8", "ko_KR.UTF-8"}) {
        lvtest::ScopedEnv language("LC_ALL", locale);
        for (const PrepareResult result : {PrepareResult::InUse, PrepareResult::InTheWay}) {
            const std::string name = std::string("staging_") +
                                     (result == PrepareResult::InUse ? "in_use_" : "in_the_way_") +
                                     std::string(locale).substr(0, 2);
            SCOPED_TRACE(name);
            lv::testing::clear_answers();
            bool shown = false;
            lv::testing::push_modal_answer(
                {0, [&](HWND box) {
                     shown = true;
                     for (const lvtest::ClippedLabel& label : lvtest::ClippedLabels(box))
                         ADD_FAILURE() << label;
                     RECT r{};
                     GetWindowRect(box, &r);
                     EXPECT_LE(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
                     EXPECT_LE(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
                     RedrawWindow(box, nullptr, nullptr,
                                  RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW |
                                      RDW_ALLCHILDREN);
                     EXPECT_TRUE(
                         lv::testing::save_window_png(box, lvtest::ScreenshotPath(name + ".png")));
                     PostMessageA(box, WM_COMMAND, IDOK, 0);
                 }});
            PreparedStaging staging;
            staging.result = result;
            staging.obstacle = folder;
            ShowStagingBlocked(nullptr, staging);
            EXPECT_TRUE(shown);
            const auto log = lv::testing::message_box_log();
            ASSERT_EQ(log.size(), 1u);
            EXPECT_NE(log[0].text.find("\n" + folder + "\n"), std::string::npos) << log[0].text;
            texts.insert(log[0].text);
        }
    }
    // Each language has its own two texts.
    EXPECT_EQ(texts.size(), 6u);
}

} // namespace
