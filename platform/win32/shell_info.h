// What the shell tells about a file: its icon, the name it shows and its type, by the file's
// kind (a folder, a program, a picture, a sound, any other document).
#pragma once

#include "win32/types.h"

struct SHFILEINFOA {
    HICON hIcon;
    int iIcon;
    DWORD dwAttributes;
    CHAR szDisplayName[MAX_PATH];
    CHAR szTypeName[80];
};
using SHFILEINFO = SHFILEINFOA;

constexpr UINT SHGFI_LARGEICON = 0x00000000;
constexpr UINT SHGFI_SMALLICON = 0x00000001;
constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x00000010;
constexpr UINT SHGFI_ICON = 0x00000100;
constexpr UINT SHGFI_DISPLAYNAME = 0x00000200;
constexpr UINT SHGFI_TYPENAME = 0x00000400;

// Fills what `flags` asks for; with SHGFI_ICON the caller destroys info->hIcon. Without
// SHGFI_USEFILEATTRIBUTES the file must exist; with it `attributes` (FILE_ATTRIBUTE_DIRECTORY or
// not) stands for the file. Non-zero on success; 0 when the file is missing or a flag asks for
// something not served here.
DWORD_PTR SHGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT infoSize,
                         UINT flags);
#define SHGetFileInfo SHGetFileInfoA
