#include "saver/private_file.h"

#include <algorithm>
#include <atomic>

namespace {

constexpr int kNameAttempts = 100;

// "<folder>\<name>~<n><extension>", the extension being what follows the name's last dot.
CString PrivateName(const CString& target, unsigned number) {
    const int slash = std::max(target.ReverseFind('\\'), target.ReverseFind('/'));
    const int dot = target.ReverseFind('.');
    const int split = dot > slash ? dot : target.GetLength();
    CString name;
    name.Format("%s~%u%s", target.Left(split).GetString(), number, target.Mid(split).GetString());
    return name;
}

bool NameTaken(DWORD error) {
    // A folder standing at a name refuses access to it.
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
           error == ERROR_ACCESS_DENIED;
}

} // namespace

HANDLE CreatePrivateFile(const CString& target, CString& path) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path = PrivateName(target, counter++);
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        if (!NameTaken(GetLastError()))
            break;
    }
    return INVALID_HANDLE_VALUE;
}

BOOL ReplaceWithPrivateFile(const CString& path, const CString& target) {
    if (MoveFileExA(path, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    const DWORD error = GetLastError();
    DeleteFileA(path);
    SetLastError(error);
    return FALSE;
}

BOOL WriteWholeFile(const CString& target, std::span<const std::uint8_t> bytes) {
    CString path;
    HANDLE file = CreatePrivateFile(target, path);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    const bool whole =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    if (!CloseHandle(file) || !whole) {
        const DWORD error = GetLastError();
        DeleteFileA(path);
        SetLastError(error);
        return FALSE;
    }
    return ReplaceWithPrivateFile(path, target);
}
