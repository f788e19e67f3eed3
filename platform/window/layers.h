// What the display composes: the visible top-level windows, bottom to top.
#pragma once

#include "gdi/region.h"
#include "gdi/surface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lv::window {

// What a top-level window is, as a window manager needs to know it. A popup menu is also any
// other owned window without a caption (a drop-down of the program's own, such as the colour
// popup): shown over its owner until it is done with, never framed.
enum class LayerKind { normal, dialog, popup_menu, dropdown_menu, tooltip, combo_list };

struct Layer {
    HWND hwnd = nullptr;
    std::shared_ptr<gdi::Surface> surface;
    POINT position{};    // of the surface's top-left corner on the screen
    gdi::Region shape;   // screen coordinates: the window rectangle through its region
    bool shaped = false; // a window region makes the shape other than the rectangle
    bool topmost = false;
    bool active = false;
    bool transient = false; // an owned window without a caption: a drop-down, a tip, a menu
    LayerKind kind = LayerKind::normal;
    HWND owner = nullptr; // the top-level window that owns this one
    bool modal = false;   // its owner is disabled while it shows
    std::string title;
};

std::vector<Layer> visible_layers_bottom_up();
// The surface of one top-level window (null when the handle is not one).
std::shared_ptr<gdi::Surface> surface_of(HWND hwnd);
// Increases whenever something that the screen shows may have changed.
std::uint64_t screen_generation();

} // namespace lv::window
