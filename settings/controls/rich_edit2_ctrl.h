// A rich edit control of the class "RichEdit20A" that can be filled with RTF from a string.
#pragma once

#include "mfc/mfc.h"
#include "mfc/rich_edit_ctrl.h"

// Loads RICHED20.DLL into one program-wide holder; whether the holder has the module.
BOOL LoadRichEdit20();

class CRichEdit2Ctrl : public CRichEditCtrl {
public:
    CRichEdit2Ctrl();
    ~CRichEdit2Ctrl() override;

    virtual BOOL SetAutoURLDetect(BOOL on = TRUE);
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) override;
    // Streams the text in as RTF, in as many pieces as the control's buffer takes.
    void StreamInRtf(const CString& text);

    static DWORD CALLBACK RtfStreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size,
                                              LONG* transferred);

private:
    HMODULE m_hModule;
};
