#include "mfc/file.h"

#include <cstring>

CFileFind::~CFileFind() {
    Close();
}

void CFileFind::Close() {
    if (m_find != INVALID_HANDLE_VALUE)
        FindClose(m_find);
    m_find = INVALID_HANDLE_VALUE;
    m_has_next = false;
    m_current = {};
    m_next = {};
    m_root.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR name, DWORD) {
    Close();
    const char* pattern = name ? name : "*.*";
    m_find = FindFirstFileA(pattern, &m_next);
    if (m_find == INVALID_HANDLE_VALUE)
        return FALSE;
    m_has_next = true;

    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(pattern, sizeof full, full, nullptr);
    m_root = length > 0 && length < sizeof full ? full : pattern;
    const int slash = std::max(m_root.ReverseFind('\\'), m_root.ReverseFind('/'));
    m_root = slash >= 0 ? m_root.Left(slash) : CString();
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (m_find == INVALID_HANDLE_VALUE || !m_has_next)
        return FALSE;
    m_current = m_next;
    m_has_next = ::FindNextFileA(m_find, &m_next) != FALSE;
    return m_has_next;
}

ULONGLONG CFileFind::GetLength() const {
    return (static_cast<ULONGLONG>(m_current.nFileSizeHigh) << 32) | m_current.nFileSizeLow;
}

CString CFileFind::GetFilePath() const {
    CString path = m_root;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\')
        path += '\\';
    return path + m_current.cFileName;
}

CString CFileFind::GetFileTitle() const {
    CString title = GetFileName();
    const int dot = title.ReverseFind('.');
    return dot > 0 ? title.Left(dot) : title;
}

BOOL CFileFind::IsDots() const {
    return IsDirectory() && (std::strcmp(m_current.cFileName, ".") == 0 ||
                             std::strcmp(m_current.cFileName, "..") == 0);
}
