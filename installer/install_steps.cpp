#include "installer/install_steps.h"

#include "installer/install_strings.h"
#include "installer/os_code.h"
#include "installer/package_names.h"
#include "installer/reg_string.h"
#include "installer/staging_claim.h"
#include "mfc/mfc.h"
#include "saver/folder_utils.h"

namespace {

constexpr DWORD kPathBufferSize = 260;

// Codes thrown inside the install step; each ends it with "Install Failed".
enum InstallFailure : int {
    kUnsafeTitle = 200,
    kSaverCopyFailed = 201,
    kThemeCopyFailed = 202,
    kThemeRecopyFailed = 203,
    kSaverRecopyFailed = 204,
};

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

void CopyInstalledFiles(const std::string& stagingFolder, const std::string& title,
                        const std::string& installedSaver, const std::string& installedTheme,
                        int saverFailure, int themeFailure) {
    const std::string staged = stagingFolder + "\\" + title;
    if (!CopyFileA((staged + ".scr").c_str(), installedSaver.c_str(), FALSE))
        throw saverFailure;
    if (!CopyFileA((staged + ".dat").c_str(), installedTheme.c_str(), FALSE))
        throw themeFailure;
}

} // namespace

bool IsSafeInstallTitle(std::string_view title) {
    return IsSafePackageName(title) && title.find(':') == std::string_view::npos;
}

std::string ProgramFilesFolder() {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES, FALSE))
        return "NA";
    return path;
}

std::string StagingFolderFor(const std::string& programFiles, const std::string& title) {
    if (!IsSafeInstallTitle(title))
        return {};
    return programFiles + "\\" + title;
}

std::string SystemFolder() {
    char path[kPathBufferSize] = {};
    UINT length = GetSystemDirectoryA(path, kPathBufferSize);
    if (length == 0 || length >= kPathBufferSize)
        return {};
    return path;
}

void RegisterUninstall(const std::string& title, const std::string& installedSaver) {
    if (!IsSafeInstallTitle(title))
        return;
    const std::string key = kUninstallKeyPrefix + title;
    SetRegString(key.c_str(), "DisplayName", (title + " Screensaver").c_str(), HKEY_LOCAL_MACHINE);
    SetRegString(key.c_str(), "UninstallString", (installedSaver + " /u").c_str(),
                 HKEY_LOCAL_MACHINE);
}

void ActivateScreensaver(const std::string& installedSaver, std::int16_t osCode) {
    char shortPath[kPathBufferSize] = {};
    DWORD length = GetShortPathNameA(installedSaver.c_str(), shortPath, kPathBufferSize);
    if (length >= kPathBufferSize)
        shortPath[0] = '\0';
    SetRegString(kDesktopKey, kScreenSaverValue, shortPath, HKEY_CURRENT_USER);
    if (UsesSystemIni(osCode)) {
        char windows[kPathBufferSize] = {};
        UINT windowsLength = GetWindowsDirectoryA(windows, kPathBufferSize);
        if (windowsLength > 0 && windowsLength < kPathBufferSize)
            WritePrivateProfileStringA("boot", kScreenSaverValue, shortPath,
                                       (std::string(windows) + "\\SYSTEM.INI").c_str());
    }
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr,
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_UPDATEINIFILE);
}

InstallOutcome RunInstallStep(const std::string& stagingFolder, const std::string& title,
                              std::int16_t osCode) {
    const std::string systemFolder = SystemFolder();
    const std::string installedSaver = systemFolder + "\\" + title + ".scr";
    const std::string installedTheme = systemFolder + "\\" + title + ".dat";
    InstallOutcome outcome = InstallOutcome::Installed;
    try {
        if (!IsSafeInstallTitle(title) || systemFolder.empty() || stagingFolder.empty())
            throw static_cast<int>(kUnsafeTitle);
        if (_access(installedSaver.c_str(), 0) != 0) {
            CopyInstalledFiles(stagingFolder, title, installedSaver, installedTheme,
                               kSaverCopyFailed, kThemeCopyFailed);
        } else {
            CString question;
            question.Format(LoadText(IDS_ALREADY_INSTALLED), title.c_str());
            if (MessageBoxA(nullptr, question, LoadText(IDS_ERROR), MB_YESNO) == IDYES)
                CopyInstalledFiles(stagingFolder, title, installedSaver, installedTheme,
                                   kSaverRecopyFailed, kThemeRecopyFailed);
            else
                outcome = InstallOutcome::KeptExisting;
        }
        RegisterUninstall(title, installedSaver);
        ActivateScreensaver(installedSaver, osCode);
    } catch (int) {
        MessageBoxA(nullptr, "Install Failed", LoadText(IDS_INFORMATION), MB_ICONQUESTION | MB_OK);
        return InstallOutcome::Failed;
    }
    return outcome;
}

bool DeleteStagingFolder(const std::string& stagingFolder) {
    if (stagingFolder.empty() || DeleteFolderTree(stagingFolder.c_str()) != 1)
        return false;
    // Only once the folder is gone: a claim left beside a folder lets the next run take it over.
    ReleaseStagingClaim(stagingFolder);
    return true;
}
