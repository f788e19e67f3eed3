// "Please Wait...": the rewrite runs as the dialog opens, the reader then sees exactly the
// chosen transitions; a missing source is reported and changes nothing.
#include "saver/theme_globals.h"
#include "saver/theme_loader.h"
#include "settings/dialogs/save_progress_dlg.h"
#include "testing/answers.h"
#include "tests/support/scratch_dir.h"
#include "tools/themebuilder/theme_builder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

CString WinPath(const fs::path& p) {
    std::string text = "Z:" + p.string();
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }
    return text.c_str();
}

class SaveProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        lv::testing::clear_answers();
        ResetThemeGlobals();
        lvtools::ThemeSpec spec;
        spec.header.title = "Progress Test";
        spec.settings.imageTime = 7;
        spec.settings.transitionFlags[0] = 1;
        spec.settings.transitionFlags[5] = 1;
        spec.images = {{"a.jpg", "Alpha", {'A', 'B'}}};
        const auto built = lvtools::BuildTheme(spec);
        std::ofstream(theme_path(), std::ios::binary)
            .write(reinterpret_cast<const char*>(built.bytes.data()),
                   static_cast<std::streamsize>(built.bytes.size()));
        ThemeFilePath = WinPath(theme_path());
        ASSERT_TRUE(LoadThemeFile(ThemeFilePath, WinPath(dir.path())));
    }
    fs::path theme_path() const { return dir / "theme.dat"; }

    lvtest::ScratchDir dir;
};

TEST_F(SaveProgressTest, RewriteShowsProgressAndTheReaderSeesTheChosenTransitions) {
    EnabledTransitions.RemoveAll();
    for (int index : {2, 9, 20})
        EnabledTransitions.Add(index);
    CSaveProgressDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(lv::testing::message_box_log().empty());

    ResetThemeGlobals();
    ThemeFilePath = WinPath(theme_path());
    ASSERT_TRUE(LoadThemeFile(ThemeFilePath, WinPath(dir.path())));
    ASSERT_EQ(EnabledTransitions.GetSize(), 3);
    EXPECT_EQ(EnabledTransitions[0], 2);
    EXPECT_EQ(EnabledTransitions[1], 9);
    EXPECT_EQ(EnabledTransitions[2], 20);
    EXPECT_EQ(SaverSettings.imageTime, 7);
}

TEST_F(SaveProgressTest, MissingSourceShowsItsMessageAndEndsTheDialog) {
    fs::remove(theme_path());
    lv::testing::push_message_box_answer(IDOK);
    CSaveProgressDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const auto boxes = lv::testing::message_box_log();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Screensaver cannot be looked for.\nReinstall screensaver file.\n");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_FALSE(fs::exists(theme_path()));
}

} // namespace
