// Menus: menu objects and their items, menu bars of windows, system menus, menu resources and
// the modal tracking of popup menus.
#pragma once

#include "win32/gdi.h"
#include "win32/types.h"
#include "win32/window.h"

// ---- Item flags of AppendMenu, InsertMenu, ModifyMenu, GetMenuState -----------------------------
constexpr UINT MF_INSERT = 0x0000;
constexpr UINT MF_CHANGE = 0x0080;
constexpr UINT MF_APPEND = 0x0100;
constexpr UINT MF_DELETE = 0x0200;
constexpr UINT MF_REMOVE = 0x1000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_USECHECKBITMAPS = 0x0200;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_UNHILITE = 0x0000;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_HELP = 0x4000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
constexpr UINT MF_MOUSESELECT = 0x8000;
constexpr UINT MF_END = 0x0080; // the last item of a level in a menu template

// ---- MENUITEMINFO ---------------------------------------------------------------------------
constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_BITMAP = MF_BITMAP;
constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFT_RIGHTORDER = 0x2000;
constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;

constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_UNCHECKED = MF_UNCHECKED;
constexpr UINT MFS_UNHILITE = MF_UNHILITE;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

struct MENUITEMINFOA {
    UINT cbSize;
    UINT fMask;
    UINT fType;
    UINT fState;
    UINT wID;
    HMENU hSubMenu;
    HBITMAP hbmpChecked;
    HBITMAP hbmpUnchecked;
    ULONG_PTR dwItemData;
    LPSTR dwTypeData; // the text; for MFT_BITMAP with MIIM_TYPE, the bitmap handle
    UINT cch;         // in: the buffer's size; out: the text's length
    HBITMAP hbmpItem;
};
using MENUITEMINFO = MENUITEMINFOA;
using LPMENUITEMINFOA = MENUITEMINFOA*;
using LPMENUITEMINFO = MENUITEMINFOA*;
using LPCMENUITEMINFOA = const MENUITEMINFOA*;
using LPCMENUITEMINFO = const MENUITEMINFOA*;

// The predefined pictures of MIIM_BITMAP items (the frame's menu bar of a maximised MDI child
// carries them).
#define HBMMENU_CALLBACK (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(-1)))
#define HBMMENU_SYSTEM (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(1)))
#define HBMMENU_MBAR_RESTORE (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(2)))
#define HBMMENU_MBAR_MINIMIZE (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(3)))
#define HBMMENU_MBAR_CLOSE (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(5)))
#define HBMMENU_MBAR_CLOSE_D (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(6)))
#define HBMMENU_MBAR_MINIMIZE_D (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(7)))
#define HBMMENU_POPUP_CLOSE (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(8)))
#define HBMMENU_POPUP_RESTORE (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(9)))
#define HBMMENU_POPUP_MAXIMIZE (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(10)))
#define HBMMENU_POPUP_MINIMIZE (reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(11)))

// ---- TrackPopupMenu ---------------------------------------------------------------------------
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_HORIZONTAL = 0x0000;
constexpr UINT TPM_VERTICAL = 0x0040;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
constexpr UINT TPM_RECURSE = 0x0001;

struct TPMPARAMS {
    UINT cbSize;
    RECT rcExclude; // screen rectangle the menu should not cover
};
using LPTPMPARAMS = TPMPARAMS*;

// WM_MENUCHAR answers (high word; the low word is an item position)
constexpr LRESULT MNC_IGNORE = 0;
constexpr LRESULT MNC_CLOSE = 1;
constexpr LRESULT MNC_EXECUTE = 2;
constexpr LRESULT MNC_SELECT = 3;

constexpr UINT WM_UNINITMENUPOPUP = 0x0125;

// The window class of the popup menus the layer draws.
#define MENU_POPUP_CLASS "#32768"

// ---- Menu templates (RT_MENU) ------------------------------------------------------------------
// A header of two WORDs (version 0, offset 0), then the items of the top level. An item is a
// WORD of MF_* options; then, unless MF_POPUP is among them, a WORD command id; then its text in
// UTF-16 with a NUL. A popup's items follow it directly; MF_END marks the last item of a level.
// An item with no options, id 0 and an empty text is a separator.
struct MENUITEMTEMPLATEHEADER {
    WORD versionNumber;
    WORD offset;
};

// ---- Functions ----------------------------------------------------------------------------------
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and every submenu its items open.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);

// `idOrPopup` is a command id, or with MF_POPUP the submenu's handle; `item` is the text
// (MF_STRING), the bitmap (MF_BITMAP) or the item data (MF_OWNERDRAW).
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR item);
BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR item);
BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR item);
// RemoveMenu keeps the submenu of a popup item alive; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info);
BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info);
BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info);

// The item's previous state (MF_ENABLED, MF_GRAYED, MF_DISABLED; MF_CHECKED, MF_UNCHECKED), or
// -1 (0xFFFFFFFF for CheckMenuItem) when there is no such item.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);
// -1 for an item that opens a submenu, and for no item.
UINT GetMenuItemID(HMENU menu, int position);
// The item's MF_* flags; for an item that opens a submenu the low byte holds its flags and the
// high byte the submenu's item count. -1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Copies the text (the length without the NUL); with a null buffer, the text's length.
int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags);

// Menu resources of the module (RT_MENU), in the user's language.
HMENU LoadMenuA(HINSTANCE instance, LPCSTR name);

// The menu bar of a window that is not a child.
HMENU GetMenu(HWND hwnd);
BOOL SetMenu(HWND hwnd, HMENU menu);
BOOL DrawMenuBar(HWND hwnd);
// The window's own copy of the system menu; `revert` drops the copy (and returns NULL).
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

// Runs the menu's modal loop; the chosen item's command is posted to `owner` as WM_COMMAND, or
// returned with TPM_RETURNCMD (0 when nothing was chosen).
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* reserved_rect);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
// Ends the calling thread's active menu loop.
BOOL EndMenu();

#define AppendMenu AppendMenuA
#define InsertMenu InsertMenuA
#define ModifyMenu ModifyMenuA
#define InsertMenuItem InsertMenuItemA
#define GetMenuItemInfo GetMenuItemInfoA
#define SetMenuItemInfo SetMenuItemInfoA
#define GetMenuString GetMenuStringA
#define LoadMenu LoadMenuA
