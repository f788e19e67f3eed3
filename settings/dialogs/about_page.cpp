#include "settings/dialogs/about_page.h"

#include "saver/dialog_brush.h"
#include "saver/theme_globals.h"

BEGIN_MESSAGE_MAP(CAboutPage, CDialog)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CAboutPage::CAboutPage() : CDialog(kTemplateId) {}

HBRUSH CAboutPage::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    return SaverDialogColor(dc, ctlColor, CDialog::OnCtlColor(dc, wnd, ctlColor));
}

void CAboutPage::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, kVersionId, m_strVersion);
    DDX_Control(dx, kAboutTextId, m_aboutText);
}

BOOL CAboutPage::OnInitDialog() {
    // The label's template text ("Version ", in the user's language) is read before the base's
    // initialisation writes the still empty member over it.
    UpdateData(TRUE);
    CDialog::OnInitDialog();
    m_strVersion += kProgramVersion;
    m_aboutText.StreamInRtf(AboutText);
    UpdateData(FALSE);
    return TRUE;
}
