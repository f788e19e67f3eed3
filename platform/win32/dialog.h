// Dialogs and message boxes.
#pragma once

#include "win32/types.h"
#include "win32/window.h"

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

// Dialog styles
constexpr DWORD DS_ABSALIGN = 0x0001;
constexpr DWORD DS_SYSMODAL = 0x0002;
constexpr DWORD DS_LOCALEDIT = 0x0020;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_NOIDLEMSG = 0x0100;
constexpr DWORD DS_SETFOREGROUND = 0x0200;
constexpr DWORD DS_3DLOOK = 0x0004;
constexpr DWORD DS_FIXEDSYS = 0x0008;
constexpr DWORD DS_NOFAILCREATE = 0x0010;
constexpr DWORD DS_CONTROL = 0x0400;
constexpr DWORD DS_CENTER = 0x0800;
constexpr DWORD DS_CENTERMOUSE = 0x1000;
constexpr DWORD DS_CONTEXTHELP = 0x2000;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// The dialog class, registered for every program by its name.
#define WC_DIALOG "#32770"
constexpr int DLGWINDOWEXTRA = DWLP_USER + static_cast<int>(sizeof(LONG_PTR));

// Dialog messages
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr UINT DM_REPOSITION = WM_USER + 2;
constexpr WORD DC_HASDEFID = 0x534B;

// A template in memory, as the resource compiler writes it: this header, then the menu, the
// class and the caption (each a UTF-16 string, or 0xFFFF and an ordinal, or an empty string),
// with DS_SETFONT the point size and the face name; then each item DWORD-aligned: its header,
// its class, its text and a WORD count of creation data bytes. Texts are UTF-16 on disk and
// UTF-8 in the windows made from them.
#pragma pack(push, 2)
struct DLGTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
};
struct DLGITEMTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    WORD id;
};
#pragma pack(pop)
using LPDLGTEMPLATEA = DLGTEMPLATE*;
using LPCDLGTEMPLATEA = const DLGTEMPLATE*;
using LPDLGTEMPLATE = LPDLGTEMPLATEA;
using LPCDLGTEMPLATE = LPCDLGTEMPLATEA;
using LPDLGITEMTEMPLATE = DLGITEMTEMPLATE*;

using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                        LPARAM initParam);
HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC proc, LPARAM initParam);
// Modal: -1 when the dialog cannot be made, else the value given to EndDialog.
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                        LPARAM initParam);
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC proc, LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessageA(HWND dialog, LPMSG msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL MapDialogRect(HWND dialog, LPRECT rect);
LONG GetDialogBaseUnits();

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int maxCount);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);

inline HWND CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                              LPARAM initParam) {
    return CreateDialogParamA(instance, templateName, parent, proc, initParam);
}
inline HWND CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate,
                                      HWND parent, DLGPROC proc, LPARAM initParam) {
    return CreateDialogIndirectParamA(instance, dialogTemplate, parent, proc, initParam);
}
inline HWND CreateDialogA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
    return CreateDialogParamA(instance, templateName, parent, proc, 0);
}
inline INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                              LPARAM initParam) {
    return DialogBoxParamA(instance, templateName, parent, proc, initParam);
}
inline INT_PTR DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate,
                                      HWND parent, DLGPROC proc, LPARAM initParam) {
    return DialogBoxIndirectParamA(instance, dialogTemplate, parent, proc, initParam);
}
inline INT_PTR DialogBoxA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
    return DialogBoxParamA(instance, templateName, parent, proc, 0);
}
inline LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefDlgProcA(dialog, msg, wParam, lParam);
}
inline BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
    return IsDialogMessageA(dialog, msg);
}
inline BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
    return SetDlgItemTextA(dialog, id, text);
}
inline UINT GetDlgItemText(HWND dialog, int id, LPSTR text, int maxCount) {
    return GetDlgItemTextA(dialog, id, text, maxCount);
}
inline LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(dialog, id, msg, wParam, lParam);
}

// Message boxes
// Returns the button chosen, 0 for an invalid uType (ERROR_INVALID_PARAMETER).
int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
BOOL MessageBeep(UINT uType);

inline int MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    return MessageBoxA(hWnd, lpText, lpCaption, uType);
}
