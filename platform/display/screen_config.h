// The screen size a user configures: LUMIVISTA_SCREEN as WxH.
#pragma once

#include "win32/types.h"

#include <optional>

namespace lv::display {

// The size of a screen without a display, and of one whose size nobody configured.
constexpr SIZE kDefaultScreenSize{1024, 768};

// LUMIVISTA_SCREEN when set and well formed.
std::optional<SIZE> configured_screen_size();
// Parses "WxH" (each 1..16384); false when malformed.
bool parse_screen_size(const char* text, SIZE& out);

} // namespace lv::display
