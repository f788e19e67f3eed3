#include "testing/answers.h"
#include "win32/win32.h"

#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        unsetenv("LUMIVISTA_ANSWERS");
        lv::testing::restart_answer_script();
        lv::testing::clear_answers();
    }
};

TEST_F(MessageBoxTest, WithoutAnAnswerTheDefaultButtonIsChosen) {
    struct Case {
        UINT type;
        int result;
    };
    const Case cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNO | MB_DEFBUTTON2 | MB_TOPMOST, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2 | MB_ICONSTOP, IDRETRY},
        {MB_RETRYCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_OKCANCEL | MB_DEFBUTTON3, IDOK}, // no third button: the first
        {MB_YESNO | MB_DEFBUTTON4, IDYES},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", c.type), c.result) << std::hex << c.type;
}

TEST_F(MessageBoxTest, QueuedAnswersAreTakenInOrderAndLogged) {
    lv::testing::push_message_box_answer(IDNO);
    lv::testing::push_message_box_answer(IDCANCEL);
    lv::testing::push_message_box_answer(IDRETRY);
    EXPECT_EQ(MessageBoxA(nullptr, "Overwrite?", "Confirm", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "Stop?", nullptr, MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, "Disk", MB_ABORTRETRYIGNORE), IDRETRY);
    EXPECT_EQ(MessageBoxA(nullptr, "Again", "Info", MB_OK), IDOK);

    const auto log = lv::testing::message_box_log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].text, "Overwrite?");
    EXPECT_EQ(log[0].caption, "Confirm");
    EXPECT_EQ(log[0].type, MB_YESNO);
    EXPECT_EQ(log[0].result, IDNO);
    EXPECT_EQ(log[1].caption, "Error"); // a box without a caption says "Error"
    EXPECT_EQ(log[1].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(log[2].text, "");
    EXPECT_EQ(log[3].result, IDOK);
}

TEST_F(MessageBoxTest, AnAnswerTheBoxCannotGiveTakesTheDefault) {
    struct Case {
        UINT type;
        int answer;
        int result;
    };
    const Case cases[] = {
        {MB_OK, IDCANCEL, IDOK}, // Escape on an OK box
        {MB_OK, IDYES, IDOK},
        {MB_YESNO | MB_DEFBUTTON2, IDCANCEL, IDNO}, // no Cancel button: Escape does nothing
        {MB_OKCANCEL, IDIGNORE, IDOK},
        {MB_RETRYCANCEL, 0, IDRETRY},
    };
    for (const Case& c : cases) {
        lv::testing::push_message_box_answer(c.answer);
        EXPECT_EQ(MessageBoxA(nullptr, "t", "c", c.type), c.result)
            << std::hex << c.type << " " << c.answer;
    }
}

TEST_F(MessageBoxTest, InvalidStyleFailsAndLeavesTheAnswerQueued) {
    lv::testing::push_message_box_answer(IDNO);
    SetLastError(0);
    EXPECT_EQ(MessageBoxA(nullptr, "t", "c", 0x7), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    EXPECT_EQ(MessageBoxA(nullptr, "t", "c", MB_YESNO), IDNO);
}

TEST_F(MessageBoxTest, ShowsItselfOnStandardError) {
    ::testing::internal::CaptureStderr();
    MessageBoxA(nullptr, "A file does not exist.", "Error", MB_OK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "MessageBox [Error]: A file does not exist.\n");
}

TEST_F(MessageBoxTest, ScriptAnswersFollowTheQueueInOrder) {
    lvtest::ScratchDir dir;
    const auto script = dir / "answers.txt";
    std::ofstream(script) << "Yes\n"
                             "  no \r\n"
                             "\n"
                             "# a comment\n"
                             "bogus\n"
                             "RETRY\n"
                             "Cancel\n";
    setenv("LUMIVISTA_ANSWERS", script.c_str(), 1);
    lv::testing::restart_answer_script();
    lv::testing::push_message_box_answer(IDCANCEL);

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "1", "c", MB_YESNOCANCEL), IDCANCEL); // queue first
    EXPECT_EQ(MessageBoxA(nullptr, "2", "c", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "3", "c", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "4", "c", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(MessageBoxA(nullptr, "5", "c", MB_OK), IDOK); // Cancel on an OK box
    EXPECT_EQ(MessageBoxA(nullptr, "6", "c", MB_YESNO | MB_DEFBUTTON2), IDNO); // script used up
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("unknown answer \"bogus\""), std::string::npos) << errors;
}

TEST_F(MessageBoxTest, MissingScriptMeansDefaults) {
    setenv("LUMIVISTA_ANSWERS", "/nonexistent/answers.txt", 1);
    lv::testing::restart_answer_script();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "t", "c", MB_YESNO | MB_DEFBUTTON2), IDNO);
    ::testing::internal::GetCapturedStderr();
}

TEST_F(MessageBoxTest, BeepsAreRecorded) {
    EXPECT_TRUE(MessageBeep(MB_ICONEXCLAMATION));
    EXPECT_TRUE(MessageBeep(MB_OK));
    EXPECT_EQ(lv::testing::message_beep_log(), (std::vector<UINT>{MB_ICONEXCLAMATION, MB_OK}));
}

} // namespace
