// An open file behind a HANDLE (CreateFile) or an HFILE (_lopen, _lcreat).
#pragma once

#include "system/handle_table.h"

#include <string>

namespace lv {

class FileObject : public KernelObject {
public:
    FileObject(int fd, bool readable, bool writable, std::string host_path)
        : m_fd(fd), m_readable(readable), m_writable(writable), m_host_path(std::move(host_path)) {}
    ~FileObject() override;
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;

    int fd() const { return m_fd; }
    bool readable() const { return m_readable; }
    bool writable() const { return m_writable; }
    const std::string& host_path() const { return m_host_path; }

private:
    int m_fd;
    bool m_readable;
    bool m_writable;
    std::string m_host_path;
};

// Opens a Windows path the way CreateFile's disposition asks; sets the last-error value and
// returns INVALID_HANDLE_VALUE on failure.
// A link at the name is followed unless `follow_links` is false; the open then fails.
HANDLE open_file_handle(const char* windows_path, bool read, bool write, DWORD disposition,
                        bool follow_links = true);

// Creates (or truncates) a file at a host path with the layer's permissions: programs are
// executable. Returns the descriptor or -1 with errno set.
int create_host_file(const std::string& host_path, int extra_flags);

// Reads/writes everything asked for, retrying short transfers. Returns the bytes moved or -1.
long long read_all(int fd, void* buffer, std::size_t bytes);
long long write_all(int fd, const void* buffer, std::size_t bytes);

} // namespace lv
