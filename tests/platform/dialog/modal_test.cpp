// Modal dialogs: the owner disabled while they run, answers from the queue, the script and
// drivers that click and type.
#include "dialog_test_support.h"
#include "testing/answers.h"
#include "testing/window_input.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

// Waits (up to 20 s) until the thread with this kernel id is blocked in a futex wait, as a
// thread waiting on a condition variable is; whether it came to that.
bool BlocksOnAWait(pid_t thread) {
    const std::string path = "/proc/self/task/" + std::to_string(thread) + "/syscall";
    const std::string futex = std::to_string(SYS_futex) + " ";
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
        std::string call;
        std::getline(std::ifstream(path), call);
        if (call.rfind(futex, 0) == 0)
            return true;
        std::this_thread::yield();
    }
    return false;
}

namespace input = lv::testing;

class ModalTest : public ::testing::Test {
protected:
    void SetUp() override {
        lv::testing::clear_answers();
        dlgtest::reset_commands();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "ModalOwner";
        RegisterClassA(&wc);
        owner = CreateWindowExA(0, "ModalOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                400, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner);
        dlgtest::pump(nullptr);
        lv::testing::clear_answers();
    }
    HWND owner = nullptr;
};

TEST_F(ModalTest, TheOwnerIsDisabledWhileTheDialogRunsAndEnabledAfter) {
    static HWND s_owner;
    static BOOL enabled_during = TRUE;
    static HWND s_parent;
    s_owner = owner;
    lv::testing::push_modal_answer({0, [](HWND dialog) {
                                        enabled_during = IsWindowEnabled(s_owner);
                                        s_parent = GetWindow(dialog, GW_OWNER);
                                        input::key_press(VK_TAB);
                                        input::key_press(VK_TAB);
                                        input::key_press(VK_RETURN); // on "&Apply" (321)
                                    }});
    EXPECT_EQ(DialogBoxParamA(nullptr, "CHOICES", owner, dlgtest::recording_proc, TRUE), 321);
    EXPECT_FALSE(enabled_during);
    EXPECT_EQ(s_parent, owner);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dlgtest::commands(), (std::vector<dlgtest::Command>{{321, BN_CLICKED}}));
}

TEST_F(ModalTest, ADriverClicksAButton) {
    lv::testing::push_modal_answer(
        {0, [](HWND dialog) { input::click_window(GetDlgItem(dialog, 1003)); }});
    static int clicked = 0;
    clicked = 0;
    const INT_PTR result = DialogBoxParamA(
        nullptr, MAKEINTRESOURCE(102), owner,
        [](HWND dialog, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
            if (msg == WM_COMMAND && LOWORD(wParam) == 1003) {
                clicked = LOWORD(wParam);
                EndDialog(dialog, 77);
                return TRUE;
            }
            return msg == WM_INITDIALOG;
        },
        0);
    EXPECT_EQ(result, 77);
    EXPECT_EQ(clicked, 1003);
}

TEST_F(ModalTest, AnAnswerWithoutADriverEndsTheDialogWithItsResult) {
    lv::testing::push_modal_answer({IDCANCEL, {}});
    EXPECT_EQ(DialogBoxParamA(nullptr, "CHOICES", owner, dlgtest::recording_proc, TRUE), IDCANCEL);
    EXPECT_TRUE(dlgtest::commands().empty()); // ended directly, no button pressed
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ModalTest, ADialogThatEndsDuringInitialisationTakesNoAnswer) {
    lv::testing::push_modal_answer({IDCANCEL, {}});
    const INT_PTR result = DialogBoxParamA(
        nullptr, "CHOICES", owner,
        [](HWND dialog, UINT msg, WPARAM, LPARAM) -> INT_PTR {
            if (msg == WM_INITDIALOG)
                EndDialog(dialog, 5);
            return msg == WM_INITDIALOG;
        },
        0);
    EXPECT_EQ(result, 5);
    // The queued answer is still there for the next modal.
    EXPECT_EQ(DialogBoxParamA(nullptr, "CHOICES", owner, dlgtest::recording_proc, TRUE), IDCANCEL);
}

TEST_F(ModalTest, ADialogNobodyCanAnswerIsCancelled) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(DialogBoxParamA(nullptr, "CHOICES", owner, dlgtest::recording_proc, TRUE), IDCANCEL);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("DialogBox [Choices]"), std::string::npos) << errors;
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ModalTest, AnotherThreadsMessageReachesAnUnansweredDialog) {
    static HWND s_dialog = nullptr;
    static pid_t s_dialog_thread = 0;
    static std::thread worker;
    const INT_PTR result = DialogBoxParamA(
        nullptr, "CHOICES", owner,
        [](HWND dialog, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
            if (msg == WM_INITDIALOG) {
                s_dialog = dialog;
                s_dialog_thread = static_cast<pid_t>(syscall(SYS_gettid));
                // Posted once the modal loop has found its queue empty and waits for what
                // might still come.
                worker = std::thread([] {
                    EXPECT_TRUE(BlocksOnAWait(s_dialog_thread));
                    PostMessageA(s_dialog, WM_APP, 0, 0);
                });
            }
            if (msg == WM_APP)
                EndDialog(dialog, 12);
            return msg == WM_INITDIALOG;
        },
        0);
    worker.join();
    EXPECT_EQ(result, 12);
}

TEST_F(ModalTest, TheModalLoopServesTimersUntilTheDialogEndsItself) {
    const INT_PTR result = DialogBoxParamA(
        nullptr, "CHOICES", owner,
        [](HWND dialog, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
            if (msg == WM_INITDIALOG)
                SetTimer(dialog, 1, 10, nullptr);
            if (msg == WM_TIMER && wParam == 1) {
                KillTimer(dialog, 1);
                EndDialog(dialog, 9);
            }
            return msg == WM_INITDIALOG;
        },
        0);
    EXPECT_EQ(result, 9);
}

} // namespace
