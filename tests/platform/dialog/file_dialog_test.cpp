// The file dialogs answered as a person would: the result buffer's formats, the filter index,
// the checks made before the dialog closes, and cancelling.
#include "testing/answers.h"
#include "testing/file_dialog_answers.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using lv::testing::FileDialogAnswer;

constexpr char kFilter[] = "Pictures (*.jpg)\0*.jpg\0Music (*.mp3)\0*.mp3\0All files\0*.*\0";

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        lv::testing::clear_answers();
        lv::testing::clear_file_dialog_answers();
        CreateDirectoryA("C:\\dlgtest", nullptr);
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = kFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = sizeof title;
    }

    static void make_file(const char* path) {
        HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
    }

    char file[260] = {};
    char title[64] = {};
    OPENFILENAMEA ofn{};
};

TEST_F(FileDialogTest, OneFileGivesItsPathOffsetsTitleAndFilterIndex) {
    lv::testing::push_file_dialog_answer({{"C:\\dlgtest\\song.mp3"}, 2});
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file, "C:\\dlgtest\\song.mp3");
    EXPECT_EQ(ofn.nFileOffset, 11);
    EXPECT_EQ(ofn.nFileExtension, 16);
    EXPECT_STREQ(title, "song.mp3");
    EXPECT_EQ(ofn.nFilterIndex, 2u);

    lv::testing::push_file_dialog_answer({{"C:\\dlgtest\\a.jpg"}, 9}); // no such filter
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(ofn.nFilterIndex, 2u);
}

TEST_F(FileDialogTest, SeveralFilesGiveTheFolderThenEachName) {
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER;
    lv::testing::push_file_dialog_answer(
        {{"C:\\dlgtest\\one.jpg", "C:\\dlgtest\\two.jpg", "C:\\dlgtest\\three.jpg"}});
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    constexpr char kList[] = "C:\\dlgtest\0one.jpg\0two.jpg\0three.jpg\0";
    const std::string expected(kList, sizeof kList); // with the literal's NUL: the list's end
    EXPECT_EQ(std::string(file, expected.size()), expected);
    EXPECT_EQ(ofn.nFileOffset, 11);
    EXPECT_EQ(ofn.nFileExtension, 0);
}

TEST_F(FileDialogTest, SeveralFilesNeedMultipleSelectionAndOneFolder) {
    lv::testing::push_file_dialog_answer({{"C:\\dlgtest\\one.jpg", "C:\\dlgtest\\two.jpg"}});
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_INVALIDFILENAME);
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER;
    lv::testing::push_file_dialog_answer({{"C:\\dlgtest\\one.jpg", "C:\\other\\two.jpg"}});
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_INVALIDFILENAME);
}

TEST_F(FileDialogTest, TooSmallBufferReportsTheSizeNeeded) {
    char small[8] = {};
    ofn.lpstrFile = small;
    ofn.nMaxFile = sizeof small;
    lv::testing::push_file_dialog_answer({{"C:\\dlgtest\\long-name.jpg"}});
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    const int needed = static_cast<unsigned char>(small[0]) | static_cast<unsigned char>(small[1])
                                                                  << 8;
    EXPECT_EQ(needed, 25); // the path and its NUL
}

TEST_F(FileDialogTest, CancelledOrUnansweredDialogReturnsFalseWithoutError) {
    lv::testing::push_file_dialog_answer({});
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(lv::testing::file_dialog_log().size(), 2u);
    EXPECT_TRUE(lv::testing::file_dialog_log()[1].save);
}

TEST_F(FileDialogTest, OkKeepsTheGivenNameInTheInitialFolderWithTheDefaultExtension) {
    std::strcpy(file, "export");
    ofn.lpstrInitialDir = "C:\\dlgtest";
    ofn.lpstrDefExt = "jpg";
    lv::testing::push_modal_answer({IDOK, {}});
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_STREQ(file, "C:\\dlgtest\\export.jpg");
    EXPECT_EQ(lv::testing::file_dialog_log().at(0).initial_file, "export");
}

TEST_F(FileDialogTest, MissingFileIsRefusedWhenItMustExist) {
    ofn.Flags = OFN_FILEMUSTEXIST;
    lv::testing::push_file_dialog_answer({{"C:\\dlgtest\\absent.jpg"}});
    lv::testing::push_message_box_answer(IDOK);
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    ASSERT_EQ(lv::testing::message_box_log().size(), 1u);
    EXPECT_NE(lv::testing::message_box_log()[0].text.find("File not found"), std::string::npos);

    make_file("C:\\dlgtest\\present.jpg");
    lv::testing::push_file_dialog_answer({{"C:\\dlgtest\\present.jpg"}});
    EXPECT_TRUE(GetOpenFileNameA(&ofn));
}

TEST_F(FileDialogTest, ReplacingAFileAsksFirst) {
    make_file("C:\\dlgtest\\old.jpg");
    ofn.Flags = OFN_OVERWRITEPROMPT;
    struct Case {
        int answer;
        BOOL result;
    };
    for (const Case c : {Case{IDNO, FALSE}, Case{IDYES, TRUE}}) {
        lv::testing::push_file_dialog_answer({{"C:\\dlgtest\\old.jpg"}});
        lv::testing::push_message_box_answer(c.answer);
        EXPECT_EQ(GetSaveFileNameA(&ofn), c.result);
    }
    EXPECT_EQ(lv::testing::message_box_log().size(), 2u);
}

TEST_F(FileDialogTest, BadStructureFailsWithItsError) {
    ofn.lStructSize = 8;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = nullptr;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
}

} // namespace
