#include "installer/install_app.h"

#include "installer/ad_view.h"
#include "installer/install_session.h"
#include "installer/install_strings.h"
#include "installer/os_code.h"
#include "installer/package_archive.h"
#include "skin/core/glazework.h"

#include <cstdio>

std::int16_t g_installOsCode = kOsUnknown;
int g_installOnline = 0;

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

    CString title;
    title.LoadString(IDS_THEME_TITLE);
    InstallSessionOptions options;
    options.packagePath = PackageArchive().GetPackagePath();
    options.title = static_cast<LPCTSTR>(title);
    options.osCode = g_installOsCode;
    options.online = g_installOnline;
    options.unattended = WantsUnattended(m_lpCmdLine);
    InstallSessionResult result = RunInstallSession(options);
    CADView advert;
    if (result.prepared && !result.advertAddress.empty())
        advert.Navigate2(result.advertAddress);
    if (result.prepared && !options.unattended)
        std::printf("The install dialog is not available in this build yet; run with /install.\n");
    std::fflush(stdout);
    return FALSE;
}

int CInstallApp::ExitInstance() {
    GlazeworkShutdown();
    return CWinApp::ExitInstance();
}
