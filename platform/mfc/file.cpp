#include "mfc/file.h"

namespace {

DWORD access_for(UINT flags) {
    switch (flags & 0x3) {
    case CFile::modeWrite:
        return GENERIC_WRITE;
    case CFile::modeReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return GENERIC_READ;
    }
}

// Compatibility mode shares nothing, as exclusive does.
DWORD sharing_for(UINT flags) {
    switch (flags & 0x70) {
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyRead:
        return FILE_SHARE_WRITE;
    case CFile::shareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default:
        return 0;
    }
}

DWORD disposition_for(UINT flags) {
    if (!(flags & CFile::modeCreate))
        return OPEN_EXISTING;
    return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

CString full_path_of(LPCTSTR name) {
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(name, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return CString(name);
    return CString(full);
}

ULONGLONG join(DWORD high, DWORD low) {
    return (static_cast<ULONGLONG>(high) << 32) | low;
}

} // namespace

CFile::CFile(LPCTSTR fileName, UINT openFlags) {
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
    Abort();
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) {
    Abort();
    if (fileName == nullptr || *fileName == '\0') {
        if (error)
            *error = CFileException(CFileException::badPath, ERROR_PATH_NOT_FOUND, fileName);
        return FALSE;
    }
    m_strFileName = full_path_of(fileName);
    const HANDLE handle =
        CreateFileA(fileName, access_for(openFlags), sharing_for(openFlags), nullptr,
                    disposition_for(openFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const auto os_error = static_cast<LONG>(GetLastError());
        if (error)
            *error = CFileException(CFileException::OsErrorToException(os_error), os_error,
                                    m_strFileName);
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = handle;
    return TRUE;
}

void CFile::throw_last_error() const {
    const auto os_error = static_cast<LONG>(GetLastError());
    AfxThrowFileException(CFileException::OsErrorToException(os_error), os_error, m_strFileName);
}

void CFile::require_open() const {
    if (m_hFile == INVALID_HANDLE_VALUE)
        AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count) {
    require_open();
    if (count == 0)
        return 0;
    DWORD read = 0;
    if (!ReadFile(m_hFile, buffer, count, &read, nullptr))
        throw_last_error();
    return read;
}

void CFile::Write(const void* buffer, UINT count) {
    require_open();
    if (count == 0)
        return;
    DWORD written = 0;
    if (!WriteFile(m_hFile, buffer, count, &written, nullptr))
        throw_last_error();
    if (written != count)
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    require_open();
    if (from > end)
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
    LONG high = static_cast<LONG>(offset >> 32);
    const DWORD low = SetFilePointer(m_hFile, static_cast<LONG>(offset & 0xFFFFFFFF), &high, from);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        throw_last_error();
    return join(static_cast<DWORD>(high), low);
}

ULONGLONG CFile::GetPosition() const {
    require_open();
    LONG high = 0;
    const DWORD low = SetFilePointer(m_hFile, 0, &high, FILE_CURRENT);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        throw_last_error();
    return join(static_cast<DWORD>(high), low);
}

ULONGLONG CFile::GetLength() const {
    require_open();
    DWORD high = 0;
    const DWORD low = GetFileSize(m_hFile, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        throw_last_error();
    return join(high, low);
}

void CFile::SetLength(ULONGLONG newLength) {
    Seek(static_cast<LONGLONG>(newLength), begin);
    if (!SetEndOfFile(m_hFile))
        throw_last_error();
}

void CFile::Flush() {
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!FlushFileBuffers(m_hFile))
        throw_last_error();
}

void CFile::Close() {
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    const BOOL closed = CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    if (!closed)
        throw_last_error();
    m_strFileName.Empty();
}

void CFile::Abort() {
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_strFileName.Empty();
}

CString CFile::GetFileName() const {
    const int slash = std::max(m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'));
    return m_strFileName.Mid(slash + 1);
}

void CFile::Rename(LPCTSTR oldName, LPCTSTR newName) {
    if (!MoveFileA(oldName, newName)) {
        const auto os_error = static_cast<LONG>(GetLastError());
        AfxThrowFileException(CFileException::OsErrorToException(os_error), os_error, oldName);
    }
}

void CFile::Remove(LPCTSTR fileName) {
    if (!DeleteFileA(fileName)) {
        const auto os_error = static_cast<LONG>(GetLastError());
        AfxThrowFileException(CFileException::OsErrorToException(os_error), os_error, fileName);
    }
}
