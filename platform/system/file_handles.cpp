// CreateFile and the calls on the handle it returns.
#include "system/file_object.h"
#include "system/host_errors.h"
#include "system/paths.h"
#include "win32/file_locks.h"
#include "win32/files.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lv {

FileObject::~FileObject() {
    ::close(m_fd);
}

int create_host_file(const std::string& host_path, int extra_flags) {
    mode_t mode = is_program_name(host_path) ? 0755 : 0644;
    int fd = ::open(host_path.c_str(), O_CREAT | O_CLOEXEC | extra_flags, mode);
    if (fd >= 0)
        note_entry_added(host_path);
    if (fd >= 0 && mode == 0755)
        ::fchmod(fd, 0755); // an existing file that is rewritten as a program runs too
    return fd;
}

long long read_all(int fd, void* buffer, std::size_t bytes) {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < bytes) {
        ssize_t n = ::read(fd, out + done, bytes - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
}

long long write_all(int fd, const void* buffer, std::size_t bytes) {
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < bytes) {
        ssize_t n = ::write(fd, in + done, bytes - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
}

HANDLE open_file_handle(const char* windows_path, bool read, bool write, DWORD disposition,
                        bool follow_links) {
    if (!windows_path || !*windows_path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::string host = to_host_path(windows_path);
    if (host.empty()) {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    struct stat info {};
    bool exists = (follow_links ? ::stat(host.c_str(), &info) : ::lstat(host.c_str(), &info)) == 0;
    if (exists && (S_ISDIR(info.st_mode) || S_ISLNK(info.st_mode))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    int access = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    if (!follow_links)
        access |= O_NOFOLLOW;
    int fd = -1;
    switch (disposition) {
    case CREATE_NEW:
        fd = create_host_file(host, access | O_EXCL);
        break;
    case CREATE_ALWAYS:
        fd = create_host_file(host, access | O_TRUNC);
        break;
    case OPEN_EXISTING:
        fd = ::open(host.c_str(), access | O_CLOEXEC);
        break;
    case OPEN_ALWAYS:
        fd = exists ? ::open(host.c_str(), access | O_CLOEXEC) : create_host_file(host, access);
        break;
    case TRUNCATE_EXISTING:
        if (!write) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
        }
        fd = ::open(host.c_str(), access | O_TRUNC | O_CLOEXEC);
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (fd < 0) {
        fail_from_errno(host);
        return INVALID_HANDLE_VALUE;
    }
    // Opening an existing file with an "always" disposition succeeds and says so.
    bool reports_existing = exists && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
    SetLastError(reports_existing ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return insert_handle(std::make_shared<FileObject>(fd, read, write, host));
}

} // namespace lv

namespace {

std::shared_ptr<lv::FileObject> file_of(HANDLE handle) {
    auto file = lv::find_handle_of<lv::FileObject>(handle);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

} // namespace

HANDLE CreateFileA(LPCSTR file_name, DWORD desired_access, DWORD share_mode,
                   LPSECURITY_ATTRIBUTES security, DWORD creation_disposition,
                   DWORD flags_and_attributes, HANDLE template_file) {
    bool read = (desired_access & (GENERIC_READ | GENERIC_ALL | FILE_READ_DATA)) != 0;
    bool write =
        (desired_access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) != 0;
    const bool follow_links = (flags_and_attributes & FILE_FLAG_OPEN_REPARSE_POINT) == 0;
    return lv::open_file_handle(file_name, read, write, creation_disposition, follow_links);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytes_to_read, LPDWORD bytes_read,
              LPOVERLAPPED overlapped) {
    if (bytes_read)
        *bytes_read = 0;
    auto object = file_of(file);
    if (!object)
        return FALSE;
    if (overlapped)
        return lv::fail_with(ERROR_NOT_SUPPORTED);
    if (!object->readable())
        return lv::fail_with(ERROR_ACCESS_DENIED);
    if (!buffer && bytes_to_read > 0)
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    long long n = lv::read_all(object->fd(), buffer, bytes_to_read);
    if (n < 0)
        return lv::fail_from_errno();
    if (bytes_read)
        *bytes_read = static_cast<DWORD>(n);
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytes_to_write, LPDWORD bytes_written,
               LPOVERLAPPED overlapped) {
    if (bytes_written)
        *bytes_written = 0;
    auto object = file_of(file);
    if (!object)
        return FALSE;
    if (overlapped)
        return lv::fail_with(ERROR_NOT_SUPPORTED);
    if (!object->writable())
        return lv::fail_with(ERROR_ACCESS_DENIED);
    if (!buffer && bytes_to_write > 0)
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    long long n = lv::write_all(object->fd(), buffer, bytes_to_write);
    if (n < 0)
        return lv::fail_from_errno();
    if (bytes_written)
        *bytes_written = static_cast<DWORD>(n);
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distance_high, DWORD move_method) {
    auto object = file_of(file);
    if (!object)
        return INVALID_SET_FILE_POINTER;
    std::int64_t offset =
        distance_high ? static_cast<std::int64_t>(
                            (static_cast<std::uint64_t>(static_cast<DWORD>(*distance_high)) << 32) |
                            static_cast<DWORD>(distance))
                      : distance;
    int whence = move_method == FILE_BEGIN     ? SEEK_SET
                 : move_method == FILE_CURRENT ? SEEK_CUR
                 : move_method == FILE_END     ? SEEK_END
                                               : -1;
    if (whence < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    off_t base = whence == SEEK_SET ? 0 : ::lseek(object->fd(), 0, whence);
    if (base < 0 || base + offset < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    off_t position = ::lseek(object->fd(), base + offset, SEEK_SET);
    if (position < 0) {
        lv::fail_from_errno();
        return INVALID_SET_FILE_POINTER;
    }
    if (distance_high)
        *distance_high = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
    else if (position > 0x7FFFFFFF) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    SetLastError(ERROR_SUCCESS); // callers tell a real 0xFFFFFFFF from failure by this
    return static_cast<DWORD>(position);
}

BOOL SetEndOfFile(HANDLE file) {
    auto object = file_of(file);
    if (!object)
        return FALSE;
    if (!object->writable())
        return lv::fail_with(ERROR_ACCESS_DENIED);
    off_t position = ::lseek(object->fd(), 0, SEEK_CUR);
    if (position < 0 || ::ftruncate(object->fd(), position) != 0)
        return lv::fail_from_errno();
    return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD size_high) {
    auto object = file_of(file);
    if (!object)
        return INVALID_FILE_SIZE;
    struct stat info {};
    if (::fstat(object->fd(), &info) != 0) {
        lv::fail_from_errno();
        return INVALID_FILE_SIZE;
    }
    auto size = static_cast<std::uint64_t>(info.st_size);
    if (size_high)
        *size_high = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

BOOL FlushFileBuffers(HANDLE file) {
    auto object = file_of(file);
    if (!object)
        return FALSE;
    if (!object->writable())
        return lv::fail_with(ERROR_ACCESS_DENIED);
    if (::fsync(object->fd()) != 0)
        return lv::fail_from_errno();
    return TRUE;
}

BOOL LockFile(HANDLE file, DWORD offset_low, DWORD offset_high, DWORD bytes_low, DWORD bytes_high) {
    auto object = file_of(file);
    if (!object)
        return FALSE;
    const auto offset = (static_cast<std::uint64_t>(offset_high) << 32) | offset_low;
    const auto length = (static_cast<std::uint64_t>(bytes_high) << 32) | bytes_low;
    if (length == 0 || offset > static_cast<std::uint64_t>(INT64_MAX) ||
        length > static_cast<std::uint64_t>(INT64_MAX) - offset)
        return lv::fail_with(ERROR_INVALID_PARAMETER);
    // The host keeps others out only with a write lock, which a read-only descriptor cannot take.
    if (!object->writable())
        return lv::fail_with(ERROR_ACCESS_DENIED);
    // A lock of the open file itself, not of the process: each handle holds its own, as the
    // platform's do, and it goes with the last close of the descriptor.
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = static_cast<off_t>(offset);
    range.l_len = static_cast<off_t>(length);
    while (::fcntl(object->fd(), F_OFD_SETLK, &range) != 0) {
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EACCES)
            return lv::fail_with(ERROR_LOCK_VIOLATION);
        return lv::fail_from_errno();
    }
    return TRUE;
}
