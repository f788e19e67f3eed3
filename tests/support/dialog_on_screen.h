// Where a control of a dialog template lies on the screen, given the dialog's window rectangle
// there: the template's dialog units in the dialog font (Tahoma 8), past the frame that the
// dialog's style gives it. Real-display tests click controls there as a person does.
#pragma once

#include "win32/win32.h"

namespace lvtest {

inline constexpr DWORD kModalDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

RECT DialogControlOnScreen(const RECT& window, const RECT& units, DWORD style = kModalDialogStyle);

inline POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace lvtest
