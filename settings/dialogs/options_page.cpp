#include "settings/dialogs/options_page.h"

#include "saver/dialog_brush.h"
#include "saver/theme_globals.h"

BEGIN_MESSAGE_MAP(COptionsPage, CDialog)
ON_WM_CTLCOLOR()
ON_CONTROL_RANGE(BN_CLICKED, COptionsPage::kMuteId, COptionsPage::kIntervalId, OnChange)
END_MESSAGE_MAP()

COptionsPage::COptionsPage() : CDialog(kTemplateId) {}

void COptionsPage::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Check(dx, kMuteId, m_nMute);
    DDX_Check(dx, kDisableMouseExitId, m_nDisableMouseExit);
    DDX_Radio(dx, kSequentialId, m_nOrder);
    DDX_Text(dx, kIntervalId, m_nInterval);
    DDV_MinMaxInt(dx, m_nInterval, kMinInterval, kMaxInterval);
}

BOOL COptionsPage::OnInitDialog() {
    CDialog::OnInitDialog();
    LoadSettings();
    return TRUE;
}

void COptionsPage::LoadSettings() {
    if (SaverSettings.musicOff != 0)
        m_nMute = SaverSettings.musicOff;
    if (SaverSettings.disableMouseMove != 0)
        m_nDisableMouseExit = SaverSettings.disableMouseMove;
    m_nOrder = SaverSettings.imageOrder;
    m_nInterval = SaverSettings.imageTime;
    SendDlgItemMessage(kIntervalSpinId, UDM_SETRANGE, 0, MAKELONG(kMaxInterval, kMinInterval));
    UpdateData(FALSE);
}

void COptionsPage::FocusInterval() {
    CWnd* interval = GetDlgItem(kIntervalId);
    if (interval == nullptr)
        return;
    interval->SetFocus();
    interval->SendMessage(EM_SETSEL, 0, -1);
}

// Its labels and check boxes sit on the shared brush, and so does the page itself.
HBRUSH COptionsPage::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    return SaverDialogColor(dc, ctlColor, CDialog::OnCtlColor(dc, wnd, ctlColor));
}

// Only the two check boxes send it: the page reads its controls back at once.
void COptionsPage::OnChange(UINT) {
    UpdateData(TRUE);
}
