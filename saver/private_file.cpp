#include "saver/private_file.h"

#include "saver/owner_mark.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>

namespace {

constexpr int kNameAttempts = 100;

struct PrivateNameParts {
    CString stem;      // "<folder>\<name>"
    CString extension; // what follows the name's last dot, with the dot; may be empty
};

PrivateNameParts SplitTarget(const CString& target) {
    const int slash = std::max(target.ReverseFind('\\'), target.ReverseFind('/'));
    const int dot = target.ReverseFind('.');
    const int split = dot > slash ? dot : target.GetLength();
    return {target.Left(split), target.Mid(split)};
}

// "<folder>\<name>~<n><extension>".
CString PrivateName(const PrivateNameParts& parts, unsigned number) {
    CString name;
    name.Format("%s~%u%s", parts.stem.GetString(), number, parts.extension.GetString());
    return name;
}

// Whether `name` (without folder) is "<name>~<digits><extension>" of the target's parts.
bool IsPrivateNameOf(const PrivateNameParts& parts, const CString& name) {
    const int slash = std::max(parts.stem.ReverseFind('\\'), parts.stem.ReverseFind('/'));
    const CString head = parts.stem.Mid(slash + 1) + "~";
    const int digits = name.GetLength() - head.GetLength() - parts.extension.GetLength();
    if (digits <= 0 || name.Left(head.GetLength()).CompareNoCase(head) != 0 ||
        name.Right(parts.extension.GetLength()).CompareNoCase(parts.extension) != 0)
        return false;
    for (int i = 0; i < digits; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[head.GetLength() + i])))
            return false;
    }
    return true;
}

// Private files of this target that writers which have ended left behind (a writer holds its
// file as its mark until it is moved into place).
void SweepEndedPrivateFiles(const PrivateNameParts& parts) {
    if (std::strpbrk(parts.stem.GetString(), "*?") ||
        std::strpbrk(parts.extension.GetString(), "*?"))
        return;
    SweepEndedMarks(parts.stem + "~*" + parts.extension, {},
                    [&parts](const CString& name) { return IsPrivateNameOf(parts, name); });
}

bool NameTaken(const CString& path, DWORD error) {
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
        return true;
    // A folder standing at a name refuses access to it; a folder that refuses us refuses
    // every name, so trying others is no use.
    return error == ERROR_ACCESS_DENIED && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

HANDLE CreatePrivateFile(const CString& target, CString& path) {
    static std::atomic<unsigned> counter{0};
    const PrivateNameParts parts = SplitTarget(target);
    SweepEndedPrivateFiles(parts);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path = PrivateName(parts, counter++);
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            HoldAsMark(file);
            return file;
        }
        const DWORD error = GetLastError();
        if (!NameTaken(path, error)) {
            SetLastError(error);
            break;
        }
    }
    return INVALID_HANDLE_VALUE;
}

BOOL ReplaceWithPrivateFile(const CString& path, const CString& target, bool durable) {
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
    if (MoveFileExA(path, target, flags))
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
