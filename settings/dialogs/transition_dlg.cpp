#include "settings/dialogs/transition_dlg.h"

#include "saver/theme_globals.h"

BEGIN_MESSAGE_MAP(CTransitionDlg, CAdvancedDlg)
ON_LBN_SELCHANGE(CTransitionDlg::kEffectListId, OnSelChange)
ON_BN_CLICKED(CTransitionDlg::kCheckAllId, OnCheckAll)
ON_BN_CLICKED(CTransitionDlg::kUncheckAllId, OnUncheckAll)
END_MESSAGE_MAP()

CTransitionDlg::CTransitionDlg(CWnd* parent) : CAdvancedDlg(kTemplateId, parent) {}

void CTransitionDlg::DoDataExchange(CDataExchange* dx) {
    CAdvancedDlg::DoDataExchange(dx);
    DDX_Control(dx, kUncheckAllId, m_uncheckAll);
    DDX_Control(dx, kCheckAllId, m_checkAll);
    DDX_Control(dx, kEffectListId, m_effects);
}

BOOL CTransitionDlg::OnInitDialog() {
    CAdvancedDlg::OnInitDialog();
    FillEffectList();
    // Normal, pressed, hover, disabled, focus.
    m_checkAll.SetBitmaps(292, 296, 297, 292, 292);
    m_uncheckAll.SetBitmaps(295, 293, 294, 295, 295);
    SetButtonTrioBitmaps();
    return TRUE;
}

void CTransitionDlg::FillEffectList() {
    for (const char* name : kEffectNames)
        m_effects.AddString(name);
    for (int i = 0; i < EnabledTransitions.GetSize(); ++i)
        m_effects.SetCheck(EnabledTransitions[i], 1);
}

// A selection made with the mouse toggles the item clicked on; one made with the keyboard
// (the pointer elsewhere) toggles nothing.
void CTransitionDlg::OnSelChange() {
    CPoint cursor;
    ::GetCursorPos(&cursor);
    const int index = m_effects.GetCurSel();
    CRect item;
    if (index < 0 || m_effects.GetItemRect(index, &item) == LB_ERR)
        return;
    m_effects.ClientToScreen(&item);
    const bool onItem = cursor.x >= item.left && cursor.x <= item.right && cursor.y >= item.top &&
                        cursor.y <= item.bottom;
    if (!onItem)
        return;
    // The list has toggled a box clicked in its check square already: once is enough.
    CPoint inList = cursor;
    m_effects.ScreenToClient(&inList);
    BOOL inCheck = FALSE;
    if (m_effects.CheckFromPoint(inList, inCheck) == index && inCheck)
        return;
    m_effects.SetCheck(index, m_effects.GetCheck(index) == 1 ? 0 : 1);
}

void CTransitionDlg::SetAllChecks(int check) {
    for (int i = 0; i < m_effects.GetCount(); ++i)
        m_effects.SetCheck(i, check);
}

void CTransitionDlg::OnCheckAll() {
    SetAllChecks(1);
}

void CTransitionDlg::OnUncheckAll() {
    SetAllChecks(0);
}

void CTransitionDlg::OnApply() {
    UpdateData(TRUE);
    EnabledTransitions.RemoveAll();
    for (int i = 0; i < kTransitionListSize; ++i) {
        if (m_effects.GetCheck(i) == 1)
            EnabledTransitions.Add(i);
    }
    RewriteThemeAndClose();
}
