// The screen the window manager sees: its size, its work area, and what it tells the display.
#include "display/backend.h"
#include "display/screen_config.h"
#include "display/sdl_presenter.h"
#include "window/display_port.h"

#include <algorithm>

namespace lv::window::display_port {
namespace {

struct ScreenFacts {
    SIZE size{};
    RECT work_area{};
};

ScreenFacts decide() {
    std::optional<SIZE> configured = display::configured_screen_size();
    if (display::real_display_running()) {
        const display::DesktopFacts& desktop = display::SdlPresenter::instance().desktop();
        SIZE size = configured.value_or(desktop.size);
        RECT work = desktop.work_area;
        work.right = std::min(work.right, size.cx);
        work.bottom = std::min(work.bottom, size.cy);
        if (work.left >= work.right || work.top >= work.bottom)
            work = RECT{0, 0, size.cx, size.cy};
        return ScreenFacts{size, work};
    }
    SIZE size = configured.value_or(display::kDefaultScreenSize);
    return ScreenFacts{size, RECT{0, 0, size.cx, size.cy}};
}

const ScreenFacts& facts() {
    static const ScreenFacts decided = decide();
    return decided;
}

} // namespace

SIZE screen_size() {
    return facts().size;
}

RECT work_area() {
    return facts().work_area;
}

void top_levels_changed() {
    if (display::real_display_running())
        display::SdlPresenter::instance().windows_changed();
}

void cursor_moved_by_program(POINT screen) {
    if (display::real_display_running())
        display::SdlPresenter::instance().warp_pointer(screen);
}

} // namespace lv::window::display_port
