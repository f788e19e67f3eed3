#include "uninstaller/uninstall_app.h"

#include "uninstaller/uninstall_dlg.h"

BEGIN_MESSAGE_MAP(CUninstallApp, CWinApp)
END_MESSAGE_MAP()

BOOL CUninstallApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    CString path(m_lpCmdLine ? m_lpCmdLine : "");
    path.MakeLower();
    CUninstallDlg dialog;
    m_pMainWnd = &dialog;
    dialog.m_strPath = path;
    dialog.DoModal();
    if (m_pMainWnd == &dialog)
        m_pMainWnd = nullptr;
    return FALSE;
}
