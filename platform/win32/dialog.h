// Dialogs and message boxes.
#pragma once

#include "win32/types.h"

// Buttons.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_CANCELTRYCONTINUE = 0x6;
// Icons.
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_USERICON = 0x80;
// Default button.
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFBUTTON4 = 0x300;
// Modality and the rest.
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_HELP = 0x4000;
constexpr UINT MB_NOFOCUS = 0x8000;
constexpr UINT MB_SETFOREGROUND = 0x10000;
constexpr UINT MB_DEFAULT_DESKTOP_ONLY = 0x20000;
constexpr UINT MB_TOPMOST = 0x40000;
constexpr UINT MB_RIGHT = 0x80000;
constexpr UINT MB_RTLREADING = 0x100000;
constexpr UINT MB_SERVICE_NOTIFICATION = 0x200000;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFMASK = 0xF00;
constexpr UINT MB_MODEMASK = 0x3000;
constexpr UINT MB_MISCMASK = 0xC000;
// MessageBeep's own value besides the icon values.
constexpr UINT MB_SIMPLEBEEP = 0xFFFFFFFF;

// Results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDCLOSE = 8;
constexpr int IDHELP = 9;
constexpr int IDTRYAGAIN = 10;
constexpr int IDCONTINUE = 11;

// Returns the button chosen, 0 for an invalid uType (ERROR_INVALID_PARAMETER).
int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
BOOL MessageBeep(UINT uType);

inline int MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    return MessageBoxA(hWnd, lpText, lpCaption, uType);
}
