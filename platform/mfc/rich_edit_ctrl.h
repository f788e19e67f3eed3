// The rich edit control's wrapper and the loading of its module.
#pragma once

#include "mfc/wnd.h"
#include "win32/richedit.h"

// Loads "RICHED20.DLL" once for the program; FALSE when the module is missing.
BOOL AfxInitRichEdit();
BOOL AfxInitRichEdit2();

class CRichEditCtrl : public CWnd {
public:
    using CWnd::Create;
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(RICHEDIT_CLASSA, nullptr, style, rect, parent, id);
    }
    long StreamIn(int format, EDITSTREAM& stream) {
        return static_cast<long>(SendMessage(EM_STREAMIN, static_cast<WPARAM>(format),
                                             reinterpret_cast<LPARAM>(&stream)));
    }
    COLORREF SetBackgroundColor(BOOL systemColour, COLORREF colour) {
        return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, systemColour, colour));
    }
    BOOL SetReadOnly(BOOL readOnly = TRUE) {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly));
    }
    long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
};
