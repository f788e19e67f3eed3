// A dialog of controls, skinned from the full skin (or left plain to compare), and what its
// controls show.
#pragma once

#include "win32/win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class SkinData;

namespace lvtest {

enum ControlId {
    kPush = 1001,
    kDefaultPush = 1002,
    kDisabledPush = 1003,
    kOwnerDrawn = 1004,
    kLaterOwnerDrawn = 1005,
    kCheck = 1010,
    kThreeState = 1011,
    kDisabledCheck = 1012,
    kRadioOne = 1020,
    kRadioTwo = 1021,
    kRadioThree = 1022,
    kRadioOther = 1023,
    kStatic = 1040,
    kSimpleStatic = 1041,
    kGroup = 1030,
    kList = 1050,
    kEdit = 1060,
    kCombo = 1070,
    kProgress = 1080,
    kVerticalProgress = 1081,
    kScrollBar = 1090,
    kVerticalScrollBar = 1091,
    kShortScrollBar = 1092,
};

// The colour the owner paints its owner-drawn buttons with.
constexpr COLORREF kOwnerColor = RGB(200, 30, 160);

class ControlDialog : public ::testing::Test {
protected:
    void TearDown() override;
    // Opens the dialog, skinned from the full skin (changed by `alter` first) or plain.
    HWND Open(bool skinned = true, const std::function<void(SkinData&)>& alter = {});
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    // The colour a control shows at a point of its window rectangle.
    COLORREF At(int id, int x, int y) const;
    COLORREF AtCentreLeft(int id, int x) const;
    SIZE SizeOf(int id) const;
    void MoveOnto(int id, int x, int y) const;

    HWND dialog = nullptr;
    bool started = false;
};

void Pump();
// The current skin's pixel in one of its images, at a point from the image's top.
COLORREF SkinPixel(const char* image, int x, int y);
// WM_COMMAND notifications the dialog received: (control id, code).
extern std::vector<std::pair<int, int>> g_commands;
// The scroll codes the dialog received from its scroll bars, in order.
extern std::vector<int> g_scrolls;

} // namespace lvtest
