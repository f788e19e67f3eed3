#include "saver/work_folder.h"

#include "saver/folder_utils.h"
#include "saver/owner_mark.h"
#include "win32/process_id.h"

#include <cstring>

namespace {

constexpr char kMarkExtension[] = ".lock";

struct OwnWorkFolder {
    CString folder;
    OwnerMark mark;
};

OwnWorkFolder& Own() {
    static OwnWorkFolder own;
    return own;
}

CString MarkOf(const CString& folder) {
    return folder + kMarkExtension;
}

bool FolderStands(const CString& path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES;
}

} // namespace

CString MakeWorkFolderPath(const char* programFolder, const char* title) {
    CString folder;
    folder.Format("%s\\_qjv_%s_work_%lu", programFolder, title,
                  static_cast<unsigned long>(GetCurrentProcessId()));
    return folder;
}

void SweepEndedWorkFolders(const char* programFolder, const char* title) {
    // A title with a wildcard would match other names than its own.
    if (std::strpbrk(title, "*?"))
        return;
    CString pattern;
    pattern.Format("%s\\_qjv_%s_work_*%s", programFolder, title, kMarkExtension);
    SweepEndedMarks(pattern, [](const CString& mark) {
        const CString folder =
            mark.Left(mark.GetLength() - static_cast<int>(std::strlen(kMarkExtension)));
        // The mark stays while its folder does, so a failed delete is tried again next time.
        return !FolderStands(folder) || DeleteFolderTree(folder) == 1;
    });
}

BOOL MakeOwnWorkFolder(const CString& folder) {
    OwnWorkFolder& own = Own();
    RemoveWorkFolder(own.folder);
    // The mark first and the folder second, and the other way round at the end, so that a
    // folder of ours never stands without its mark.
    if (!own.mark.Take(MarkOf(folder), true))
        return FALSE;
    own.folder = folder;
    // The process id may be one that an ended process had: what it left at our name goes.
    if (FolderStands(folder))
        DeleteFolderTree(folder);
    if (!MakeFolder(folder)) {
        own.mark.Remove();
        own.folder.Empty();
        return FALSE;
    }
    return TRUE;
}

void RemoveWorkFolder(const CString& folder) {
    if (folder.IsEmpty())
        return;
    if (FolderStands(folder))
        DeleteFolderTree(folder);
    OwnWorkFolder& own = Own();
    if (!own.folder.IsEmpty() && own.folder.CompareNoCase(folder) == 0 && !FolderStands(folder)) {
        own.mark.Remove();
        own.folder.Empty();
    }
}
