// The modal loop that tracks a menu: a popup menu (TrackPopupMenu, the system menu) or a
// window's menu bar with its drop-downs. It takes the thread's messages until an item is chosen
// or the menu is cancelled, drives the submenus by mouse and keyboard and sends the owner the
// menu notifications.
#pragma once

#include "win32/menu.h"

namespace lv::menu {

struct PopupRequest {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    UINT flags = 0; // TPM_*
    POINT at{};     // screen point the alignment flags refer to
    const RECT* exclude = nullptr;
    bool system_menu = false; // the items are SC_* commands for WM_SYSCOMMAND
};

// Runs the loop over a popup; the chosen item's command, 0 when none.
UINT track_popup(const PopupRequest& request);

struct BarRequest {
    HWND owner = nullptr;
    int item = 0;      // the title to start on
    bool open = false; // its drop-down opens at once (a click, a mnemonic)
    bool by_mouse = false;
};

// Runs the loop over the owner's menu bar; the chosen command goes to the owner.
void track_bar(const BarRequest& request);

// True while the calling thread runs a menu loop.
bool loop_running();
// Asks the calling thread's loop to end without a command; false when none runs.
bool end_loop();

} // namespace lv::menu
