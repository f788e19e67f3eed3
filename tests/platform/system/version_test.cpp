#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class VersionTest : public ::testing::Test {
protected:
    void TearDown() override { ::unsetenv("LUMIVISTA_WINVER"); }
};

TEST_F(VersionTest, EveryConfiguredVersion) {
    struct Case {
        const char* setting;
        DWORD major, minor, build, platform;
        DWORD get_version;
    } cases[] = {
        {"95", 4, 0, 950, VER_PLATFORM_WIN32_WINDOWS, 0xC0000004},
        {"98", 4, 10, 1998, VER_PLATFORM_WIN32_WINDOWS, 0xC0000A04},
        {"me", 4, 90, 3000, VER_PLATFORM_WIN32_WINDOWS, 0xC0005A04},
        {"NT4", 4, 0, 1381, VER_PLATFORM_WIN32_NT, 0x05650004},
        {"2000", 5, 0, 2195, VER_PLATFORM_WIN32_NT, 0x08930005},
        {"XP", 5, 1, 2600, VER_PLATFORM_WIN32_NT, 0x0A280105},
        {nullptr, 5, 1, 2600, VER_PLATFORM_WIN32_NT, 0x0A280105},
        {"Vista", 5, 1, 2600, VER_PLATFORM_WIN32_NT, 0x0A280105},
    };
    for (const auto& test : cases) {
        const char* label = test.setting ? test.setting : "(unset)";
        if (test.setting)
            ::setenv("LUMIVISTA_WINVER", test.setting, 1);
        else
            ::unsetenv("LUMIVISTA_WINVER");
        EXPECT_EQ(GetVersion(), test.get_version) << label;
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        ASSERT_TRUE(GetVersionExA(&info)) << label;
        EXPECT_EQ(info.dwMajorVersion, test.major) << label;
        EXPECT_EQ(info.dwMinorVersion, test.minor) << label;
        EXPECT_EQ(info.dwBuildNumber & 0xFFFF, test.build) << label;
        EXPECT_EQ(info.dwPlatformId, test.platform) << label;
        EXPECT_EQ((GetVersion() & 0x80000000u) != 0, test.platform == VER_PLATFORM_WIN32_WINDOWS);
    }
}

TEST_F(VersionTest, RecordSizeIsChecked) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = 12;
    EXPECT_FALSE(GetVersionExA(&info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_FALSE(GetVersionExA(nullptr));
}

} // namespace
