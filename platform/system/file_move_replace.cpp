// Moving a file over another one, for writers that replace a file only once the new one is whole.
#include "system/atomic_file.h"
#include "system/host_errors.h"
#include "system/paths.h"
#include "system/read_only.h"
#include "win32/files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

BOOL MoveFileExA(LPCSTR existing_file, LPCSTR new_file, DWORD flags) {
    constexpr DWORD served = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if ((flags & ~served) != 0)
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0) {
        if (!MoveFileA(existing_file, new_file))
            return FALSE;
    } else {
        std::string source, target;
        if (!lv::resolve_or_fail(existing_file, source) || !lv::resolve_or_fail(new_file, target))
            return FALSE;
        struct stat info {};
        if (::lstat(source.c_str(), &info) != 0)
            return lv::fail_from_errno(source);
        if (S_ISDIR(info.st_mode))
            return lv::fail_with(ERROR_ACCESS_DENIED);
        struct stat target_info {};
        if (::lstat(target.c_str(), &target_info) == 0 &&
            (S_ISDIR(target_info.st_mode) || lv::refuses_removal(target_info)))
            return lv::fail_with(ERROR_ACCESS_DENIED);
        if (::rename(source.c_str(), target.c_str()) != 0) {
            if (errno == EXDEV)
                return lv::fail_with(ERROR_NOT_SAME_DEVICE);
            return lv::fail_from_errno(target);
        }
        lv::note_entry_removed(source);
        lv::note_entry_added(target);
    }
    if (flags & MOVEFILE_WRITE_THROUGH) {
        std::string target;
        if (lv::resolve_or_fail(new_file, target))
            lv::sync_folder_of(target);
    }
    return TRUE;
}
