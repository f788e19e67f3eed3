// The link control ("Link Window"): text in which <a>...</a> marks links the user can click.
#pragma once

#include "win32/controls.h"

#define WC_LINKA "Link Window"

constexpr DWORD LWS_TRANSPARENT = 0x0001; // the parent's background is left as it is

constexpr int MAX_LINKID_TEXT = 48;
constexpr int L_MAX_URL_LENGTH = 2048 + 32 + 4;

constexpr UINT LIF_ITEMINDEX = 0x0001;
constexpr UINT LIF_STATE = 0x0002;
constexpr UINT LIF_ITEMID = 0x0004;
constexpr UINT LIF_URL = 0x0008;

struct LITEM {
    UINT mask;
    int iLink;
    UINT state;
    UINT stateMask;
    WCHAR szID[MAX_LINKID_TEXT];
    WCHAR szUrl[L_MAX_URL_LENGTH];
};

// NM_CLICK (and NM_RETURN) from a link control carry the link.
struct NMLINK {
    NMHDR hdr;
    LITEM item;
};
using PNMLINK = NMLINK*;
