#include "uninstaller/uninstall_target.h"

#include <algorithm>

namespace {

constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kSaverExtension[] = ".scr";
constexpr int kExtensionLength = 4;

CString without_quotes(const CString& path) {
    const int length = path.GetLength();
    if (length >= 2 && path[0] == '"' && path[length - 1] == '"')
        return path.Mid(1, length - 2);
    return path;
}

bool is_existing_file(const CString& path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool is_absent(const CString& path) {
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

// The installer wrote "<system folder>\<title>.scr /u" into the entry named after the title.
bool was_installed_there(const UninstallTarget& target, const CString& folder) {
    char system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || folder.CompareNoCase(system) != 0)
        return false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, CString(kUninstallKey) + target.title, 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return false;
    char command[2 * MAX_PATH] = {};
    DWORD size = sizeof command - 1;
    DWORD type = 0;
    const LONG read = RegQueryValueExA(key, "UninstallString", nullptr, &type,
                                       reinterpret_cast<BYTE*>(command), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_SZ &&
           CString(command).CompareNoCase(target.saverPath + " /u") == 0;
}

// Deletes one file; a file that was not there is noted.
bool delete_file(const CString& path, std::vector<CString>* missing) {
    if (DeleteFileA(path))
        return true;
    const DWORD error = GetLastError();
    if (missing && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND))
        missing->push_back(path);
    return false;
}

} // namespace

std::optional<UninstallTarget> FindUninstallTarget(const CString& commandPath) {
    const CString given = without_quotes(commandPath);
    if (given.IsEmpty())
        return std::nullopt;
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(given, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return std::nullopt;
    UninstallTarget target;
    target.saverPath = CString(full);
    const int separator =
        std::max(target.saverPath.ReverseFind('\\'), target.saverPath.ReverseFind('/'));
    const CString name = target.saverPath.Mid(separator + 1);
    if (name.GetLength() <= kExtensionLength ||
        name.Right(kExtensionLength).CompareNoCase(kSaverExtension) != 0)
        return std::nullopt;
    target.title = name.Left(name.GetLength() - kExtensionLength);
    if (target.title.IsEmpty())
        return std::nullopt;
    const bool there = is_existing_file(target.saverPath);
    if (!there && !(is_absent(target.saverPath) &&
                    was_installed_there(target, target.saverPath.Left(std::max(separator, 0)))))
        return std::nullopt;
    target.themeDataPath = target.saverPath.Left(target.saverPath.GetLength() - 3) + "dat";
    return target;
}

BOOL RemoveInstalledSaver(const UninstallTarget& target, std::vector<CString>* missing) {
    BOOL success = TRUE;
    if (!delete_file(target.saverPath, missing))
        success = FALSE;
    if (!delete_file(target.themeDataPath, missing))
        success = FALSE;
    DeleteRegKeyTree(HKEY_LOCAL_MACHINE, CString(kUninstallKey) + target.title);
    return success;
}

LONG DeleteRegKeyTree(HKEY root, LPCTSTR subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        // Index 0 each time: the sub-key found before has gone.
        for (;;) {
            char name[MAX_PATH];
            DWORD size = MAX_PATH;
            if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            if (DeleteRegKeyTree(key, name) != ERROR_SUCCESS)
                break;
        }
        RegCloseKey(key);
    }
    return RegDeleteKeyA(root, subKey);
}
