#include "skin/core/skin_os_class.h"

#include "win32/win32.h"

int GlazeworkGetOsClass() {
    const DWORD version = GetVersion();
    const bool notNt = (version & 0x80000000u) != 0;
    if (notNt && LOBYTE(LOWORD(version)) < 4)
        return kOsClassWin32s;
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return notNt ? kOsClass95 : kOsClassOtherNt;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (info.dwMajorVersion == 4)
            return kOsClassNt4;
        if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0)
            return kOsClass2000;
        if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1)
            return kOsClassXp;
        return kOsClassOtherNt;
    }
    if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10)
        return kOsClass98;
    if (info.dwMajorVersion == 4 && info.dwMinorVersion == 90)
        return kOsClassMe;
    return kOsClass95;
}
