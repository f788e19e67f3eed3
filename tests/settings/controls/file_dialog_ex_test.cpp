// The centred file dialog: its answers, the parent it disables and gives back, its hidden owner.
#include "settings/controls/file_dialog_ex.h"
#include "testing/answers.h"
#include "testing/file_dialog_answers.h"

#include <gtest/gtest.h>

namespace {

class FileDialogExTest : public ::testing::Test {
protected:
    void SetUp() override {
        lv::testing::clear_answers();
        lv::testing::clear_file_dialog_answers();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                    nullptr));
    }
    void TearDown() override { parent.DestroyWindow(); }
    CWnd parent;
};

TEST_F(FileDialogExTest, CancelReturnsCancelAndReenablesTheParent) {
    lv::testing::push_file_dialog_answer({});
    CFileDialogEx dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "Music (*.mp3)|*.mp3||",
                         &parent);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(::IsWindowEnabled(parent.GetSafeHwnd()));
    const auto log = lv::testing::file_dialog_log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].owner, parent.GetSafeHwnd()); // the hidden owner near the centre
    EXPECT_FALSE(::IsWindow(log[0].owner));        // gone with the dialog
}

TEST_F(FileDialogExTest, ChosenFilesComeBackOneByOne) {
    lv::testing::push_file_dialog_answer(
        {{"C:\\media\\a.jpg", "C:\\media\\b.png", "C:\\media\\c.gif"}, 2});
    CFileDialogEx dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT,
                         "Pictures|*.jpg;*.png;*.gif|All files|*.*||", &parent);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u);
    std::vector<CString> paths;
    for (POSITION at = dialog.GetStartPosition(); at;)
        paths.push_back(dialog.GetNextPathName(at));
    EXPECT_EQ(paths,
              (std::vector<CString>{"C:\\media\\a.jpg", "C:\\media\\b.png", "C:\\media\\c.gif"}));
    EXPECT_EQ(dialog.GetPathName(), "C:\\media\\a.jpg");
}

TEST_F(FileDialogExTest, SaveKeepsTheGivenNameWhenAnsweredOk) {
    lv::testing::push_modal_answer({IDOK, {}});
    CFileDialogEx dialog(FALSE, "jpg", "C:\\export\\picture", 0, "JPEG|*.jpg||", &parent);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), "C:\\export\\picture.jpg");
    EXPECT_EQ(dialog.GetFileName(), "picture.jpg");
    EXPECT_EQ(dialog.GetFileExt(), "jpg");
}

} // namespace
