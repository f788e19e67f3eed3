#include "settings/dialogs/advanced_dlg.h"

#include "saver/dialog_brush.h"
#include "settings/dialogs/save_progress_dlg.h"
#include "settings/dialogs/theme_edits.h"

BEGIN_MESSAGE_MAP(CAdvancedDlg, CDialog)
ON_WM_CTLCOLOR()
ON_BN_CLICKED(CAdvancedDlg::kOkId, OnDialogOk)
ON_BN_CLICKED(CAdvancedDlg::kCancelId, OnDialogCancel)
ON_BN_CLICKED(CAdvancedDlg::kApplyId, OnApplyClicked)
END_MESSAGE_MAP()

CAdvancedDlg::CAdvancedDlg(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

HBRUSH CAdvancedDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    return SaverDialogColor(dc, ctlColor, CDialog::OnCtlColor(dc, wnd, ctlColor));
}

void CAdvancedDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kCancelId, m_cancel);
    DDX_Control(dx, kOkId, m_ok);
    DDX_Control(dx, kApplyId, m_apply);
}

void CAdvancedDlg::SetButtonTrioBitmaps() {
    // Normal, pressed, hover, disabled, focus.
    m_ok.SetBitmaps(173, 172, 159, 173, 173);
    m_cancel.SetBitmaps(164, 163, 171, 164, 164);
    m_apply.SetBitmaps(161, 160, 162, 161, 161);
}

void CAdvancedDlg::OnDialogOk() {
    CDialog::OnOK();
}

void CAdvancedDlg::OnDialogCancel() {
    CDialog::OnCancel();
}

void CAdvancedDlg::OnApplyClicked() {
    const ThemeEdits before;
    m_rewritten = false;
    OnApply();
    if (!m_rewritten)
        before.Restore();
}

void CAdvancedDlg::RewriteThemeAndClose() {
    CSaveProgressDlg progress(this);
    if (progress.DoModal() != IDOK) {
        CDialog::OnCancel();
        return;
    }
    m_rewritten = true;
    PicturesNowInTheTheme();
    CDialog::OnOK();
}
