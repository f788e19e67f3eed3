// Painting state of a window: its update region, pending erase and frame, its window region
// and (for top-level windows) the surface it draws into. Guarded by the tree lock.
#pragma once

#include "gdi/region.h"
#include "gdi/surface.h"
#include "win32/window.h"

#include <memory>

namespace lv::window {

struct PaintState {
    gdi::Region update; // client coordinates
    bool erase = false;
    bool frame = false;
    bool internal = false;
    HRGN window_region = nullptr;          // owned by the window
    gdi::Region region;                    // copy of the window region, window coordinates
    std::shared_ptr<gdi::Surface> surface; // top-level windows only
};

} // namespace lv::window
