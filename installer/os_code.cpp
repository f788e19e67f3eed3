#include "installer/os_code.h"

std::int16_t OsCodeFromVersion(const OSVERSIONINFOA& version) {
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (version.dwMinorVersion < 10)
            return kOsWindows95;
        if (version.dwMinorVersion < 90)
            return kOsWindows98;
        return kOsWindowsMe;
    }
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return kOsUnknown;
    if (version.dwMajorVersion <= 4)
        return kOsWindowsNT4;
    if (version.dwMajorVersion == 5 && version.dwMinorVersion == 0)
        return kOsWindows2000;
    if (version.dwMajorVersion == 5 && version.dwMinorVersion == 1)
        return kOsWindowsXP;
    return kOsUnknown;
}

std::int16_t DetectWindowsVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version))
        return kOsUnknown;
    return OsCodeFromVersion(version);
}
