#include "window/work_area.h"

#include "window/display_port.h"

#include <algorithm>

namespace lv::window {

POINT kept_on_work_area(const RECT& window) {
    const RECT area = display_port::work_area();
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    LONG x = std::min(window.left, area.right - width);
    LONG y = std::min(window.top, area.bottom - height);
    return POINT{std::max(x, area.left), std::max(y, area.top)};
}

} // namespace lv::window
