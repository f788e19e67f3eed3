#include "settings/dialogs/settings_dlg.h"

#include "saver/dialog_brush.h"

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
ON_WM_CTLCOLOR()
ON_BN_CLICKED(CSettingsDlg::kOptionsTabId, OnOptionsTab)
ON_BN_CLICKED(CSettingsDlg::kAdvancedTabId, OnAdvancedTab)
ON_BN_CLICKED(CSettingsDlg::kAboutTabId, OnAboutTab)
END_MESSAGE_MAP()

CSettingsDlg::CSettingsDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

// The face round the pages is the one the pages show.
HBRUSH CSettingsDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    return SaverDialogColor(dc, ctlColor, CDialog::OnCtlColor(dc, wnd, ctlColor));
}

void CSettingsDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kOptionsTabId, m_optionsTab);
    DDX_Control(dx, kAdvancedTabId, m_advancedTab);
    DDX_Control(dx, kAboutTabId, m_aboutTab);
    DDX_Control(dx, IDCANCEL, m_cancel);
    DDX_Control(dx, IDOK, m_ok);
}

BOOL CSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_advancedPage.Create(CAdvancedPage::kTemplateId, this);
    m_aboutPage.Create(CAboutPage::kTemplateId, this);
    m_optionsPage.Create(COptionsPage::kTemplateId, this);

    // Normal, pressed, hover, disabled, focus: a tab with the focus looks pressed.
    m_optionsTab.SetBitmaps(165, 168, 168, 165, 168);
    m_advancedTab.SetBitmaps(140, 139, 139, 140, 139);
    m_aboutTab.SetBitmaps(167, 166, 166, 167, 166);
    m_ok.SetBitmaps(145, 144, 146, 145, 145);
    m_cancel.SetBitmaps(142, 141, 143, 142, 142);

    CRect area;
    GetDlgItem(kPageAreaId)->GetWindowRect(&area);
    ScreenToClient(&area);
    m_optionsPage.MoveWindow(&area, FALSE);
    m_advancedPage.MoveWindow(&area, FALSE);
    m_aboutPage.MoveWindow(&area, FALSE);

    SwitchToPage(kOptionsPage);
    return TRUE;
}

void CSettingsDlg::OnOK() {
    // A bad interval keeps the dialog open on the options page and stores nothing.
    if (!m_optionsPage.UpdateData(TRUE)) {
        SwitchToPage(kOptionsPage);
        m_optionsPage.FocusInterval();
        return;
    }
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kSettingsSection, "MUsicOff", m_optionsPage.Mute());
    app->WriteProfileInt(kSettingsSection, "Disable", m_optionsPage.DisableMouseExit());
    app->WriteProfileInt(kSettingsSection, "ImageOrder", m_optionsPage.Order());
    app->WriteProfileInt(kSettingsSection, "ImageTime", m_optionsPage.Interval());
    CDialog::OnOK();
}

void CSettingsDlg::CheckPageButton(int page) {
    CImageButton* const tabs[] = {&m_optionsTab, &m_advancedTab, &m_aboutTab};
    for (CImageButton* tab : tabs)
        tab->SendMessage(BM_SETCHECK, 0);
    if (page < kOptionsPage || page > kAboutPage)
        return;
    tabs[page]->SendMessage(BM_SETCHECK, 1);
    tabs[page]->SetFocus();
}

void CSettingsDlg::ShowCurrentPage() {
    CDialog* const pages[] = {&m_optionsPage, &m_advancedPage, &m_aboutPage};
    for (CDialog* page : pages)
        page->ShowWindow(SW_HIDE);
    if (m_nCurrentPage < kOptionsPage || m_nCurrentPage > kAboutPage)
        return;
    pages[m_nCurrentPage]->ShowWindow(SW_SHOW);
}

void CSettingsDlg::SwitchToPage(int page) {
    m_nCurrentPage = page;
    CheckPageButton(m_nCurrentPage);
    ShowCurrentPage();
}

void CSettingsDlg::OnOptionsTab() {
    SwitchToPage(kOptionsPage);
}

void CSettingsDlg::OnAdvancedTab() {
    SwitchToPage(kAdvancedPage);
}

void CSettingsDlg::OnAboutTab() {
    SwitchToPage(kAboutPage);
}
