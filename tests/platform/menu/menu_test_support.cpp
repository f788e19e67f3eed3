#include "menu_test_support.h"

#include "menu/menu_bar.h"
#include "menu/popup_window.h"

#include <algorithm>
#include <stdexcept>

namespace menutest {
namespace {

bool is_menu_message(UINT msg) {
    switch (msg) {
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_MENUCHAR:
    case WM_ENTERIDLE:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        return true;
    default:
        return false;
    }
}

const char* kOwnerClass = "MenuTestOwner";

} // namespace

Owner::Owner(DWORD style, int x, int y, int cx, int cy) {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Owner::proc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = kOwnerClass;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    m_hwnd = CreateWindowExA(0, kOwnerClass, "Menu owner", style, x, y, cx, cy, nullptr, nullptr,
                             nullptr, this);
    pump();
}

Owner::~Owner() {
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
}

LRESULT CALLBACK Owner::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (is_menu_message(msg))
        self->m_seen.push_back(Seen{msg, wParam, lParam});
    switch (msg) {
    case WM_ENTERIDLE:
        if (!self->script.empty()) {
            auto step = std::move(self->script.front());
            self->script.pop_front();
            step();
        } else if (++self->m_idle_without_script > 3) {
            // Nothing scripted any more: a test that forgot to end its menu still finishes.
            self->m_idle_without_script = 0;
            EndMenu();
        }
        return 0;
    case WM_MENUCHAR:
        if (self->menu_char)
            return self->menu_char(wParam, lParam);
        break;
    case WM_MEASUREITEM:
        if (self->measure) {
            self->measure(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        if (self->draw) {
            self->draw(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::vector<Seen> Owner::seen(UINT message) const {
    std::vector<Seen> out;
    for (const Seen& s : m_seen)
        if (s.message == message)
            out.push_back(s);
    return out;
}

std::vector<UINT> Owner::menu_messages() const {
    std::vector<UINT> out;
    for (const Seen& s : m_seen)
        if (s.message != WM_ENTERIDLE && s.message != WM_COMMAND && s.message != WM_SYSCOMMAND)
            out.push_back(s.message);
    return out;
}

std::vector<UINT> Owner::commands() {
    pump();
    std::vector<UINT> out;
    for (const Seen& s : seen(WM_COMMAND))
        out.push_back(LOWORD(s.wParam));
    return out;
}

std::vector<UINT> Owner::system_commands() {
    pump();
    std::vector<UINT> out;
    for (const Seen& s : seen(WM_SYSCOMMAND))
        out.push_back(static_cast<UINT>(s.wParam & 0xFFF0));
    return out;
}

std::vector<HWND> open_popups() {
    std::vector<HWND> out;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            char name[16] = {};
            GetClassNameA(hwnd, name, sizeof(name));
            if (std::string(name) == MENU_POPUP_CLASS && IsWindowVisible(hwnd))
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&out));
    // Newer popups lie above older ones; the thread's windows come topmost first.
    std::reverse(out.begin(), out.end());
    return out;
}

RECT item_on_screen(HWND popup, int index) {
    auto* view = reinterpret_cast<lv::menu::PopupView*>(GetWindowLongPtrA(popup, GWLP_USERDATA));
    if (!view || index < 0 || static_cast<size_t>(index) >= view->layout.items.size())
        throw std::out_of_range("no such popup item");
    RECT r = view->layout.items[static_cast<size_t>(index)];
    RECT window{};
    GetWindowRect(popup, &window);
    OffsetRect(&r, window.left, window.top);
    return r;
}

POINT centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

RECT title_on_screen(HWND hwnd, int index) {
    auto bar = lv::menu::bar_geometry(hwnd);
    if (!bar || index < 0 || static_cast<size_t>(index) >= bar->rects.size())
        throw std::out_of_range("no such title");
    RECT r = bar->rects[static_cast<size_t>(index)];
    RECT window{};
    GetWindowRect(hwnd, &window);
    OffsetRect(&r, window.left, window.top);
    return r;
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HMENU build_menu(const std::vector<std::string>& entries, bool popup) {
    std::vector<HMENU> stack{popup ? CreatePopupMenu() : CreateMenu()};
    bool open_next = false;
    for (const std::string& entry : entries) {
        if (entry == ">") {
            open_next = true;
            continue;
        }
        if (entry == "<") {
            stack.pop_back();
            continue;
        }
        if (entry == "-") {
            AppendMenuA(stack.back(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        size_t bar1 = entry.find('|');
        size_t bar2 = entry.find('|', bar1 + 1);
        std::string text = entry.substr(0, bar1);
        UINT id =
            bar1 == std::string::npos ? 0 : std::stoul(entry.substr(bar1 + 1, bar2 - bar1 - 1));
        UINT flags = bar2 == std::string::npos ? 0 : std::stoul(entry.substr(bar2 + 1), nullptr, 0);
        if (open_next) {
            HMENU sub = CreatePopupMenu();
            AppendMenuA(stack.back(), flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                        text.c_str());
            stack.push_back(sub);
            open_next = false;
            continue;
        }
        AppendMenuA(stack.back(), flags | MF_STRING, id, text.c_str());
    }
    return stack.front();
}

} // namespace menutest
