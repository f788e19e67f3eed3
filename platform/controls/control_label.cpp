#include "controls/control_label.h"

#include "win32/controls.h"

#include <strings.h>

namespace lv::controls {

bool control_label(HWND hwnd, ControlLabel& label) {
    char name[64] = {};
    if (!GetClassNameA(hwnd, name, sizeof name))
        return false;
    if (strcasecmp(name, WC_BUTTONA) == 0)
        return button_label(hwnd, label);
    if (strcasecmp(name, WC_STATICA) == 0)
        return static_label(hwnd, label);
    return false;
}

} // namespace lv::controls
