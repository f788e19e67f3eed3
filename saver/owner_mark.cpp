#include "saver/owner_mark.h"

#include "saver/path_parts.h"
#include "win32/file_locks.h"

#include <vector>

namespace {

// One byte is enough: nobody reads or writes a mark through its lock.
constexpr DWORD kLockedBytes = 1;

} // namespace

OwnerMark::~OwnerMark() {
    Release();
}

BOOL OwnerMark::Take(const CString& path, bool make) {
    Release();
    // A link at the name is no mark of ours: it is neither followed nor taken.
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              make ? OPEN_ALWAYS : OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    if (!HoldAsMark(file)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        SetLastError(error);
        return FALSE;
    }
    m_file = file;
    m_path = path;
    return TRUE;
}

void OwnerMark::Remove() {
    if (!Held())
        return;
    // Deleted while still held, so that nobody takes it for a leftover in between.
    DeleteFileA(m_path);
    Release();
}

void OwnerMark::Release() {
    if (Held())
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_path.Empty();
}

BOOL HoldAsMark(HANDLE file) {
    return LockFile(file, 0, 0, kLockedBytes, 0);
}

void SweepEndedMarks(const CString& pattern, const std::function<bool(const CString&)>& leftover,
                     const std::function<bool(const CString&)>& isMark) {
    const CString folder = FolderPart(pattern);
    // Names first: the sweep deletes entries, which the search should not have to step over.
    std::vector<CString> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            (!isMark || isMark(found.cFileName)))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);

    for (const CString& name : names) {
        const CString path = JoinPath(folder, name);
        OwnerMark mark;
        if (!mark.Take(path, false))
            continue; // its maker still runs, or it is gone already
        if (!leftover || leftover(path))
            mark.Remove();
    }
}
