// The classic frame: border, caption and caption-button rectangles from a window's styles.
#pragma once

#include "win32/window.h"

namespace lv::window {

struct FrameLayout {
    RECT insets{};        // from each side of the window rectangle to the client area
    int border = 0;       // width of the outer frame
    bool sizable = false; // WS_THICKFRAME
    bool has_caption = false;
    RECT caption{};  // in window coordinates, empty without a caption
    RECT sys_menu{}; // caption buttons, empty when absent
    RECT close{};
    RECT maximize{};
    RECT minimize{};
    RECT menu{};    // the menu bar below the caption, empty without one
    RECT vscroll{}; // scroll bar areas, empty when absent
    RECT hscroll{};
};

// `size` is the window rectangle's width and height; `menu_height` that of its menu bar rows.
FrameLayout frame_layout(DWORD style, DWORD ex_style, SIZE size, int menu_height = 0);
// Client rectangle (in the same coordinates as `window`) for a window rectangle.
RECT client_for(DWORD style, DWORD ex_style, const RECT& window, int menu_height = 0);
// The default WM_NCHITTEST answer for a point relative to the window's top-left corner.
LRESULT default_hit_test(DWORD style, DWORD ex_style, SIZE size, POINT at, int menu_height = 0);

} // namespace lv::window
