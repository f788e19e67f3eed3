#include "saver/uninstaller_launch.h"

#include "mfc/mfc.h"

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
    if (bytes && size > 0) {
        HFILE file = _lcreat(target, 0);
        if (file != HFILE_ERROR) {
            long written = _hwrite(file, static_cast<LPCCH>(bytes), static_cast<long>(size));
            _lclose(file);
            if (written == static_cast<long>(size))
                ShellExecuteA(nullptr, nullptr, target, modulePath, nullptr, SW_SHOW);
        }
    }
    ExitProcess(0);
}
