// The installer's main dialog "Install Manager": unpacks the payload behind the preparing
// dialog, shows the theme's welcome text (and its advert page when allowed), installs on
// Install and removes the staging folder when it closes.
#pragma once

#include "installer/ad_view.h"
#include "installer/color_label.h"
#include "installer/install_theme_header.h"
#include "mfc/mfc.h"
#include "settings/controls/image_button.h"
#include "settings/controls/rich_edit2_ctrl.h"

#include <memory>
#include <string>

class CInstallDlg : public CDialog {
public:
    enum { IDD = 102 };
    static constexpr int kCancelButton = 1001;
    static constexpr int kInstallButton = 1002;
    static constexpr int kWelcomeBox = 1003;
    static constexpr int kTitleLabel = 1009;
    static constexpr int kPicture = 1010;
    static constexpr int kWebSiteButton = 1011;
    static constexpr int kAdvertView = 0xE900;
    static constexpr UINT kProgramIcon = 128;
    // The mode that installs at once, without waiting for the user.
    static constexpr int kUnattendedMode = 2;

    // `packagePath` empty: the running program's own file.
    explicit CInstallDlg(CWnd* parent = nullptr, std::string packagePath = {});
    ~CInstallDlg() override;

    int m_nMode = 0;
    // Set: after installing, offer to open Display Properties.
    int m_nOffer = 0;

    // What the preparing step read of the staged theme (empty when it failed).
    const InstallThemeHeader& GetThemeHeader() const { return m_header; }
    // Null unless the advert page is shown.
    CADView* GetAdvertView() const { return m_pADView.get(); }
    CColorLabel& GetTitleLabel() { return m_lblTitle; }
    // The preparation was refused for what stood at the staging folder's name (and said so).
    bool StagingBlocked() const { return m_stagingBlocked; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    // Takes the staged theme's title, welcome text and advert from the preparing step, which
    // has read them already.
    BOOL ReadThemeHeader(const InstallThemeHeader& staged);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnDestroy();
    afx_msg void OnCancelButton();
    afx_msg void OnVisitWebSite();
    afx_msg void OnInstall();
    DECLARE_MESSAGE_MAP()

private:
    void ShowAdvertIfAllowed();
    void OfferDisplayProperties();

    std::unique_ptr<CADView> m_pADView;
    CString m_strTitle;
    std::string m_strStaging;
    bool m_stagingBlocked = false;
    CImageButton m_btnCancel;
    CImageButton m_btnInstall;
    CImageButton m_btnWebSite;
    CColorLabel m_lblTitle;
    CRichEdit2Ctrl m_edtWelcome;
    CString m_strWelcome;
    HICON m_hIcon = nullptr;
    InstallThemeHeader m_header;
    std::string m_packagePath;
};
