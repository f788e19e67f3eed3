// Where a top-level window may stand: inside the work area, caption first.
#pragma once

#include "win32/types.h"

namespace lv::window {

// The top-left corner that puts `window` (screen coordinates) inside the work area; a window
// larger than the work area keeps its left and top edges, and so its caption, on it.
POINT kept_on_work_area(const RECT& window);

} // namespace lv::window
