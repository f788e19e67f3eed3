// The animation control ("SysAnimate32"): plays the frames of an AVI clip.
#pragma once

#include "win32/window.h"

#define ANIMATE_CLASSA "SysAnimate32"
#define ANIMATE_CLASS ANIMATE_CLASSA

constexpr DWORD ACS_CENTER = 0x0001;      // the frame centred, the control keeps its size
constexpr DWORD ACS_TRANSPARENT = 0x0002; // pixels of the frame's top-left colour show through
constexpr DWORD ACS_AUTOPLAY = 0x0004;    // plays on open, for ever
constexpr DWORD ACS_TIMER = 0x0008;

// wParam: the module of a resource clip (NULL: the control's); lParam: a path, a resource
// name or id of type "AVI", or NULL to close.
constexpr UINT ACM_OPENA = WM_USER + 100;
// wParam: passes (-1: for ever); lParam: MAKELONG(first frame, last frame; -1: the last).
constexpr UINT ACM_PLAY = WM_USER + 101;
constexpr UINT ACM_STOP = WM_USER + 102;
constexpr UINT ACM_ISPLAYING = WM_USER + 104;
constexpr UINT ACM_OPEN = ACM_OPENA;

// WM_COMMAND notifications.
constexpr WORD ACN_START = 1;
constexpr WORD ACN_STOP = 2;
