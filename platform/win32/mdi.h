// The multiple-document interface: the "MDIClient" window class, its messages, and the default
// procedures of frame and child windows.
#pragma once

#include "win32/types.h"
#include "win32/window.h"

constexpr UINT WM_MDICREATE = 0x0220;
constexpr UINT WM_MDIDESTROY = 0x0221;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_MDIRESTORE = 0x0223;
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDIMAXIMIZE = 0x0225;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
constexpr UINT WM_MDIGETACTIVE = 0x0229;

// WM_MDITILE, WM_MDICASCADE
constexpr UINT MDITILE_VERTICAL = 0x0000;
constexpr UINT MDITILE_HORIZONTAL = 0x0001;
constexpr UINT MDITILE_SKIPDISABLED = 0x0002;

// The client's style: children keep the styles they are created with.
constexpr DWORD MDIS_ALLCHILDSTYLES = 0x0001;

#define MDICLIENT_CLASS "MDIClient"

// The creation data of an "MDIClient" window (CREATESTRUCT's lpCreateParams).
struct CLIENTCREATESTRUCT {
    HANDLE hWindowMenu; // the frame's "Window" submenu; kept, not filled
    UINT idFirstChild;  // the id of the first child window
};
using LPCLIENTCREATESTRUCT = CLIENTCREATESTRUCT*;

// WM_MDICREATE's lParam; a child sees it as its CREATESTRUCT's lpCreateParams.
struct MDICREATESTRUCTA {
    LPCSTR szClass;
    LPCSTR szTitle;
    HANDLE hOwner; // the instance
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;
    LPARAM lParam; // the application's own value
};
using MDICREATESTRUCT = MDICREATESTRUCTA;
using LPMDICREATESTRUCTA = MDICREATESTRUCTA*;
using LPMDICREATESTRUCT = MDICREATESTRUCTA*;

// What a frame window's procedure passes on instead of DefWindowProc; `client` is its MDI client.
LRESULT DefFrameProcA(HWND hwnd, HWND client, UINT msg, WPARAM wParam, LPARAM lParam);
// What an MDI child's procedure passes on instead of DefWindowProc.
LRESULT DefMDIChildProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Ctrl+F4 and Ctrl+F6 for the active child; TRUE when the message was such a key.
BOOL TranslateMDISysAccel(HWND client, LPMSG msg);

#define DefFrameProc DefFrameProcA
#define DefMDIChildProc DefMDIChildProcA
