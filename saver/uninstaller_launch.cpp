#include "saver/uninstaller_launch.h"

#include "mfc/mfc.h"
#include "saver/private_file.h"

namespace {
constexpr WORD kUninstallerResourceId = 130;
constexpr char kUninstallerResourceType[] = "UNINSTALL";
constexpr char kUninstallerFileName[] = "uninst_saver.exe";
} // namespace

void RunUninstaller() {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    CString modulePath = module;
    int slash = modulePath.ReverseFind('\\');
    CString target = (slash < 0 ? CString() : modulePath.Left(slash)) + "\\" + kUninstallerFileName;

    // Nothing is reported here: the uninstaller takes over, or nothing happens.
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(kUninstallerResourceId), kUninstallerResourceType);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    DWORD size = found ? SizeofResource(nullptr, found) : 0;
    // The program is written under a private name and then moved over an old copy, so that a
    // link standing at its name is replaced, not written through (and started).
    if (bytes && size > 0 &&
        WriteWholeFile(target, std::span(static_cast<const std::uint8_t*>(bytes), size)))
        ShellExecuteA(nullptr, nullptr, target, modulePath, nullptr, SW_SHOW);
    ExitProcess(0);
}
