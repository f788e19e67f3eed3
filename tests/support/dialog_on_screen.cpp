#include "tests/support/dialog_on_screen.h"

#include "dialog/dialog_units.h"

namespace lvtest {

RECT DialogControlOnScreen(const RECT& window, const RECT& units, DWORD style) {
    HFONT font = lv::dialog::create_dialog_font("Tahoma", 8);
    const SIZE base = lv::dialog::font_base_units(font);
    DeleteObject(font);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    RECT r = lv::dialog::dialog_units_to_pixels(units, base);
    OffsetRect(&r, window.left - frame.left, window.top - frame.top);
    return r;
}

} // namespace lvtest
