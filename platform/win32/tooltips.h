// The tool-tip control ("tooltips_class32"): a small popup that shows a tool's text when the
// pointer rests on the tool. It learns about the pointer from the messages relayed to it.
#pragma once

#include "win32/window.h"

#define TOOLTIPS_CLASSA "tooltips_class32"
#define TOOLTIPS_CLASS TOOLTIPS_CLASSA

constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;

// The tool is a window, named by uId; otherwise uId is the caller's and rect is the tool's area
// in hwnd's client coordinates.
constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_SUBCLASS = 0x0010;

struct TOOLINFOA {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
    void* lpReserved;
};
using TOOLINFO = TOOLINFOA;

// A tool with this text asks its window for the text (TTN_GETDISPINFOA) each time it is shown.
inline const LPSTR LPSTR_TEXTCALLBACKA = reinterpret_cast<LPSTR>(static_cast<INT_PTR>(-1));
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKA
using LPTOOLINFOA = TOOLINFOA*;
using LPTOOLINFO = TOOLINFOA*;

constexpr UINT TTM_ACTIVATE = WM_USER + 1;
constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
constexpr UINT TTM_ADDTOOLA = WM_USER + 4;
constexpr UINT TTM_DELTOOLA = WM_USER + 5;
constexpr UINT TTM_NEWTOOLRECTA = WM_USER + 6;
constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
constexpr UINT TTM_GETTEXTA = WM_USER + 11;
constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
constexpr UINT TTM_POP = WM_USER + 28;
constexpr UINT TTM_ADDTOOL = TTM_ADDTOOLA;
constexpr UINT TTM_DELTOOL = TTM_DELTOOLA;
constexpr UINT TTM_NEWTOOLRECT = TTM_NEWTOOLRECTA;
constexpr UINT TTM_GETTEXT = TTM_GETTEXTA;

// TTM_SETDELAYTIME's wParam.
constexpr WPARAM TTDT_AUTOMATIC = 0;
constexpr WPARAM TTDT_RESHOW = 1;
constexpr WPARAM TTDT_AUTOPOP = 2;
constexpr WPARAM TTDT_INITIAL = 3;

// Sent (WM_NOTIFY, from the tip) to a text-callback tool's window. The window sets lpszText to
// a string, to a string resource id of hinst, or copies the text into szText (lpszText's first
// value).
constexpr UINT TTN_FIRST = 0u - 520u;
constexpr UINT TTN_GETDISPINFOA = TTN_FIRST - 0;
constexpr UINT TTN_GETDISPINFO = TTN_GETDISPINFOA;

struct NMTTDISPINFOA {
    NMHDR hdr;
    LPSTR lpszText;
    char szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
};
using NMTTDISPINFO = NMTTDISPINFOA;
using LPNMTTDISPINFOA = NMTTDISPINFOA*;
