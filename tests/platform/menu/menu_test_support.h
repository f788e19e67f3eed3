// Helpers for the menu tests: an owner window that records the menu messages and runs a
// scripted step each time a menu loop goes idle, and where the open popups and their items lie.
#pragma once

#include "win32/win32.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace menutest {

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A top-level window (caption, system menu, sizable) that records every menu message, posted
// command and owner-draw request. While a menu loop runs, each WM_ENTERIDLE takes the next step
// of `script` (a step usually injects input); with no step left the menu is ended.
class Owner {
public:
    explicit Owner(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, int x = 100, int y = 100,
                   int cx = 400, int cy = 300);
    ~Owner();
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

    HWND hwnd() const { return m_hwnd; }
    std::vector<Seen> seen(UINT message) const;
    std::vector<UINT> menu_messages() const; // the menu notifications in order
    void clear() { m_seen.clear(); }
    // The WM_COMMAND ids (and WM_SYSCOMMAND commands) that arrived, after pumping the queue.
    std::vector<UINT> commands();
    std::vector<UINT> system_commands();

    std::deque<std::function<void()>> script;
    // Answers WM_MENUCHAR when set.
    std::function<LRESULT(WPARAM, LPARAM)> menu_char;
    // Measures and draws owner-drawn items when set.
    std::function<void(MEASUREITEMSTRUCT*)> measure;
    std::function<void(DRAWITEMSTRUCT*)> draw;

    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    HWND m_hwnd = nullptr;
    std::vector<Seen> m_seen;
    int m_idle_without_script = 0;
};

// The popup menu windows that are open, in the order they opened.
std::vector<HWND> open_popups();
// An item's rectangle on the screen, from the popup's own layout.
RECT item_on_screen(HWND popup, int index);
POINT centre(const RECT& r);
// A menu bar title's rectangle on the screen.
RECT title_on_screen(HWND hwnd, int index);

void pump();

// A menu with items made of "text\tshortcut|id|flags" entries; `>` opens the next entry's submenu
// and `<` closes it. Used to build the menus the tests walk.
HMENU build_menu(const std::vector<std::string>& entries, bool popup = true);

} // namespace menutest
