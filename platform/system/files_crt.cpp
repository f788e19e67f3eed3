// The C run-time's file calls and the old HFILE calls.
#include "system/file_object.h"
#include "system/paths.h"
#include "win32/files.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool host_path_or_errno(const char* path, std::string& host) {
    if (!path || !*path) {
        errno = ENOENT;
        return false;
    }
    host = lv::to_host_path(path);
    if (host.empty()) {
        errno = EINVAL;
        return false;
    }
    return true;
}

HANDLE as_handle(HFILE file) {
    return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(static_cast<unsigned>(file)));
}

HFILE as_hfile(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE)
        return HFILE_ERROR;
    return static_cast<HFILE>(reinterpret_cast<ULONG_PTR>(handle));
}

} // namespace

int _access(const char* path, int mode) {
    std::string host;
    if (!host_path_or_errno(path, host))
        return -1;
    int amode = F_OK;
    if (mode & 2)
        amode |= W_OK;
    if (mode & 4)
        amode |= R_OK;
    return ::access(host.c_str(), amode) == 0 ? 0 : -1;
}

int _mkdir(const char* path) {
    std::string host;
    if (!host_path_or_errno(path, host))
        return -1;
    return ::mkdir(host.c_str(), 0755) == 0 ? 0 : -1;
}

int _rmdir(const char* path) {
    std::string host;
    if (!host_path_or_errno(path, host))
        return -1;
    return ::rmdir(host.c_str()) == 0 ? 0 : -1;
}

HFILE _lcreat(LPCSTR path_name, int attribute) {
    return as_hfile(lv::open_file_handle(path_name, true, true, CREATE_ALWAYS));
}

HFILE _lopen(LPCSTR path_name, int read_write) {
    int access = read_write & 3;
    if (access > OF_READWRITE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    bool read = access == OF_READ || access == OF_READWRITE;
    bool write = access == OF_WRITE || access == OF_READWRITE;
    return as_hfile(lv::open_file_handle(path_name, read, write, OPEN_EXISTING));
}

long _hread(HFILE file, LPVOID buffer, long bytes) {
    if (bytes < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    DWORD done = 0;
    if (!ReadFile(as_handle(file), buffer, static_cast<DWORD>(bytes), &done, nullptr))
        return HFILE_ERROR;
    return static_cast<long>(done);
}

long _hwrite(HFILE file, LPCCH buffer, long bytes) {
    if (bytes < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    DWORD done = 0;
    if (!WriteFile(as_handle(file), buffer, static_cast<DWORD>(bytes), &done, nullptr))
        return HFILE_ERROR;
    return static_cast<long>(done);
}

UINT _lread(HFILE file, LPVOID buffer, UINT bytes) {
    DWORD done = 0;
    if (!ReadFile(as_handle(file), buffer, bytes, &done, nullptr))
        return static_cast<UINT>(HFILE_ERROR);
    return done;
}

UINT _lwrite(HFILE file, LPCCH buffer, UINT bytes) {
    DWORD done = 0;
    if (!WriteFile(as_handle(file), buffer, bytes, &done, nullptr))
        return static_cast<UINT>(HFILE_ERROR);
    return done;
}

LONG _llseek(HFILE file, LONG offset, int origin) {
    DWORD position = SetFilePointer(as_handle(file), offset, nullptr, static_cast<DWORD>(origin));
    if (position == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS)
        return HFILE_ERROR;
    return static_cast<LONG>(position);
}

HFILE _lclose(HFILE file) {
    return CloseHandle(as_handle(file)) ? 0 : HFILE_ERROR;
}

FILE* lv_fopen(const char* path, const char* mode) {
    std::string host;
    if (!mode || !host_path_or_errno(path, host))
        return nullptr;
    bool creates = std::strchr(mode, 'w') || std::strchr(mode, 'a');
    FILE* file = std::fopen(host.c_str(), mode);
    if (file && creates && lv::is_program_name(host))
        ::fchmod(::fileno(file), 0755);
    return file;
}
