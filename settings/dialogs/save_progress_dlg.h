// "Please Wait...": rewrites the theme data file from the theme globals while it shows the
// progress, then ends itself (IDOK when the new file is in place).
#pragma once

#include "mfc/mfc.h"
#include "settings/controls/percent_progress_ctrl.h"

class CSaveProgressDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 158;
    static constexpr UINT kProgressId = 1005;
    static constexpr UINT kRewriteMessage = WM_USER + 1015;
    static constexpr COLORREF kBarColour = 0x68B4FF;

    explicit CSaveProgressDlg(CWnd* parent = nullptr);
    ~CSaveProgressDlg() override = default;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg LRESULT OnRewriteThemeFile(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CPercentProgressCtrl m_progress;
};
