// Thread hooks: chain order, CallNextHookEx, and the message, filter and return hooks.
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

std::vector<std::string> g_log;
HHOOK g_older = nullptr;
HHOOK g_newer = nullptr;

LRESULT CALLBACK older(int code, WPARAM wParam, LPARAM lParam) {
    g_log.push_back("older");
    return CallNextHookEx(g_older, code, wParam, lParam) + 1;
}

LRESULT CALLBACK newer(int code, WPARAM wParam, LPARAM lParam) {
    g_log.push_back("newer");
    return CallNextHookEx(g_newer, code, wParam, lParam) + 10;
}

TEST(Hooks, NewestRunsFirstAndCallNextHookExReachesTheOlder) {
    DWORD thread = wintest::current_thread();
    g_older = SetWindowsHookExA(WH_MSGFILTER, older, nullptr, thread);
    g_newer = SetWindowsHookExA(WH_MSGFILTER, newer, nullptr, thread);
    MSG msg{};
    g_log.clear();
    EXPECT_TRUE(CallMsgFilterA(&msg, MSGF_DIALOGBOX));
    EXPECT_EQ(g_log, (std::vector<std::string>{"newer", "older"}));
    UnhookWindowsHookEx(g_newer);
    g_log.clear();
    CallMsgFilterA(&msg, MSGF_DIALOGBOX);
    EXPECT_EQ(g_log, (std::vector<std::string>{"older"}));
    UnhookWindowsHookEx(g_older);
    EXPECT_FALSE(CallMsgFilterA(&msg, MSGF_DIALOGBOX));
    EXPECT_FALSE(UnhookWindowsHookEx(g_older));
}

TEST(Hooks, ThreadHooksStayOnTheirThread) {
    g_log.clear();
    HHOOK hook = SetWindowsHookExA(WH_MSGFILTER, older, nullptr, wintest::current_thread());
    g_older = hook;
    bool other_called = true;
    std::thread([&] {
        MSG msg{};
        other_called = CallMsgFilterA(&msg, MSGF_DIALOGBOX) != FALSE;
    }).join();
    EXPECT_FALSE(other_called);
    EXPECT_TRUE(g_log.empty());
    UnhookWindowsHookEx(hook);
}

LRESULT CALLBACK rewrite_get_message(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_USER + 1)
        msg->wParam = 42;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK record_return(int code, WPARAM wParam, LPARAM lParam) {
    auto* ret = reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (ret->message == WM_GETTEXTLENGTH)
        g_log.push_back("returned " + std::to_string(ret->lResult));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Hooks, GetMessageHookMayChangeTheMessageAndReturnHookSeesResults) {
    wintest::Recorder recorder;
    HWND w = recorder.create("abc", WS_POPUP, 0, 0, 10, 10);
    DWORD thread = wintest::current_thread();
    HHOOK get = SetWindowsHookExA(WH_GETMESSAGE, rewrite_get_message, nullptr, thread);
    HHOOK ret = SetWindowsHookExA(WH_CALLWNDPROCRET, record_return, nullptr, thread);
    PostMessageA(w, WM_USER + 1, 1, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 42u);
    g_log.clear();
    EXPECT_EQ(GetWindowTextLengthA(w), 3);
    EXPECT_EQ(g_log, (std::vector<std::string>{"returned 3"}));
    UnhookWindowsHookEx(get);
    UnhookWindowsHookEx(ret);
    DestroyWindow(w);
}

TEST(Hooks, UnsupportedKindsFailHonestly) {
    EXPECT_EQ(SetWindowsHookExA(WH_JOURNALRECORD, older, nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
    EXPECT_EQ(SetWindowsHookExA(99, older, nullptr, 0), nullptr);
    EXPECT_EQ(SetWindowsHookExA(WH_CBT, nullptr, nullptr, 0), nullptr);
}

TEST(SendState, InSendMessageAndEarlyReply) {
    wintest::Recorder recorder;
    std::atomic<bool> in_send{false};
    recorder.handler = [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) {
        if (msg != WM_USER + 5)
            return false;
        in_send = InSendMessage() != FALSE;
        ReplyMessage(77);
        result = 5; // the early reply wins
        return true;
    };
    HWND w = recorder.create("target", WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(SendMessageA(w, WM_USER + 5, 0, 0), 5); // same thread: a plain call
    EXPECT_FALSE(in_send);
    LRESULT answer = 0;
    std::thread sender([&] { answer = SendMessageA(w, WM_USER + 5, 0, 0); });
    while (!(GetQueueStatus(QS_SENDMESSAGE) & QS_SENDMESSAGE))
        std::this_thread::yield();
    wintest::pump();
    sender.join();
    EXPECT_TRUE(in_send);
    EXPECT_EQ(answer, 77);
    DestroyWindow(w);
}

} // namespace

namespace {

TEST(RegisteredMessages, OneNumberPerNameWithoutCase) {
    UINT a = RegisterWindowMessageA("LumivistaPing");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA("lumivistaping"), a);
    EXPECT_NE(RegisterWindowMessageA("LumivistaPong"), a);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST(ThreadIds, WindowsAndHooksKnowTheCallingThreadById) {
    EXPECT_EQ(GetCurrentThreadId(), wintest::current_thread());
    DWORD other = 0;
    std::thread([&] { other = GetCurrentThreadId(); }).join();
    EXPECT_NE(other, GetCurrentThreadId());
}

} // namespace
