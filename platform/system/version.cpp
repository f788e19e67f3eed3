#include "system/version.h"

#include "system/paths.h"
#include "win32/system.h"

#include <cstdlib>
#include <cstring>

namespace lv {

WindowsVersion configured_windows_version() {
    struct Named {
        const char* name;
        WindowsVersion version;
    };
    static const Named versions[] = {
        {"95", {4, 0, 950, VER_PLATFORM_WIN32_WINDOWS}},
        {"98", {4, 10, 1998, VER_PLATFORM_WIN32_WINDOWS}},
        {"ME", {4, 90, 3000, VER_PLATFORM_WIN32_WINDOWS}},
        {"NT4", {4, 0, 1381, VER_PLATFORM_WIN32_NT}},
        {"2000", {5, 0, 2195, VER_PLATFORM_WIN32_NT}},
        {"XP", {5, 1, 2600, VER_PLATFORM_WIN32_NT}},
    };
    const char* chosen = std::getenv("LUMIVISTA_WINVER");
    for (const auto& named : versions) {
        if (chosen && equal_ignoring_case(chosen, named.name))
            return named.version;
    }
    return versions[5].version;
}

} // namespace lv

DWORD GetVersion() {
    auto v = lv::configured_windows_version();
    DWORD low = (v.minor << 8) | v.major;
    if (v.platform_id == VER_PLATFORM_WIN32_WINDOWS)
        return 0xC0000000u | low; // the 9x family: high bit set, the rest reserved
    return ((v.build & 0x7FFF) << 16) | low;
}

BOOL GetVersionExA(LPOSVERSIONINFOA info) {
    constexpr DWORD kExtendedSize = 156; // OSVERSIONINFOEXA: service pack, suite, product type
    if (!info || (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA) &&
                  info->dwOSVersionInfoSize != kExtendedSize)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto v = lv::configured_windows_version();
    bool nine_x = v.platform_id == VER_PLATFORM_WIN32_WINDOWS;
    if (nine_x && info->dwOSVersionInfoSize == kExtendedSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER); // the 9x family knows only the short record
        return FALSE;
    }
    DWORD size = info->dwOSVersionInfoSize;
    std::memset(reinterpret_cast<char*>(info) + sizeof(DWORD), 0, size - sizeof(DWORD));
    info->dwMajorVersion = v.major;
    info->dwMinorVersion = v.minor;
    // On the 9x family the build number's high word repeats the version.
    info->dwBuildNumber = nine_x ? (((v.major << 8 | v.minor) << 16) | v.build) : v.build;
    info->dwPlatformId = v.platform_id;
    return TRUE;
}
