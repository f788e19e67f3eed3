// CCheckListBox: an owner-drawn list box (fixed height, with strings) whose items carry a check
// box left of their text. A click in an item's box, or the space bar on the selected item,
// changes its check when the check style is an automatic one and tells the parent with
// WM_COMMAND / CLBN_CHKCHANGE.
//
// Each item's check state (0 clear, 1 checked, 2 indeterminate) is kept in its item data, so
// LB_SETITEMDATA on an item sets its check.
#pragma once

#include "mfc/controls.h"

// Sent to the parent in WM_COMMAND's high word when the user changed an item's check; a code
// of its own, so that a parent's LBN_SELCHANGE handler never mistakes one for the other.
constexpr WORD CLBN_CHKCHANGE = 40;

class CCheckListBox : public CListBox {
public:
    CCheckListBox() = default;
    ~CCheckListBox() override = default;

    // BS_CHECKBOX, BS_AUTOCHECKBOX (the default), BS_3STATE or BS_AUTO3STATE; other values are
    // ignored.
    void SetCheckStyle(UINT style);
    UINT GetCheckStyle() const { return m_checkStyle; }
    // Nothing for an index outside the list or a state other than 0, 1 and 2.
    void SetCheck(int index, int check);
    // -1 for an index outside the list.
    int GetCheck(int index) const;
    // The item under a client point (-1 for none), and whether the point lies on that item's
    // check box (the column left of its text).
    int CheckFromPoint(CPoint clientPoint, BOOL& inCheck) const;

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;

protected:
    // A list made by a dialog template was measured before it had this object: measure again.
    void PreSubclassWindow() override;

    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ToggleByUser(int index);
    void ClickAt(CPoint point);
    void FitItemHeight();
    int ItemHeightForFont() const;

    UINT m_checkStyle = BS_AUTOCHECKBOX;
};
