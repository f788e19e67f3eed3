// "SysHeader32": column titles laid out left to right by their widths. A click on a title
// (HDS_BUTTONS) reports HDN_ITEMCLICK; dragging the divider at a title's right edge resizes it
// with HDN_BEGINTRACK, HDN_ITEMCHANGING/CHANGED (which the parent may refuse) and HDN_ENDTRACK.
#include "win32/header_control.h"
#include "controls/control_support.h"
#include "controls/item_control_classes.h"
#include "controls/item_text.h"
#include "controls/paint_message.h"

#include <algorithm>
#include <vector>

namespace lv::controls {
namespace {

constexpr int kDividerGrip = 4; // pixels either side of a divider that grab it
constexpr int kTextInset = 6;

struct HeaderItem {
    std::string text;
    int width = 0;
    int format = HDF_LEFT | HDF_STRING;
    LPARAM param = 0;
    int image = -1;
};

struct HeaderState {
    std::vector<HeaderItem> items;
    HIMAGELIST images = nullptr;
    HFONT font = nullptr;
    int pressed = -1;  // a title held down
    int tracking = -1; // a divider being dragged
    int track_offset = 0;
};

RECT item_rect(HWND hwnd, const HeaderState& s, int index) {
    RECT client{};
    GetClientRect(hwnd, &client);
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += s.items[static_cast<std::size_t>(i)].width;
    return RECT{left, 0, left + s.items[static_cast<std::size_t>(index)].width, client.bottom};
}

int hit_test(HWND hwnd, const HeaderState& s, POINT p, UINT* flags) {
    RECT client{};
    GetClientRect(hwnd, &client);
    for (int i = 0; i < static_cast<int>(s.items.size()); ++i) {
        const RECT r = item_rect(hwnd, s, i);
        if (p.y >= client.top && p.y < client.bottom && std::abs(p.x - r.right) <= kDividerGrip) {
            *flags = HHT_ONDIVIDER;
            return i;
        }
    }
    for (int i = 0; i < static_cast<int>(s.items.size()); ++i) {
        const RECT r = item_rect(hwnd, s, i);
        if (PtInRect(&r, p)) {
            *flags = HHT_ONHEADER;
            return i;
        }
    }
    *flags = HHT_NOWHERE;
    return -1;
}

LRESULT notify(HWND hwnd, UINT code, int index, HDITEMA* item = nullptr) {
    NMHEADERA header{};
    header.iItem = index;
    header.pitem = item;
    return notify_parent(hwnd, header.hdr, code);
}

// Sets a title's width as the user does: HDN_ITEMCHANGING may refuse it.
void resize_by_user(HWND hwnd, HeaderState& s, int index, int width) {
    HeaderItem& item = s.items[static_cast<std::size_t>(index)];
    if (width == item.width)
        return;
    HDITEMA change{};
    change.mask = HDI_WIDTH;
    change.cxy = width;
    if (notify(hwnd, HDN_ITEMCHANGINGA, index, &change) != 0)
        return;
    item.width = width;
    InvalidateRect(hwnd, nullptr, TRUE);
    notify(hwnd, HDN_ITEMCHANGEDA, index, &change);
}

void paint(HWND hwnd, HDC dc, const HeaderState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < static_cast<int>(s.items.size()); ++i) {
        const HeaderItem& item = s.items[static_cast<std::size_t>(i)];
        RECT r = item_rect(hwnd, s, i);
        const bool down = i == s.pressed;
        DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT);
        RECT text = r;
        InflateRect(&text, -kTextInset, 0);
        if (down)
            OffsetRect(&text, 1, 1);
        if (s.images && (item.format & HDF_IMAGE) && item.image >= 0) {
            int cx = 0, cy = 0;
            ImageList_GetIconSize(s.images, &cx, &cy);
            ImageList_Draw(s.images, item.image, dc, text.left,
                           text.top + (text.bottom - text.top - cy) / 2, ILD_TRANSPARENT);
            text.left += cx + 2;
        }
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        if ((item.format & HDF_JUSTIFYMASK) == HDF_CENTER)
            format |= DT_CENTER;
        else if ((item.format & HDF_JUSTIFYMASK) == HDF_RIGHT)
            format |= DT_RIGHT;
        DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, format);
    }
    SelectObject(dc, old);
}

void store_item(HeaderItem& item, const HDITEMA& info) {
    if (info.mask & HDI_WIDTH)
        item.width = std::max(0, info.cxy);
    if (info.mask & HDI_TEXT)
        item.text = text_from(info.pszText);
    if (info.mask & HDI_FORMAT)
        item.format = info.fmt;
    if (info.mask & HDI_LPARAM)
        item.param = info.lParam;
    if (info.mask & HDI_IMAGE)
        item.image = info.iImage;
}

LRESULT get_item(const HeaderState& s, int index, HDITEMA* info) {
    if (!info || index < 0 || index >= static_cast<int>(s.items.size()))
        return FALSE;
    const HeaderItem& item = s.items[static_cast<std::size_t>(index)];
    if (info->mask & HDI_WIDTH)
        info->cxy = item.width;
    if (info->mask & HDI_TEXT)
        copy_text(item.text, info->pszText, info->cchTextMax);
    if (info->mask & HDI_FORMAT)
        info->fmt = item.format;
    if (info->mask & HDI_LPARAM)
        info->lParam = item.param;
    if (info->mask & HDI_IMAGE)
        info->iImage = item.image;
    if (info->mask & HDI_ORDER)
        info->iOrder = index;
    return TRUE;
}

// HDM_LAYOUT: the header takes the top of the given rectangle, which keeps the rest.
LRESULT layout(HWND hwnd, const HeaderState& s, HDLAYOUT* layout) {
    if (!layout || !layout->prc || !layout->pwpos)
        return FALSE;
    RECT& area = *layout->prc;
    const int height = (style_of(hwnd) & HDS_HIDDEN) ? 0 : line_height(hwnd, s.font) + 8;
    WINDOWPOS& pos = *layout->pwpos;
    pos = WINDOWPOS{};
    pos.hwnd = hwnd;
    pos.x = area.left;
    pos.y = area.top;
    pos.cx = area.right - area.left;
    pos.cy = height;
    pos.flags = SWP_NOZORDER | SWP_NOACTIVATE;
    area.top += height;
    return TRUE;
}

LRESULT on_button_down(HWND hwnd, HeaderState& s, POINT p) {
    UINT flags = 0;
    const int index = hit_test(hwnd, s, p, &flags);
    if (index < 0)
        return 0;
    if (flags == HHT_ONDIVIDER) {
        if (notify(hwnd, HDN_BEGINTRACKA, index) != 0)
            return 0;
        s.tracking = index;
        s.track_offset = p.x - item_rect(hwnd, s, index).right;
        SetCapture(hwnd);
        return 0;
    }
    if (style_of(hwnd) & HDS_BUTTONS) {
        s.pressed = index;
        SetCapture(hwnd);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return 0;
}

LRESULT on_mouse_move(HWND hwnd, HeaderState& s, POINT p) {
    if (s.tracking < 0)
        return 0;
    const RECT r = item_rect(hwnd, s, s.tracking);
    resize_by_user(hwnd, s, s.tracking,
                   std::max(0, p.x - s.track_offset - static_cast<int>(r.left)));
    return 0;
}

LRESULT on_button_up(HWND hwnd, HeaderState& s, POINT p) {
    if (s.tracking >= 0) {
        const int index = s.tracking;
        s.tracking = -1;
        ReleaseCapture();
        notify(hwnd, HDN_ENDTRACKA, index);
        return 0;
    }
    if (s.pressed >= 0) {
        const int index = s.pressed;
        s.pressed = -1;
        ReleaseCapture();
        InvalidateRect(hwnd, nullptr, TRUE);
        const RECT r = item_rect(hwnd, s, index);
        if (PtInRect(&r, p))
            notify(hwnd, HDN_ITEMCLICKA, index);
    }
    return 0;
}

LRESULT CALLBACK header_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<HeaderState>(hwnd);
    HeaderState* s = state_of<HeaderState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_NCDESTROY:
        destroy_state<HeaderState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_LBUTTONDOWN:
        return on_button_down(hwnd, *s, p);
    case WM_MOUSEMOVE:
        return on_mouse_move(hwnd, *s, p);
    case WM_LBUTTONUP:
        return on_button_up(hwnd, *s, p);
    case WM_CAPTURECHANGED:
        if (s->pressed >= 0 || s->tracking >= 0) {
            s->pressed = s->tracking = -1;
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_SETCURSOR:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case HDM_GETITEMCOUNT:
        return static_cast<LRESULT>(s->items.size());
    case HDM_INSERTITEMA: {
        const auto* info = reinterpret_cast<const HDITEMA*>(lParam);
        if (!info)
            return -1;
        const int index =
            std::clamp(static_cast<int>(wParam), 0, static_cast<int>(s->items.size()));
        HeaderItem item;
        store_item(item, *info);
        s->items.insert(s->items.begin() + index, item);
        InvalidateRect(hwnd, nullptr, TRUE);
        return index;
    }
    case HDM_DELETEITEM: {
        const int index = static_cast<int>(wParam);
        if (index < 0 || index >= static_cast<int>(s->items.size()))
            return FALSE;
        s->items.erase(s->items.begin() + index);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case HDM_GETITEMA:
        return get_item(*s, static_cast<int>(wParam), reinterpret_cast<HDITEMA*>(lParam));
    case HDM_SETITEMA: {
        const int index = static_cast<int>(wParam);
        const auto* info = reinterpret_cast<const HDITEMA*>(lParam);
        if (!info || index < 0 || index >= static_cast<int>(s->items.size()))
            return FALSE;
        store_item(s->items[static_cast<std::size_t>(index)], *info);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case HDM_LAYOUT:
        return layout(hwnd, *s, reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST: {
        auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        info->iItem = hit_test(hwnd, *s, info->pt, &info->flags);
        return info->iItem;
    }
    case HDM_GETITEMRECT: {
        const int index = static_cast<int>(wParam);
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect || index < 0 || index >= static_cast<int>(s->items.size()))
            return FALSE;
        *rect = item_rect(hwnd, *s, index);
        return TRUE;
    }
    case HDM_SETIMAGELIST: {
        HIMAGELIST old = s->images;
        s->images = reinterpret_cast<HIMAGELIST>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case HDM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(s->images);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_header_class() {
    register_system_class(WC_HEADERA, header_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
