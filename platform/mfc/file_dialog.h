// The file open and save dialog: filters in the class library's "name|pattern|...||" form.
#pragma once

#include "mfc/cstring.h"
#include "mfc/wnd.h"
#include "win32/commdlg.h"

#include <vector>

using POSITION = void*;

class CFileDialog {
public:
    explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr,
                         LPCTSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR filter = nullptr, CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when a file was chosen, else IDCANCEL.
    virtual INT_PTR DoModal();

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    // Multiple selection: the chosen paths one by one.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& position) const;

    OPENFILENAMEA m_ofn{};
    BOOL m_bOpenFileDialog;

protected:
    std::vector<char> m_fileBuffer;
    CString m_strFilter;
    CString m_strDefExt;
    CWnd* m_pParentWnd;
};
