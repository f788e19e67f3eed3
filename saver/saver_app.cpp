#include "saver/saver_app.h"

#include "saver/command_line.h"
#include "saver/dialog_brush.h"
#include "saver/mode_dispatch.h"
#include "saver/saver_messages.h"
#include "saver/theme_format.h"
#include "saver/theme_globals.h"
#include "saver/theme_loader.h"
#include "saver/uninstaller_launch.h"
#include "saver/work_folder.h"
#include "skin/core/glazework.h"

#include <cstring>

namespace {

constexpr char kRegistryKey[] = "Glimmerwright Savers";
constexpr char kSettingsSection[] = "Settings";

CString ModulePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

CString FolderOf(const CString& path) {
    int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

} // namespace

CString GetProgramFolder() {
    return FolderOf(ModulePath());
}

CSaverApp::CSaverApp() = default;

CSaverApp& SaverApp() {
    return *static_cast<CSaverApp*>(AfxGetApp());
}

int CSaverApp::IsOnline() {
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) ? 1 : 0;
}

void CSaverApp::ChangePassword(HWND parent) {
    using ChangePasswordProc = DWORD (*)(LPCSTR, HWND, DWORD, LPVOID);
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (!library)
        return;
    // Through void*: the procedure's real type is known only to the caller.
    auto change = reinterpret_cast<ChangePasswordProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "PwdChangePasswordA")));
    if (change)
        change("SCRSAVE", parent, 0, nullptr);
    FreeLibrary(library);
}

CString CSaverApp::GetShortPath(const char* path) {
    char buffer[MAX_PATH] = {};
    if (GetShortPathNameA(path, buffer, MAX_PATH) == 0)
        return CString();
    return buffer;
}

BOOL CSaverApp::CheckThemeFile(CString& path) {
    path = GetProgramFolder() + "\\" + LoadSaverString(IDS_THEME_TITLE) + ".dat";
    if (_access(path, 0) != 0) {
        ShowSaverError(IDS_THEME_MISSING);
        return FALSE;
    }
    char header[kThemeHeaderSize] = {};
    CFile file;
    if (file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) {
        file.Read(header, sizeof header);
        file.Close();
    }
    // The magic is compared as a NUL-terminated text inside its 16-byte field.
    if (strncmp(header, kThemeMagic, 16) != 0) {
        ShowSaverError(IDS_NOT_A_THEME);
        return FALSE;
    }
    return TRUE;
}

BOOL CSaverApp::LoadTheme(const CString& path) {
    ThemeFilePath = path;
    return LoadThemeFile(path, GetProgramFolder());
}

void CSaverApp::ApplyProfileOverrides() {
    struct Override {
        const char* entry;
        std::int32_t* value;
    };
    const Override overrides[] = {
        {"MUsicOff", &SaverSettings.musicOff},
        {"Disable", &SaverSettings.disableMouseMove},
        {"ImageOrder", &SaverSettings.imageOrder},
        {"ImageTime", &SaverSettings.imageTime},
    };
    for (const Override& o : overrides) {
        int stored = static_cast<int>(GetProfileInt(kSettingsSection, o.entry, -1));
        if (stored != -1)
            *o.value = stored;
    }
}

BOOL CSaverApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();
    SaverDialogBrush();
    m_online = IsOnline();

    m_loweredCommandLine = m_lpCmdLine ? m_lpCmdLine : "";
    m_loweredCommandLine.MakeLower();

    CString title = LoadSaverString(IDS_THEME_TITLE);
    free(const_cast<char*>(m_pszAppName));
    m_pszAppName = strdup(title);
    SetRegistryKey(kRegistryKey);

    GlazeworkStartup(m_hInstance, "Lumivista", 0, 0);
    GlazeworkLoadSkinResource(m_hInstance, "DEFAULT_SKIN", "GLAZE_WORK");
    GlazeworkSetDialogSkinName("Dialog");

    SaverCommand command = ParseSaverCommandLine(static_cast<LPCTSTR>(m_loweredCommandLine));
    m_mode = command.mode;
    m_parent = reinterpret_cast<HWND>(command.parent);

    if (m_mode == 'u' || m_mode == 'U')
        RunUninstaller();

    CString path;
    if (!CheckThemeFile(path))
        return FALSE;
    if (!LoadTheme(path))
        return FALSE;
    if (m_online && Theme.adFlag != 0)
        FetchAdImage();
    ApplyProfileOverrides();
    return RunSaverMode(*this);
}

int CSaverApp::ExitInstance() {
    GlazeworkShutdown();
    DeleteSaverDialogBrush();
    RemoveWorkFolder(WorkFolder);
    return CWinApp::ExitInstance();
}
