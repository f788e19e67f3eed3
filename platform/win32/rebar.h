// The rebar ("ReBarWindow32"): bands in rows, each with a gripper, a label and a child window.
#pragma once

#include "win32/controls.h"
#include "win32/image_list.h"

#include <cstddef>

#define REBARCLASSNAMEA "ReBarWindow32"
#define REBARCLASSNAME REBARCLASSNAMEA

constexpr DWORD RBS_TOOLTIPS = 0x0100;
constexpr DWORD RBS_VARHEIGHT = 0x0200;
constexpr DWORD RBS_BANDBORDERS = 0x0400;
constexpr DWORD RBS_FIXEDORDER = 0x0800;
constexpr DWORD RBS_AUTOSIZE = 0x2000;
constexpr DWORD RBS_VERTICALGRIPPER = 0x4000;
constexpr DWORD RBS_DBLCLKTOGGLE = 0x8000;

constexpr UINT RBBIM_STYLE = 0x0001;
constexpr UINT RBBIM_COLORS = 0x0002;
constexpr UINT RBBIM_TEXT = 0x0004;
constexpr UINT RBBIM_IMAGE = 0x0008;
constexpr UINT RBBIM_CHILD = 0x0010;
constexpr UINT RBBIM_CHILDSIZE = 0x0020;
constexpr UINT RBBIM_SIZE = 0x0040;
constexpr UINT RBBIM_BACKGROUND = 0x0080;
constexpr UINT RBBIM_ID = 0x0100;
constexpr UINT RBBIM_IDEALSIZE = 0x0200;
constexpr UINT RBBIM_LPARAM = 0x0400;
constexpr UINT RBBIM_HEADERSIZE = 0x0800;

constexpr UINT RBBS_BREAK = 0x0001;
constexpr UINT RBBS_FIXEDSIZE = 0x0002;
constexpr UINT RBBS_CHILDEDGE = 0x0004;
constexpr UINT RBBS_HIDDEN = 0x0008;
constexpr UINT RBBS_NOVERT = 0x0010;
constexpr UINT RBBS_FIXEDBMP = 0x0020;
constexpr UINT RBBS_VARIABLEHEIGHT = 0x0040;
constexpr UINT RBBS_GRIPPERALWAYS = 0x0080;
constexpr UINT RBBS_NOGRIPPER = 0x0100;

struct REBARBANDINFOA {
    UINT cbSize;
    UINT fMask;
    UINT fStyle;
    COLORREF clrFore;
    COLORREF clrBack;
    LPSTR lpText;
    UINT cch;
    int iImage;
    HWND hwndChild;
    UINT cxMinChild;
    UINT cyMinChild;
    UINT cx;
    HBITMAP hbmBack;
    UINT wID;
    UINT cyChild;
    UINT cyMaxChild;
    UINT cyIntegral;
    UINT cxIdeal;
    LPARAM lParam;
    UINT cxHeader;
};
using LPREBARBANDINFOA = REBARBANDINFOA*;
using REBARBANDINFO = REBARBANDINFOA;
// The oldest record callers may pass: up to wID.
constexpr UINT REBARBANDINFOA_V3_SIZE = offsetof(REBARBANDINFOA, wID) + sizeof(UINT);

constexpr UINT RBIM_IMAGELIST = 0x0001;

struct REBARINFO {
    UINT cbSize;
    UINT fMask;
    HIMAGELIST himl;
};
using LPREBARINFO = REBARINFO*;

constexpr UINT RBHT_NOWHERE = 0x0001;
constexpr UINT RBHT_CAPTION = 0x0002;
constexpr UINT RBHT_CLIENT = 0x0003;
constexpr UINT RBHT_GRABBER = 0x0004;

struct RBHITTESTINFO {
    POINT pt;
    UINT flags;
    int iBand;
};
using LPRBHITTESTINFO = RBHITTESTINFO*;

constexpr UINT RB_INSERTBANDA = WM_USER + 1;
constexpr UINT RB_DELETEBAND = WM_USER + 2;
constexpr UINT RB_GETBARINFO = WM_USER + 3;
constexpr UINT RB_SETBARINFO = WM_USER + 4;
constexpr UINT RB_SETBANDINFOA = WM_USER + 6;
constexpr UINT RB_HITTEST = WM_USER + 8;
constexpr UINT RB_GETRECT = WM_USER + 9;
constexpr UINT RB_GETBANDCOUNT = WM_USER + 12;
constexpr UINT RB_GETROWCOUNT = WM_USER + 13;
constexpr UINT RB_GETROWHEIGHT = WM_USER + 14;
constexpr UINT RB_IDTOINDEX = WM_USER + 16;
constexpr UINT RB_GETBARHEIGHT = WM_USER + 27;
constexpr UINT RB_GETBANDINFOA = WM_USER + 29;
constexpr UINT RB_SHOWBAND = WM_USER + 35;
constexpr UINT RB_INSERTBAND = RB_INSERTBANDA;
constexpr UINT RB_SETBANDINFO = RB_SETBANDINFOA;
constexpr UINT RB_GETBANDINFO = RB_GETBANDINFOA;

constexpr UINT RBN_FIRST = 0U - 831U;
constexpr UINT RBN_HEIGHTCHANGE = RBN_FIRST - 0;
