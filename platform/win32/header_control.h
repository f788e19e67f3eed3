// The header control ("SysHeader32"): a row of column titles whose widths the user can drag.
#pragma once

#include "win32/image_list.h"
#include "win32/window.h"

#define WC_HEADERA "SysHeader32"
#define WC_HEADER WC_HEADERA

constexpr DWORD HDS_HORZ = 0x0000;
constexpr DWORD HDS_BUTTONS = 0x0002;
constexpr DWORD HDS_HOTTRACK = 0x0004;
constexpr DWORD HDS_HIDDEN = 0x0008;
constexpr DWORD HDS_DRAGDROP = 0x0040;
constexpr DWORD HDS_FULLDRAG = 0x0080;
constexpr DWORD HDS_FLAT = 0x0200;

constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
constexpr UINT HDM_INSERTITEMA = HDM_FIRST + 1;
constexpr UINT HDM_DELETEITEM = HDM_FIRST + 2;
constexpr UINT HDM_GETITEMA = HDM_FIRST + 3;
constexpr UINT HDM_SETITEMA = HDM_FIRST + 4;
constexpr UINT HDM_LAYOUT = HDM_FIRST + 5;
constexpr UINT HDM_HITTEST = HDM_FIRST + 6;
constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
constexpr UINT HDM_SETIMAGELIST = HDM_FIRST + 8;
constexpr UINT HDM_GETIMAGELIST = HDM_FIRST + 9;
constexpr UINT HDM_INSERTITEM = HDM_INSERTITEMA;
constexpr UINT HDM_GETITEM = HDM_GETITEMA;
constexpr UINT HDM_SETITEM = HDM_SETITEMA;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_HEIGHT = HDI_WIDTH;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;
constexpr UINT HDI_BITMAP = 0x0010;
constexpr UINT HDI_IMAGE = 0x0020;
constexpr UINT HDI_ORDER = 0x0080;

constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_IMAGE = 0x0800;
constexpr int HDF_BITMAP_ON_RIGHT = 0x1000;
constexpr int HDF_BITMAP = 0x2000;
constexpr int HDF_STRING = 0x4000;
constexpr int HDF_OWNERDRAW = 0x8000;

struct HDITEMA {
    UINT mask;
    int cxy;
    LPSTR pszText;
    HBITMAP hbm;
    int cchTextMax;
    int fmt;
    LPARAM lParam;
    int iImage;
    int iOrder;
};
using LPHDITEMA = HDITEMA*;
using HDITEM = HDITEMA;

struct HDLAYOUT {
    RECT* prc;
    WINDOWPOS* pwpos;
};
using LPHDLAYOUT = HDLAYOUT*;

constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;

struct HDHITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
};
using LPHDHITTESTINFO = HDHITTESTINFO*;

constexpr UINT HDN_FIRST = 0U - 300U;
constexpr UINT HDN_ITEMCHANGINGA = HDN_FIRST - 0;
constexpr UINT HDN_ITEMCHANGEDA = HDN_FIRST - 1;
constexpr UINT HDN_ITEMCLICKA = HDN_FIRST - 2;
constexpr UINT HDN_ITEMDBLCLICKA = HDN_FIRST - 3;
constexpr UINT HDN_DIVIDERDBLCLICKA = HDN_FIRST - 5;
constexpr UINT HDN_BEGINTRACKA = HDN_FIRST - 6;
constexpr UINT HDN_ENDTRACKA = HDN_FIRST - 7;
constexpr UINT HDN_TRACKA = HDN_FIRST - 8;
constexpr UINT HDN_ITEMCHANGING = HDN_ITEMCHANGINGA;
constexpr UINT HDN_ITEMCHANGED = HDN_ITEMCHANGEDA;
constexpr UINT HDN_ITEMCLICK = HDN_ITEMCLICKA;
constexpr UINT HDN_BEGINTRACK = HDN_BEGINTRACKA;
constexpr UINT HDN_ENDTRACK = HDN_ENDTRACKA;
constexpr UINT HDN_TRACK = HDN_TRACKA;

struct NMHEADERA {
    NMHDR hdr;
    int iItem;
    int iButton;
    HDITEMA* pitem;
};
using LPNMHEADERA = NMHEADERA*;
using NMHEADER = NMHEADERA;
