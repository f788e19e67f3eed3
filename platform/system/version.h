// The Windows version the layer reports, chosen by LUMIVISTA_WINVER (95, 98, ME, NT4, 2000, XP;
// XP when unset or unknown), read at each call so that tests can switch it.
#pragma once

#include "win32/types.h"

namespace lv {

struct WindowsVersion {
    DWORD major;
    DWORD minor;
    DWORD build;
    DWORD platform_id; // 1: the 95/98/ME family, 2: NT
};

WindowsVersion configured_windows_version();

} // namespace lv
