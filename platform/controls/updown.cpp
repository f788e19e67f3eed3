// "msctls_updown32": a pair of arrows that step a position within a range, optionally shown
// in a buddy window as a number.
#include "controls/control_support.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace lv::controls {
namespace {

constexpr char kBuddyProcProperty[] = "lv.updown.proc";
constexpr char kBuddyOwnerProperty[] = "lv.updown";
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 500;
constexpr UINT kRepeatMs = 100;

enum class Arrow { none, up, down };

struct UpDownState {
    int lower = 100; // the platform's default range runs from 100 down to 0
    int upper = 0;
    int position = 0;
    int base = 10;
    HWND buddy = nullptr;
    Arrow pressed = Arrow::none;
};

bool horizontal(HWND hwnd) {
    return (style_of(hwnd) & UDS_HORZ) != 0;
}

int clamp_position(const UpDownState& s, long long position) {
    return static_cast<int>(
        std::clamp<long long>(position, std::min(s.lower, s.upper), std::max(s.lower, s.upper)));
}

std::string format_number(HWND hwnd, const UpDownState& s, int value) {
    char digits[32];
    if (s.base == 16) {
        std::snprintf(digits, sizeof(digits), "0x%04X", static_cast<unsigned>(value));
        return digits;
    }
    std::snprintf(digits, sizeof(digits), "%d", value);
    std::string text = digits;
    if (style_of(hwnd) & UDS_NOTHOUSANDS)
        return text;
    const std::size_t sign = text[0] == '-' ? 1 : 0;
    for (std::size_t at = text.size(); at > sign + 3; at -= 3)
        text.insert(at - 3, ",");
    return text;
}

void show_in_buddy(HWND hwnd, const UpDownState& s) {
    if (s.buddy && (style_of(hwnd) & UDS_SETBUDDYINT))
        SetWindowTextA(s.buddy, format_number(hwnd, s, s.position).c_str());
}

// The position the buddy's text names; false when it names none.
bool read_buddy(HWND hwnd, const UpDownState& s, int& out) {
    if (!s.buddy || !(style_of(hwnd) & UDS_SETBUDDYINT))
        return false;
    std::string text = text_of(s.buddy);
    std::erase(text, ',');
    int value = 0;
    const char* begin = text.data();
    int base = 10;
    if (s.base == 16 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        begin += 2;
        base = 16;
    }
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || begin == end)
        return false;
    out = value;
    return true;
}

void notify_scroll(HWND hwnd, const UpDownState& s, WORD code) {
    HWND parent = parent_of(hwnd);
    if (!parent)
        return;
    SendMessageA(parent, horizontal(hwnd) ? WM_HSCROLL : WM_VSCROLL,
                 MAKEWPARAM(code, static_cast<WORD>(s.position)), reinterpret_cast<LPARAM>(hwnd));
}

// One step of the arrow: the parent may change or refuse it through UDN_DELTAPOS.
void step(HWND hwnd, UpDownState& s, Arrow arrow) {
    int from_buddy = 0;
    if (read_buddy(hwnd, s, from_buddy))
        s.position = clamp_position(s, from_buddy);
    const int toward_upper = s.upper >= s.lower ? 1 : -1;
    NMUPDOWN change{};
    change.iPos = s.position;
    change.iDelta = arrow == Arrow::up ? toward_upper : -toward_upper;
    if (notify_parent(hwnd, change.hdr, UDN_DELTAPOS) != 0)
        return;
    long long next = static_cast<long long>(s.position) + change.iDelta;
    const int low = std::min(s.lower, s.upper), high = std::max(s.lower, s.upper);
    if ((style_of(hwnd) & UDS_WRAP) && (next < low || next > high))
        next = next < low ? high : low;
    const int clamped = clamp_position(s, next);
    if (clamped == s.position) {
        show_in_buddy(hwnd, s);
        return;
    }
    s.position = clamped;
    show_in_buddy(hwnd, s);
    notify_scroll(hwnd, s, SB_THUMBPOSITION);
}

Arrow arrow_at(HWND hwnd, LPARAM lParam) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (horizontal(hwnd))
        return GET_X_LPARAM(lParam) < client.right / 2 ? Arrow::down : Arrow::up;
    return GET_Y_LPARAM(lParam) < client.bottom / 2 ? Arrow::up : Arrow::down;
}

LRESULT on_button_down(HWND hwnd, UpDownState& s, LPARAM lParam) {
    if (!IsWindowEnabled(hwnd))
        return 0;
    SetCapture(hwnd);
    s.pressed = arrow_at(hwnd, lParam);
    InvalidateRect(hwnd, nullptr, FALSE);
    step(hwnd, s, s.pressed);
    SetTimer(hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
    return 0;
}

LRESULT on_button_up(HWND hwnd, UpDownState& s) {
    if (s.pressed == Arrow::none)
        return 0;
    s.pressed = Arrow::none;
    KillTimer(hwnd, kRepeatTimer);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    InvalidateRect(hwnd, nullptr, FALSE);
    notify_scroll(hwnd, s, SB_ENDSCROLL);
    return 0;
}

LRESULT on_timer(HWND hwnd, UpDownState& s, WPARAM id) {
    if (id != kRepeatTimer || s.pressed == Arrow::none)
        return 0;
    SetTimer(hwnd, kRepeatTimer, kRepeatMs, nullptr);
    step(hwnd, s, s.pressed);
    return 0;
}

// ---- the buddy --------------------------------------------------------------------------------

LRESULT CALLBACK buddy_proc(HWND buddy, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropA(buddy, kBuddyProcProperty));
    auto owner = static_cast<HWND>(GetPropA(buddy, kBuddyOwnerProperty));
    if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) && IsWindow(owner)) {
        if (UpDownState* s = state_of<UpDownState>(owner)) {
            step(owner, *s, wParam == VK_UP ? Arrow::up : Arrow::down);
            return 0;
        }
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(buddy, kBuddyProcProperty);
        RemovePropA(buddy, kBuddyOwnerProperty);
        SetWindowLongPtrA(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return original ? CallWindowProcA(original, buddy, msg, wParam, lParam)
                    : DefWindowProcA(buddy, msg, wParam, lParam);
}

void release_buddy(HWND buddy) {
    if (!IsWindow(buddy) || !GetPropA(buddy, kBuddyProcProperty))
        return;
    auto original = reinterpret_cast<WNDPROC>(GetPropA(buddy, kBuddyProcProperty));
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(buddy, GWLP_WNDPROC)) == buddy_proc)
        SetWindowLongPtrA(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropA(buddy, kBuddyProcProperty);
    RemovePropA(buddy, kBuddyOwnerProperty);
}

void align_to_buddy(HWND hwnd, HWND buddy) {
    const DWORD style = style_of(hwnd);
    if (!(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)))
        return;
    RECT own{}, other{};
    GetWindowRect(hwnd, &own);
    GetWindowRect(buddy, &other);
    HWND parent = GetParent(hwnd);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&other), 2);
    const int width = own.right - own.left;
    const int height = other.bottom - other.top;
    const int buddy_width = std::max(0, static_cast<int>(other.right - other.left) - width);
    if (style & UDS_ALIGNRIGHT) {
        MoveWindow(buddy, other.left, other.top, buddy_width, height, TRUE);
        MoveWindow(hwnd, other.left + buddy_width, other.top, width, height, TRUE);
    } else {
        MoveWindow(hwnd, other.left, other.top, width, height, TRUE);
        MoveWindow(buddy, other.left + width, other.top, buddy_width, height, TRUE);
    }
}

LRESULT set_buddy(HWND hwnd, UpDownState& s, HWND buddy) {
    HWND old = s.buddy;
    release_buddy(old);
    s.buddy = IsWindow(buddy) ? buddy : nullptr;
    if (!s.buddy)
        return reinterpret_cast<LRESULT>(old);
    if (style_of(hwnd) & UDS_ARROWKEYS) {
        SetPropA(s.buddy, kBuddyOwnerProperty, hwnd);
        SetPropA(s.buddy, kBuddyProcProperty,
                 reinterpret_cast<HANDLE>(SetWindowLongPtrA(
                     s.buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buddy_proc))));
    }
    align_to_buddy(hwnd, s.buddy);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT on_create(HWND hwnd, UpDownState& s) {
    if (style_of(hwnd) & UDS_AUTOBUDDY)
        set_buddy(hwnd, s, GetWindow(hwnd, GW_HWNDPREV));
    return 0;
}

// ---- painting and messages --------------------------------------------------------------------

void paint(HWND hwnd, HDC dc, const UpDownState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    RECT first = client, second = client;
    const bool horz = horizontal(hwnd);
    if (horz)
        first.right = second.left = client.right / 2;
    else
        first.bottom = second.top = client.bottom / 2;
    const UINT inactive = IsWindowEnabled(hwnd) ? 0 : DFCS_INACTIVE;
    const Arrow first_arrow = horz ? Arrow::down : Arrow::up;
    const Arrow second_arrow = horz ? Arrow::up : Arrow::down;
    DrawFrameControl(dc, &first, DFC_SCROLL,
                     (horz ? DFCS_SCROLLLEFT : DFCS_SCROLLUP) | inactive |
                         (s.pressed == first_arrow ? DFCS_PUSHED : 0));
    DrawFrameControl(dc, &second, DFC_SCROLL,
                     (horz ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN) | inactive |
                         (s.pressed == second_arrow ? DFCS_PUSHED : 0));
}

LRESULT set_range(HWND hwnd, UpDownState& s, int lower, int upper) {
    s.lower = lower;
    s.upper = upper;
    s.position = clamp_position(s, s.position);
    return 0;
}

LRESULT set_position(HWND hwnd, UpDownState& s, int position) {
    const int old = s.position;
    s.position = clamp_position(s, position);
    show_in_buddy(hwnd, s);
    return old;
}

LRESULT get_position(HWND hwnd, UpDownState& s, BOOL* failed) {
    int from_buddy = 0;
    const bool has_text = read_buddy(hwnd, s, from_buddy);
    const bool wrong = s.buddy && (style_of(hwnd) & UDS_SETBUDDYINT) && !has_text;
    if (has_text)
        s.position = clamp_position(s, from_buddy);
    if (failed)
        *failed = wrong ? TRUE : FALSE;
    return s.position;
}

LRESULT get_range32(const UpDownState& s, WPARAM lower, LPARAM upper) {
    if (lower)
        *reinterpret_cast<int*>(lower) = s.lower;
    if (upper)
        *reinterpret_cast<int*>(upper) = s.upper;
    return 0;
}

LRESULT set_base(UpDownState& s, WPARAM base) {
    if (base != 10 && base != 16)
        return 0;
    const int old = s.base;
    s.base = static_cast<int>(base);
    return old;
}

LRESULT CALLBACK updown_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<UpDownState>(hwnd);
    UpDownState* s = state_of<UpDownState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE:
        return on_create(hwnd, *s);
    case WM_DESTROY:
        release_buddy(s->buddy);
        return 0;
    case WM_NCDESTROY:
        destroy_state<UpDownState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return on_button_down(hwnd, *s, lParam);
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        return on_button_up(hwnd, *s);
    case WM_TIMER:
        return on_timer(hwnd, *s, wParam);
    case UDM_SETRANGE:
        return set_range(hwnd, *s, static_cast<short>(HIWORD(lParam)),
                         static_cast<short>(LOWORD(lParam)));
    case UDM_GETRANGE:
        return MAKELRESULT(static_cast<WORD>(s->upper), static_cast<WORD>(s->lower));
    case UDM_SETRANGE32:
        return set_range(hwnd, *s, static_cast<int>(wParam), static_cast<int>(lParam));
    case UDM_GETRANGE32:
        return get_range32(*s, wParam, lParam);
    case UDM_SETPOS:
        return set_position(hwnd, *s, static_cast<short>(LOWORD(lParam)));
    case UDM_SETPOS32:
        return set_position(hwnd, *s, static_cast<int>(lParam));
    case UDM_GETPOS: {
        BOOL failed = FALSE;
        const LRESULT position = get_position(hwnd, *s, &failed);
        return MAKELRESULT(static_cast<WORD>(position), failed ? 1 : 0);
    }
    case UDM_GETPOS32:
        return get_position(hwnd, *s, reinterpret_cast<BOOL*>(lParam));
    case UDM_SETBUDDY:
        return set_buddy(hwnd, *s, reinterpret_cast<HWND>(wParam));
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(s->buddy);
    case UDM_SETBASE:
        return set_base(*s, wParam);
    case UDM_GETBASE:
        return s->base;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_updown_class() {
    register_system_class(UPDOWN_CLASSA, updown_proc, 0, nullptr);
}

} // namespace lv::controls
