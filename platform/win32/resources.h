// Resources compiled into the program (tools/rescomp): custom data and string tables.
// Any instance handle, and NULL, names the running program.
#pragma once

#include "win32/types.h"

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_DLGINIT MAKEINTRESOURCE(240)

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
BOOL FreeResource(HGLOBAL hResData);

// Copies string uID (UTF-8, in the user's language, else English) into lpBuffer, cut to
// cchBufferMax - 1 bytes at a character boundary and terminated. Returns the bytes copied,
// 0 when the string is missing.
int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);

// A bitmap resource (RT_BITMAP: a DIB without its file header) as a device-dependent bitmap;
// NULL when it is missing or malformed.
HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName);
#define LoadBitmap LoadBitmapA

// An icon resource (RT_ICON: a 24-bit DIB whose magenta pixels are transparent) with its mask;
// NULL when it is missing (FindResource's error) or malformed (ERROR_INVALID_DATA).
HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);

// Icons of a program file: only the running program's own file has any here (its icon
// resources in id order). Index -1 with no arrays counts them; otherwise up to `icons` icons
// from `index` on go into the arrays given (the caller destroys them). Returns the number of
// icons extracted, 0 for any other file.
UINT ExtractIconExA(LPCSTR file, int index, HICON* large, HICON* small, UINT icons);

inline HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    return FindResourceA(hModule, lpName, lpType);
}
inline HICON LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName) {
    return LoadIconA(hInstance, lpIconName);
}
inline int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    return LoadStringA(hInstance, uID, lpBuffer, cchBufferMax);
}
