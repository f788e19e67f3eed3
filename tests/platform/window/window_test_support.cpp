#include "window_test_support.h"

#include "window/message_queue.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace wintest {
namespace {

std::atomic<int> g_class_counter{0};
Recorder* g_current = nullptr;

} // namespace

Recorder::Recorder() {
    m_class = "Recorder" + std::to_string(g_class_counter++);
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Recorder::proc;
    wc.lpszClassName = m_class.c_str();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_WINDOW + 1));
    RegisterClassA(&wc);
    g_current = this;
}

Recorder::~Recorder() {
    g_current = nullptr;
}

HWND Recorder::create(const char* name, DWORD style, int x, int y, int w, int h, HWND parent,
                      DWORD ex_style, int id) {
    {
        std::lock_guard lock(m_mutex);
        m_pending_name = name;
    }
    return CreateWindowExA(ex_style, m_class.c_str(), name, style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), nullptr, nullptr);
}

std::vector<Event> Recorder::events() const {
    std::lock_guard lock(m_mutex);
    return m_events;
}

std::vector<UINT> Recorder::messages_of(const std::string& window) const {
    std::vector<UINT> out;
    for (const Event& e : events())
        if (e.window == window)
            out.push_back(e.message);
    return out;
}

void Recorder::clear() {
    std::lock_guard lock(m_mutex);
    m_events.clear();
}

LRESULT CALLBACK Recorder::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Recorder* self = g_current;
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    {
        std::lock_guard lock(self->m_mutex);
        // Messages before WM_NCCREATE belong to the window being created.
        if (!self->m_names.count(hwnd))
            self->m_names[hwnd] = self->m_pending_name;
        self->m_events.push_back(Event{self->m_names[hwnd], msg});
    }
    LRESULT result = 0;
    if (self->handler && self->handler(hwnd, msg, wParam, lParam, result))
        return result;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

namespace {

LRESULT CALLBACK coloured_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(hwnd, &client);
        auto colour = static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

HWND make_coloured(DWORD style, int x, int y, int w, int h, COLORREF colour, HWND parent,
                   DWORD ex_style) {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = coloured_proc;
        wc.lpszClassName = "Coloured";
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    HWND hwnd = CreateWindowExA(ex_style, "Coloured", "", style & ~WS_VISIBLE, x, y, w, h, parent,
                                nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    if (style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOWNA);
    return hwnd;
}

DWORD current_thread() {
    return GetCurrentThreadId();
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool pump_until(const std::function<bool()>& ready) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        pump();
        // Woken by what arrives in the queue; what another thread changes without a message
        // is looked at again within the slice.
        lv::window::wait_for_arrival(std::chrono::milliseconds(10));
    }
    return true;
}

bool wait_for_send() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!(GetQueueStatus(QS_SENDMESSAGE) & QS_SENDMESSAGE)) {
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            return false;
        lv::window::wait_for_arrival(std::chrono::duration_cast<std::chrono::milliseconds>(left));
    }
    return true;
}

long x_rgb(COLORREF colour) {
    return (static_cast<long>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) |
           GetBValue(colour);
}

std::string name_of(UINT message) {
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_PAINT, "WM_PAINT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCPAINT, "WM_NCPAINT"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
        {WM_SETTEXT, "WM_SETTEXT"},
    };
    auto it = names.find(message);
    return it == names.end() ? std::to_string(message) : it->second;
}

} // namespace wintest
