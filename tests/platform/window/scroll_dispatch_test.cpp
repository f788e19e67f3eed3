// The scroll-bar functions call through their table: a replacement is reached for the windows
// it serves, passes the others on, and once put back is no longer reached.
#include "win32/scroll_dispatch.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

namespace {

HWND g_served = nullptr;
GETSCROLLPOSPROC g_previous = nullptr;
int g_calls = 0;

int ServingGetScrollPos(HWND hwnd, int bar) {
    ++g_calls;
    if (hwnd == g_served)
        return 42;
    return g_previous(hwnd, bar);
}

template <class Function> FARPROC AsEntry(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

// A stand-in scroll-bar control that answers SBM_GETPOS.
LRESULT CALLBACK FakeBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == SBM_GETPOS)
        return 7;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class ScrollDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = FakeBarProc;
        wc.lpszClassName = "FakeScrollBar";
        RegisterClassA(&wc);
        served = CreateWindowExA(0, "FakeScrollBar", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                 nullptr, nullptr);
        other = CreateWindowExA(0, "FakeScrollBar", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_TRUE(served && other);
        g_served = served;
        g_calls = 0;
    }
    void TearDown() override {
        DestroyWindow(served);
        DestroyWindow(other);
    }
    HWND served = nullptr;
    HWND other = nullptr;
};

TEST_F(ScrollDispatchTest, AReplacementIsReachedUntilItIsPutBack) {
    const FARPROC original = GetScrollApiEntry(SCROLLAPI_GETSCROLLPOS);
    ASSERT_EQ(original, GetDefaultScrollApiEntry(SCROLLAPI_GETSCROLLPOS));
    EXPECT_EQ(GetScrollPos(served, SB_CTL), 7) << "the default asks the control";

    g_previous = reinterpret_cast<GETSCROLLPOSPROC>(reinterpret_cast<void (*)()>(original));
    ASSERT_TRUE(
        ReplaceScrollApiEntry(SCROLLAPI_GETSCROLLPOS, original, AsEntry(&ServingGetScrollPos)));
    EXPECT_EQ(GetScrollPos(served, SB_CTL), 42);
    EXPECT_EQ(GetScrollPos(other, SB_CTL), 7) << "other windows pass on to the replaced entry";
    EXPECT_EQ(g_calls, 2);

    ASSERT_TRUE(
        ReplaceScrollApiEntry(SCROLLAPI_GETSCROLLPOS, AsEntry(&ServingGetScrollPos), original));
    EXPECT_EQ(GetScrollPos(served, SB_CTL), 7);
    EXPECT_EQ(g_calls, 2) << "removed: no longer reached";
}

TEST_F(ScrollDispatchTest, ReplacingRequiresTheEntryItExpects) {
    const FARPROC original = GetScrollApiEntry(SCROLLAPI_GETSCROLLPOS);
    SetLastError(0);
    EXPECT_FALSE(
        ReplaceScrollApiEntry(SCROLLAPI_GETSCROLLPOS, AsEntry(&ServingGetScrollPos), original));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ACCESS));
    EXPECT_FALSE(ReplaceScrollApiEntry(SCROLLAPI_COUNT, original, original));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(ReplaceScrollApiEntry(SCROLLAPI_GETSCROLLPOS, original, nullptr));
    EXPECT_EQ(GetScrollApiEntry(SCROLLAPI_GETSCROLLPOS), original);
    EXPECT_EQ(GetScrollApiEntry(SCROLLAPI_COUNT), nullptr);
    for (UINT api = 0; api < SCROLLAPI_COUNT; ++api)
        EXPECT_EQ(GetScrollApiEntry(api), GetDefaultScrollApiEntry(api)) << api;
}

} // namespace
