#include "installer/os_code.h"
#include "tests/installer/install_fixture.h"

#include <gtest/gtest.h>

namespace lvtest {
namespace {

OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor) {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof(v);
    v.dwPlatformId = platform;
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    return v;
}

TEST(OsCode, FromVersionTable) {
    struct Case {
        DWORD platform, major, minor;
        std::int16_t code;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, kOsWindows95},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 9, kOsWindows95},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, kOsWindows98},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 89, kOsWindows98},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, kOsWindowsMe},
        {VER_PLATFORM_WIN32_NT, 3, 51, kOsWindowsNT4},
        {VER_PLATFORM_WIN32_NT, 4, 0, kOsWindowsNT4},
        {VER_PLATFORM_WIN32_NT, 5, 0, kOsWindows2000},
        {VER_PLATFORM_WIN32_NT, 5, 1, kOsWindowsXP},
        {VER_PLATFORM_WIN32_NT, 5, 2, kOsUnknown},
        {VER_PLATFORM_WIN32_NT, 6, 0, kOsUnknown},
        {VER_PLATFORM_WIN32_NT, 10, 0, kOsUnknown},
        {VER_PLATFORM_WIN32s, 3, 10, kOsUnknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OsCodeFromVersion(Version(c.platform, c.major, c.minor)), c.code)
            << c.platform << " " << c.major << "." << c.minor;
}

// Only the two codes of the 95/98 family use SYSTEM.INI: no code outside the table does,
// however it compares with 1.
TEST(OsCode, OnlyWindows95And98UseSystemIni) {
    for (int code = -32768; code <= 32767; code += (code > -10 && code < 10) ? 1 : 997) {
        const bool expected = code == 0 || code == 1;
        EXPECT_EQ(UsesSystemIni(static_cast<std::int16_t>(code)), expected) << code;
    }
}

class DetectedOsCode : public InstallTest {};

TEST_F(DetectedOsCode, FollowsTheConfiguredVersion) {
    const std::pair<const char*, std::int16_t> cases[] = {
        {"95", kOsWindows95},   {"98", kOsWindows98},     {"ME", kOsWindowsMe},
        {"NT4", kOsWindowsNT4}, {"2000", kOsWindows2000}, {"XP", kOsWindowsXP},
    };
    for (const auto& [name, code] : cases) {
        SetWinver(name);
        EXPECT_EQ(DetectWindowsVersion(), code) << name;
    }
}

} // namespace
} // namespace lvtest
