// Every label of the uninstaller's confirmation shows whole, in each language.
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"
#include "uninstaller/uninstall_dlg.h"

#include <gtest/gtest.h>

namespace {

TEST(UninstallerDialogLabels, TheConfirmationShowsItsLabelsWholeInEveryLanguage) {
    for (const char* locale : {"C", "ja_JP.UTF-8", "ko_KR.UTF-8"}) {
        SCOPED_TRACE(locale);
        lvtest::ScopedEnv language("LC_ALL", locale);
        bool created = false;
        for (const lvtest::ClippedLabel& label :
             lvtest::ClippedLabelsOfTemplate(CUninstallDlg::IDD, created))
            ADD_FAILURE() << label;
        EXPECT_TRUE(created);
    }
}

} // namespace
