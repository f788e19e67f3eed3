// SHFileOperation: delete and copy of files and folder trees, without any window.
#include "system/host_errors.h"
#include "system/paths.h"
#include "win32/files.h"

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> double_nul_list(LPCSTR list) {
    std::vector<std::string> items;
    if (!list)
        return items;
    for (const char* p = list; *p; p += std::char_traits<char>::length(p) + 1)
        items.emplace_back(p);
    return items;
}

bool has_wildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

// The host paths an item names: itself, or the matches of a wildcard in its last component.
int expand(const std::string& item, std::vector<std::string>& hosts) {
    auto sep = item.find_last_of("\\/");
    std::string last = sep == std::string::npos ? item : item.substr(sep + 1);
    if (!has_wildcard(last)) {
        std::string host = lv::to_host_path(item);
        if (host.empty())
            return ERROR_INVALID_NAME;
        struct stat info {};
        if (::lstat(host.c_str(), &info) != 0)
            return ERROR_FILE_NOT_FOUND;
        hosts.push_back(host);
        return 0;
    }
    std::string folder = sep == std::string::npos ? std::string(".") : item.substr(0, sep + 1);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(item.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0; // a pattern that matches nothing deletes nothing
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        hosts.push_back(lv::to_host_path(folder + (folder.ends_with('\\') ? "" : "\\") + name));
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return 0;
}

bool is_drive_root(const std::string& host) {
    return host == "/" || lv::to_windows_path(host).size() <= 3;
}

int delete_items(const std::vector<std::string>& items) {
    std::vector<std::string> hosts;
    for (const auto& item : items) {
        if (int error = expand(item, hosts))
            return error;
    }
    for (const auto& host : hosts) {
        if (is_drive_root(host))
            return ERROR_ACCESS_DENIED; // a whole drive is never deleted
    }
    for (const auto& host : hosts) {
        std::error_code ec;
        fs::remove_all(host, ec); // symbolic links are removed, never followed
        if (ec)
            return static_cast<int>(lv::error_from_errno(ec.value(), host));
    }
    return 0;
}

int copy_items(const std::vector<std::string>& items, LPCSTR to, FILEOP_FLAGS flags) {
    std::vector<std::string> targets = double_nul_list(to);
    if (targets.empty())
        return ERROR_INVALID_PARAMETER;
    std::vector<std::string> hosts;
    for (const auto& item : items) {
        if (int error = expand(item, hosts))
            return error;
    }
    bool multiple = (flags & FOF_MULTIDESTFILES) && targets.size() == hosts.size();
    std::string target_host = lv::to_host_path(targets[0]);
    if (target_host.empty())
        return ERROR_INVALID_NAME;
    std::error_code ec;
    bool into_folder = !multiple && (hosts.size() > 1 || fs::is_directory(target_host, ec));
    if (into_folder && !fs::exists(target_host, ec))
        fs::create_directories(target_host, ec);
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        fs::path source = hosts[i];
        fs::path target = multiple      ? fs::path(lv::to_host_path(targets[i]))
                          : into_folder ? fs::path(target_host) / source.filename()
                                        : fs::path(target_host);
        fs::copy(source, target,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing |
                     fs::copy_options::copy_symlinks,
                 ec);
        if (ec)
            return static_cast<int>(lv::error_from_errno(ec.value(), target.string()));
    }
    return 0;
}

} // namespace

int SHFileOperationA(LPSHFILEOPSTRUCTA operation) {
    if (!operation)
        return ERROR_INVALID_PARAMETER;
    operation->fAnyOperationsAborted = FALSE;
    std::vector<std::string> items = double_nul_list(operation->pFrom);
    if (items.empty())
        return ERROR_INVALID_PARAMETER;
    switch (operation->wFunc) {
    case FO_DELETE:
        return delete_items(items);
    case FO_COPY:
        return copy_items(items, operation->pTo, operation->fFlags);
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}
