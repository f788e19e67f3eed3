// Which Windows the installer runs on, as the installation steps need to know it.
#pragma once

#include "win32/win32.h"

#include <cstdint>

enum InstallOsCode : std::int16_t {
    kOsUnknown = -1, // NT 5.2 and later, other platforms, or no answer
    kOsWindows95 = 0,
    kOsWindows98 = 1,
    kOsWindowsMe = 2,
    kOsWindowsNT4 = 3,
    kOsWindows2000 = 4,
    kOsWindowsXP = 5,
};

std::int16_t OsCodeFromVersion(const OSVERSIONINFOA& version);

// The code of the running system: GetVersionExA, then the table above.
std::int16_t DetectWindowsVersion();

// Windows 95 and 98 keep the active screen saver in SYSTEM.INI as well.
inline bool UsesSystemIni(std::int16_t osCode) {
    return osCode == kOsWindows95 || osCode == kOsWindows98;
}
