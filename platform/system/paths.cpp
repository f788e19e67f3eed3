#include "system/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
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

// What a folder looked like when it was listed: any change of its entries by anyone changes
// its modification and change times (and on most file systems its size).
struct FolderStamp {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    timespec changed{};
    off_t size = 0;

    bool operator==(const FolderStamp& o) const {
        return device == o.device && inode == o.inode && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec && size == o.size;
    }
};

bool stamp_of(const std::string& folder, FolderStamp& stamp) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    stamp = FolderStamp{info.st_dev, info.st_ino, info.st_mtim, info.st_ctim, info.st_size};
    return true;
}

// A folder's names by their lower-case spelling. A name that differs only in case from an
// earlier one of the listing is not kept, so the first one read answers, as a scan would; such
// lower-case spellings are marked, since removing one name of them leaves another.
struct FolderListing {
    FolderStamp stamp;
    std::unordered_map<std::string, std::string> names;
    std::unordered_set<std::string> shared;

    void add(const std::string& name) {
        std::string key = to_lower_ascii(name);
        auto [it, fresh] = names.emplace(key, name);
        if (!fresh && it->second != name)
            shared.insert(std::move(key));
    }
};

// Listings of the folders looked into without regard to case, so that resolving many names
// of one folder reads it once rather than once per name. A listing serves while its folder's
// stamp is unchanged; the layer's own creations and removals keep it current (see
// note_entry_added), anything else makes the folder be read again.
class FolderListings {
public:
    bool find(const std::string& folder, const std::string& name, std::string& found) {
        FolderStamp stamp;
        if (!stamp_of(folder, stamp))
            return false;
        std::lock_guard lock(m_mutex);
        auto it = m_listings.find(folder);
        if (it == m_listings.end() || !(it->second.stamp == stamp)) {
            FolderListing listing;
            if (!read(folder, listing))
                return false;
            listing.stamp = stamp; // taken before the read: a change meanwhile reads it again
            if (m_listings.size() >= kMaxFolders && it == m_listings.end())
                m_listings.erase(m_listings.begin());
            it = m_listings.insert_or_assign(folder, std::move(listing)).first;
        }
        auto entry = it->second.names.find(to_lower_ascii(name));
        if (entry == it->second.names.end())
            return false;
        found = entry->second;
        return true;
    }

    void update(const std::string& host_path, bool added) {
        auto slash = host_path.find_last_of('/');
        if (slash == std::string::npos)
            return;
        const std::string folder = slash == 0 ? "/" : host_path.substr(0, slash);
        const std::string name = host_path.substr(slash + 1);
        std::lock_guard lock(m_mutex);
        auto it = m_listings.find(folder);
        if (it == m_listings.end())
            return;
        FolderStamp stamp;
        if (!stamp_of(folder, stamp)) {
            m_listings.erase(it);
            return;
        }
        FolderListing& listing = it->second;
        if (added) {
            listing.add(name);
        } else {
            const std::string key = to_lower_ascii(name);
            if (listing.shared.count(key) != 0)
                stamp = FolderStamp{}; // another spelling may remain: read the folder again
            else
                listing.names.erase(key);
        }
        listing.stamp = stamp;
    }

private:
    static constexpr std::size_t kMaxFolders = 32;

    static bool read(const std::string& folder, FolderListing& listing) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            return false;
        while (dirent* entry = ::readdir(dir))
            listing.add(entry->d_name);
        ::closedir(dir);
        return true;
    }

    std::mutex m_mutex;
    std::unordered_map<std::string, FolderListing> m_listings;
};

FolderListings& folder_listings() {
    static FolderListings* listings = new FolderListings;
    return *listings;
}

// The directory entry of `folder` whose name equals `name` without regard to case.
bool find_entry_ignoring_case(const std::string& folder, const std::string& name,
                              std::string& found) {
    return folder_listings().find(folder.empty() ? "/" : folder, name, found);
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
    const std::vector<std::string> parts = split_components(full.substr(3));
    for (const auto& part : parts) {
        if (has_invalid_name_character(part))
            return {};
    }
    // Most paths exist as spelled, or all but their last name does: two probes answer those.
    struct stat probe {};
    std::string exact = host;
    for (const auto& part : parts)
        exact += "/" + part;
    if (parts.empty() || ::lstat(exact.c_str(), &probe) == 0)
        return exact.empty() ? std::string("/") : exact;
    const std::string parent = exact.substr(0, exact.size() - parts.back().size() - 1);
    if (parts.size() > 1 && ::lstat(parent.c_str(), &probe) == 0) {
        std::string found;
        return find_entry_ignoring_case(parent, parts.back(), found) ? parent + "/" + found : exact;
    }
    bool exists = true;
    for (const auto& part : parts) {
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

void note_entry_added(const std::string& host_path) {
    folder_listings().update(host_path, true);
}

void note_entry_removed(const std::string& host_path) {
    folder_listings().update(host_path, false);
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
