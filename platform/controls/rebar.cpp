// "ReBarWindow32": bands laid out in rows (a band with RBBS_BREAK starts a new one), each with a
// gripper, an optional label and a child window that the rebar places beside the label. The
// last band of a row takes the row's remaining width; the rebar takes the height of its rows.
#include "win32/rebar.h"
#include "controls/bar_dock.h"
#include "controls/control_support.h"
#include "controls/item_control_classes.h"
#include "controls/item_text.h"
#include "controls/paint_message.h"

#include <algorithm>
#include <vector>

namespace lv::controls {
namespace {

constexpr int kGripper = 8;
constexpr int kLabelGap = 4;
constexpr int kBandInset = 2; // between a band's edge and its child

struct Band {
    UINT style = 0;
    COLORREF fore = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
    std::string text;
    int image = -1;
    HWND child = nullptr;
    UINT min_child_width = 0;
    UINT min_child_height = 0;
    UINT width = 0; // RBBIM_SIZE; 0: from the header and the child
    UINT id = 0;
    UINT child_height = 0;
    UINT max_child_height = 0;
    UINT integral = 0;
    UINT ideal = 0;
    LPARAM param = 0;
    RECT rect{};
};

struct RebarState {
    std::vector<Band> bands;
    HIMAGELIST images = nullptr;
    HFONT font = nullptr;
    int rows = 0;
    int height = 0;
    bool laying_out = false; // our own resizing comes back as WM_SIZE
};

bool visible(const Band& b) {
    return !(b.style & RBBS_HIDDEN);
}

int header_width(HWND hwnd, const RebarState& s, const Band& b) {
    int width = (b.style & RBBS_NOGRIPPER) ? kBandInset : kGripper;
    if (!b.text.empty())
        width += text_size(hwnd, s.font, b.text).cx + kLabelGap;
    return width;
}

int row_height(HWND hwnd, const RebarState& s, const Band& b) {
    return std::max<int>(static_cast<int>(b.min_child_height), line_height(hwnd, s.font)) +
           2 * kBandInset;
}

void place_child(HWND hwnd, const RebarState& s, const Band& b) {
    if (!b.child || !IsWindow(b.child))
        return;
    const int left = b.rect.left + header_width(hwnd, s, b);
    const int height = static_cast<int>(b.min_child_height);
    const int top = b.rect.top + (b.rect.bottom - b.rect.top - height) / 2;
    SetWindowPos(b.child, nullptr, left, top,
                 std::max(0, static_cast<int>(b.rect.right) - kBandInset - left), height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(b.child, visible(b) ? SW_SHOW : SW_HIDE);
}

void layout(HWND hwnd, RebarState& s) {
    if (s.laying_out)
        return;
    s.laying_out = true;
    std::vector<std::vector<Band*>> rows;
    for (Band& b : s.bands) {
        if (!visible(b)) {
            b.rect = RECT{};
            continue;
        }
        if (rows.empty() || (b.style & RBBS_BREAK))
            rows.emplace_back();
        rows.back().push_back(&b);
    }
    std::vector<int> heights;
    int total = 0;
    for (auto& row : rows) {
        int height = 0;
        for (Band* b : row)
            height = std::max(height, row_height(hwnd, s, *b));
        heights.push_back(height);
        total += height;
    }
    // The height follows the rows; the width (the parent's, when docked) sets where rows end.
    if (!(style_of(hwnd) & CCS_NORESIZE) && total > 0)
        dock_bar(hwnd, total, false);
    RECT client{};
    GetClientRect(hwnd, &client);
    int top = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        int x = 0;
        for (std::size_t i = 0; i < rows[r].size(); ++i) {
            Band& b = *rows[r][i];
            int width = b.width > 0 ? static_cast<int>(b.width)
                                    : header_width(hwnd, s, b) +
                                          static_cast<int>(b.min_child_width) + kBandInset;
            if (i + 1 == rows[r].size())
                width = std::max(width, static_cast<int>(client.right) - x);
            b.rect = RECT{x, top, x + width, top + heights[r]};
            x += width;
        }
        top += heights[r];
    }
    s.rows = static_cast<int>(rows.size());
    for (const Band& b : s.bands)
        place_child(hwnd, s, b);
    const int old = s.height;
    s.height = total;
    s.laying_out = false;
    if (old != s.height) {
        NMHDR header{};
        notify_parent(hwnd, header, RBN_HEIGHTCHANGE);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

void draw_gripper(HDC dc, const RECT& band) {
    RECT grip{band.left + 2, band.top + 2, band.left + 5, band.bottom - 2};
    DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
}

void paint(HWND hwnd, HDC dc, const RebarState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    SetBkMode(dc, TRANSPARENT);
    const bool borders = (style_of(hwnd) & RBS_BANDBORDERS) != 0;
    for (const Band& b : s.bands) {
        if (!visible(b))
            continue;
        RECT r = b.rect;
        if (b.back != CLR_DEFAULT) {
            HBRUSH brush = CreateSolidBrush(b.back);
            FillRect(dc, &r, brush);
            DeleteObject(brush);
        }
        if (borders)
            DrawEdge(dc, &r, EDGE_ETCHED, BF_RIGHT | BF_BOTTOM);
        if (!(b.style & RBBS_NOGRIPPER))
            draw_gripper(dc, r);
        if (b.text.empty())
            continue;
        SetTextColor(dc, b.fore != CLR_DEFAULT ? b.fore : GetSysColor(COLOR_BTNTEXT));
        RECT label{r.left + ((b.style & RBBS_NOGRIPPER) ? kBandInset : kGripper), r.top,
                   r.left + header_width(hwnd, s, b), r.bottom};
        DrawTextA(dc, b.text.c_str(), static_cast<int>(b.text.size()), &label,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    SelectObject(dc, old);
}

// Whether the caller's record is long enough to hold `field` (records grew over versions).
bool covers(const REBARBANDINFOA& info, const void* field, std::size_t size) {
    const auto offset = static_cast<std::size_t>(static_cast<const char*>(field) -
                                                 reinterpret_cast<const char*>(&info));
    return offset + size <= info.cbSize;
}

bool valid_info(const REBARBANDINFOA* info) {
    return info && info->cbSize >= REBARBANDINFOA_V3_SIZE;
}

void store_band(Band& b, const REBARBANDINFOA& info) {
    if (info.fMask & RBBIM_STYLE)
        b.style = info.fStyle;
    if (info.fMask & RBBIM_COLORS) {
        b.fore = info.clrFore;
        b.back = info.clrBack;
    }
    if (info.fMask & RBBIM_TEXT)
        b.text = text_from(info.lpText);
    if (info.fMask & RBBIM_IMAGE)
        b.image = info.iImage;
    if (info.fMask & RBBIM_CHILD)
        b.child = info.hwndChild;
    if (info.fMask & RBBIM_CHILDSIZE) {
        b.min_child_width = info.cxMinChild;
        b.min_child_height = info.cyMinChild;
        if (covers(info, &info.cyIntegral, sizeof(UINT))) {
            b.child_height = info.cyChild;
            b.max_child_height = info.cyMaxChild;
            b.integral = info.cyIntegral;
        }
    }
    if (info.fMask & RBBIM_SIZE)
        b.width = info.cx;
    if (info.fMask & RBBIM_ID)
        b.id = info.wID;
    if ((info.fMask & RBBIM_IDEALSIZE) && covers(info, &info.cxIdeal, sizeof(UINT)))
        b.ideal = info.cxIdeal;
    if ((info.fMask & RBBIM_LPARAM) && covers(info, &info.lParam, sizeof(LPARAM)))
        b.param = info.lParam;
}

LRESULT get_band(HWND hwnd, const RebarState& s, int index, REBARBANDINFOA* info) {
    if (!valid_info(info) || index < 0 || index >= static_cast<int>(s.bands.size()))
        return FALSE;
    const Band& b = s.bands[static_cast<std::size_t>(index)];
    if (info->fMask & RBBIM_STYLE)
        info->fStyle = b.style;
    if (info->fMask & RBBIM_COLORS) {
        info->clrFore = b.fore;
        info->clrBack = b.back;
    }
    if (info->fMask & RBBIM_TEXT)
        copy_text(b.text, info->lpText, static_cast<int>(info->cch));
    if (info->fMask & RBBIM_IMAGE)
        info->iImage = b.image;
    if (info->fMask & RBBIM_CHILD)
        info->hwndChild = b.child;
    if (info->fMask & RBBIM_CHILDSIZE) {
        info->cxMinChild = b.min_child_width;
        info->cyMinChild = b.min_child_height;
        if (covers(*info, &info->cyIntegral, sizeof(UINT))) {
            info->cyChild = b.child_height;
            info->cyMaxChild = b.max_child_height;
            info->cyIntegral = b.integral;
        }
    }
    if (info->fMask & RBBIM_SIZE)
        info->cx = static_cast<UINT>(b.rect.right - b.rect.left);
    if (info->fMask & RBBIM_ID)
        info->wID = b.id;
    if ((info->fMask & RBBIM_IDEALSIZE) && covers(*info, &info->cxIdeal, sizeof(UINT)))
        info->cxIdeal = b.ideal;
    if ((info->fMask & RBBIM_LPARAM) && covers(*info, &info->lParam, sizeof(LPARAM)))
        info->lParam = b.param;
    if ((info->fMask & RBBIM_HEADERSIZE) && covers(*info, &info->cxHeader, sizeof(UINT)))
        info->cxHeader = static_cast<UINT>(header_width(hwnd, s, b));
    return TRUE;
}

LRESULT hit_test(HWND hwnd, const RebarState& s, RBHITTESTINFO* info) {
    if (!info)
        return -1;
    info->flags = RBHT_NOWHERE;
    info->iBand = -1;
    for (std::size_t i = 0; i < s.bands.size(); ++i) {
        const Band& b = s.bands[i];
        if (!visible(b) || !PtInRect(&b.rect, info->pt))
            continue;
        info->iBand = static_cast<int>(i);
        const int x = info->pt.x - b.rect.left;
        if (!(b.style & RBBS_NOGRIPPER) && x < kGripper)
            info->flags = RBHT_GRABBER;
        else if (x < header_width(hwnd, s, b))
            info->flags = RBHT_CAPTION;
        else
            info->flags = RBHT_CLIENT;
        break;
    }
    return info->iBand;
}

LRESULT CALLBACK rebar_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<RebarState>(hwnd);
    RebarState* s = state_of<RebarState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    const int index = static_cast<int>(wParam);
    const bool in_range = index >= 0 && index < static_cast<int>(s->bands.size());
    switch (msg) {
    case WM_NCDESTROY:
        destroy_state<RebarState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_SIZE:
        layout(hwnd, *s);
        return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        layout(hwnd, *s);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_NOTIFY:
    case WM_COMMAND:
        // What the bands' children say goes on to the rebar's parent.
        return SendMessageA(parent_of(hwnd), msg, wParam, lParam);
    case RB_INSERTBANDA: {
        const auto* info = reinterpret_cast<const REBARBANDINFOA*>(lParam);
        if (!valid_info(info))
            return FALSE;
        Band b;
        store_band(b, *info);
        const int count = static_cast<int>(s->bands.size());
        const int at = index < 0 || index > count ? count : index;
        s->bands.insert(s->bands.begin() + at, b);
        if (b.child)
            SetParent(b.child, hwnd);
        layout(hwnd, *s);
        return TRUE;
    }
    case RB_SETBANDINFOA: {
        const auto* info = reinterpret_cast<const REBARBANDINFOA*>(lParam);
        if (!valid_info(info) || !in_range)
            return FALSE;
        store_band(s->bands[static_cast<std::size_t>(index)], *info);
        layout(hwnd, *s);
        return TRUE;
    }
    case RB_GETBANDINFOA:
        return get_band(hwnd, *s, index, reinterpret_cast<REBARBANDINFOA*>(lParam));
    case RB_DELETEBAND:
        if (!in_range)
            return FALSE;
        if (HWND child = s->bands[static_cast<std::size_t>(index)].child; child && IsWindow(child))
            ShowWindow(child, SW_HIDE);
        s->bands.erase(s->bands.begin() + index);
        layout(hwnd, *s);
        return TRUE;
    case RB_SHOWBAND:
        if (!in_range)
            return FALSE;
        s->bands[static_cast<std::size_t>(index)].style =
            lParam ? (s->bands[static_cast<std::size_t>(index)].style & ~RBBS_HIDDEN)
                   : (s->bands[static_cast<std::size_t>(index)].style | RBBS_HIDDEN);
        layout(hwnd, *s);
        return TRUE;
    case RB_GETRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect || !in_range)
            return FALSE;
        *rect = s->bands[static_cast<std::size_t>(index)].rect;
        return TRUE;
    }
    case RB_GETBANDCOUNT:
        return static_cast<LRESULT>(s->bands.size());
    case RB_GETROWCOUNT:
        return s->rows;
    case RB_GETROWHEIGHT:
        return in_range ? s->bands[static_cast<std::size_t>(index)].rect.bottom -
                              s->bands[static_cast<std::size_t>(index)].rect.top
                        : 0;
    case RB_GETBARHEIGHT:
        return s->height;
    case RB_IDTOINDEX:
        for (std::size_t i = 0; i < s->bands.size(); ++i)
            if (s->bands[i].id == static_cast<UINT>(wParam))
                return static_cast<LRESULT>(i);
        return -1;
    case RB_HITTEST:
        return hit_test(hwnd, *s, reinterpret_cast<RBHITTESTINFO*>(lParam));
    case RB_SETBARINFO: {
        const auto* info = reinterpret_cast<const REBARINFO*>(lParam);
        if (!info || info->cbSize < sizeof(REBARINFO))
            return FALSE;
        if (info->fMask & RBIM_IMAGELIST)
            s->images = info->himl;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case RB_GETBARINFO: {
        auto* info = reinterpret_cast<REBARINFO*>(lParam);
        if (!info || info->cbSize < sizeof(REBARINFO))
            return FALSE;
        if (info->fMask & RBIM_IMAGELIST)
            info->himl = s->images;
        return TRUE;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_rebar_class() {
    register_system_class(REBARCLASSNAMEA, rebar_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
