// The screen saver's settings dialog: three pages switched by three tab buttons; OK stores the
// options page's values in the profile, Cancel stores nothing.
#pragma once

#include "mfc/mfc.h"
#include "settings/controls/image_button.h"
#include "settings/dialogs/about_page.h"
#include "settings/dialogs/advanced_page.h"
#include "settings/dialogs/options_page.h"

class CSettingsDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 155;
    enum : int {
        kAboutTabId = 1007,
        kOptionsTabId = 1013,
        kAdvancedTabId = 1014,
        kPageAreaId = 1015, // a hidden frame that gives the pages their rectangle
    };
    enum Page : int { kOptionsPage = 0, kAdvancedPage = 1, kAboutPage = 2 };
    // Where OK stores the options page's values, in the application's profile.
    static constexpr char kSettingsSection[] = "Settings";

    explicit CSettingsDlg(CWnd* parent = nullptr);
    ~CSettingsDlg() override = default;

    int CurrentPage() const { return m_nCurrentPage; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void CheckPageButton(int page);
    void ShowCurrentPage();
    void SwitchToPage(int page);

    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnOptionsTab();
    afx_msg void OnAdvancedTab();
    afx_msg void OnAboutTab();
    DECLARE_MESSAGE_MAP()

private:
    int m_nCurrentPage = kOptionsPage;
    CAboutPage m_aboutPage;
    COptionsPage m_optionsPage;
    CAdvancedPage m_advancedPage;
    CImageButton m_optionsTab;
    CImageButton m_advancedTab;
    CImageButton m_aboutTab;
    CImageButton m_cancel;
    CImageButton m_ok;
};
