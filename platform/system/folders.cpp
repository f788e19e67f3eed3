// The program's own path, the standard folders and path-name conversions.
#include "system/host_errors.h"
#include "system/modules.h"
#include "system/paths.h"
#include "win32/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// The usual contract: the text and its length when it fits, else the size needed with its NUL.
DWORD copy_out(const std::string& value, LPSTR buffer, DWORD size) {
    if (!buffer || size <= value.size())
        return static_cast<DWORD>(value.size() + 1);
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return static_cast<DWORD>(value.size());
}

std::string windows_folder() {
    return "C:\\WINDOWS";
}

std::string special_folder(int csidl) {
    switch (csidl) {
    case CSIDL_PROGRAM_FILES:
        return "C:\\Program Files";
    case CSIDL_WINDOWS:
        return windows_folder();
    case CSIDL_SYSTEM:
        return windows_folder() + "\\system32";
    case CSIDL_TEMPLATES:
        return windows_folder() + "\\ShellNew";
    case CSIDL_FONTS:
        return windows_folder() + "\\Fonts";
    case CSIDL_APPDATA:
        return windows_folder() + "\\Application Data";
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY:
        return windows_folder() + "\\Desktop";
    case CSIDL_PROGRAMS:
        return windows_folder() + "\\Start Menu\\Programs";
    case CSIDL_PERSONAL:
        return "C:\\My Documents";
    default:
        return {};
    }
}

} // namespace

DWORD GetModuleFileNameA(HMODULE module, LPSTR file_name, DWORD size) {
    if (module && module != lv::program_instance()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    char target[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", target, sizeof target - 1);
    if (n <= 0) {
        lv::fail_from_errno();
        return 0;
    }
    target[n] = 0;
    std::string path = lv::to_windows_path(target);
    if (!file_name || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= size) {
        std::memcpy(file_name, path.data(), size - 1);
        file_name[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(file_name, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

DWORD GetShortPathNameA(LPCSTR long_path, LPSTR short_path, DWORD size) {
    std::string host;
    if (!lv::resolve_or_fail(long_path, host))
        return 0;
    if (::access(host.c_str(), F_OK) != 0) {
        lv::fail_from_errno(host);
        return 0;
    }
    return copy_out(long_path, short_path, size);
}

DWORD GetFullPathNameA(LPCSTR file_name, DWORD size, LPSTR buffer, LPSTR* file_part) {
    if (file_part)
        *file_part = nullptr;
    if (!file_name || !*file_name) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    std::string full = lv::full_windows_path(file_name);
    if (full.empty()) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    // A name that ends in a separator names a folder and has no file part.
    char last = file_name[std::strlen(file_name) - 1];
    bool names_folder = last == '\\' || last == '/';
    if (names_folder && full.size() > 3)
        full += '\\';
    DWORD result = copy_out(full, buffer, size);
    if (result < size && file_part && !names_folder && full.size() > 3)
        *file_part = buffer + full.find_last_of('\\') + 1;
    return result;
}

DWORD GetTempPathA(DWORD size, LPSTR buffer) {
    lv::drive_c_folder(); // makes sure the folder exists
    return copy_out(windows_folder() + "\\Temp\\", buffer, size);
}

UINT GetTempFileNameA(LPCSTR path_name, LPCSTR prefix, UINT unique, LPSTR temp_file_name) {
    std::string folder_host;
    if (!temp_file_name)
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    if (!lv::resolve_or_fail(path_name, folder_host))
        return 0;
    struct stat info {};
    if (::stat(folder_host.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return lv::fail_with(ERROR_DIRECTORY);
    std::string folder = path_name;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    std::string pre = prefix ? std::string(prefix).substr(0, 3) : std::string();
    auto name_for = [&](UINT number) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%X", number & 0xFFFF);
        return folder + pre + hex + ".TMP";
    };
    if (unique != 0) {
        std::string name = name_for(unique);
        if (name.size() >= MAX_PATH)
            return lv::fail_with(ERROR_BUFFER_OVERFLOW);
        std::memcpy(temp_file_name, name.c_str(), name.size() + 1);
        return unique & 0xFFFF;
    }
    static std::atomic<UINT> counter{static_cast<UINT>(::getpid())};
    for (int attempt = 0; attempt < 0x10000; ++attempt) {
        UINT number = (counter++ & 0xFFFF);
        if (number == 0)
            continue;
        std::string name = name_for(number);
        if (name.size() >= MAX_PATH)
            return lv::fail_with(ERROR_BUFFER_OVERFLOW);
        std::string host = lv::to_host_path(name);
        int fd = ::open(host.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return lv::fail_from_errno(host);
        ::close(fd);
        std::memcpy(temp_file_name, name.c_str(), name.size() + 1);
        return number;
    }
    return lv::fail_with(ERROR_FILE_EXISTS);
}

UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
    lv::drive_c_folder();
    return copy_out(windows_folder() + "\\system32", buffer, size);
}

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    lv::drive_c_folder();
    return copy_out(windows_folder(), buffer, size);
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    std::error_code ec;
    auto cwd = std::filesystem::current_path(ec);
    if (ec) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    return copy_out(lv::to_windows_path(cwd.string()), buffer, size);
}

BOOL SetCurrentDirectoryA(LPCSTR path_name) {
    std::string host;
    if (!lv::resolve_or_fail(path_name, host))
        return FALSE;
    if (::chdir(host.c_str()) != 0)
        return lv::fail_from_errno(host);
    return TRUE;
}

BOOL SHGetSpecialFolderPathA(HWND owner, LPSTR path, int csidl, BOOL create) {
    if (!path)
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    bool make = create || (csidl & CSIDL_FLAG_CREATE);
    std::string folder = special_folder(csidl & ~CSIDL_FLAG_CREATE);
    if (folder.empty())
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    std::string host = lv::to_host_path(folder);
    std::error_code ec;
    if (make)
        std::filesystem::create_directories(host, ec);
    if (!std::filesystem::is_directory(host, ec))
        return lv::fail_with(ERROR_PATH_NOT_FOUND);
    std::memcpy(path, folder.c_str(), folder.size() + 1);
    return TRUE;
}
