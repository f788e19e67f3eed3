// The uninstaller's one dialog: asks, then removes the installed screen saver.
#pragma once

#include "mfc/mfc.h"

class CUninstallDlg : public CDialog {
public:
    enum { IDD = 102 };
    static constexpr int kUninstallButton = 1004;
    static constexpr int kCancelButton = 1003;

    explicit CUninstallDlg(CWnd* parent = nullptr);
    ~CUninstallDlg() override;

    CString m_strPath; // the installed screen saver, as the command line named it

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnUninstall();
    DECLARE_MESSAGE_MAP()

    HICON m_hIcon = nullptr;
};
