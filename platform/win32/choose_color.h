// The common colour dialog: basic and custom colour cells, the colour's red, green and blue,
// OK and Cancel.
#pragma once

#include "win32/types.h"
#include "win32/window.h"

typedef UINT_PTR(CALLBACK* LPCCHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

struct CHOOSECOLORA {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;     // the colour it starts from (with CC_RGBINIT) and the one chosen
    COLORREF* lpCustColors; // the 16 custom colours
    DWORD Flags;
    LPARAM lCustData;
    LPCCHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
using CHOOSECOLOR = CHOOSECOLORA;
using LPCHOOSECOLORA = CHOOSECOLORA*;
using LPCHOOSECOLOR = CHOOSECOLORA*;

constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CC_PREVENTFULLOPEN = 0x00000004;
constexpr DWORD CC_SHOWHELP = 0x00000008;
constexpr DWORD CC_ENABLEHOOK = 0x00000010;
constexpr DWORD CC_ENABLETEMPLATE = 0x00000020;
constexpr DWORD CC_ENABLETEMPLATEHANDLE = 0x00000040;
constexpr DWORD CC_SOLIDCOLOR = 0x00000080;
constexpr DWORD CC_ANYCOLOR = 0x00000100;

// The controls of the dialog, for the people and tests that drive it.
constexpr int kColorDialogBasicFirst = 1000;  // 48 basic colour cells, row by row
constexpr int kColorDialogCustomFirst = 1100; // 16 custom colour cells
constexpr int kColorDialogRed = 706;
constexpr int kColorDialogGreen = 707;
constexpr int kColorDialogBlue = 708;
constexpr int kColorDialogSample = 709;

// TRUE when the user chose a colour (in rgbResult); FALSE when the dialog was cancelled or
// could not run (CommDlgExtendedError tells why). Hooks and templates are not served.
BOOL ChooseColorA(LPCHOOSECOLORA choose);
#define ChooseColor ChooseColorA
