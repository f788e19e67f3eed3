#include "controls/key_walk.h"

#include <algorithm>

namespace lv::controls {

int walked_row(WPARAM key, int current, int page, int count) {
    if (count <= 0)
        return -1;
    int target = 0;
    switch (key) {
    case VK_UP:
        target = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
        target = current + 1;
        break;
    case VK_PRIOR:
        target = current - page;
        break;
    case VK_NEXT:
        target = current + page;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = count - 1;
        break;
    default:
        return -1;
    }
    return std::clamp(target, 0, count - 1);
}

} // namespace lv::controls
