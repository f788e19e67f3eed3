// Every label of the installer's dialogs shows whole, in each language, with the texts the
// dialogs give their controls while they run.
#include "installer/install_dlg.h"
#include "installer/prepare_dlg.h"
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"

#include <gtest/gtest.h>

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

} // namespace
