// Basic Windows-style types, handles and macros shared by every part of the layer.
// 64-bit clean: LONG and DWORD are 32 bits; values that can hold pointers are pointer-sized.
#pragma once

#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using BOOLEAN = BYTE;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using INT = int;
using UINT = unsigned int;
using CHAR = char;
using UCHAR = unsigned char;
using WCHAR = char16_t;
using TCHAR = char;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using DWORD64 = std::uint64_t;
using FLOAT = float;

using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using SIZE_T = std::size_t;

using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;

using LPSTR = char*;
using LPCSTR = const char*;
using LPTSTR = char*;
using LPCTSTR = const char*;
using LPCCH = const char*;
using PCHAR = char*;
using LPVOID = void*;
using LPCVOID = const void*;
using PVOID = void*;
using LPBYTE = BYTE*;
using PBYTE = BYTE*;
using LPDWORD = DWORD*;
using PDWORD = DWORD*;
using LPLONG = LONG*;
using PLONG = LONG*;
using LPBOOL = BOOL*;
using LPINT = int*;
using LPWORD = WORD*;

using COLORREF = DWORD;
using LPCOLORREF = DWORD*;
using ATOM = WORD;
using LCID = DWORD;
using LANGID = WORD;
using HRESULT = LONG;
using REGSAM = DWORD;
using HFILE = int;
using MMRESULT = UINT;
using MCIERROR = DWORD;
using MCIDEVICEID = UINT;

// Opaque handle types: distinct pointer types so that handles of different kinds do not mix.
#define LV_DECLARE_HANDLE(name)                                                                    \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    using name = name##__*

using HANDLE = void*;
using HGLOBAL = HANDLE;
using HLOCAL = HANDLE;
LV_DECLARE_HANDLE(HWND);
LV_DECLARE_HANDLE(HINSTANCE);
LV_DECLARE_HANDLE(HKEY);
LV_DECLARE_HANDLE(HRSRC);
LV_DECLARE_HANDLE(HDC);
LV_DECLARE_HANDLE(HGDIOBJ_);
LV_DECLARE_HANDLE(HBITMAP);
LV_DECLARE_HANDLE(HBRUSH);
LV_DECLARE_HANDLE(HPEN);
LV_DECLARE_HANDLE(HFONT);
LV_DECLARE_HANDLE(HRGN);
LV_DECLARE_HANDLE(HPALETTE);
LV_DECLARE_HANDLE(HICON);
LV_DECLARE_HANDLE(HMENU);
LV_DECLARE_HANDLE(HHOOK);
LV_DECLARE_HANDLE(HENHMETAFILE);
LV_DECLARE_HANDLE(HMETAFILE);
LV_DECLARE_HANDLE(HIMAGELIST);
using HGDIOBJ = void*;
using HCURSOR = HICON;
using HMODULE = HINSTANCE;
using PHKEY = HKEY*;

using FARPROC = LONG_PTR (*)();

#define CALLBACK
#define WINAPI
#define APIENTRY
#define PASCAL
#define FAR
#define NEAR
#define CONST const
#define IN
#define OUT
#define OPTIONAL

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr int MAX_PATH = 260;
constexpr HFILE HFILE_ERROR = -1;
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))

#define MAKEWORD(a, b)                                                                             \
    (static_cast<WORD>((static_cast<BYTE>(a)) | (static_cast<WORD>(static_cast<BYTE>(b)) << 8)))
#define MAKELONG(a, b)                                                                             \
    (static_cast<LONG>((static_cast<WORD>(a)) | (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xffff))
#define LOBYTE(w) (static_cast<BYTE>(static_cast<DWORD_PTR>(w) & 0xff))
#define HIBYTE(w) (static_cast<BYTE>((static_cast<DWORD_PTR>(w) >> 8) & 0xff))

#define RGB(r, g, b)                                                                               \
    (static_cast<COLORREF>((static_cast<BYTE>(r)) |                                                \
                           (static_cast<WORD>(static_cast<BYTE>(g)) << 8) |                        \
                           (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(static_cast<WORD>(rgb) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

// Resource names: small integers travel in the pointer.
#define MAKEINTRESOURCE(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define IS_INTRESOURCE(p) ((reinterpret_cast<ULONG_PTR>(p) >> 16) == 0)

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct SIZE {
    LONG cx;
    LONG cy;
};
using LPSIZE = SIZE*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

constexpr int LF_FACESIZE = 32;

// LOGFONTA as the theme file stores it: 60 bytes on disk (read field by field, never copied whole).
struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
using LOGFONT = LOGFONTA;
using LPLOGFONTA = LOGFONTA*;
using LPLOGFONT = LOGFONTA*;
