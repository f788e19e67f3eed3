// The numbers of a window's own scroll bars (SB_HORZ, SB_VERT), kept with the window.
#pragma once

#include "window/scroll_numbers.h"

#include <array>

namespace lv::window {

struct WindowScrollBar {
    ScrollNumbers numbers{0, 100}; // a window's bars start with the range 0 to 100
    UINT disabled_arrows = 0;      // ESB_DISABLE_* bits
    bool created = false;          // numbers were given at least once
};

using WindowScrollBars = std::array<WindowScrollBar, 2>; // SB_HORZ, SB_VERT

} // namespace lv::window
