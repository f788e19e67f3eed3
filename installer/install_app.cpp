#include "installer/install_app.h"

#include "installer/install_dlg.h"
#include "installer/install_globals.h"
#include "installer/os_code.h"
#include "skin/core/glazework.h"

namespace {

// "/install" runs the install step without waiting for the user.
bool WantsUnattended(const char* commandLine) {
    CString line(commandLine ? commandLine : "");
    line.Trim();
    line.MakeLower();
    return line == "/install";
}

} // namespace

BOOL CInstallApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    GlazeworkStartup(m_hInstance, "QJV Saver Installer", 0, 0);
    GlazeworkLoadSkinResource(m_hInstance, "DEFAULT_SKIN", "GLAZE_WORK");
    GlazeworkSetDialogSkinName("Dialog");

    g_installOsCode = DetectWindowsVersion();
    DWORD flags = 0;
    g_installOnline = InternetGetConnectedState(&flags, 0) ? 1 : 0;

    CInstallDlg dialog;
    if (WantsUnattended(m_lpCmdLine))
        dialog.m_nMode = CInstallDlg::kUnattendedMode;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    if (dialog.StagingBlocked())
        m_exitCode = 1;
    if (m_pMainWnd == &dialog)
        m_pMainWnd = nullptr;
    return FALSE;
}

int CInstallApp::ExitInstance() {
    GlazeworkShutdown();
    const int base = CWinApp::ExitInstance();
    return m_exitCode != 0 ? m_exitCode : base;
}
