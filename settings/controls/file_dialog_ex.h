// A file dialog that opens near the centre of the screen: its owner is a hidden window placed
// there for the dialog's lifetime.
#pragma once

#include "mfc/file_dialog.h"
#include "mfc/mfc.h"

class CFileDialogEx : public CFileDialog {
public:
    CFileDialogEx(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr,
                  LPCTSTR fileName = nullptr, DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                  LPCTSTR filter = nullptr, CWnd* parent = nullptr);

    INT_PTR DoModal() override;
    // Centres the window's rectangle on the screen without resizing, reordering or activating.
    static void CenterOnScreen(HWND window);

private:
    CWnd* m_pParent;
};
