// The size of the screen: LUMIVISTA_SCREEN as WxH, 1024x768 when unset or malformed.
#pragma once

#include "win32/types.h"

namespace lv::display {

SIZE screen_size();
// Parses "WxH" (each 1..16384); false when malformed.
bool parse_screen_size(const char* text, SIZE& out);

} // namespace lv::display
