#include "menu/menu_loop.h"

#include "menu/menu_bar.h"
#include "menu/menu_metrics.h"
#include "menu/popup_window.h"

#include <cctype>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace lv::menu {
namespace {

constexpr UINT_PTR kOpenSubmenuTimer = 0x4D31;

SIZE screen_size() {
    return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

RECT window_rect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// WM_MENUSELECT's flags for an item.
UINT select_flags(const Item& item) {
    UINT flags = (item.type & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) |
                 (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT));
    return item.submenu ? flags | MF_POPUP : flags;
}

bool selectable(const Item& item) {
    return !item.separator();
}

bool can_run(const Item& item) {
    return !item.separator() && !item.disabled() && !item.submenu;
}

struct Level {
    PopupView view;
    HWND window = nullptr;
};

class MenuLoop;
thread_local MenuLoop* t_innermost = nullptr;

class MenuLoop {
public:
    MenuLoop(HWND owner, UINT flags, bool popup_mode, bool system_menu)
        : m_owner(owner), m_flags(flags), m_popup_mode(popup_mode), m_system(system_menu),
          m_notify(!(flags & TPM_NONOTIFY)), m_outer(t_innermost) {
        t_innermost = this;
    }

    ~MenuLoop() {
        close_from(0);
        if (m_bar)
            set_bar_highlight(m_owner, -1, false);
        if (GetCapture() == m_owner)
            ReleaseCapture();
        if (m_started && m_notify && IsWindow(m_owner)) {
            SendMessageA(m_owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
            SendMessageA(m_owner, WM_EXITMENULOOP, m_popup_mode ? TRUE : FALSE, 0);
        }
        t_innermost = m_outer;
    }

    MenuLoop(const MenuLoop&) = delete;
    MenuLoop& operator=(const MenuLoop&) = delete;

    void end() { m_done = true; }
    std::optional<UINT> chosen() const { return m_chosen; }

    // WM_ENTERMENULOOP and WM_INITMENU for the menu that starts the loop; the mouse is taken.
    void start(HMENU menu) {
        m_started = true;
        if (m_notify) {
            SendMessageA(m_owner, WM_ENTERMENULOOP, m_popup_mode ? TRUE : FALSE, 0);
            SendMessageA(m_owner, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
        }
        SetCapture(m_owner);
    }

    bool open_popup(HMENU menu, POINT at, const RECT* exclude) {
        return open_level(menu, 0, [&](SIZE size) {
            return place_popup(at, size, m_flags, screen_size(), exclude);
        });
    }

    // The bar as the program left it after WM_INITMENU.
    bool take_bar() {
        m_bar = bar_geometry(m_owner);
        return m_bar.has_value() && !m_bar->items.empty();
    }

    void start_on_title(int title, bool open, bool by_mouse) {
        title = std::clamp(title, 0, static_cast<int>(m_bar->items.size()) - 1);
        select_title(title, open, by_mouse, !by_mouse);
        // The press that opened the loop counts: its release on a command title runs it.
        if (by_mouse)
            m_pressed_title = title;
        const Item& item = m_bar->items[static_cast<size_t>(title)];
        if (open && !by_mouse && !item.submenu)
            choose(item);
    }

    void run() {
        MSG msg{};
        bool idle_told = false;
        while (!m_done) {
            if (!IsWindow(m_owner) || GetCapture() != m_owner)
                break;
            if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (!idle_told && m_notify) {
                    idle_told = true;
                    SendMessageA(m_owner, WM_ENTERIDLE, MSGF_MENU,
                                 reinterpret_cast<LPARAM>(deepest_window()));
                    continue;
                }
                if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
                    if (msg.message == WM_QUIT)
                        PostQuitMessage(static_cast<int>(msg.wParam));
                    break;
                }
            }
            idle_told = false;
            if (CallMsgFilterA(&msg, MSGF_MENU))
                continue;
            handle(msg);
        }
    }

private:
    // ---- Levels --------------------------------------------------------------------------
    bool open_level(HMENU menu, int parent_index, const std::function<POINT(SIZE)>& place) {
        if (m_notify)
            SendMessageA(m_owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                         MAKELPARAM(parent_index, m_system ? TRUE : FALSE));
        auto items = snapshot(menu);
        if (!items || !IsWindow(m_owner))
            return false;
        auto level = std::make_unique<Level>();
        level->view.menu = menu;
        level->view.owner = m_owner;
        level->view.from_bar = m_bar.has_value();
        level->view.items = std::move(items->items);
        level->view.layout =
            layout_popup(measure_popup(m_owner, level->view.items), popup_metrics());
        level->window = create_popup_window(level->view, place(level->view.layout.size));
        if (!level->window)
            return false;
        m_levels.push_back(std::move(level));
        return true;
    }

    void close_from(size_t depth) {
        while (m_levels.size() > depth) {
            std::unique_ptr<Level> level = std::move(m_levels.back());
            m_levels.pop_back();
            KillTimer(level->window, kOpenSubmenuTimer);
            DestroyWindow(level->window);
            if (m_notify && IsWindow(m_owner))
                SendMessageA(m_owner, WM_UNINITMENUPOPUP,
                             reinterpret_cast<WPARAM>(level->view.menu),
                             MAKELPARAM(0, m_system ? MF_SYSMENU : 0));
        }
    }

    HWND deepest_window() const { return m_levels.empty() ? nullptr : m_levels.back()->window; }

    void notify_select(HMENU menu, const Item& item, int index, bool by_mouse) {
        if (!m_notify)
            return;
        WORD id = item.submenu ? static_cast<WORD>(index) : static_cast<WORD>(item.id);
        UINT flags = select_flags(item) | MF_HILITE | (by_mouse ? MF_MOUSESELECT : 0) |
                     (m_system ? MF_SYSMENU : 0);
        SendMessageA(m_owner, WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(menu));
    }

    void select(size_t depth, int item, bool by_mouse) {
        Level& level = *m_levels[depth];
        if (level.view.selected == item)
            return;
        KillTimer(level.window, kOpenSubmenuTimer);
        close_from(depth + 1);
        level.view.selected = item;
        repaint_popup(level.window);
        if (item < 0)
            return;
        const Item& it = level.view.items[static_cast<size_t>(item)];
        notify_select(level.view.menu, it, item, by_mouse);
        if (by_mouse && it.submenu && !it.disabled())
            SetTimer(level.window, kOpenSubmenuTimer, kSubmenuOpenDelayMs, nullptr);
    }

    // Opens the submenu of the level's selected item (nothing when it has none or it is open).
    bool open_submenu(size_t depth, bool select_first) {
        Level& level = *m_levels[depth];
        KillTimer(level.window, kOpenSubmenuTimer);
        int index = level.view.selected;
        if (index < 0)
            return false;
        const Item item = level.view.items[static_cast<size_t>(index)];
        if (!item.submenu || item.disabled())
            return false;
        if (m_levels.size() > depth + 1)
            return true;
        RECT popup = window_rect(level.window);
        RECT row = level.view.layout.items[static_cast<size_t>(index)];
        OffsetRect(&row, popup.left, popup.top);
        if (!open_level(item.submenu, index, [&](SIZE size) {
                return place_submenu(row, popup, size, screen_size(), kPopupBorder);
            }))
            return false;
        if (select_first)
            step(m_levels.size() - 1, -1, +1);
        return true;
    }

    // Moves the selection of a level by `direction` from `from`, over separators, wrapping.
    void step(size_t depth, int from, int direction) {
        const auto& items = m_levels[depth]->view.items;
        int count = static_cast<int>(items.size());
        if (count == 0)
            return;
        int index = from;
        for (int tries = 0; tries < count; ++tries) {
            index = (index + direction + count) % count;
            if (selectable(items[static_cast<size_t>(index)])) {
                select(depth, index, false);
                return;
            }
        }
    }

    void choose(const Item& item) {
        if (!can_run(item))
            return;
        m_chosen = item.id;
        m_done = true;
    }

    // ---- The menu bar ---------------------------------------------------------------------
    bool bar_open() const { return m_bar && !m_levels.empty(); }

    void select_title(int title, bool open, bool by_mouse, bool select_first) {
        close_from(0);
        m_title = title;
        m_dropped = open;
        bool opened = false;
        if (title >= 0) {
            const Item& item = m_bar->items[static_cast<size_t>(title)];
            notify_select(m_bar->menu, item, title, by_mouse);
            if (open && item.submenu && !item.disabled()) {
                RECT origin = window_rect(m_owner);
                RECT place = m_bar->rects[static_cast<size_t>(title)];
                OffsetRect(&place, origin.left, origin.top);
                opened = open_level(item.submenu, title, [&](SIZE size) {
                    return place_dropdown(place, size, screen_size());
                });
                if (opened && select_first)
                    step(0, -1, +1);
            }
        }
        set_bar_highlight(m_owner, title, opened);
    }

    int next_title(int direction) const {
        int count = static_cast<int>(m_bar->items.size());
        int index = m_title;
        for (int tries = 0; tries < count; ++tries) {
            index = (index + direction + count) % count;
            const Item& item = m_bar->items[static_cast<size_t>(index)];
            if (!item.separator())
                return index;
        }
        return m_title;
    }

    // ---- Mouse ----------------------------------------------------------------------------
    // The deepest open popup under the point, or -1.
    int level_at(POINT p) const {
        for (size_t d = m_levels.size(); d-- > 0;)
            if (inside(window_rect(m_levels[d]->window), p))
                return static_cast<int>(d);
        return -1;
    }

    int item_under(size_t depth, POINT p) const {
        const Level& level = *m_levels[depth];
        RECT r = window_rect(level.window);
        int index = item_at(level.view.layout, POINT{p.x - r.left, p.y - r.top});
        if (index >= 0 && !selectable(level.view.items[static_cast<size_t>(index)]))
            return -1;
        return index;
    }

    void on_mouse_move(POINT p) {
        int depth = level_at(p);
        if (depth >= 0) {
            int index = item_under(static_cast<size_t>(depth), p);
            if (index >= 0 || m_levels.size() == static_cast<size_t>(depth) + 1)
                select(static_cast<size_t>(depth), index, true);
            return;
        }
        int title = m_bar ? bar_item_at(m_owner, *m_bar, p) : -1;
        if (title >= 0) {
            if (title != m_title)
                select_title(title, m_dropped, true, false);
            return;
        }
        if (!m_levels.empty())
            select(m_levels.size() - 1, -1, true);
    }

    void on_button_down(POINT p) {
        m_pressed_title = -1;
        int depth = level_at(p);
        if (depth >= 0) {
            int index = item_under(static_cast<size_t>(depth), p);
            if (index < 0)
                return;
            select(static_cast<size_t>(depth), index, true);
            open_submenu(static_cast<size_t>(depth), false);
            return;
        }
        if (m_bar) {
            int title = bar_item_at(m_owner, *m_bar, p);
            if (title >= 0) {
                // A second click on the open title closes the menu.
                if (title == m_title && bar_open()) {
                    m_done = true;
                    return;
                }
                m_pressed_title = title;
                select_title(title, true, true, false);
                return;
            }
        }
        m_done = true; // a click outside every menu cancels it
    }

    void on_button_up(POINT p, bool right) {
        if (right && !(m_flags & TPM_RIGHTBUTTON))
            return;
        int depth = level_at(p);
        if (depth >= 0) {
            int index = item_under(static_cast<size_t>(depth), p);
            if (index >= 0)
                choose(
                    m_levels[static_cast<size_t>(depth)]->view.items[static_cast<size_t>(index)]);
            return;
        }
        if (m_bar) {
            int title = bar_item_at(m_owner, *m_bar, p);
            if (title >= 0 && title == m_pressed_title)
                choose(m_bar->items[static_cast<size_t>(title)]);
        }
    }

    void on_timer(HWND window) {
        for (size_t d = 0; d < m_levels.size(); ++d) {
            if (m_levels[d]->window != window)
                continue;
            open_submenu(d, false);
            return;
        }
    }

    // ---- Keyboard -------------------------------------------------------------------------
    void on_escape() {
        if (m_levels.size() > 1) {
            close_from(m_levels.size() - 1);
            return;
        }
        if (m_bar && !m_levels.empty()) {
            close_from(0);
            m_dropped = false;
            set_bar_highlight(m_owner, m_title, false);
            return;
        }
        m_done = true;
    }

    void on_vertical(WPARAM key) {
        if (m_levels.empty()) {
            if (m_bar && m_title >= 0)
                select_title(m_title, true, false, true);
            return;
        }
        size_t depth = m_levels.size() - 1;
        int selected = m_levels[depth]->view.selected;
        bool down = key == VK_DOWN || key == VK_HOME;
        if (key == VK_HOME)
            selected = -1;
        if (key == VK_END)
            selected = static_cast<int>(m_levels[depth]->view.items.size());
        if (selected < 0 && !down)
            selected = static_cast<int>(m_levels[depth]->view.items.size());
        step(depth, selected, down ? +1 : -1);
    }

    void on_horizontal(WPARAM key) {
        if (key == VK_RIGHT && !m_levels.empty() && open_submenu(m_levels.size() - 1, true))
            return;
        if (key == VK_LEFT && m_levels.size() > 1) {
            close_from(m_levels.size() - 1);
            return;
        }
        if (m_bar && m_title >= 0)
            select_title(next_title(key == VK_RIGHT ? +1 : -1), m_dropped, false, true);
    }

    void on_return() {
        if (m_levels.empty()) {
            if (!m_bar || m_title < 0)
                return;
            const Item& item = m_bar->items[static_cast<size_t>(m_title)];
            if (item.submenu)
                select_title(m_title, true, false, true);
            else
                choose(item);
            return;
        }
        size_t depth = m_levels.size() - 1;
        int selected = m_levels[depth]->view.selected;
        if (selected < 0)
            return;
        const Item item = m_levels[depth]->view.items[static_cast<size_t>(selected)];
        if (item.submenu)
            open_submenu(depth, true);
        else
            choose(item);
    }

    // True when the key moved through the menu; other keys may make characters.
    bool on_key(WPARAM key) {
        switch (key) {
        case VK_ESCAPE:
            on_escape();
            return true;
        case VK_MENU:
        case VK_F10:
            m_done = true;
            return true;
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
            on_vertical(key);
            return true;
        case VK_LEFT:
        case VK_RIGHT:
            on_horizontal(key);
            return true;
        case VK_RETURN:
            on_return();
            return true;
        default:
            return false;
        }
    }

    // Asks the owner about a character that no item's mnemonic matched.
    void menu_char(HMENU menu, WPARAM code, std::optional<size_t> depth) {
        if (!m_notify)
            return;
        WORD kind = m_system ? MF_SYSMENU : (depth ? MF_POPUP : 0);
        LRESULT answer = SendMessageA(m_owner, WM_MENUCHAR, MAKEWPARAM(LOWORD(code), kind),
                                      reinterpret_cast<LPARAM>(menu));
        int index = LOWORD(answer);
        switch (HIWORD(answer)) {
        case MNC_CLOSE:
            m_done = true;
            return;
        case MNC_EXECUTE:
        case MNC_SELECT:
            if (!depth) {
                if (index < static_cast<int>(m_bar->items.size()))
                    select_title(index, HIWORD(answer) == MNC_EXECUTE, false, true);
                return;
            }
            if (index >= static_cast<int>(m_levels[*depth]->view.items.size()))
                return;
            select(*depth, index, false);
            if (HIWORD(answer) == MNC_EXECUTE)
                on_return();
            return;
        default:
            return;
        }
    }

    void on_char(WPARAM code) {
        char ch = static_cast<char>(std::toupper(static_cast<unsigned char>(code)));
        if (static_cast<unsigned char>(code) < ' ')
            return;
        if (m_levels.empty()) {
            if (!m_bar)
                return;
            for (size_t i = 0; i < m_bar->items.size(); ++i) {
                if (mnemonic_of(m_bar->items[i].text) != ch)
                    continue;
                if (m_bar->items[i].submenu)
                    select_title(static_cast<int>(i), true, false, true);
                else
                    choose(m_bar->items[i]);
                return;
            }
            menu_char(m_bar->menu, code, std::nullopt);
            return;
        }
        size_t depth = m_levels.size() - 1;
        const auto& items = m_levels[depth]->view.items;
        std::vector<int> matches;
        for (size_t i = 0; i < items.size(); ++i)
            if (selectable(items[i]) && mnemonic_of(items[i].text) == ch)
                matches.push_back(static_cast<int>(i));
        if (matches.empty()) {
            menu_char(m_levels[depth]->view.menu, code, depth);
            return;
        }
        if (matches.size() > 1) {
            // Several items share the letter: each press moves on to the next of them.
            int selected = m_levels[depth]->view.selected;
            int next = matches.front();
            for (int m : matches)
                if (m > selected) {
                    next = m;
                    break;
                }
            select(depth, next, false);
            return;
        }
        select(depth, matches.front(), false);
        on_return();
    }

    void handle(MSG& msg) {
        switch (msg.message) {
        case WM_MOUSEMOVE:
            on_mouse_move(msg.pt);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            on_button_down(msg.pt);
            return;
        case WM_LBUTTONUP:
            on_button_up(msg.pt, false);
            return;
        case WM_RBUTTONUP:
            on_button_up(msg.pt, true);
            return;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (!on_key(msg.wParam))
                TranslateMessage(&msg);
            return;
        case WM_CHAR:
        case WM_SYSCHAR:
            on_char(msg.wParam);
            return;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return;
        case WM_TIMER:
            if (msg.wParam == kOpenSubmenuTimer && msg.lParam == 0) {
                on_timer(msg.hwnd);
                return;
            }
            break;
        default:
            break;
        }
        DispatchMessageA(&msg);
    }

    HWND m_owner;
    UINT m_flags;
    bool m_popup_mode;
    bool m_system;
    bool m_notify;
    MenuLoop* m_outer;
    bool m_started = false;
    bool m_done = false;
    std::optional<UINT> m_chosen;
    std::vector<std::unique_ptr<Level>> m_levels;
    std::optional<BarGeometry> m_bar;
    int m_title = -1;
    // The bar walks with its drop-downs open: titles that cannot open (grayed, commands) are
    // passed over in this mode and the next one that can opens again.
    bool m_dropped = false;
    int m_pressed_title = -1;
};

} // namespace

UINT track_popup(const PopupRequest& request) {
    std::optional<UINT> chosen;
    {
        MenuLoop loop(request.owner, request.flags, true, request.system_menu);
        loop.start(request.menu);
        if (loop.open_popup(request.menu, request.at, request.exclude))
            loop.run();
        chosen = loop.chosen();
    }
    if (!chosen)
        return 0;
    if (!(request.flags & TPM_RETURNCMD) && IsWindow(request.owner)) {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (request.system_menu)
            PostMessageA(request.owner, WM_SYSCOMMAND, *chosen, MAKELPARAM(cursor.x, cursor.y));
        else
            PostMessageA(request.owner, WM_COMMAND, MAKEWPARAM(*chosen, 0), 0);
    }
    return *chosen;
}

void track_bar(const BarRequest& request) {
    std::optional<UINT> chosen;
    {
        auto bar = bar_geometry(request.owner);
        if (!bar)
            return;
        MenuLoop loop(request.owner, 0, false, false);
        loop.start(bar->menu);
        if (!loop.take_bar())
            return;
        loop.start_on_title(request.item, request.open, request.by_mouse);
        loop.run();
        chosen = loop.chosen();
    }
    if (chosen && IsWindow(request.owner))
        PostMessageA(request.owner, WM_COMMAND, MAKEWPARAM(*chosen, 0), 0);
}

bool loop_running() {
    return t_innermost != nullptr;
}

bool end_loop() {
    if (!t_innermost)
        return false;
    t_innermost->end();
    return true;
}

} // namespace lv::menu
