// Every label of the screen saver's dialogs shows whole, in each language: no static's or
// button's text is cut off by its rectangle.
#include "settings/dialogs/save_progress_dlg.h"
#include "settings/dialogs/settings_dlg.h"
#include "settings/dialogs/transition_dlg.h"
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"

#include <gtest/gtest.h>

namespace {

TEST(SaverDialogLabels, EveryTemplateShowsItsLabelsWholeInEveryLanguage) {
    const std::pair<UINT, const char*> templates[] = {
        {CSettingsDlg::kTemplateId, "settings"},       {COptionsPage::kTemplateId, "options page"},
        {CAdvancedPage::kTemplateId, "advanced page"}, {CAboutPage::kTemplateId, "about page"},
        {CTransitionDlg::kTemplateId, "transition"},   {CSaveProgressDlg::kTemplateId, "progress"},
    };
    for (const char* locale : {"C", "ja_JP.UTF-8", "ko_KR.UTF-8"}) {
        lvtest::ScopedEnv language("LC_ALL", locale);
        for (const auto& [id, name] : templates) {
            SCOPED_TRACE(std::string(name) + " in " + locale);
            bool created = false;
            for (const lvtest::ClippedLabel& label : lvtest::ClippedLabelsOfTemplate(id, created))
                ADD_FAILURE() << label;
            EXPECT_TRUE(created);
        }
    }
}

} // namespace
