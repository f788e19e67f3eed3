#include "dialog/file_dialog_folder.h"

#include "system/paths.h"
#include "win32/files.h"

#include <algorithm>
#include <unordered_set>

namespace lv::dialog {
namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

bool hidden_on_host(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

// Every entry of the folder that matches the pattern, through the layer's own search.
template <class Visit>
void each_match(const std::string& folder, const std::string& pattern, Visit visit) {
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA(join_path(folder, pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == ".." || hidden_on_host(name))
            continue;
        visit(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

bool name_before(const FolderEntry& a, const FolderEntry& b) {
    return to_lower_ascii(a.name) < to_lower_ascii(b.name);
}

} // namespace

std::vector<FileFilter> parse_filters(LPCSTR filter) {
    std::vector<FileFilter> filters;
    if (!filter)
        return filters;
    for (LPCSTR at = filter; *at;) {
        const std::string name = at;
        at += name.size() + 1;
        if (!*at)
            break;
        const std::string patterns = at;
        at += patterns.size() + 1;
        filters.push_back({name, split_patterns(patterns)});
    }
    return filters;
}

std::vector<std::string> split_patterns(const std::string& text) {
    std::vector<std::string> patterns;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find(';', start), text.size());
        const std::string pattern = trimmed(text.substr(start, end - start));
        if (!pattern.empty())
            patterns.push_back(pattern);
        start = end + 1;
    }
    return patterns;
}

bool has_wildcards(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

std::vector<FolderEntry> list_folder(const std::string& folder,
                                     const std::vector<std::string>& patterns) {
    std::vector<FolderEntry> folders, files;
    each_match(folder, "*", [&](const std::string& name, bool is_dir) {
        if (is_dir)
            folders.push_back({name, true});
    });
    const std::vector<std::string> every{"*"};
    std::unordered_set<std::string> listed; // a file that two patterns match is listed once
    for (const auto& pattern : patterns.empty() ? every : patterns) {
        each_match(folder, pattern, [&](const std::string& name, bool is_dir) {
            if (!is_dir && listed.insert(name).second)
                files.push_back({name, false});
        });
    }
    std::sort(folders.begin(), folders.end(), name_before);
    std::sort(files.begin(), files.end(), name_before);
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

std::vector<std::string> drive_roots() {
    std::vector<std::string> roots;
    // The paths of the layer decide which drives there are.
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (!to_host_path(root).empty())
            roots.push_back(root);
    }
    return roots;
}

std::vector<std::string> folder_chain(const std::string& folder) {
    std::vector<std::string> chain;
    for (std::string at = full_windows_path(folder); !at.empty(); at = parent_folder(at)) {
        chain.insert(chain.begin(), at);
        if (at.size() <= 3)
            break;
    }
    return chain;
}

std::string parent_folder(const std::string& folder) {
    const std::string full = full_windows_path(folder);
    if (full.size() <= 3)
        return full;
    const auto sep = full.find_last_of('\\');
    return sep <= 2 ? full.substr(0, 3) : full.substr(0, sep);
}

std::string folder_of(const std::string& path) {
    const auto sep = path.find_last_of("\\/");
    return sep == std::string::npos ? std::string() : path.substr(0, sep);
}

std::string name_of(const std::string& path) {
    const auto sep = path.find_last_of("\\/");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string containing_folder(const std::string& path) {
    std::string folder = folder_of(path);
    // "C:" alone would be the drive's current folder.
    if (!folder.empty() && folder.back() == ':')
        folder += '\\';
    return folder;
}

std::string join_path(const std::string& folder, const std::string& name) {
    if (folder.empty() || is_separator(folder.back()))
        return folder + name;
    return folder + "\\" + name;
}

std::string resolve_typed(const std::string& folder, const std::string& typed) {
    if (typed.empty())
        return full_windows_path(folder);
    const bool has_drive = typed.size() >= 2 && typed[1] == ':';
    if (has_drive || typed[0] == '/')
        return full_windows_path(typed);
    if (typed[0] == '\\')
        return full_windows_path(full_windows_path(folder).substr(0, 2) + typed);
    return full_windows_path(join_path(folder, typed));
}

bool is_folder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace lv::dialog
