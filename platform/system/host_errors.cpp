#include "system/host_errors.h"

#include "system/paths.h"
#include "win32/errors.h"

#include <cerrno>
#include <sys/stat.h>

namespace lv {
namespace {

bool parent_folder_exists(const std::string& host_path) {
    auto slash = host_path.find_last_of('/');
    if (slash == std::string::npos)
        return true;
    std::string parent = slash == 0 ? std::string("/") : host_path.substr(0, slash);
    struct stat info {};
    return ::stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

DWORD error_from_errno(int error, const std::string& host_path) {
    switch (error) {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
        return parent_folder_exists(host_path) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case EBUSY:
    case ETXTBSY:
        return ERROR_SHARING_VIOLATION;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    default:
        return ERROR_INVALID_FUNCTION;
    }
}

BOOL fail_from_errno(const std::string& host_path) {
    SetLastError(error_from_errno(errno, host_path));
    return FALSE;
}

BOOL fail_with(DWORD error) {
    SetLastError(error);
    return FALSE;
}

bool resolve_or_fail(const char* windows_path, std::string& host_path) {
    if (!windows_path || !*windows_path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    host_path = to_host_path(windows_path);
    if (host_path.empty()) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return true;
}

} // namespace lv
