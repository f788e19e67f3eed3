// The rich edit control, class "RichEdit20A" of the built-in module "RICHED20.DLL": a read-only
// display of RTF text (paragraphs, bold, colours, sizes) with word wrap.
#pragma once

#include "win32/types.h"
#include "win32/window.h"

#define RICHEDIT_CLASSA "RichEdit20A"
#define RICHEDIT_CLASS RICHEDIT_CLASSA

constexpr UINT EM_SETBKGNDCOLOR = WM_USER + 67;
constexpr UINT EM_STREAMIN = WM_USER + 73;
constexpr UINT EM_AUTOURLDETECT = WM_USER + 91;
constexpr UINT EM_GETAUTOURLDETECT = WM_USER + 92;

constexpr WPARAM SF_TEXT = 0x0001;
constexpr WPARAM SF_RTF = 0x0002;
constexpr WPARAM SFF_SELECTION = 0x8000;

typedef DWORD(CALLBACK* EDITSTREAMCALLBACK)(DWORD_PTR cookie, LPBYTE buffer, LONG size,
                                            LONG* transferred);

struct EDITSTREAM {
    DWORD_PTR dwCookie;
    DWORD dwError;
    EDITSTREAMCALLBACK pfnCallback;
};
