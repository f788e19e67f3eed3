// The profile calls on real files: every call reads the file afresh, every write replaces it
// whole and atomically. Writers of all our processes take turns through one lock file under the
// layer's root, so that none of them rewrites the file from a state another has just changed.
#include "win32/profile.h"

#include "system/atomic_file.h"
#include "system/file_lock.h"
#include "system/host_errors.h"
#include "system/paths.h"
#include "system/profile_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>

namespace {

std::mutex& profile_mutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::string profile_path(LPCSTR file_name) {
    std::string name = file_name ? file_name : "";
    if (name.find_first_of("\\/:") == std::string::npos)
        name = "C:\\WINDOWS\\" + name;
    return lv::to_host_path(name);
}

lv::ProfileFile load(const std::string& host) {
    std::string text;
    if (!lv::read_whole_file(host, text))
        return lv::ProfileFile::parse("");
    return lv::ProfileFile::parse(text);
}

// Names one after another, each NUL-terminated, then one more NUL. When cut, the buffer still
// ends in two NULs and the result is size - 2.
DWORD copy_list(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
    if (size == 0)
        return 0;
    if (size == 1) {
        buffer[0] = 0;
        return 0;
    }
    std::string list;
    for (const auto& name : names) {
        list += name;
        list += '\0';
    }
    if (list.size() + 1 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = 0;
        if (list.empty() && size > 1)
            buffer[1] = 0;
        return static_cast<DWORD>(list.size());
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = 0;
    buffer[size - 1] = 0;
    return size - 2;
}

DWORD copy_value(const std::string& value, LPSTR buffer, DWORD size) {
    if (size == 0)
        return 0;
    std::size_t length = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), length);
    buffer[length] = 0;
    return static_cast<DWORD>(length);
}

std::string default_without_trailing_blanks(LPCSTR default_value) {
    std::string text = default_value ? default_value : "";
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

// Reads the file, lets `change` edit it and replaces it, all under the writers' lock. A file
// that is there but cannot be read is left alone rather than replaced by the change alone.
BOOL change_profile(const std::string& host, const std::function<void(lv::ProfileFile&)>& change) {
    std::lock_guard lock(profile_mutex());
    const std::string root = lv::layer_root();
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    lv::FileLock writers(root + "/profiles.lock", lv::FileLock::Kind::Exclusive);
    if (!writers.held())
        return lv::fail_from_errno(root);
    std::string text;
    if (!lv::read_whole_file(host, text) && errno != ENOENT)
        return lv::fail_from_errno(host);
    lv::ProfileFile file = lv::ProfileFile::parse(text);
    change(file);
    if (!lv::replace_file_atomically(host, file.text()))
        return lv::fail_from_errno(host);
    return TRUE;
}

} // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer,
                               DWORD size, LPCSTR file_name) {
    if (!buffer || size == 0)
        return 0;
    std::string host = profile_path(file_name);
    std::lock_guard lock(profile_mutex());
    lv::ProfileFile file = host.empty() ? lv::ProfileFile::parse("") : load(host);
    if (!section)
        return copy_list(file.section_names(), buffer, size);
    if (!key)
        return copy_list(file.key_names(section).value_or(std::vector<std::string>{}), buffer,
                         size);
    auto value = file.value(section, key);
    if (!value)
        SetLastError(ERROR_FILE_NOT_FOUND);
    return copy_value(value ? *value : default_without_trailing_blanks(default_value), buffer,
                      size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT default_value, LPCSTR file_name) {
    char text[64];
    DWORD length = GetPrivateProfileStringA(section, key, "", text, sizeof text, file_name);
    if (length == 0)
        return static_cast<UINT>(default_value);
    // The number the value starts with; a value that does not start with one counts as 0.
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    UINT number = 0;
    while (*p >= '0' && *p <= '9')
        number = number * 10 + static_cast<UINT>(*p++ - '0');
    return negative ? 0u - number : number;
}

DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file_name) {
    if (!buffer || size == 0)
        return 0;
    if (!section)
        return copy_list({}, buffer, size);
    std::string host = profile_path(file_name);
    std::lock_guard lock(profile_mutex());
    lv::ProfileFile file = host.empty() ? lv::ProfileFile::parse("") : load(host);
    return copy_list(file.section_lines(section).value_or(std::vector<std::string>{}), buffer,
                     size);
}

DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file_name) {
    return GetPrivateProfileStringA(nullptr, nullptr, nullptr, buffer, size, file_name);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file_name) {
    if (!section && !key && !value)
        return TRUE; // "flush the cache": nothing is cached
    if (!section || !file_name)
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    std::string host = profile_path(file_name);
    if (host.empty())
        return lv::fail_with(ERROR_INVALID_NAME);
    return change_profile(host, [&](lv::ProfileFile& file) {
        if (!key)
            file.remove_section(section);
        else if (!value)
            file.remove_key(section, key);
        else
            file.set_value(section, key, value);
    });
}

BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR file_name) {
    if (!section || !file_name)
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    std::string host = profile_path(file_name);
    if (host.empty())
        return lv::fail_with(ERROR_INVALID_NAME);
    std::vector<std::string> body;
    for (const char* p = lines; p && *p; p += std::strlen(p) + 1)
        body.emplace_back(p);
    return change_profile(host, [&](lv::ProfileFile& file) {
        if (!lines)
            file.remove_section(section);
        else
            file.replace_section(section, body);
    });
}

DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer,
                        DWORD size) {
    return GetPrivateProfileStringA(section, key, default_value, buffer, size, "WIN.INI");
}

UINT GetProfileIntA(LPCSTR section, LPCSTR key, INT default_value) {
    return GetPrivateProfileIntA(section, key, default_value, "WIN.INI");
}

BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
    return WritePrivateProfileStringA(section, key, value, "WIN.INI");
}
