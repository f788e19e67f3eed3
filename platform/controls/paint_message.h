// WM_PAINT and WM_PRINTCLIENT alike: a control paints into the DC it is given, or between
// BeginPaint and EndPaint.
#pragma once

#include "win32/window.h"

namespace lv::controls {

template <class Paint> LRESULT paint_message(HWND hwnd, HDC given, Paint paint) {
    if (given) {
        paint(given);
        return 0;
    }
    PAINTSTRUCT ps;
    if (HDC dc = BeginPaint(hwnd, &ps)) {
        paint(dc);
        EndPaint(hwnd, &ps);
    }
    return 0;
}

} // namespace lv::controls
