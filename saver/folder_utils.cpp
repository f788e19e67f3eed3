#include "saver/folder_utils.h"

#include "win32/win32.h"

#include <cstring>
#include <string>

int MakeFolder(const char* path) {
    if (!path || !*path)
        return 0;
    return _mkdir(path) == 0 ? 1 : 0;
}

int DeleteFolderTree(const char* path) {
    if (!path || !*path)
        return 0;
    // The shell expands wildcards; a name that holds one names no folder of ours.
    if (std::strpbrk(path, "*?"))
        return 0;
    // The operation takes a list of paths ended by an empty one.
    std::string list(path);
    list.push_back('\0');
    list.push_back('\0');
    SHFILEOPSTRUCTA op{};
    op.hwnd = nullptr;
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.pTo = nullptr;
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;
    return SHFileOperationA(&op) == 0 ? 1 : 0;
}
