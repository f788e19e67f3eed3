// The keyboard cues' state: WM_CHANGEUISTATE climbs to the top-level window, which updates
// itself and every window below it; WM_QUERYUISTATE answers the window's own state.
#include "window_test_support.h"

#include <gtest/gtest.h>

namespace {

using wintest::Event;

class UiState : public ::testing::Test {
protected:
    void SetUp() override {
        top = recorder.create("top", WS_POPUP, 0, 0, 200, 200);
        child = recorder.create("child", WS_CHILD, 0, 0, 100, 100, top);
        grandchild = recorder.create("grandchild", WS_CHILD, 0, 0, 50, 50, child);
        recorder.clear();
    }
    void TearDown() override { DestroyWindow(top); }
    std::vector<Event> updates() const {
        std::vector<Event> out;
        for (const Event& e : recorder.events())
            if (e.message == WM_UPDATEUISTATE || e.message == WM_CHANGEUISTATE)
                out.push_back(e);
        return out;
    }
    wintest::Recorder recorder;
    HWND top = nullptr, child = nullptr, grandchild = nullptr;
};

TEST_F(UiState, AChangeClimbsToTheTopAndTheUpdateReachesEveryWindow) {
    SendMessageA(grandchild, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    const std::vector<Event> expected = {
        {"grandchild", WM_CHANGEUISTATE}, {"child", WM_CHANGEUISTATE},
        {"top", WM_CHANGEUISTATE},        {"top", WM_UPDATEUISTATE},
        {"child", WM_UPDATEUISTATE},      {"grandchild", WM_UPDATEUISTATE}};
    EXPECT_EQ(updates(), expected);
    for (HWND hwnd : {top, child, grandchild})
        EXPECT_EQ(SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS);

    // Asking for what is already so changes nothing and reaches nobody below the top.
    recorder.clear();
    SendMessageA(child, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    EXPECT_EQ(updates().size(), 2u);

    SendMessageA(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL), 0);
    EXPECT_EQ(SendMessageA(grandchild, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS | UISF_HIDEACCEL);
    SendMessageA(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_EQ(SendMessageA(grandchild, WM_QUERYUISTATE, 0, 0), UISF_HIDEACCEL);
    SendMessageA(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEACCEL), 0);
    EXPECT_EQ(SendMessageA(child, WM_QUERYUISTATE, 0, 0), 0);
}

TEST_F(UiState, AnUpdateChangesOnlyTheBranchItIsSentTo) {
    SendMessageA(child, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_ACTIVE), 0);
    EXPECT_EQ(SendMessageA(top, WM_QUERYUISTATE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(grandchild, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS | UISF_ACTIVE);
    // Unknown actions and flags are left alone.
    SendMessageA(child, WM_UPDATEUISTATE, MAKEWPARAM(9, UISF_HIDEACCEL), 0);
    SendMessageA(child, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, 0x80), 0);
    EXPECT_EQ(SendMessageA(child, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS | UISF_ACTIVE);
}

} // namespace
