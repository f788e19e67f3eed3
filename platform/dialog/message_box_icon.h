// The message box icons, drawn simply: a red stop, a blue question, a yellow warning, a blue
// information sign.
#pragma once

#include "win32/gdi.h"

namespace lv::dialog {

void draw_message_box_icon(HDC dc, const RECT& area, UINT type);

} // namespace lv::dialog
