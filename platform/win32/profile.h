// Profile (.ini) files. A file name without a folder lies in the Windows folder.
#pragma once

#include "win32/errors.h"
#include "win32/types.h"

// NULL section lists the sections, NULL key lists the section's keys (each NUL-terminated, one
// more NUL at the end; size - 2 when cut). A value that does not fit is cut and the result is
// size - 1. A missing value gives the default without its trailing blanks.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer,
                               DWORD size, LPCSTR file_name);
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT default_value, LPCSTR file_name);
DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file_name);
DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file_name);
// NULL value deletes the key, NULL key deletes the section; other lines are kept as they are.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file_name);
BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR file_name);

// The same on WIN.INI.
DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer, DWORD size);
UINT GetProfileIntA(LPCSTR section, LPCSTR key, INT default_value);
BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);
