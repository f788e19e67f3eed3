#include "mfc/mfc.h"

#include "tests/platform/system/layer_root_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

class ProfileTest : public lvtest::LayerRootTest {
protected:
    void SetUp() override {
        LayerRootTest::SetUp();
        m_app.m_pszAppName = _tcsdup("Amber Tides");
        m_app.SetRegistryKey("Glimmerwright Savers");
    }

    static HKEY open(const char* path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return nullptr;
        return key;
    }

    CWinApp m_app;
};

constexpr const char* kSettings = "Software\\Glimmerwright Savers\\Amber Tides\\Settings";

TEST_F(ProfileTest, IntsAreDwordsUnderTheApplicationsKey) {
    EXPECT_EQ(m_app.GetProfileInt("Settings", "ImageTime", -1), static_cast<UINT>(-1));
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "ImageTime", 12));
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "MUsicOff", 0));
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "Offset", -5));
    EXPECT_EQ(m_app.GetProfileInt("Settings", "ImageTime", -1), 12u);
    EXPECT_EQ(m_app.GetProfileInt("settings", "musicoff", -1), 0u);
    EXPECT_EQ(static_cast<int>(m_app.GetProfileInt("Settings", "Offset", 0)), -5);
    EXPECT_EQ(m_app.GetProfileInt("Settings", "Disable", 7), 7u);
    EXPECT_EQ(m_app.GetProfileInt("Other", "ImageTime", 7), 7u);

    HKEY key = open(kSettings);
    ASSERT_NE(key, nullptr);
    DWORD type = 0, value = 0, size = sizeof value;
    ASSERT_EQ(
        RegQueryValueExA(key, "ImageTime", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 12u);

    // A value of another type is not an int.
    const char text[] = "12";
    ASSERT_EQ(RegSetValueExA(key, "ImageOrder", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 2),
              ERROR_SUCCESS);
    EXPECT_EQ(m_app.GetProfileInt("Settings", "ImageOrder", -1), static_cast<UINT>(-1));
    RegCloseKey(key);
}

TEST_F(ProfileTest, StringsRoundTripAndCanBeRemoved) {
    EXPECT_EQ(m_app.GetProfileString("Settings", "Skin"), "");
    EXPECT_EQ(m_app.GetProfileString("Settings", "Skin", "Dialog"), "Dialog");
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Skin", "Glass \xE7\x90\xA5"));
    EXPECT_EQ(m_app.GetProfileString("Settings", "Skin", "Dialog"), "Glass \xE7\x90\xA5");
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Empty", ""));
    EXPECT_EQ(m_app.GetProfileString("Settings", "Empty", "x"), "");

    // Written elsewhere without its NUL.
    HKEY key = open(kSettings);
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(RegSetValueExA(key, "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>("abcdef"), 3),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(m_app.GetProfileString("Settings", "Raw"), "abc");

    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Skin", nullptr));
    EXPECT_EQ(m_app.GetProfileString("Settings", "Skin", "gone"), "gone");
    EXPECT_TRUE(m_app.WriteProfileString("Settings", nullptr, nullptr));
    EXPECT_EQ(open(kSettings), nullptr);
    EXPECT_EQ(m_app.GetProfileString("Settings", "Empty", "gone"), "gone");
}

TEST_F(ProfileTest, ProfileNameFollowsTheApplicationName) {
    CWinApp other;
    other.m_pszAppName = _tcsdup("Second");
    other.SetRegistryKey("Glimmerwright Savers");
    EXPECT_TRUE(other.WriteProfileInt("Settings", "ImageTime", 30));
    EXPECT_EQ(m_app.GetProfileInt("Settings", "ImageTime", -1), static_cast<UINT>(-1));
    HKEY key = open("Software\\Glimmerwright Savers\\Second\\Settings");
    EXPECT_NE(key, nullptr);
    RegCloseKey(key);
}

} // namespace

namespace {

class ProfileFileTest : public lvtest::LayerRootTest {
protected:
    void SetUp() override {
        LayerRootTest::SetUp();
        char* argv[] = {const_cast<char*>("prog")};
        m_app.AttachToProgram(nullptr, lv::mfc::join_command_line(1, argv));
    }
    std::string ini_text() const {
        std::ifstream in(drive_c() / "WINDOWS" / "platform_mfc_tests.INI", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    CWinApp m_app;
};

TEST_F(ProfileFileTest, WithoutARegistryKeyTheProfileIsAnIniFileInTheWindowsFolder) {
    ASSERT_STREQ(m_app.m_pszProfileName, "platform_mfc_tests.INI");
    EXPECT_EQ(m_app.GetProfileInt("Settings", "ImageTime", -1), static_cast<UINT>(-1));
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "ImageTime", 12));
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Skin", "Dialog"));
    EXPECT_EQ(m_app.GetProfileInt("Settings", "ImageTime", -1), 12u);
    EXPECT_EQ(m_app.GetProfileString("Settings", "Skin"), "Dialog");
    const std::string text = ini_text();
    EXPECT_NE(text.find("[Settings]"), std::string::npos) << text;
    EXPECT_NE(text.find("ImageTime=12"), std::string::npos) << text;

    const std::string long_value(3000, 'v');
    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Long", long_value.c_str()));
    EXPECT_EQ(m_app.GetProfileString("Settings", "Long"), long_value.c_str());

    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Skin", nullptr));
    EXPECT_EQ(m_app.GetProfileString("Settings", "Skin", "gone"), "gone");
    EXPECT_TRUE(m_app.WriteProfileString("Settings", nullptr, nullptr));
    EXPECT_EQ(m_app.GetProfileInt("Settings", "ImageTime", -1), static_cast<UINT>(-1));
}

TEST(Profile, AnApplicationNotYetStartedHasNoProfile) {
    CWinApp app;
    EXPECT_EQ(app.GetProfileInt("Settings", "ImageTime", 5), 5u);
    EXPECT_FALSE(app.WriteProfileInt("Settings", "ImageTime", 1));
    EXPECT_EQ(app.GetProfileString("Settings", "Skin", "d"), "d");
}

} // namespace
