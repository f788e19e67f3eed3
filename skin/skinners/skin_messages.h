// The toolkit's private window messages, numbered from the user-message base plus 5000.
#pragma once

#include "win32/win32.h"

constexpr UINT kGlazeworkMessageBase = WM_USER + 5000;

constexpr UINT GWM_OUTSIDE_LBUTTONDOWN = kGlazeworkMessageBase + 24;
constexpr UINT GWM_OUTSIDE_RBUTTONDOWN = kGlazeworkMessageBase + 25;
constexpr UINT GWM_MENUMOUSEMOVE = kGlazeworkMessageBase + 26;
constexpr UINT GWM_MENUCLOSED = kGlazeworkMessageBase + 27;
constexpr UINT GWM_MDICHILDGONE = kGlazeworkMessageBase + 28;
constexpr UINT GWM_POSTATTACH_BORDER = kGlazeworkMessageBase + 29;
constexpr UINT GWM_POSTATTACH_COLORS = kGlazeworkMessageBase + 30;
constexpr UINT GWM_POSTATTACH_PROGRESS = kGlazeworkMessageBase + 31;
constexpr UINT GWM_CLOSESUBMENU = kGlazeworkMessageBase + 32;
constexpr UINT GWM_EXECUTEITEM = kGlazeworkMessageBase + 33;
// A system-menu caption button asks its window for the skinned system menu; posted, so that
// the menu's loop runs after the button's mouse handling has ended.
constexpr UINT GWM_SHOWSYSTEMMENU = kGlazeworkMessageBase + 34;
// The owner forgets the control (wParam) from its child map; sent from WM_NCDESTROY.
constexpr UINT GWM_CHILDDESTROYED = kGlazeworkMessageBase + 35;
// A menu key from the keyboard hook (wParam the virtual key, or -1 for a released Alt key;
// lParam the key data); non-zero means the key was taken.
constexpr UINT GWM_MENUKEY = kGlazeworkMessageBase + 36;
// The skinned parent copies its painted background under the control (lParam) into the DC
// (wParam); returns 1.
constexpr UINT GWM_PAINTBACKGROUND = kGlazeworkMessageBase + 37;
constexpr UINT GWM_SAVEFONT = kGlazeworkMessageBase + 38;
constexpr UINT GWM_GETFRAMESTYLE = kGlazeworkMessageBase + 41;

// The window class of the skinned popup menus.
constexpr char kGlazeworkPopupMenuClass[] = "GlazeworkPopupMenuWnd";
