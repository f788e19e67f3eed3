#include "mfc/file_dialog.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kFileBufferSize = 64 * 1024; // room for a multiple selection

} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName,
                         DWORD flags, LPCTSTR filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog), m_fileBuffer(kFileBufferSize, '\0'), m_pParentWnd(parent) {
    if (filter) {
        m_strFilter = filter;
        m_strFilter.Replace('|', '\0');
    }
    if (defaultExtension)
        m_strDefExt = defaultExtension;
    if (fileName) {
        const std::size_t count = std::min(std::strlen(fileName), kFileBufferSize - 1);
        std::memcpy(m_fileBuffer.data(), fileName, count);
    }
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    m_ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strFilter);
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strDefExt);
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : m_ofn.hwndOwner;
    const BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
    const char* file = m_ofn.lpstrFile;
    const std::size_t first = std::strlen(file);
    // A multiple selection begins with the folder; the path is folder and first name.
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > first && file[first + 1]) {
        POSITION position = GetStartPosition();
        return GetNextPathName(position);
    }
    return CString(file);
}

CString CFileDialog::GetFileName() const {
    const CString path = GetPathName();
    const int slash = path.ReverseFind('\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

POSITION CFileDialog::GetStartPosition() const {
    return m_ofn.lpstrFile && m_ofn.lpstrFile[0] ? static_cast<POSITION>(m_ofn.lpstrFile) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& position) const {
    const char* file = m_ofn.lpstrFile;
    const std::size_t folder_end = std::strlen(file);
    const bool multiple = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > folder_end;
    if (!multiple) {
        position = nullptr;
        return CString(file);
    }
    const char* at = static_cast<const char*>(position);
    if (at == file)
        at = file + folder_end + 1;
    CString path = CString(file) + "\\" + at;
    const char* next = at + std::strlen(at) + 1;
    position = *next ? const_cast<char*>(next) : nullptr;
    return path;
}
