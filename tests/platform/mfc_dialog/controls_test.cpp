// The control wrappers drive the standard controls through their messages.
#include "mfc/mfc.h"

#include <gtest/gtest.h>

namespace {

class ControlWrappers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                    nullptr, nullptr));
    }
    void TearDown() override { parent.DestroyWindow(); }
    CWnd parent;
};

TEST_F(ControlWrappers, EditSelectionReplacementAndLimits) {
    CEdit edit;
    ASSERT_TRUE(
        edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(5, 5, 150, 25), &parent, 11));
    edit.SetWindowText("evening light");
    edit.SetSel(0, 7);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 7);
    edit.ReplaceSel("morning");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "morning light");
    EXPECT_TRUE(edit.SetReadOnly(TRUE));
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent.GetDlgItem(11)->GetSafeHwnd()), &edit);
}

TEST_F(ControlWrappers, CheckBoxState) {
    CButton check;
    ASSERT_TRUE(
        check.Create("Mute", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(5, 30, 100, 45), &parent, 12));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(check.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_AUTOCHECKBOX));
}

TEST_F(ControlWrappers, ProgressAndSpinPositions) {
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_VISIBLE, CRect(5, 50, 200, 65), &parent, 13));
    progress.SetRange(0, 50);
    progress.SetStep(5);
    progress.SetPos(10);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 15);
    progress.OffsetPos(100);
    EXPECT_EQ(progress.GetPos(), 50);

    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_VISIBLE | WS_BORDER, CRect(5, 70, 60, 90), &parent, 14));
    CSpinButtonCtrl spin;
    HWND hwnd =
        CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, 60, 70, 16,
                        20, parent.GetSafeHwnd(), reinterpret_cast<HMENU>(15), nullptr, nullptr);
    ASSERT_TRUE(spin.SubclassWindow(hwnd));
    spin.SetBuddy(&buddy);
    EXPECT_EQ(spin.GetBuddy(), &buddy);
    spin.SetRange(1, 30);
    spin.SetPos(12);
    EXPECT_EQ(LOWORD(spin.GetPos()), 12);
    CString shown;
    buddy.GetWindowText(shown);
    EXPECT_EQ(shown, "12");
}

} // namespace
