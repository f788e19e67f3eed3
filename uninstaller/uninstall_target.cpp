#include "uninstaller/uninstall_target.h"

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
    if (target.title.IsEmpty() || !is_existing_file(target.saverPath))
        return std::nullopt;
    target.themeDataPath = target.saverPath.Left(target.saverPath.GetLength() - 3) + "dat";
    return target;
}

BOOL RemoveInstalledSaver(const UninstallTarget& target) {
    BOOL success = TRUE;
    if (!DeleteFileA(target.saverPath))
        success = FALSE;
    if (!DeleteFileA(target.themeDataPath))
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
