// The IP address control ("SysIPAddress32"): four number fields of 0 to 255.
#pragma once

#include "win32/window.h"

#define WC_IPADDRESSA "SysIPAddress32"
#define WC_IPADDRESS WC_IPADDRESSA

constexpr UINT IPM_CLEARADDRESS = WM_USER + 100;
constexpr UINT IPM_SETADDRESS = WM_USER + 101;
constexpr UINT IPM_GETADDRESS = WM_USER + 102;
constexpr UINT IPM_SETRANGE = WM_USER + 103;
constexpr UINT IPM_SETFOCUS = WM_USER + 104;
constexpr UINT IPM_ISBLANK = WM_USER + 105;

constexpr UINT IPN_FIRST = 0U - 860U;
constexpr UINT IPN_FIELDCHANGED = IPN_FIRST - 0;

struct NMIPADDRESS {
    NMHDR hdr;
    int iField;
    int iValue; // -1 for an empty field
};
using LPNMIPADDRESS = NMIPADDRESS*;

constexpr LPARAM MAKEIPRANGE(BYTE low, BYTE high) {
    return static_cast<LPARAM>((static_cast<WORD>(high) << 8) + low);
}
constexpr LPARAM MAKEIPADDRESS(BYTE b1, BYTE b2, BYTE b3, BYTE b4) {
    return static_cast<LPARAM>((static_cast<DWORD>(b1) << 24) + (static_cast<DWORD>(b2) << 16) +
                               (static_cast<DWORD>(b3) << 8) + b4);
}
constexpr BYTE FIRST_IPADDRESS(DWORD x) {
    return static_cast<BYTE>((x >> 24) & 0xFF);
}
constexpr BYTE SECOND_IPADDRESS(DWORD x) {
    return static_cast<BYTE>((x >> 16) & 0xFF);
}
constexpr BYTE THIRD_IPADDRESS(DWORD x) {
    return static_cast<BYTE>((x >> 8) & 0xFF);
}
constexpr BYTE FOURTH_IPADDRESS(DWORD x) {
    return static_cast<BYTE>(x & 0xFF);
}
