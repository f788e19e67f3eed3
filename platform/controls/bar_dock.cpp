#include "controls/bar_dock.h"

#include "controls/control_support.h"

namespace lv::controls {

void dock_bar(HWND hwnd, int height, bool bottom) {
    const DWORD style = style_of(hwnd);
    if (style & CCS_NORESIZE)
        return;
    HWND parent = GetParent(hwnd);
    RECT area{};
    if (parent)
        GetClientRect(parent, &area);
    if (!parent || (style & CCS_NOPARENTALIGN)) {
        RECT own{};
        GetWindowRect(hwnd, &own);
        SetWindowPos(hwnd, nullptr, 0, 0, own.right - own.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        return;
    }
    const DWORD align = style & CCS_BOTTOM;
    const bool at_bottom = align == CCS_BOTTOM || (bottom && align != CCS_TOP);
    SetWindowPos(hwnd, nullptr, 0, at_bottom ? area.bottom - height : 0, area.right, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace lv::controls
