// CColorDialog: the colour dialog run modally; the chosen colour comes back by GetColor.
#pragma once

#include "mfc/wnd.h"
#include "win32/choose_color.h"

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    virtual ~CColorDialog() = default;
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    // IDOK when a colour was chosen, else IDCANCEL.
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The custom colours every colour dialog of the program shares.
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLORA m_cc{};

private:
    CWnd* m_pParentWnd;
};
