// Copy, move, delete, folders and attributes of single files.
#include "system/atomic_file.h"
#include "system/file_object.h"
#include "system/host_errors.h"
#include "system/paths.h"
#include "system/read_only.h"
#include "win32/files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

bool copy_contents(int in, int out) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        long long n = lv::read_all(in, buffer.data(), buffer.size());
        if (n < 0 || (n > 0 && lv::write_all(out, buffer.data(), static_cast<std::size_t>(n)) != n))
            return false;
        if (n < static_cast<long long>(buffer.size()))
            return true;
    }
}

// The copy keeps the source's permission bits (programs run) and its date.
void copy_attributes(const struct stat& source_info, int out, const std::string& target) {
    ::fchmod(out, (source_info.st_mode & 07777) | (lv::is_program_name(target) ? 0755 : 0));
    const timespec times[2] = {source_info.st_atim, source_info.st_mtim};
    ::futimens(out, times);
}

// Copies the contents and permission bits of one regular file. The copy is written under a
// private name and renamed over the target once it is whole, so a failed copy (a full disk)
// leaves no piece of a file behind and an existing target as it was; the target is never
// opened, so a link standing there is replaced rather than written through. When the target
// must not exist it is created exclusively and removed again on failure.
BOOL copy_host_file(const std::string& source, const std::string& target, bool fail_if_exists) {
    struct stat source_info {};
    if (::stat(source.c_str(), &source_info) != 0)
        return lv::fail_from_errno(source);
    if (S_ISDIR(source_info.st_mode))
        return lv::fail_with(ERROR_ACCESS_DENIED);
    struct stat target_info {};
    if (::stat(target.c_str(), &target_info) == 0) {
        if (fail_if_exists)
            return lv::fail_with(ERROR_FILE_EXISTS);
        if (S_ISDIR(target_info.st_mode))
            return lv::fail_with(ERROR_ACCESS_DENIED);
        // Copying a file onto itself would replace the only copy of its data with itself.
        if (target_info.st_dev == source_info.st_dev && target_info.st_ino == source_info.st_ino)
            return lv::fail_with(ERROR_SHARING_VIOLATION);
    }
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return lv::fail_from_errno(source);
    if (fail_if_exists) {
        int out = lv::create_host_file(target, O_WRONLY | O_EXCL);
        if (out < 0) {
            ::close(in);
            return lv::fail_from_errno(target);
        }
        bool ok = copy_contents(in, out);
        ::close(in);
        if (ok)
            copy_attributes(source_info, out, target);
        ok = ::close(out) == 0 && ok;
        if (ok)
            return TRUE;
        lv::fail_from_errno(target);
        ::unlink(target.c_str());
        return FALSE;
    }
    lv::ReplacementFile out(target, 0644);
    if (out.fd() < 0) {
        ::close(in);
        return lv::fail_from_errno(target);
    }
    bool ok = copy_contents(in, out.fd());
    ::close(in);
    if (ok)
        copy_attributes(source_info, out.fd(), target);
    if (!ok || !out.commit())
        return lv::fail_from_errno(target);
    return TRUE;
}

} // namespace

BOOL CopyFileA(LPCSTR existing_file, LPCSTR new_file, BOOL fail_if_exists) {
    std::string source, target;
    if (!lv::resolve_or_fail(existing_file, source) || !lv::resolve_or_fail(new_file, target))
        return FALSE;
    return copy_host_file(source, target, fail_if_exists != FALSE);
}

BOOL DeleteFileA(LPCSTR file_name) {
    std::string host;
    if (!lv::resolve_or_fail(file_name, host))
        return FALSE;
    struct stat info {};
    if (::lstat(host.c_str(), &info) == 0 && (S_ISDIR(info.st_mode) || lv::refuses_removal(info)))
        return lv::fail_with(ERROR_ACCESS_DENIED);
    if (::unlink(host.c_str()) != 0)
        return lv::fail_from_errno(host);
    lv::note_entry_removed(host);
    return TRUE;
}

BOOL MoveFileA(LPCSTR existing_file, LPCSTR new_file) {
    std::string source, target;
    if (!lv::resolve_or_fail(existing_file, source) || !lv::resolve_or_fail(new_file, target))
        return FALSE;
    struct stat info {};
    if (::lstat(source.c_str(), &info) != 0)
        return lv::fail_from_errno(source);
    struct stat target_info {};
    if (::lstat(target.c_str(), &target_info) == 0) {
        bool same_entry = target_info.st_ino == info.st_ino && target_info.st_dev == info.st_dev;
        if (!same_entry || !lv::equal_ignoring_case(source, target))
            return lv::fail_with(ERROR_ALREADY_EXISTS);
        // Only the letter case changes: the lookup found the source itself, so name the target
        // with the spelling asked for.
        std::string wanted = new_file;
        auto sep = wanted.find_last_of("\\/");
        target = target.substr(0, target.find_last_of('/') + 1) +
                 wanted.substr(sep == std::string::npos ? 0 : sep + 1);
    }
    if (::rename(source.c_str(), target.c_str()) == 0) {
        lv::note_entry_removed(source);
        lv::note_entry_added(target);
        return TRUE;
    }
    if (errno != EXDEV || S_ISDIR(info.st_mode))
        return lv::fail_from_errno(target);
    if (!copy_host_file(source, target, true))
        return FALSE;
    if (::unlink(source.c_str()) != 0)
        return lv::fail_from_errno(source);
    return TRUE;
}

BOOL CreateDirectoryA(LPCSTR path_name, LPSECURITY_ATTRIBUTES security) {
    std::string host;
    if (!lv::resolve_or_fail(path_name, host))
        return FALSE;
    if (::mkdir(host.c_str(), 0755) == 0)
        return TRUE;
    if (errno == EEXIST)
        return lv::fail_with(ERROR_ALREADY_EXISTS);
    if (errno == ENOENT)
        return lv::fail_with(ERROR_PATH_NOT_FOUND);
    return lv::fail_from_errno(host);
}

BOOL RemoveDirectoryA(LPCSTR path_name) {
    std::string host;
    if (!lv::resolve_or_fail(path_name, host))
        return FALSE;
    struct stat info {};
    if (::lstat(host.c_str(), &info) == 0 && !S_ISDIR(info.st_mode))
        return lv::fail_with(ERROR_DIRECTORY);
    if (::rmdir(host.c_str()) != 0)
        return lv::fail_from_errno(host);
    return TRUE;
}

DWORD GetFileAttributesA(LPCSTR file_name) {
    std::string host;
    if (!lv::resolve_or_fail(file_name, host))
        return INVALID_FILE_ATTRIBUTES;
    struct stat info {};
    if (::stat(host.c_str(), &info) != 0) {
        lv::fail_from_errno(host);
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (lv::is_read_only(info.st_mode))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

BOOL SetFileAttributesA(LPCSTR file_name, DWORD attributes) {
    std::string host;
    if (!lv::resolve_or_fail(file_name, host))
        return FALSE;
    struct stat info {};
    if (::stat(host.c_str(), &info) != 0)
        return lv::fail_from_errno(host);
    mode_t mode = info.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~0222) : (mode | S_IWUSR);
    if (::chmod(host.c_str(), mode) != 0)
        return lv::fail_from_errno(host);
    return TRUE;
}
