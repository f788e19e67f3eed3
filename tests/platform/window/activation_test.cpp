// Activation, focus, enabling and capture: the messages and hooks the callers rely on.
#include "window_test_support.h"

#include <gtest/gtest.h>

using wintest::Event;

namespace {

constexpr UINT kTracked[] = {WM_ACTIVATE, WM_NCACTIVATE,  WM_SETFOCUS,      WM_KILLFOCUS,
                             WM_ENABLE,   WM_ACTIVATEAPP, WM_CAPTURECHANGED};

std::vector<Event> tracked(const wintest::Recorder& r) {
    std::vector<Event> out;
    for (const Event& e : r.events())
        for (UINT m : kTracked)
            if (e.message == m)
                out.push_back(e);
    return out;
}

std::vector<std::string> g_cbt;
HHOOK g_hook = nullptr;
bool g_refuse_activation = false;

LRESULT CALLBACK cbt(int code, WPARAM wParam, LPARAM lParam) {
    char name[32] = {};
    GetWindowTextA(reinterpret_cast<HWND>(wParam), name, sizeof(name));
    if (code == HCBT_ACTIVATE) {
        g_cbt.push_back(std::string("activate:") + name);
        if (g_refuse_activation)
            return 1;
    }
    if (code == HCBT_SETFOCUS)
        g_cbt.push_back(std::string("focus:") + name);
    if (code == HCBT_SYSCOMMAND)
        g_cbt.push_back("syscommand");
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

class Activation : public ::testing::Test {
protected:
    void SetUp() override {
        first = recorder.create("first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
        second = recorder.create("second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 0, 200, 200);
        child = recorder.create("child", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, first);
        wintest::pump();
        g_cbt.clear();
        g_refuse_activation = false;
        g_hook = SetWindowsHookExA(WH_CBT, cbt, nullptr, wintest::current_thread());
        recorder.clear();
    }
    void TearDown() override {
        UnhookWindowsHookEx(g_hook);
        DestroyWindow(first);
        DestroyWindow(second);
    }
    wintest::Recorder recorder;
    HWND first = nullptr, second = nullptr, child = nullptr;
};

TEST_F(Activation, ActivatingAnotherWindowDeactivatesTheOldOneFirst) {
    ASSERT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(SetActiveWindow(first), second);
    std::vector<Event> expected = {{"second", WM_NCACTIVATE}, {"second", WM_ACTIVATE},
                                   {"first", WM_NCACTIVATE},  {"first", WM_ACTIVATE},
                                   {"second", WM_KILLFOCUS},  {"first", WM_SETFOCUS}};
    EXPECT_EQ(tracked(recorder), expected);
    EXPECT_EQ(g_cbt, (std::vector<std::string>{"activate:first", "focus:first"}));
    EXPECT_EQ(GetFocus(), first);
    WINDOWINFO info{};
    GetWindowInfo(first, &info);
    EXPECT_EQ(info.dwWindowStatus, WS_ACTIVECAPTION);
    GetWindowInfo(second, &info);
    EXPECT_EQ(info.dwWindowStatus, 0u);
}

TEST_F(Activation, CbtHookCanRefuseActivation) {
    g_refuse_activation = true;
    SetActiveWindow(first);
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_TRUE(tracked(recorder).empty());
}

TEST_F(Activation, FocusOnAChildActivatesItsTopLevelWindow) {
    SetFocus(child);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), child);
    recorder.clear();
    SetFocus(first);
    std::vector<Event> expected = {{"child", WM_KILLFOCUS}, {"first", WM_SETFOCUS}};
    EXPECT_EQ(tracked(recorder), expected);
}

TEST_F(Activation, DisablingTheFocusWindowTakesTheFocusAway) {
    SetFocus(child);
    recorder.clear();
    EXPECT_FALSE(EnableWindow(child, FALSE)); // it was enabled
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(child));
    std::vector<Event> expected = {{"child", WM_KILLFOCUS}, {"child", WM_ENABLE}};
    EXPECT_EQ(tracked(recorder), expected);
    EXPECT_TRUE(EnableWindow(child, TRUE)); // it was disabled
}

TEST_F(Activation, CaptureChangesAreAnnounced) {
    EXPECT_EQ(SetCapture(first), nullptr);
    EXPECT_EQ(SetCapture(second), first);
    EXPECT_EQ(GetCapture(), second);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    std::vector<Event> expected = {{"first", WM_CAPTURECHANGED}, {"second", WM_CAPTURECHANGED}};
    EXPECT_EQ(tracked(recorder), expected);
}

TEST_F(Activation, HidingTheActiveWindowActivatesAnother) {
    ShowWindow(second, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), first);
    DestroyWindow(first);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    first = nullptr;
}

TEST_F(Activation, SystemCommandsPassTheCbtHook) {
    SendMessageA(second, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(second));
    EXPECT_EQ(g_cbt.front(), "syscommand");
    SendMessageA(second, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(second));
    SendMessageA(second, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(second));
    second = nullptr;
}

} // namespace
