// "SysIPAddress32": four number fields (edit controls of its own) between painted dots. Typing
// a third digit or a dot moves on to the next field; a field left with a number outside its
// range is brought back into it, and the parent hears IPN_FIELDCHANGED.
#include "win32/ip_address.h"
#include "controls/control_support.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace lv::controls {
namespace {

constexpr int kFields = 4;
constexpr char kFieldProcProperty[] = "lv.ip.proc";
constexpr char kFieldIndexProperty[] = "lv.ip.field";
// Posted to itself when a field lost the focus: did the focus leave the whole control?
constexpr UINT kCheckFocus = WM_USER + 0x3F1;

struct Range {
    int low = 0;
    int high = 255;
};

struct IpState {
    std::array<HWND, kFields> fields{};
    std::array<Range, kFields> ranges{};
    HFONT font = nullptr;
    bool active = false;  // one of the fields has the focus
    bool writing = false; // the control itself sets a field's text
};

// ---- fields -----------------------------------------------------------------------------------

int field_index(HWND field) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(field, kFieldIndexProperty))) - 1;
}

// The field's number, or -1 when it is empty.
int value_of(HWND field) {
    const std::string text = text_of(field);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return -1;
    return value;
}

void write_field(IpState& s, int index, int value) {
    char digits[16] = "";
    if (value >= 0)
        std::snprintf(digits, sizeof digits, "%d", value);
    s.writing = true;
    SetWindowTextA(s.fields[static_cast<std::size_t>(index)], digits);
    s.writing = false;
}

// A field the person leaves: its number is kept within its range, and the parent may change it.
void leave_field(HWND hwnd, IpState& s, int index) {
    HWND field = s.fields[static_cast<std::size_t>(index)];
    const Range range = s.ranges[static_cast<std::size_t>(index)];
    int value = value_of(field);
    if (value >= 0)
        value = std::clamp(value, range.low, range.high);
    NMIPADDRESS note{};
    note.iField = index;
    note.iValue = value;
    notify_parent(hwnd, note.hdr, IPN_FIELDCHANGED);
    value = note.iValue < 0 ? -1 : std::clamp(note.iValue, range.low, range.high);
    if (value != value_of(field))
        write_field(s, index, value);
}

void focus_field(const IpState& s, int index, bool at_end) {
    if (index < 0 || index >= kFields)
        return;
    HWND field = s.fields[static_cast<std::size_t>(index)];
    SetFocus(field);
    const int end = GetWindowTextLengthA(field);
    SendMessageA(field, EM_SETSEL, at_end ? end : 0, at_end ? end : -1);
}

LRESULT call_field(HWND field, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropA(field, kFieldProcProperty));
    return original ? CallWindowProcA(original, field, msg, wParam, lParam)
                    : DefWindowProcA(field, msg, wParam, lParam);
}

// Moves between the fields where the caret leaves one; false for a key the field keeps.
bool field_key(HWND field, IpState& s, WPARAM key) {
    const int index = field_index(field);
    DWORD start = 0, end = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const int length = GetWindowTextLengthA(field);
    const bool nothing_selected = start == end;
    if ((key == VK_LEFT || key == VK_BACK) && nothing_selected && start == 0 && index > 0) {
        focus_field(s, index - 1, true);
        return true;
    }
    if (key == VK_RIGHT && nothing_selected && static_cast<int>(end) == length &&
        index < kFields - 1) {
        focus_field(s, index + 1, false);
        return true;
    }
    return false;
}

LRESULT CALLBACK field_proc(HWND field, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) {
        auto original = reinterpret_cast<WNDPROC>(GetPropA(field, kFieldProcProperty));
        RemovePropA(field, kFieldProcProperty);
        RemovePropA(field, kFieldIndexProperty);
        if (original)
            SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        return original ? CallWindowProcA(original, field, msg, wParam, lParam)
                        : DefWindowProcA(field, msg, wParam, lParam);
    }
    HWND hwnd = GetParent(field);
    IpState* s = hwnd ? state_of<IpState>(hwnd) : nullptr;
    if (!s)
        return call_field(field, msg, wParam, lParam);
    const int index = field_index(field);
    if (msg == WM_KEYDOWN && field_key(field, *s, wParam))
        return 0;
    if (msg == WM_CHAR && (wParam == '.' || wParam == ' ')) {
        if (GetWindowTextLengthA(field) > 0)
            focus_field(*s, index + 1, false);
        return 0;
    }
    const LRESULT result = call_field(field, msg, wParam, lParam);
    if (msg == WM_CHAR && wParam >= '0' && wParam <= '9' && GetWindowTextLengthA(field) == 3 &&
        index < kFields - 1)
        focus_field(*s, index + 1, false);
    return result;
}

void subclass_field(HWND field, int index) {
    SetPropA(field, kFieldIndexProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(index + 1)));
    SetPropA(field, kFieldProcProperty,
             reinterpret_cast<HANDLE>(
                 SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(field_proc))));
}

// ---- layout and painting ----------------------------------------------------------------------

int dot_width(HWND hwnd, const IpState& s) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    SIZE size{};
    GetTextExtentPoint32A(dc, ".", 1, &size);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return std::max(4, static_cast<int>(size.cx) + 4);
}

int text_height(HWND hwnd, const IpState& s) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return metrics.tmHeight;
}

RECT field_rect(HWND hwnd, const IpState& s, int index) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int dot = dot_width(hwnd, s);
    const int width = std::max(0, static_cast<int>(client.right - 3 * dot) / kFields);
    const int height = std::min(static_cast<int>(client.bottom), text_height(hwnd, s) + 2);
    const int top = (client.bottom - height) / 2;
    const int left = index * (width + dot);
    return RECT{left, top, left + width, top + height};
}

void place_fields(HWND hwnd, const IpState& s) {
    for (int i = 0; i < kFields; ++i) {
        const RECT r = field_rect(hwnd, s, i);
        MoveWindow(s.fields[static_cast<std::size_t>(i)], r.left, r.top, r.right - r.left,
                   r.bottom - r.top, TRUE);
    }
}

void paint(HWND hwnd, HDC dc, const IpState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    FillRect(dc, &client, parent_brush(hwnd, dc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC));
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    for (int i = 0; i < kFields - 1; ++i) {
        const RECT before = field_rect(hwnd, s, i);
        RECT gap{before.right, before.top, field_rect(hwnd, s, i + 1).left, before.bottom};
        DrawTextA(dc, ".", 1, &gap, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, old);
}

// ---- messages ---------------------------------------------------------------------------------

LRESULT on_create(HWND hwnd, IpState& s) {
    const DWORD disabled = IsWindowEnabled(hwnd) ? 0 : WS_DISABLED;
    for (int i = 0; i < kFields; ++i) {
        HWND field = CreateWindowExA(
            0, WC_EDITA, "", WS_CHILD | WS_VISIBLE | ES_CENTER | ES_NUMBER | disabled, 0, 0, 10, 10,
            hwnd, reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(i)), nullptr, nullptr);
        if (!field)
            return -1;
        SendMessageA(field, EM_LIMITTEXT, 3, 0);
        subclass_field(field, i);
        s.fields[static_cast<std::size_t>(i)] = field;
    }
    place_fields(hwnd, s);
    return 0;
}

// What the fields tell their control: typing, focus coming and going.
LRESULT on_command(HWND hwnd, IpState& s, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(LOWORD(wParam));
    if (index < 0 || index >= kFields || reinterpret_cast<HWND>(lParam) != s.fields[index])
        return 0;
    switch (HIWORD(wParam)) {
    case EN_CHANGE:
        if (!s.writing)
            notify_parent(hwnd, EN_CHANGE);
        return 0;
    case EN_SETFOCUS:
        if (!s.active) {
            s.active = true;
            notify_parent(hwnd, EN_SETFOCUS);
        }
        return 0;
    case EN_KILLFOCUS:
        leave_field(hwnd, s, index);
        PostMessageA(hwnd, kCheckFocus, 0, 0);
        return 0;
    default:
        return 0;
    }
}

LRESULT check_focus(HWND hwnd, IpState& s) {
    HWND focus = GetFocus();
    if (!s.active || (focus && IsChild(hwnd, focus)))
        return 0;
    s.active = false;
    notify_parent(hwnd, EN_KILLFOCUS);
    return 0;
}

LRESULT set_address(IpState& s, DWORD address) {
    const int values[kFields] = {FIRST_IPADDRESS(address), SECOND_IPADDRESS(address),
                                 THIRD_IPADDRESS(address), FOURTH_IPADDRESS(address)};
    for (int i = 0; i < kFields; ++i)
        write_field(s, i, values[i]);
    return TRUE;
}

LRESULT get_address(const IpState& s, LPARAM out) {
    DWORD address = 0;
    int filled = 0;
    for (int i = 0; i < kFields; ++i) {
        const int value = value_of(s.fields[static_cast<std::size_t>(i)]);
        if (value >= 0)
            ++filled;
        address = (address << 8) | static_cast<DWORD>(std::clamp(value, 0, 255));
    }
    if (auto* target = reinterpret_cast<DWORD*>(out))
        *target = address;
    return filled;
}

LRESULT set_range(IpState& s, WPARAM index, LPARAM range) {
    const int low = static_cast<int>(range & 0xFF), high = static_cast<int>((range >> 8) & 0xFF);
    if (index >= kFields || low > high)
        return FALSE;
    s.ranges[index] = Range{low, high};
    return TRUE;
}

LRESULT set_focus(IpState& s, WPARAM index) {
    if (index < kFields) {
        focus_field(s, static_cast<int>(index), false);
        return 0;
    }
    for (int i = 0; i < kFields; ++i) {
        if (value_of(s.fields[static_cast<std::size_t>(i)]) < 0) {
            focus_field(s, i, false);
            return 0;
        }
    }
    focus_field(s, 0, false);
    return 0;
}

std::string dotted(const IpState& s) {
    DWORD address = 0;
    get_address(s, reinterpret_cast<LPARAM>(&address));
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", FIRST_IPADDRESS(address),
                  SECOND_IPADDRESS(address), THIRD_IPADDRESS(address), FOURTH_IPADDRESS(address));
    return text;
}

LRESULT set_dotted(IpState& s, LPCSTR text) {
    unsigned parts[kFields] = {};
    if (!text || std::sscanf(text, "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]) != 4)
        return FALSE;
    for (int i = 0; i < kFields; ++i)
        write_field(s, i, static_cast<int>(std::min(parts[i], 255u)));
    return TRUE;
}

LRESULT get_text(const IpState& s, WPARAM size, LPARAM buffer) {
    const std::string text = dotted(s);
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0)
        return 0;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    text.copy(out, n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT forward_colour(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND parent = parent_of(hwnd);
    const LRESULT brush = parent ? SendMessageA(parent, msg, wParam, lParam) : 0;
    return brush ? brush : DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ip_address_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<IpState>(hwnd);
    IpState* s = state_of<IpState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE:
        return on_create(hwnd, *s);
    case WM_NCDESTROY:
        destroy_state<IpState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        place_fields(hwnd, *s);
        return 0;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        for (HWND field : s->fields)
            SendMessageA(field, WM_SETFONT, wParam, lParam);
        place_fields(hwnd, *s);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_ENABLE:
        for (HWND field : s->fields)
            EnableWindow(field, static_cast<BOOL>(wParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETFOCUS:
        focus_field(*s, 0, false);
        return 0;
    case WM_COMMAND:
        return on_command(hwnd, *s, wParam, lParam);
    case kCheckFocus:
        return check_focus(hwnd, *s);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return forward_colour(hwnd, msg, wParam, lParam);
    case WM_GETTEXT:
        return get_text(*s, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(dotted(*s).size());
    case WM_SETTEXT:
        return set_dotted(*s, reinterpret_cast<LPCSTR>(lParam));
    case IPM_CLEARADDRESS:
        for (int i = 0; i < kFields; ++i)
            write_field(*s, i, -1);
        return 0;
    case IPM_SETADDRESS:
        return set_address(*s, static_cast<DWORD>(lParam));
    case IPM_GETADDRESS:
        return get_address(*s, lParam);
    case IPM_SETRANGE:
        return set_range(*s, wParam, lParam);
    case IPM_SETFOCUS:
        return set_focus(*s, wParam);
    case IPM_ISBLANK:
        return get_address(*s, 0) == 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_ip_address_class() {
    register_system_class(WC_IPADDRESSA, ip_address_proc, 0, nullptr);
}

} // namespace lv::controls
