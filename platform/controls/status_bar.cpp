// "msctls_statusbar32": parts ending at the given right edges (-1: the bar's end), each with a
// text drawn left, centred after one tab and right-aligned after two; it keeps itself along
// its parent's bottom edge.
#include "win32/status_bar.h"
#include "controls/bar_dock.h"
#include "controls/control_support.h"
#include "controls/item_control_classes.h"
#include "controls/item_text.h"
#include "controls/paint_message.h"

#include <algorithm>
#include <vector>

namespace lv::controls {
namespace {

constexpr int kMaxParts = 256;
constexpr int kBorderY = 2;   // above and below the parts
constexpr int kBetween = 2;   // between parts
constexpr int kTextInset = 3; // from a part's edge to its text

struct Part {
    int right = -1;
    std::string text;
    UINT type = 0; // SBT_* flags
};

struct StatusState {
    std::vector<Part> parts{Part{}};
    Part simple_part;
    bool simple = false;
    HFONT font = nullptr;
    int min_height = 0;
    bool docking = false; // our own resizing comes back as WM_SIZE
};

int grip_size() {
    return GetSystemMetrics(SM_CXVSCROLL);
}

int bar_height(HWND hwnd, const StatusState& s) {
    return std::max(s.min_height, line_height(hwnd, s.font) + 2 * kBorderY + 4);
}

void dock(HWND hwnd, StatusState& s) {
    if (s.docking)
        return;
    s.docking = true;
    dock_bar(hwnd, bar_height(hwnd, s), true);
    s.docking = false;
}

RECT part_rect(HWND hwnd, const StatusState& s, int index) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (s.simple)
        return RECT{0, kBorderY, client.right, client.bottom};
    const int end = client.right - ((style_of(hwnd) & SBARS_SIZEGRIP) ? grip_size() : 0);
    const auto right_of = [&](int i) {
        const int r = s.parts[static_cast<std::size_t>(i)].right;
        return r < 0 ? end : std::min(r, end);
    };
    const int left = index == 0 ? 0 : right_of(index - 1) + kBetween;
    return RECT{left, kBorderY, std::max(left, right_of(index)), client.bottom};
}

Part* part_at(StatusState& s, UINT index) {
    if (s.simple && index == SB_SIMPLEID)
        return &s.simple_part;
    return index < s.parts.size() ? &s.parts[index] : nullptr;
}

void draw_text(HDC dc, const std::string& text, RECT r, UINT type) {
    InflateRect(&r, -kTextInset, 0);
    const UINT base = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (type & SBT_NOTABPARSING) {
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, base);
        return;
    }
    const UINT aligns[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    std::size_t start = 0;
    for (int section = 0; section < 3 && start <= text.size(); ++section) {
        std::size_t tab = section < 2 ? text.find('\t', start) : std::string::npos;
        const std::string piece =
            text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        DrawTextA(dc, piece.c_str(), static_cast<int>(piece.size()), &r, base | aligns[section]);
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
}

void draw_grip(HDC dc, const RECT& client) {
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHILIGHT));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
    HGDIOBJ old = SelectObject(dc, dark);
    for (int i = 3; i < 12; i += 4) {
        SelectObject(dc, dark);
        MoveToEx(dc, client.right - i, client.bottom - 1, nullptr);
        LineTo(dc, client.right, client.bottom - 1 - i);
        SelectObject(dc, light);
        MoveToEx(dc, client.right - i - 1, client.bottom - 1, nullptr);
        LineTo(dc, client.right, client.bottom - 2 - i);
    }
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
}

void paint(HWND hwnd, HDC dc, StatusState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const int count = s.simple ? 1 : static_cast<int>(s.parts.size());
    for (int i = 0; i < count; ++i) {
        const Part& part = s.simple ? s.simple_part : s.parts[static_cast<std::size_t>(i)];
        RECT r = part_rect(hwnd, s, i);
        if (part.type & SBT_POPOUT)
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        else if (!(part.type & SBT_NOBORDERS))
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        if (part.type & SBT_OWNERDRAW) {
            DRAWITEMSTRUCT item{};
            item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
            item.itemID = static_cast<UINT>(i);
            item.hwndItem = hwnd;
            item.hDC = dc;
            item.rcItem = r;
            SendMessageA(parent_of(hwnd), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
            continue;
        }
        draw_text(dc, part.text, r, part.type);
    }
    if (style_of(hwnd) & SBARS_SIZEGRIP)
        draw_grip(dc, client);
    SelectObject(dc, old);
}

LRESULT set_parts(HWND hwnd, StatusState& s, int count, const int* rights) {
    if (count <= 0 || count > kMaxParts || !rights)
        return FALSE;
    std::vector<Part> parts(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (i < static_cast<int>(s.parts.size()))
            parts[static_cast<std::size_t>(i)] = s.parts[static_cast<std::size_t>(i)];
        parts[static_cast<std::size_t>(i)].right = rights[i];
    }
    s.parts = std::move(parts);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT get_parts(const StatusState& s, int count, int* rights) {
    if (rights)
        for (int i = 0; i < count && i < static_cast<int>(s.parts.size()); ++i)
            rights[i] = s.parts[static_cast<std::size_t>(i)].right;
    return static_cast<LRESULT>(s.parts.size());
}

LRESULT text_result(const Part& part) {
    return MAKELRESULT(static_cast<WORD>(std::min<std::size_t>(part.text.size(), 0xFFFF)),
                       static_cast<WORD>(part.type));
}

LRESULT CALLBACK status_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<StatusState>(hwnd);
    StatusState* s = state_of<StatusState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        destroy_state<StatusState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CREATE:
        s->parts[0].text = text_of(hwnd);
        dock(hwnd, *s);
        return 0;
    case WM_SIZE:
        // The parent passes its own WM_SIZE on: follow the parent's bottom edge.
        dock(hwnd, *s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        dock(hwnd, *s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT:
        s->parts[0].text = text_from(reinterpret_cast<LPCSTR>(lParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_NCHITTEST: {
        if (!(style_of(hwnd) & SBARS_SIZEGRIP))
            return HTCLIENT;
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hwnd, &p);
        RECT client{};
        GetClientRect(hwnd, &client);
        return p.x >= client.right - grip_size() ? HTBOTTOMRIGHT : HTCLIENT;
    }
    case SB_SETTEXTA: {
        Part* part = part_at(*s, LOBYTE(wParam));
        if (!part)
            return FALSE;
        part->text = text_from(reinterpret_cast<LPCSTR>(lParam));
        part->type = static_cast<UINT>(wParam) & 0xFF00;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case SB_GETTEXTA: {
        Part* part = part_at(*s, LOBYTE(wParam));
        if (!part)
            return 0;
        // The platform copies the whole text: the caller sizes the buffer by SB_GETTEXTLENGTH.
        if (auto* buffer = reinterpret_cast<char*>(lParam))
            copy_text(part->text, buffer, static_cast<int>(part->text.size()) + 1);
        return text_result(*part);
    }
    case SB_GETTEXTLENGTHA: {
        Part* part = part_at(*s, LOBYTE(wParam));
        return part ? text_result(*part) : 0;
    }
    case SB_SETPARTS:
        return set_parts(hwnd, *s, static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
    case SB_GETPARTS:
        return get_parts(*s, static_cast<int>(wParam), reinterpret_cast<int*>(lParam));
    case SB_GETBORDERS:
        if (auto* borders = reinterpret_cast<int*>(lParam)) {
            borders[0] = 0;
            borders[1] = kBorderY;
            borders[2] = kBetween;
            return TRUE;
        }
        return FALSE;
    case SB_SETMINHEIGHT:
        s->min_height = static_cast<int>(wParam);
        return 0;
    case SB_SIMPLE:
        s->simple = wParam != 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case SB_ISSIMPLE:
        return s->simple;
    case SB_GETRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        const int index = static_cast<int>(wParam);
        const int count = s->simple ? 1 : static_cast<int>(s->parts.size());
        if (!rect || index < 0 || index >= count)
            return FALSE;
        *rect = part_rect(hwnd, *s, index);
        return TRUE;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_status_bar_class() {
    register_system_class(STATUSCLASSNAMEA, status_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
