// The small dialog shown while the payload is unpacked into the staging folder; it ends by
// itself with IDOK when the staged theme is ready, else with IDCANCEL.
#pragma once

#include "installer/install_theme_header.h"
#include "installer/prepare_staging.h"
#include "mfc/mfc.h"
#include "settings/controls/percent_progress_ctrl.h"

#include <string>

inline constexpr UINT WM_PREPARE_START = 0x7ED;

// The background of the installer's dialogs.
inline constexpr COLORREF kInstallDialogBackground = 0xFAFAFA;
HBRUSH InstallDialogBrush();

class CPrepareDlg : public CDialog {
public:
    enum { IDD = 130 };
    static constexpr int kProgressBar = 1005;
    static constexpr int kResultText = 1006;
    static constexpr int kWaitText = 1007;

    // `packagePath` empty: the running program's own file.
    CPrepareDlg(std::string packagePath, std::string title, CWnd* parent = nullptr);

    // The header of the staged theme, once the dialog ended with IDOK.
    InstallThemeHeader m_header;
    // The preparation made the staging folder (whether it then succeeded or not).
    bool m_stagingMade = false;
    // How the preparation ended.
    PrepareResult m_result = PrepareResult::Failed;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg LRESULT OnStartPrepare(WPARAM, LPARAM);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    DECLARE_MESSAGE_MAP()

private:
    void Prepare();

    CPercentProgressCtrl m_progress;
    std::string m_packagePath;
    std::string m_title;
};
