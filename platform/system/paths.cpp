#include "system/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

namespace lv {
namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string> split_components(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (!is_separator(c)) {
            current += c;
            continue;
        }
        if (!current.empty())
            parts.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty())
        parts.push_back(std::move(current));
    return parts;
}

// "." and ".." are resolved lexically, as Windows does; ".." never climbs above the root.
std::vector<std::string> normalize(const std::vector<std::string>& parts) {
    std::vector<std::string> out;
    for (const auto& part : parts) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!out.empty())
                out.pop_back();
            continue;
        }
        out.push_back(part);
    }
    return out;
}

std::string current_host_directory() {
    std::error_code ec;
    auto cwd = std::filesystem::current_path(ec);
    return ec ? std::string("/") : cwd.string();
}

std::string absolute_host_path(std::string_view host_path) {
    std::string path(host_path);
    if (path.empty() || path[0] != '/')
        path = current_host_directory() + "/" + path;
    std::string out = "/";
    for (const auto& part : normalize(split_components(path))) {
        if (out.size() > 1)
            out += '/';
        out += part;
    }
    return out;
}

// The directory entry of `folder` whose name equals `name` without regard to case.
bool find_entry_ignoring_case(const std::string& folder, const std::string& name,
                              std::string& found) {
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir)
        return false;
    bool matched = false;
    while (dirent* entry = ::readdir(dir)) {
        if (equal_ignoring_case(entry->d_name, name)) {
            found = entry->d_name;
            matched = true;
            break;
        }
    }
    ::closedir(dir);
    return matched;
}

bool has_invalid_name_character(const std::string& part) {
    for (unsigned char c : part) {
        if (c < 0x20 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
            c == '|')
            return true;
    }
    return false;
}

} // namespace

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string to_lower_ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = lower(c);
    return out;
}

bool is_program_name(std::string_view path) {
    if (path.size() < 4)
        return false;
    auto tail = path.substr(path.size() - 4);
    return equal_ignoring_case(tail, ".exe") || equal_ignoring_case(tail, ".scr");
}

std::string layer_root() {
    std::string root;
    if (const char* env = std::getenv("LUMIVISTA_ROOT"); env && *env)
        root = env;
    else if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        root = std::string(xdg) + "/lumivista";
    else if (const char* home = std::getenv("HOME"); home && *home)
        root = std::string(home) + "/.local/share/lumivista";
    else
        root = "/tmp/lumivista";
    return absolute_host_path(root);
}

std::string drive_c_folder() {
    static std::mutex mutex;
    static std::string prepared_for;
    std::string folder = layer_root() + "/drive_c";
    std::lock_guard lock(mutex);
    if (prepared_for != folder || ::access(folder.c_str(), F_OK) != 0) {
        std::error_code ec;
        for (const char* sub :
             {"WINDOWS/system32", "WINDOWS/Temp", "WINDOWS/ShellNew", "Program Files"})
            std::filesystem::create_directories(folder + "/" + sub, ec);
        prepared_for = folder;
    }
    return folder;
}

std::string full_windows_path(std::string_view windows_path) {
    if (windows_path.empty())
        return {};
    std::string path(windows_path);
    if (path[0] == '/')
        path = "Z:" + path;
    if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1]))
        return {}; // network names have no counterpart
    char drive = 0;
    std::string rest;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        rest = path.substr(2);
    } else {
        std::string cwd = to_windows_path(current_host_directory());
        drive = cwd[0];
        rest = is_separator(path[0]) ? path : cwd.substr(2) + "\\" + path;
    }
    std::string out = std::string(1, drive) + ":\\";
    bool first = true;
    for (const auto& part : normalize(split_components(rest))) {
        if (!first)
            out += '\\';
        out += part;
        first = false;
    }
    return out;
}

std::string to_host_path(std::string_view windows_path) {
    std::string full = full_windows_path(windows_path);
    if (full.empty())
        return {};
    std::string host;
    if (full[0] == 'C')
        host = drive_c_folder();
    else if (full[0] != 'Z')
        return {};
    bool exists = true;
    for (const auto& part : split_components(full.substr(3))) {
        if (has_invalid_name_character(part))
            return {};
        std::string candidate = host + "/" + part;
        struct stat info {};
        if (exists && ::lstat(candidate.c_str(), &info) != 0) {
            std::string found;
            if (find_entry_ignoring_case(host, part, found))
                candidate = host + "/" + found;
            else
                exists = false;
        }
        host = std::move(candidate);
    }
    return host.empty() ? std::string("/") : host;
}

std::string to_windows_path(std::string_view host_path) {
    std::string absolute = absolute_host_path(host_path);
    std::string drive_c = absolute_host_path(drive_c_folder());
    // The running program's path comes with symbolic links resolved: the root may be behind one.
    std::error_code ec;
    std::string resolved_drive_c = std::filesystem::weakly_canonical(drive_c, ec).string();
    std::string rest = absolute;
    char drive = 'Z';
    for (const std::string& folder : {drive_c, resolved_drive_c}) {
        if (!folder.empty() && (absolute == folder || absolute.starts_with(folder + "/"))) {
            drive = 'C';
            rest = absolute.substr(folder.size());
            break;
        }
    }
    std::string out = std::string(1, drive) + ":\\";
    bool first = true;
    for (const auto& part : split_components(rest)) {
        if (!first)
            out += '\\';
        out += part;
        first = false;
    }
    return out;
}

} // namespace lv
