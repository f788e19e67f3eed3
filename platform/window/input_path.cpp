#include "window/input_path.h"

#include "window/clock_port.h"
#include "window/dispatch.h"
#include "window/display_port.h"
#include "window/hooks.h"
#include "window/input_state.h"
#include "window/message_queue.h"
#include "window/thread_id.h"
#include "window/window_table.h"

#include "win32/errors.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

namespace lv::window {

HWND activate(HWND hwnd, bool by_mouse);
// A click on a window its modal popup disables brings that popup forward and activates it.
void activate_for_disabled(HWND clicked);

namespace {

constexpr DWORD kDoubleClickMs = 500;

struct MouseTracking {
    std::mutex mutex;
    HWND leave_window = nullptr;
    bool leave_nonclient = false;
    // The last button press, for double clicks.
    HWND last_down_window = nullptr;
    UINT last_down_message = 0;
    std::uint64_t last_down_time = 0;
    POINT last_down_point{};
    bool last_was_double = false;
    HCURSOR cursor = nullptr;
    int show_count = 0;
};

MouseTracking& tracking() {
    static auto* t = new MouseTracking;
    return *t;
}

struct Target {
    HWND hwnd = nullptr;
    DWORD thread = 0;
    LRESULT hit = HTNOWHERE;
    bool captured = false;
    POINT client{};
    bool disabled = false;
};

Target find_target(POINT screen) {
    Target t;
    {
        auto lock = lock_tree();
        Window* capture = peek_window(table().capture);
        if (capture) {
            t.hwnd = capture->handle;
            t.captured = true;
        }
    }
    if (!t.hwnd)
        t.hwnd = WindowFromPoint(screen);
    // Only the owner thread asks for the hit test; another thread leaves the event to it.
    DWORD owner = 0;
    {
        auto lock = lock_tree();
        Window* w = peek_window(t.hwnd);
        owner = w ? w->thread : 0;
    }
    if (owner && owner != current_thread_id()) {
        t.thread = owner;
        return t;
    }
    while (t.hwnd) {
        t.hit = t.captured ? HTCLIENT
                           : SendMessageA(t.hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (t.hit != HTTRANSPARENT)
            break;
        HWND parent = GetAncestor(t.hwnd, GA_PARENT);
        t.hwnd = parent == GetDesktopWindow() ? nullptr : parent;
    }
    if (!t.hwnd)
        return t;
    auto lock = lock_tree();
    Window* w = peek_window(t.hwnd);
    if (!w)
        return Target{};
    t.thread = w->thread;
    POINT origin = client_origin_on_screen(w);
    t.client = POINT{screen.x - origin.x, screen.y - origin.y};
    t.disabled = (w->style & WS_DISABLED) != 0;
    return t;
}

void check_leave(const Target& t) {
    HWND leave = nullptr;
    bool nonclient = false;
    {
        auto& tr = tracking();
        std::lock_guard lock(tr.mutex);
        if (!tr.leave_window)
            return;
        bool inside = t.hwnd == tr.leave_window &&
                      (tr.leave_nonclient ? t.hit != HTCLIENT : t.hit == HTCLIENT || t.captured);
        if (inside)
            return;
        leave = tr.leave_window;
        nonclient = tr.leave_nonclient;
        tr.leave_window = nullptr;
    }
    PostMessageA(leave, nonclient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

UINT client_message(input::Button b, bool down) {
    switch (b) {
    case input::Button::left:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case input::Button::right:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    default:
        return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    }
}

int button_key(input::Button b) {
    switch (b) {
    case input::Button::left:
        return VK_LBUTTON;
    case input::Button::right:
        return VK_RBUTTON;
    default:
        return VK_MBUTTON;
    }
}

bool wants_double_clicks(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    return w && (w->cls->style & CS_DBLCLKS);
}

// True when this press completes a double click on the same window and button.
bool is_double_click(HWND hwnd, UINT down_message, POINT screen, std::uint64_t now) {
    auto& tr = tracking();
    std::lock_guard lock(tr.mutex);
    bool near = std::abs(screen.x - tr.last_down_point.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                std::abs(screen.y - tr.last_down_point.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    bool doubled = !tr.last_was_double && tr.last_down_window == hwnd &&
                   tr.last_down_message == down_message &&
                   now - tr.last_down_time <= kDoubleClickMs && near;
    tr.last_down_window = hwnd;
    tr.last_down_message = down_message;
    tr.last_down_time = now;
    tr.last_down_point = screen;
    tr.last_was_double = doubled;
    return doubled;
}

// A press over a child tells its parent, and so on up the chain until a window that was made
// with WS_EX_NOPARENTNOTIFY (an MDI client activates the child that was clicked by it).
void notify_parents_of_press(HWND hwnd, UINT msg, POINT screen) {
    std::vector<HWND> parents;
    {
        auto lock = lock_tree();
        for (Window* w = peek_window(hwnd);
             w && (w->style & WS_CHILD) && !(w->ex_style & WS_EX_NOPARENTNOTIFY) && w->parent &&
             !is_desktop(w->parent);
             w = w->parent)
            parents.push_back(w->parent->handle);
    }
    for (HWND parent : parents) {
        POINT at = screen;
        ScreenToClient(parent, &at);
        SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(msg, 0), MAKELPARAM(at.x, at.y));
    }
}

// Mouse activation of the clicked window's top-level window; true when the click is eaten.
bool activate_by_click(const Target& t, UINT msg) {
    HWND top = GetAncestor(t.hwnd, GA_ROOT);
    HWND active = nullptr;
    {
        auto lock = lock_tree();
        active = table().active;
    }
    if (!top || top == active)
        return false;
    LRESULT r = SendMessageA(t.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                             MAKELPARAM(static_cast<WORD>(t.hit), msg));
    if (r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT)
        activate(top, true);
    return r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
}

int scan_code(int vk) {
    if (vk >= 'A' && vk <= 'Z') {
        static const int letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                        0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                        0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
        return letters[vk - 'A'];
    }
    if (vk >= '1' && vk <= '9')
        return 0x02 + (vk - '1');
    if (vk >= VK_F1 && vk <= VK_F10)
        return 0x3B + (vk - VK_F1);
    switch (vk) {
    case '0':
        return 0x0B;
    case VK_ESCAPE:
        return 0x01;
    case VK_RETURN:
        return 0x1C;
    case VK_TAB:
        return 0x0F;
    case VK_SPACE:
        return 0x39;
    case VK_BACK:
        return 0x0E;
    case VK_SHIFT:
    case VK_LSHIFT:
        return 0x2A;
    case VK_RSHIFT:
        return 0x36;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        return 0x1D;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        return 0x38;
    case VK_LEFT:
        return 0x4B;
    case VK_RIGHT:
        return 0x4D;
    case VK_UP:
        return 0x48;
    case VK_DOWN:
        return 0x50;
    case VK_HOME:
        return 0x47;
    case VK_END:
        return 0x4F;
    case VK_PRIOR:
        return 0x49;
    case VK_NEXT:
        return 0x51;
    case VK_INSERT:
        return 0x52;
    case VK_DELETE:
        return 0x53;
    case VK_F11:
        return 0x57;
    case VK_F12:
        return 0x58;
    default:
        return 0;
    }
}

bool is_extended(int vk) {
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_DIVIDE:
        return true;
    default:
        return false;
    }
}

int generic_of(int vk) {
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

struct RawEvent {
    enum class Kind { key, move, button, wheel };
    Kind kind = Kind::move;
    int vk = 0;
    bool down = false;
    input::Button button = input::Button::left;
    int delta = 0;
    POINT point{};
    std::uint64_t time = 0;
};

struct RawInput {
    std::mutex mutex;
    std::deque<std::pair<std::uint64_t, RawEvent>> events;
    std::uint64_t next_seq = 1;
};

RawInput& raw_input() {
    static auto* r = new RawInput;
    return *r;
}

void push_event(const RawEvent& event) {
    {
        auto& r = raw_input();
        std::lock_guard lock(r.mutex);
        r.events.emplace_back(r.next_seq++, event);
    }
    wake_all_threads();
}

bool front_event(RawEvent& event, std::uint64_t& seq) {
    auto& r = raw_input();
    std::lock_guard lock(r.mutex);
    if (r.events.empty())
        return false;
    seq = r.events.front().first;
    event = r.events.front().second;
    return true;
}

bool pop_event(std::uint64_t seq) {
    auto& r = raw_input();
    std::lock_guard lock(r.mutex);
    if (r.events.empty() || r.events.front().first != seq)
        return false;
    r.events.pop_front();
    return true;
}

bool accepts(const InputFilter& f, UINT msg, HWND hwnd) {
    if ((f.min || f.max) && (msg < f.min || msg > f.max))
        return false;
    if (!f.hwnd)
        return true;
    return hwnd == f.hwnd || IsChild(f.hwnd, hwnd);
}

struct Converted {
    Target target;
    MSG msg{};
};

Target focus_target() {
    Target t;
    auto lock = lock_tree();
    Window* w = peek_window(table().focus);
    bool focused = w != nullptr;
    if (!w)
        w = peek_window(table().active);
    if (!w)
        return t;
    t.hwnd = w->handle;
    t.thread = w->thread;
    t.hit = focused ? HTCLIENT : HTNOWHERE; // HTNOWHERE: no focus, the active window gets it
    return t;
}

DWORD key_data(const RawEvent& e, int vk, bool alt, bool ctrl) {
    DWORD data = 1u | (static_cast<DWORD>(scan_code(e.vk)) << 16);
    if (is_extended(e.vk))
        data |= 1u << 24;
    if (alt && !ctrl)
        data |= 1u << 29;
    if (key_down(vk) || !e.down)
        data |= 1u << 30;
    if (!e.down)
        data |= 1u << 31;
    return data;
}

// The message an event becomes now (target, hit test, coordinates); no side effects besides
// the hit-test message.
Converted convert(const RawEvent& e) {
    Converted c;
    MSG& m = c.msg;
    m.time = static_cast<DWORD>(e.time);
    m.pt = e.point;
    switch (e.kind) {
    case RawEvent::Kind::key: {
        c.target = focus_target();
        int vk = generic_of(e.vk);
        bool alt = key_down(VK_MENU) || (vk == VK_MENU && e.down);
        if (vk == VK_MENU && !e.down)
            alt = true; // the Alt release itself still counts as a system key
        bool ctrl = key_down(VK_CONTROL);
        bool system = (alt && !ctrl) || vk == VK_F10 || c.target.hit == HTNOWHERE;
        m.hwnd = c.target.hwnd;
        m.message =
            system ? (e.down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (e.down ? WM_KEYDOWN : WM_KEYUP);
        m.wParam = static_cast<WPARAM>(vk);
        m.lParam = static_cast<LPARAM>(key_data(e, vk, alt, ctrl));
        return c;
    }
    case RawEvent::Kind::wheel: {
        c.target = focus_target();
        m.hwnd = c.target.hwnd;
        m.message = WM_MOUSEWHEEL;
        m.wParam = MAKEWPARAM(static_cast<WORD>(mouse_key_flags()), static_cast<WORD>(e.delta));
        m.lParam = MAKELPARAM(e.point.x, e.point.y);
        return c;
    }
    case RawEvent::Kind::move:
    case RawEvent::Kind::button:
        break;
    }
    c.target = find_target(e.point);
    m.hwnd = c.target.hwnd;
    bool client = c.target.hit == HTCLIENT || c.target.captured;
    UINT msg = e.kind == RawEvent::Kind::move ? WM_MOUSEMOVE : client_message(e.button, e.down);
    WPARAM flags = mouse_key_flags();
    if (e.kind == RawEvent::Kind::button) {
        WPARAM bit = e.button == input::Button::left    ? MK_LBUTTON
                     : e.button == input::Button::right ? MK_RBUTTON
                                                        : MK_MBUTTON;
        flags = e.down ? (flags | bit) : (flags & ~bit);
    }
    if (client) {
        m.message = msg;
        m.wParam = flags;
        m.lParam = MAKELPARAM(c.target.client.x, c.target.client.y);
    } else {
        m.message = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        m.wParam = static_cast<WPARAM>(c.target.hit);
        m.lParam = MAKELPARAM(e.point.x, e.point.y);
    }
    return c;
}

// What taking the event does besides returning its message; false when it is eaten.
bool deliver_side_effects(const RawEvent& e, Converted& c) {
    MSG& m = c.msg;
    switch (e.kind) {
    case RawEvent::Kind::key: {
        int vk = generic_of(e.vk);
        set_key_down(e.vk, e.down);
        set_key_down(vk, e.down);
        if (has_hooks(WH_KEYBOARD) && call_hooks(WH_KEYBOARD, HC_ACTION, m.wParam, m.lParam) != 0)
            return false;
        return true;
    }
    case RawEvent::Kind::wheel:
        return true;
    case RawEvent::Kind::move:
        check_leave(c.target);
        if (!c.target.captured)
            SendMessageA(m.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd),
                         MAKELPARAM(static_cast<WORD>(c.target.hit), WM_MOUSEMOVE));
        return IsWindow(m.hwnd) && !c.target.disabled;
    case RawEvent::Kind::button:
        break;
    }
    set_key_down(button_key(e.button), e.down);
    UINT client_msg = client_message(e.button, e.down);
    if (e.down && !c.target.captured) {
        SendMessageA(m.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd),
                     MAKELPARAM(static_cast<WORD>(c.target.hit), client_msg));
        if (c.target.disabled) {
            activate_for_disabled(m.hwnd);
            return false;
        }
        if (activate_by_click(c.target, client_msg))
            return false;
    }
    if (c.target.disabled || !IsWindow(m.hwnd))
        return false;
    if (e.down) {
        bool client = c.target.hit == HTCLIENT || c.target.captured;
        bool dbl = is_double_click(m.hwnd, client_msg, e.point, e.time) &&
                   (!client || wants_double_clicks(m.hwnd));
        if (dbl)
            m.message += 2; // WM_xBUTTONDBLCLK follows WM_xBUTTONDOWN and WM_xBUTTONUP
        notify_parents_of_press(m.hwnd, client_msg, e.point);
    }
    return IsWindow(m.hwnd);
}

} // namespace

namespace input {

void key(int virtual_key, bool down) {
    int vk = generic_of(virtual_key);
    set_async_key_down(virtual_key, down);
    set_async_key_down(vk, down);
    push_event(RawEvent{RawEvent::Kind::key, virtual_key, down, Button::left, 0, cursor_position(),
                        clock_port::now_ms()});
}

bool character(char ch) {
    static const char shifted_digits[] = ")!@#$%^&*(";
    struct Punct {
        char plain, shifted;
        int vk;
    };
    static const Punct punct[] = {
        {';', ':', VK_OEM_1},     {'=', '+', VK_OEM_PLUS},   {',', '<', VK_OEM_COMMA},
        {'-', '_', VK_OEM_MINUS}, {'.', '>', VK_OEM_PERIOD}, {'/', '?', VK_OEM_2},
        {'`', '~', VK_OEM_3},     {'[', '{', VK_OEM_4},      {'\\', '|', VK_OEM_5},
        {']', '}', VK_OEM_6},     {'\'', '"', VK_OEM_7},
    };
    int vk = 0;
    bool shift = false;
    unsigned char c = static_cast<unsigned char>(ch);
    if (std::isalpha(c)) {
        vk = std::toupper(c);
        shift = std::isupper(c) != 0;
    } else if (std::isdigit(c)) {
        vk = c;
    } else if (c == ' ') {
        vk = VK_SPACE;
    } else if (c == '\r' || c == '\n') {
        vk = VK_RETURN;
    } else if (c == '\t') {
        vk = VK_TAB;
    } else if (c == '\b') {
        vk = VK_BACK;
    } else if (const char* at = ch ? std::strchr(shifted_digits, ch) : nullptr; at) {
        vk = '0' + static_cast<int>(at - shifted_digits);
        shift = true;
    } else {
        for (const auto& p : punct) {
            if (p.plain == ch || p.shifted == ch) {
                vk = p.vk;
                shift = p.shifted == ch;
            }
        }
    }
    if (!vk)
        return false;
    bool shift_was_down = async_key_down(VK_SHIFT);
    if (shift && !shift_was_down)
        key(VK_SHIFT, true);
    key(vk, true);
    key(vk, false);
    if (shift && !shift_was_down)
        key(VK_SHIFT, false);
    return true;
}

void mouse_move(POINT screen) {
    set_cursor_position(screen);
    push_event(
        RawEvent{RawEvent::Kind::move, 0, false, Button::left, 0, screen, clock_port::now_ms()});
}

void mouse_button(Button button, bool down) {
    set_async_key_down(button_key(button), down);
    push_event(RawEvent{RawEvent::Kind::button, 0, down, button, 0, cursor_position(),
                        clock_port::now_ms()});
}

void mouse_wheel(int delta) {
    push_event(RawEvent{RawEvent::Kind::wheel, 0, false, Button::left, delta, cursor_position(),
                        clock_port::now_ms()});
}

} // namespace input

bool input_pending() {
    auto& r = raw_input();
    std::lock_guard lock(r.mutex);
    return !r.events.empty();
}

bool take_input(const InputFilter& filter, bool remove, MSG& out) {
    for (;;) {
        RawEvent event;
        std::uint64_t seq = 0;
        if (!front_event(event, seq))
            return false;
        Converted c = convert(event);
        if (!c.target.hwnd) {
            pop_event(seq); // nobody to receive it
            continue;
        }
        if (c.target.thread != current_thread_id()) {
            wake_thread(c.target.thread);
            return false;
        }
        if (!accepts(filter, c.msg.message, c.msg.hwnd))
            return false;
        if (!remove) {
            out = c.msg;
            return true;
        }
        if (!pop_event(seq))
            continue; // another thread took it meanwhile
        if (!deliver_side_effects(event, c))
            continue; // eaten (activation click, disabled window, a keyboard hook)
        out = c.msg;
        return true;
    }
}

int cursor_show_count() {
    auto& tr = tracking();
    std::lock_guard lock(tr.mutex);
    return tr.show_count;
}

void track_mouse_leave(HWND hwnd, bool nonclient) {
    auto& tr = tracking();
    std::lock_guard lock(tr.mutex);
    tr.leave_window = hwnd;
    tr.leave_nonclient = nonclient;
}

} // namespace lv::window

using namespace lv::window;

int ShowCursor(BOOL show) {
    auto& tr = tracking();
    std::lock_guard lock(tr.mutex);
    tr.show_count += show ? 1 : -1;
    display_port::top_levels_changed();
    return tr.show_count;
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& tr = tracking();
    std::lock_guard lock(tr.mutex);
    HCURSOR old = tr.cursor;
    tr.cursor = cursor;
    return old;
}

HCURSOR GetCursor() {
    auto& tr = tracking();
    std::lock_guard lock(tr.mutex);
    return tr.cursor;
}

BOOL SetCursorPos(int x, int y) {
    SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    POINT p{std::clamp(x, 0, static_cast<int>(screen.cx) - 1),
            std::clamp(y, 0, static_cast<int>(screen.cy) - 1)};
    input::mouse_move(p);
    display_port::cursor_moved_by_program(p);
    return TRUE;
}

UINT GetDoubleClickTime() {
    return kDoubleClickMs;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto& tr = tracking();
    if (track->dwFlags & TME_QUERY) {
        std::lock_guard lock(tr.mutex);
        track->hwndTrack = tr.leave_window;
        track->dwFlags =
            tr.leave_window ? (TME_LEAVE | (tr.leave_nonclient ? TME_NONCLIENT : 0)) : 0;
        track->dwHoverTime = 0;
        return TRUE;
    }
    if (track->dwFlags & TME_HOVER) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    if (!IsWindow(track->hwndTrack)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    bool nonclient = (track->dwFlags & TME_NONCLIENT) != 0;
    if (track->dwFlags & TME_CANCEL) {
        std::lock_guard lock(tr.mutex);
        if (tr.leave_window == track->hwndTrack && tr.leave_nonclient == nonclient)
            tr.leave_window = nullptr;
        return TRUE;
    }
    if (!(track->dwFlags & TME_LEAVE))
        return TRUE;
    POINT cursor = cursor_position();
    HWND under = WindowFromPoint(cursor);
    LRESULT hit = under == track->hwndTrack
                      ? SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y))
                      : HTNOWHERE;
    bool inside = under == track->hwndTrack && (nonclient ? hit != HTCLIENT : hit == HTCLIENT);
    if (!inside) {
        PostMessageA(track->hwndTrack, nonclient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    track_mouse_leave(track->hwndTrack, nonclient);
    return TRUE;
}

BOOL _TrackMouseEvent(LPTRACKMOUSEEVENT track) {
    return TrackMouseEvent(track);
}
