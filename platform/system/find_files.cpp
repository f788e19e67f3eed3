// FindFirstFile and _findfirst: a snapshot of the folder's matching entries, handed out in
// case-insensitive name order; a name without wildcards is looked up alone.
#include "system/file_times.h"
#include "system/handle_table.h"
#include "system/host_errors.h"
#include "system/paths.h"
#include "system/read_only.h"
#include "win32/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct FoundEntry {
    std::string name;
    bool directory = false;
    bool read_only = false;
    std::uint64_t size = 0;
    struct statx_timestamp created {};
    struct statx_timestamp accessed {};
    struct statx_timestamp written {};
};

class FindObject : public lv::KernelObject {
public:
    std::vector<FoundEntry> entries;
    std::size_t next = 0;
};

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool wildcard_match(const char* pattern, const char* name) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || (*pattern && fold(*pattern) == fold(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == 0;
}

// "*.*" means every name, and "name.*" also matches "name" without an extension.
bool name_matches(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*")
        return true;
    if (wildcard_match(pattern.c_str(), name.c_str()))
        return true;
    if (pattern.size() >= 2 && pattern.ends_with(".*") && name.find('.') == std::string::npos)
        return wildcard_match(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
    return false;
}

bool stat_entry(const std::string& host, FoundEntry& entry) {
    struct statx info {};
    if (::statx(AT_FDCWD, host.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
        return false;
    entry.directory = S_ISDIR(info.stx_mode);
    entry.read_only = lv::is_read_only(info.stx_mode);
    entry.size = entry.directory ? 0 : info.stx_size;
    entry.created = (info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_mtime;
    entry.accessed = info.stx_atime;
    entry.written = info.stx_mtime;
    return true;
}

// A pattern without wildcards names one entry, which is looked up rather than searched for.
bool is_plain_name(const std::string& pattern) {
    return pattern.find_first_of("*?") == std::string::npos && pattern != "." && pattern != "..";
}

// The one entry a plain name finds in the folder `host`, its spelling as stored.
DWORD probe(const std::string& host, const std::string& requested,
            std::vector<FoundEntry>& entries) {
    struct stat folder {};
    if (::stat(host.c_str(), &folder) != 0)
        return errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                   : lv::error_from_errno(errno, host);
    if (!S_ISDIR(folder.st_mode))
        return ERROR_PATH_NOT_FOUND;
    std::string path = lv::to_host_path(requested);
    FoundEntry entry;
    if (path.empty() || !stat_entry(path, entry))
        return ERROR_FILE_NOT_FOUND;
    entry.name = path.substr(path.find_last_of('/') + 1);
    entries.push_back(std::move(entry));
    return ERROR_SUCCESS;
}

// Fills `entries` or returns the platform's error for the search.
DWORD collect(const char* file_name, std::vector<FoundEntry>& entries) {
    if (!file_name || !*file_name)
        return ERROR_PATH_NOT_FOUND;
    std::string requested = file_name;
    auto sep = requested.find_last_of("\\/");
    std::string pattern = sep == std::string::npos ? requested : requested.substr(sep + 1);
    std::string folder = sep == std::string::npos ? std::string() : requested.substr(0, sep + 1);
    if (sep == std::string::npos && requested.size() >= 2 && requested[1] == ':') {
        folder = requested.substr(0, 2);
        pattern = requested.substr(2);
    }
    if (pattern.empty())
        return ERROR_FILE_NOT_FOUND;
    std::string host = lv::to_host_path(folder.empty() ? "." : folder);
    if (host.empty())
        return ERROR_INVALID_NAME;
    if (is_plain_name(pattern))
        return probe(host, folder + pattern, entries);
    DIR* dir = ::opendir(host.c_str());
    if (!dir)
        return errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                   : lv::error_from_errno(errno, host);
    std::string windows_folder = lv::to_windows_path(host);
    bool at_root = windows_folder.size() == 3;
    while (dirent* d = ::readdir(dir)) {
        std::string name = d->d_name;
        bool dots = name == "." || name == "..";
        if ((dots && at_root) || !name_matches(pattern, name))
            continue;
        FoundEntry entry;
        entry.name = name;
        if (stat_entry(host == "/" ? "/" + name : host + "/" + name, entry))
            entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const FoundEntry& a, const FoundEntry& b) {
        return lv::to_lower_ascii(a.name) < lv::to_lower_ascii(b.name);
    });
    return entries.empty() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

FILETIME filetime_of(const struct statx_timestamp& t) {
    return lv::to_filetime(lv::filetime_ticks(t.tv_sec, t.tv_nsec));
}

void fill(const FoundEntry& entry, WIN32_FIND_DATAA& data) {
    std::memset(&data, 0, sizeof data);
    data.dwFileAttributes = (entry.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE) |
                            (entry.read_only ? FILE_ATTRIBUTE_READONLY : 0);
    data.ftCreationTime = filetime_of(entry.created);
    data.ftLastAccessTime = filetime_of(entry.accessed);
    data.ftLastWriteTime = filetime_of(entry.written);
    data.nFileSizeHigh = static_cast<DWORD>(entry.size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(entry.size);
    std::strncpy(data.cFileName, entry.name.c_str(), MAX_PATH - 1);
}

void fill(const FoundEntry& entry, _finddata_t& data) {
    std::memset(&data, 0, sizeof data);
    data.attrib = (entry.directory ? _A_SUBDIR : _A_ARCH) | (entry.read_only ? _A_RDONLY : 0);
    data.time_create = static_cast<std::time_t>(entry.created.tv_sec);
    data.time_access = static_cast<std::time_t>(entry.accessed.tv_sec);
    data.time_write = static_cast<std::time_t>(entry.written.tv_sec);
    data.size = static_cast<_fsize_t>(entry.size);
    std::strncpy(data.name, entry.name.c_str(), MAX_PATH - 1);
}

template <class Data> bool next_entry(HANDLE handle, Data* data, DWORD& error) {
    auto find = lv::find_handle_of<FindObject>(handle);
    if (!find || !data) {
        error = find ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE;
        return false;
    }
    if (find->next >= find->entries.size()) {
        error = ERROR_NO_MORE_FILES;
        return false;
    }
    fill(find->entries[find->next++], *data);
    return true;
}

HANDLE start(const char* file_name, DWORD& error) {
    auto find = std::make_shared<FindObject>();
    error = collect(file_name, find->entries);
    if (error != ERROR_SUCCESS)
        return INVALID_HANDLE_VALUE;
    return lv::insert_handle(std::move(find));
}

} // namespace

HANDLE FindFirstFileA(LPCSTR file_name, LPWIN32_FIND_DATAA find_data) {
    if (!find_data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    DWORD error = 0;
    HANDLE handle = start(file_name, error);
    if (handle == INVALID_HANDLE_VALUE) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    next_entry(handle, find_data, error);
    return handle;
}

BOOL FindNextFileA(HANDLE find_file, LPWIN32_FIND_DATAA find_data) {
    DWORD error = 0;
    if (!next_entry(find_file, find_data, error))
        return lv::fail_with(error);
    return TRUE;
}

BOOL FindClose(HANDLE find_file) {
    if (!lv::find_handle_of<FindObject>(find_file))
        return lv::fail_with(ERROR_INVALID_HANDLE);
    lv::remove_handle(find_file);
    return TRUE;
}

std::intptr_t _findfirst(const char* file_spec, _finddata_t* file_info) {
    if (!file_info) {
        errno = EINVAL;
        return -1;
    }
    DWORD error = 0;
    HANDLE handle = start(file_spec, error);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT : EINVAL;
        return -1;
    }
    next_entry(handle, file_info, error);
    return static_cast<std::intptr_t>(reinterpret_cast<ULONG_PTR>(handle));
}

int _findnext(std::intptr_t handle, _finddata_t* file_info) {
    DWORD error = 0;
    if (next_entry(reinterpret_cast<HANDLE>(handle), file_info, error))
        return 0;
    errno = error == ERROR_NO_MORE_FILES ? ENOENT : EINVAL;
    return -1;
}

int _findclose(std::intptr_t handle) {
    if (!FindClose(reinterpret_cast<HANDLE>(handle))) {
        errno = EINVAL;
        return -1;
    }
    return 0;
}
