// The status bar ("msctls_statusbar32"): a strip of parts with texts along a window's bottom.
#pragma once

#include "win32/controls.h"

#define STATUSCLASSNAMEA "msctls_statusbar32"
#define STATUSCLASSNAME STATUSCLASSNAMEA

constexpr DWORD SBARS_SIZEGRIP = 0x0100;
constexpr DWORD SBARS_TOOLTIPS = 0x0800;

constexpr UINT SB_SETTEXTA = WM_USER + 1;
constexpr UINT SB_GETTEXTA = WM_USER + 2;
constexpr UINT SB_GETTEXTLENGTHA = WM_USER + 3;
constexpr UINT SB_SETPARTS = WM_USER + 4;
constexpr UINT SB_GETPARTS = WM_USER + 6;
constexpr UINT SB_GETBORDERS = WM_USER + 7;
constexpr UINT SB_SETMINHEIGHT = WM_USER + 8;
constexpr UINT SB_SIMPLE = WM_USER + 9;
constexpr UINT SB_GETRECT = WM_USER + 10;
constexpr UINT SB_ISSIMPLE = WM_USER + 14;
constexpr UINT SB_SETTEXT = SB_SETTEXTA;
constexpr UINT SB_GETTEXT = SB_GETTEXTA;
constexpr UINT SB_GETTEXTLENGTH = SB_GETTEXTLENGTHA;

// SB_SETTEXT's drawing types, or'ed into the part number.
constexpr UINT SBT_OWNERDRAW = 0x1000;
constexpr UINT SBT_NOBORDERS = 0x0100;
constexpr UINT SBT_POPOUT = 0x0200;
constexpr UINT SBT_RTLREADING = 0x0400;
constexpr UINT SBT_NOTABPARSING = 0x0800;

constexpr UINT SB_SIMPLEID = 0x00FF; // the part of a bar in simple mode
